// The "getORF" page: open reading frames of one pasted cDNA sequence (right
// half) and of every record of a cDNA FASTA file (left half), under the
// genetic code chosen at the top of the page.
//
// Handlers run on the GUI thread; each Run starts one worker that reads the
// controls once through the platform layer and never touches a widget. The
// page lives as long as the main window.
#pragma once

#include <QObject>

#include <array>
#include <string>

#include "model/sequence_set.h"
#include "tools/tool_pages.h"

class QAbstractButton;
class QWidget;

namespace tulvarine {

class GetOrfPage : public QObject {
    Q_OBJECT

public:
    explicit GetOrfPage(const ToolPageContext& context);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ConnectSingleSequence();
    void ConnectFastaFile();
    // Disables run, so that a second click cannot start a second run, and
    // starts routine on a worker that enables run again when it ends.
    void StartRun(QWidget* run, void (GetOrfPage::*routine)());

    // The genetic-code group (read by the workers when they start).
    void OnGetorfCodeStandardClick() { ColourGeneticCodes(); }
    void OnGetorfCodeVertebrateMitoClick() { ColourGeneticCodes(); }
    void OnGetorfCodeYeastMitoClick() { ColourGeneticCodes(); }
    void OnGetorfCodeMoldMitoClick() { ColourGeneticCodes(); }
    void OnGetorfCodeInvertebrateMitoClick() { ColourGeneticCodes(); }
    void OnGetorfCodeCiliateNuclearClick() { ColourGeneticCodes(); }
    void OnGetorfCodeEchinodermMitoClick() { ColourGeneticCodes(); }
    void OnGetorfCodeEuplotidNuclearClick() { ColourGeneticCodes(); }
    void OnGetorfCodeBacterialPlastidClick() { ColourGeneticCodes(); }
    void OnGetorfCodeAltYeastNuclearClick() { ColourGeneticCodes(); }
    void ColourGeneticCodes();
    int GeneticCode() const;

    // One pasted sequence.
    void OnGetorfRunClick();
    void FindOrfsInPastedSequence();
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
    void ScanInto(QWidget* box, const char* filter);
    void OnGetorfClearCdnaClick();
    void OnGetorfRefProteinKeyDown(int keyCode, int shiftState);
    void OnGetorfBatchLongestClick() { SetFileModeControls(false, false); }
    void OnGetorfBatchAllClick() { SetFileModeControls(false, false); }
    void OnGetorfBatchSimilarClick() { SetFileModeControls(true, false); }
    void OnGetorfBatchIndividualClick() { SetFileModeControls(false, true); }
    void SetFileModeControls(bool referenceBox, bool proteinFiles);
    void OnGetorfRunCdnaClick();
    void FindLongestOrfsInFile() { FindOrfsInFile(kLongestOrf); }
    void FindAllOrfsInFile() { FindOrfsInFile(kAllOrfs); }
    void FindSimilarOrfsInFile() { FindOrfsInFile(kMostSimilarOrf); }
    void FindOrfsInFile(OrfMode mode);
    void FindOrfsByProteinMap();

    const ToolPageContext context_;
    Ui::MainWindow& ui_;
    std::array<QAbstractButton*, 10> geneticCodes_;  // in the order of the codes, 单选框20 last
};

}  // namespace tulvarine
