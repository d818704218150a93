// The "Translation" page: DNA to amino acids under one of ten genetic codes,
// for text pasted or loaded into a box (manual mode) or for every FASTA file
// of a folder (batch mode). Both modes run on worker threads of their own; the
// workers reach the controls only through the platform layer.
#pragma once

#include <array>

#include <QObject>

#include "tools/tool_pages.h"

class QAbstractButton;

namespace tulvarine {

class TranslationPage : public QObject {
    Q_OBJECT

public:
    explicit TranslationPage(const ToolPageContext& context);

private:
    // The ten genetic-code radios; all ten handlers draw the group anew.
    void OnTranslationCodeStandardClick();
    void OnTranslationCodeVertebrateMitoClick();
    void OnTranslationCodeYeastMitoClick();
    void OnTranslationCodeMoldMitoClick();
    void OnTranslationCodeInvertebrateMitoClick();
    void OnTranslationCodeCiliateNuclearClick();
    void OnTranslationCodeEchinodermMitoClick();
    void OnTranslationCodeEuplotidNuclearClick();
    void OnTranslationCodeBacterialPlastidClick();
    void OnTranslationCodeAltYeastNuclearClick();
    void ColourCodeRadios();

    void OnTranslationScanClick();
    void OnTranslationClearClick();
    void OnTranslationRun2Click();
    void OnTranslationSaveClick();
    void OnTranslationInFolderClick();
    void OnTranslationOutFolderClick();
    void OnTranslationRun1Click();

    // Workers: each runs on a thread of its own and reads the controls once.
    void TranslatePastedSequences();
    void TranslateFolder();

    int CodeIndex() const;

    ToolPageContext context_;
    Ui::MainWindow& ui_;
    std::array<QAbstractButton*, 10> codeRadios_;  // set once in the constructor
};

}  // namespace tulvarine
