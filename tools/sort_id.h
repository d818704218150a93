// The "Sort-ID" page: records sorted by ID or length, or split by keywords.
#pragma once

#include "tools/tool_page.h"

namespace tulvarine {

class SortIdPage : public ToolPage {
    Q_OBJECT

public:
    explicit SortIdPage(const ToolPageContext& context);

    // The file box gets the focus each time the page is shown.
    void OnShown() override;
};

}  // namespace tulvarine
