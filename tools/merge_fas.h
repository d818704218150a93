// The "MergeFas" page: per-ID concatenation of the FASTA files of a folder
// (batch mode, left) and the merge of a second file into a first one through
// the shared merge table (manual mode, right). The work is in
// tools/merge_fas_routines.h.
#pragma once

#include "model/text.h"
#include "tools/tool_page.h"

namespace tulvarine {

class MergeFasPage : public ToolPage {
    Q_OBJECT

public:
    explicit MergeFasPage(const ToolPageContext& context);

private:
    // Batch mode.
    void OnMergeScanClick();
    void OnMergeFolderChanged();
    void OnMergeFilesSelect(int row);
    void OnMergeSave1Click();

    // Manual mode.
    void OnMergeScan1Click();
    void OnMergeScan2Click();
    void OnMergeRun2Click();
    void OnMergeSave2Click();

    // GUI thread only. Each listing has a number; only the newest one shows.
    unsigned folderListing_ = 0;
    unsigned idListing_ = 0;
    TextArray listedFiles_;  // what the file list shows
};

}  // namespace tulvarine
