// The "Cmp-2Seq" page: two sequences compared base by base or codon by codon.
#pragma once

#include "tools/tool_page.h"

namespace tulvarine {

class Cmp2SeqPage : public ToolPage {
    Q_OBJECT

public:
    explicit Cmp2SeqPage(const ToolPageContext& context);

    // Every switch to the page after start-up compares the two boxes again.
    void OnShown() override;

private:
    void ApplySeqBoxFormat();
};

}  // namespace tulvarine
