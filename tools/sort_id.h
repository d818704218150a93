// The "Sort-ID" page: the records of a FASTA file written in a new order
// (alphabetical, by length, or as a user list names and renames them), a
// preview of its header lines, and one file per keyword. The work is in
// tools/sort_id_routines.h.
#pragma once

#include <memory>

#include "tools/tool_page.h"

namespace tulvarine {

class SortIdPage : public ToolPage {
    Q_OBJECT

public:
    explicit SortIdPage(const ToolPageContext& context);

    // The file box gets the focus each time the page is shown.
    void OnShown() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnSortScanClick();
    void OnSortFileNameChanged();
    void OnSortRunClick();
    void OnSortClassClick();
    void OnSortClearIdsClick();
    void OnSortAlphabeticalClick() { OnAutomaticOrderClick(); }
    void OnSortLengthDescendClick() { OnAutomaticOrderClick(); }
    void OnSortLengthAscendClick() { OnAutomaticOrderClick(); }
    void OnAutomaticOrderClick();
    void OnSortUserOrderClick();
    void ColourOrders();
    void OnSortUserIdsKeyDown(int keyCode, int shiftState);
    void OnSortKeywordsKeyDown(int keyCode, int shiftState);

    // The number of the newest preview; only it may write the preview box, its
    // label and g_SortIdCount. GUI thread only; shared with the preview workers.
    std::shared_ptr<int> newestPreview_ = std::make_shared<int>(0);
};

}  // namespace tulvarine
