// The "Translation" page: DNA to amino acids under one of ten genetic codes,
// for text pasted or loaded into a box (manual mode) or for every FASTA file
// of a folder (batch mode). The work is in tools/translation_routines.h.
#pragma once

#include "platform/radio_groups.h"
#include "tools/tool_page.h"

namespace tulvarine {

class TranslationPage : public ToolPage {
    Q_OBJECT

public:
    explicit TranslationPage(const ToolPageContext& context);

    void OnShown() override;

private:
    void OnTranslationScanClick();
    void OnTranslationClearClick();
    void OnTranslationRun2Click();
    void OnTranslationSaveClick();
    void OnTranslationInFolderClick();
    void OnTranslationOutFolderClick();
    void OnTranslationRun1Click();

    platform::GeneticCodeGroup codes_;
};

}  // namespace tulvarine
