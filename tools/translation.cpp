#include "tools/translation.h"

#include <QAbstractButton>
#include <QPlainTextEdit>
#include <QTabWidget>

#include <optional>
#include <string>

#include "model/file_bytes.h"
#include "platform/controls.h"
#include "platform/folders.h"
#include "tools/page_report.h"
#include "tools/translation_routines.h"
#include "ui_main_window.h"

namespace tulvarine {

namespace {
constexpr char kFolderTitle[] = "Choose your folder containing fasta files:";
constexpr int kInputPage = 0, kOutputPage = 1;  // of the manual mode's inner tabs

// The batch mode's report: the progress label and the list of files processed.
class FolderReport : public FolderTranslationReport {
public:
    explicit FolderReport(Ui::MainWindow& ui) : ui_(ui), page_(ui.标签_trans_proces) {}
    void Status(const std::string& text) override { page_.Status(text); }
    void SetText(const std::string& text) override { page_.SetText(text); }
    void OutputFolderChosen(const std::string& folder) override {
        platform::SetControlText(ui_.编辑框_trans_2, folder);
    }
    void ClearFiles() override { platform::ClearList(ui_.列表框_trans_process); }
    void AddFile(const std::string& name) override { platform::AddListItem(ui_.列表框_trans_process, name); }

private:
    Ui::MainWindow& ui_;
    PageReport page_;
};
}  // namespace

TranslationPage::TranslationPage(const ToolPageContext& context)
    : ToolPage(context, context.ui.page_translation),
      codes_({ui_.单选框1, ui_.单选框2, ui_.单选框3, ui_.单选框4, ui_.单选框5, ui_.单选框6, ui_.单选框7, ui_.单选框8,
              ui_.单选框9, ui_.单选框10},
             this) {
    using Page = TranslationPage;
    using Button = QAbstractButton;
    connect(ui_.按钮_trans_scan, &Button::clicked, this, &Page::OnTranslationScanClick);
    connect(ui_.按钮_Sort_Run6, &Button::clicked, this, &Page::OnTranslationClearClick);
    connect(ui_.按钮_trans_run2, &Button::clicked, this, &Page::OnTranslationRun2Click);
    connect(ui_.按钮_trans_save, &Button::clicked, this, &Page::OnTranslationSaveClick);
    connect(ui_.按钮_trans_1, &Button::clicked, this, &Page::OnTranslationInFolderClick);
    connect(ui_.按钮_trans_2, &Button::clicked, this, &Page::OnTranslationOutFolderClick);
    connect(ui_.按钮_trans_run1, &Button::clicked, this, &Page::OnTranslationRun1Click);
}

void TranslationPage::OnShown() { ui_.高级选择夹2->setCurrentIndex(kInputPage); }

void TranslationPage::OnTranslationScanClick() {
    const std::optional<std::string> path = ChooseFileToOpen("Fasta File (*.fa*)|*.fa*");
    if (path) ReadFileIntoBox(ui_.按钮_trans_scan, ui_.编辑框_trans_3, *path, ReadWholeFile);
}

void TranslationPage::OnTranslationClearClick() {
    ui_.编辑框_trans_3->clear();
    ui_.编辑框_trans_4->clear();
}

void TranslationPage::OnTranslationRun2Click() {
    PastedTranslationSettings settings;
    settings.text = platform::ControlText(ui_.编辑框_trans_3);
    settings.code = codes_.Chosen();
    settings.workFolder = platform::WorkFolder();
    StartRun(ui_.按钮_trans_run2, [this, settings] {
        PageReport report(nullptr);
        if (const std::optional<std::string> protein = TranslatePastedSequences(settings, report)) {
            platform::SetControlText(ui_.编辑框_trans_4, *protein);
            platform::SelectTabPage(ui_.高级选择夹2, kOutputPage);
        }
    });
}

void TranslationPage::OnTranslationSaveClick() {
    SaveBoxToChosenFile(ui_.按钮_trans_save, ui_.编辑框_trans_4, {}, {"Info:    Save successful!", "Info:    Save failure!"});
}

void TranslationPage::OnTranslationInFolderClick() { ChooseFolderInto(ui_.编辑框_trans_1, kFolderTitle); }

void TranslationPage::OnTranslationOutFolderClick() { ChooseFolderInto(ui_.编辑框_trans_2, kFolderTitle); }

void TranslationPage::OnTranslationRun1Click() {
    FolderTranslationSettings settings;
    settings.inputFolder = platform::ControlText(ui_.编辑框_trans_1);
    settings.outputFolder = platform::ControlText(ui_.编辑框_trans_2);
    settings.code = codes_.Chosen();
    StartRun(ui_.按钮_trans_run1, [this, settings] {
        FolderReport report(ui_);
        (void)TranslateFolder(settings, report);
    });
}

}  // namespace tulvarine
