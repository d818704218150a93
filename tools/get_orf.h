// The "getORF" page: open reading frames of one pasted cDNA sequence (right
// half) and of every record of a cDNA FASTA file (left half), under the
// genetic code chosen at the top of the page. The work is in
// tools/get_orf_routines.h.
#pragma once

#include "platform/radio_groups.h"
#include "tools/tool_page.h"

namespace tulvarine {

class GetOrfPage : public ToolPage {
    Q_OBJECT

public:
    explicit GetOrfPage(const ToolPageContext& context);

    void OnShown() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ConnectSingleSequence();
    void ConnectFastaFile();

    // One pasted sequence.
    void OnGetorfRunClick();
    void OnGetorfClearClick();
    void OnGetorfCopyClick();
    void OnGetorfSaveClick();
    void OnGetorfLongestClick();  // also "all ORFs"
    void OnGetorfAllClick() { OnGetorfLongestClick(); }
    void OnGetorfSimilarClick();
    void ColourSingleModes();

    // A cDNA FASTA file.
    void OnGetorfScanCdnaClick();
    void OnGetorfScanPepClick();
    void OnGetorfScanIdMapClick();
    void OnGetorfClearCdnaClick();
    void OnGetorfRefProteinKeyDown(int keyCode, int shiftState);
    void OnGetorfBatchLongestClick() { SetFileModeControls(false, false); }
    void OnGetorfBatchAllClick() { SetFileModeControls(false, false); }
    void OnGetorfBatchSimilarClick() { SetFileModeControls(true, false); }
    void OnGetorfBatchIndividualClick() { SetFileModeControls(false, true); }
    void SetFileModeControls(bool referenceBox, bool proteinFiles);
    void OnGetorfRunCdnaClick();

    platform::GeneticCodeGroup codes_;
};

}  // namespace tulvarine
