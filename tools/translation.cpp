#include "tools/translation.h"

#include <QAbstractButton>
#include <QPlainTextEdit>

#include <optional>
#include <string>
#include <vector>

#include "model/file_bytes.h"
#include "model/numbers.h"
#include "model/paths.h"
#include "model/pasted_translation.h"
#include "model/sequence_header.h"
#include "model/sequence_set.h"
#include "platform/control_progress.h"
#include "platform/controls.h"
#include "platform/file_dialogs.h"
#include "platform/folders.h"
#include "platform/radio_groups.h"
#include "platform/status_bar.h"
#include "platform/worker.h"
#include "ui_main_window.h"

namespace tulvarine {

using platform::ShowStatusMessage;

namespace {
constexpr char kWorkFileName[] = "tmp.fas";
constexpr char kOutputFolderSuffix[] = "_AA";
constexpr int kOutputPage = 1;  // of the manual mode's inner tabs

// The last words of a folder run in which some files were not translated: the
// label's text and the status message naming them.
std::string FailureLabel(std::size_t failed, std::size_t total) {
    return "Failed: " + IntToText(static_cast<long long>(failed)) + " of " + IntToText(static_cast<long long>(total));
}

std::string FailureMessage(const TextArray& failed, std::size_t total) {
    std::string message = "Error:        " + IntToText(static_cast<long long>(failed.size())) + " of " +
                          IntToText(static_cast<long long>(total)) + " files not translated: ";
    for (std::size_t i = 0; i < failed.size(); ++i) {
        if (i > 0) message += ", ";
        message += failed[i];
    }
    return message;
}
}  // namespace

TranslationPage::TranslationPage(const ToolPageContext& context)
    : context_(context),
      ui_(context.ui),
      codeRadios_{ui_.单选框1, ui_.单选框2, ui_.单选框3, ui_.单选框4, ui_.单选框5,
                  ui_.单选框6, ui_.单选框7, ui_.单选框8, ui_.单选框9, ui_.单选框10} {
    using Page = TranslationPage;
    using Button = QAbstractButton;
    connect(ui_.单选框1, &Button::clicked, this, &Page::OnTranslationCodeStandardClick);
    connect(ui_.单选框2, &Button::clicked, this, &Page::OnTranslationCodeVertebrateMitoClick);
    connect(ui_.单选框3, &Button::clicked, this, &Page::OnTranslationCodeYeastMitoClick);
    connect(ui_.单选框4, &Button::clicked, this, &Page::OnTranslationCodeMoldMitoClick);
    connect(ui_.单选框5, &Button::clicked, this, &Page::OnTranslationCodeInvertebrateMitoClick);
    connect(ui_.单选框6, &Button::clicked, this, &Page::OnTranslationCodeCiliateNuclearClick);
    connect(ui_.单选框7, &Button::clicked, this, &Page::OnTranslationCodeEchinodermMitoClick);
    connect(ui_.单选框8, &Button::clicked, this, &Page::OnTranslationCodeEuplotidNuclearClick);
    connect(ui_.单选框9, &Button::clicked, this, &Page::OnTranslationCodeBacterialPlastidClick);
    connect(ui_.单选框10, &Button::clicked, this, &Page::OnTranslationCodeAltYeastNuclearClick);
    connect(ui_.按钮_trans_scan, &Button::clicked, this, &Page::OnTranslationScanClick);
    connect(ui_.按钮_Sort_Run6, &Button::clicked, this, &Page::OnTranslationClearClick);
    connect(ui_.按钮_trans_run2, &Button::clicked, this, &Page::OnTranslationRun2Click);
    connect(ui_.按钮_trans_save, &Button::clicked, this, &Page::OnTranslationSaveClick);
    connect(ui_.按钮_trans_1, &Button::clicked, this, &Page::OnTranslationInFolderClick);
    connect(ui_.按钮_trans_2, &Button::clicked, this, &Page::OnTranslationOutFolderClick);
    connect(ui_.按钮_trans_run1, &Button::clicked, this, &Page::OnTranslationRun1Click);
}

void TranslationPage::OnTranslationCodeStandardClick() { ColourCodeRadios(); }
void TranslationPage::OnTranslationCodeVertebrateMitoClick() { ColourCodeRadios(); }
void TranslationPage::OnTranslationCodeYeastMitoClick() { ColourCodeRadios(); }
void TranslationPage::OnTranslationCodeMoldMitoClick() { ColourCodeRadios(); }
void TranslationPage::OnTranslationCodeInvertebrateMitoClick() { ColourCodeRadios(); }
void TranslationPage::OnTranslationCodeCiliateNuclearClick() { ColourCodeRadios(); }
void TranslationPage::OnTranslationCodeEchinodermMitoClick() { ColourCodeRadios(); }
void TranslationPage::OnTranslationCodeEuplotidNuclearClick() { ColourCodeRadios(); }
void TranslationPage::OnTranslationCodeBacterialPlastidClick() { ColourCodeRadios(); }
void TranslationPage::OnTranslationCodeAltYeastNuclearClick() { ColourCodeRadios(); }

void TranslationPage::ColourCodeRadios() { platform::ColourByCheckState(codeRadios_); }

int TranslationPage::CodeIndex() const { return platform::GeneticCodeIndex(codeRadios_); }

void TranslationPage::OnTranslationScanClick() {
    platform::CommonDialog& dialog = context_.fileDialog;
    dialog.SetInitialFolder(platform::ProgramFolder());
    dialog.SetFilter("Fasta File (*.fa*)|*.fa*");
    const std::optional<std::string> path = dialog.ShowOpen(context_.window);
    if (!path) return;
    std::string bytes;
    if (!ReadWholeFile(*path, bytes)) {  // what the box holds stays
        ShowStatusMessage("Error:        Cannot read " + *path);
        return;
    }
    platform::SetControlText(ui_.编辑框_trans_3, bytes);
}

void TranslationPage::OnTranslationClearClick() {
    ui_.编辑框_trans_3->clear();
    ui_.编辑框_trans_4->clear();
}

void TranslationPage::OnTranslationRun2Click() {
    // Disabled before the worker starts, so a quick second click cannot start a
    // second run on the same work file.
    ui_.按钮_trans_run2->setEnabled(false);
    platform::StartWorker([this] { TranslatePastedSequences(); });
}

void TranslationPage::OnTranslationSaveClick() {
    platform::CommonDialog& dialog = context_.fileDialog;
    dialog.SetInitialFolder(platform::ProgramFolder());  // the filter stays as its last user left it
    const std::optional<std::string> path = dialog.ShowSave(context_.window);
    if (!path) return;
    if (platform::SaveControlTextToFile(ui_.编辑框_trans_4, *path))
        ShowStatusMessage("Info:    Save successful!");
    else
        ShowStatusMessage("Error:    Save failure! " + *path);
}

void TranslationPage::OnTranslationInFolderClick() {
    platform::SetControlText(ui_.编辑框_trans_1,
                             platform::BrowseForFolder(context_.window, "Choose your folder containing fasta files:"));
}

void TranslationPage::OnTranslationOutFolderClick() {
    platform::SetControlText(ui_.编辑框_trans_2,
                             platform::BrowseForFolder(context_.window, "Choose your folder containing fasta files:"));
}

void TranslationPage::OnTranslationRun1Click() {
    ui_.按钮_trans_run1->setEnabled(false);  // as for the manual run: one batch run at a time
    platform::StartWorker([this] { TranslateFolder(); });
}

void TranslationPage::TranslatePastedSequences() {
    const platform::DisabledWhileRunning running(ui_.按钮_trans_run2);
    const std::string input = platform::ControlText(ui_.编辑框_trans_3);
    if (input.empty()) return;
    const int codeIndex = CodeIndex();

    const std::string workFolder = platform::WorkFolder();
    const std::string workFile = workFolder.empty() ? std::string() : JoinPath(workFolder, kWorkFileName);
    const PastedTranslation result = TranslatePastedText(input, codeIndex, workFile);
    const std::string shownWorkFile = workFile.empty() ? JoinPath("tmp", kWorkFileName) : workFile;
    switch (result.outcome) {
    case PastedTranslation::kWorkFileNotWritten:
        ShowStatusMessage("Error:        Cannot write the working file " + shownWorkFile);
        return;
    case PastedTranslation::kWorkFileNotRead:
        ShowStatusMessage("Error:        Cannot read the working file " + shownWorkFile);
        return;
    case PastedTranslation::kTranslated:
        break;
    }
    platform::SetControlText(ui_.编辑框_trans_4, result.text);
    platform::SelectTabPage(ui_.高级选择夹2, kOutputPage);
}

void TranslationPage::TranslateFolder() {
    SequenceSet set;
    const platform::DisabledWhileRunning running(ui_.按钮_trans_run1);
    std::string in = platform::ControlText(ui_.编辑框_trans_1);
    if (in.empty()) return;
    StripTrailingBackslash(in);
    if (!CanListFolder(in)) {
        ShowStatusMessage("Error:        Cannot read the folder " + in);
        return;
    }

    std::string out = platform::ControlText(ui_.编辑框_trans_2);
    if (out.empty()) {
        out = in + kOutputFolderSuffix;
        platform::SetControlText(ui_.编辑框_trans_2, out);
    }
    StripTrailingBackslash(out);
    if (IsSamePlace(in, out)) {  // the outputs would overwrite their inputs
        ShowStatusMessage("Error:        The output folder is the input folder; nothing written: " + out);
        return;
    }
    if (!MakeFolder(out)) {
        ShowStatusMessage("Error:        Cannot create the folder " + out);
        return;
    }

    const int codeIndex = CodeIndex();
    platform::ClearList(ui_.列表框_trans_process);
    platform::ControlProgress progress(ui_.标签_trans_proces);
    const TextArray files = platform::ListFastaFiles(in);
    TextArray failed;
    for (const std::string& file : files) {
        platform::AddListItem(ui_.列表框_trans_process, file);
        const std::string inPath = JoinPath(in, file);
        const std::string outPath = JoinPath(out, file);
        if (IsSamePlace(inPath, outPath)) {  // a link back to the input
            ShowStatusMessage("Error:        Not written over its input: " + outPath);
            failed.push_back(file);
            continue;
        }
        if (!set.ReadFasta(inPath, &progress)) {
            ShowStatusMessage("Error:        Cannot read " + inPath);
            failed.push_back(file);
            continue;
        }
        if (!set.Translate(codeIndex, SequenceHeader::kWhole, outPath, &progress).fileWritten) {
            ShowStatusMessage("Error:        Cannot write " + outPath);
            failed.push_back(file);
        }
    }
    set.Release();  // the last file's records are not needed any more
    progress.Flush();
    if (failed.empty()) {
        platform::SetControlText(ui_.标签_trans_proces, "Done!");
        return;
    }
    platform::SetControlText(ui_.标签_trans_proces, FailureLabel(failed.size(), files.size()));
    ShowStatusMessage(FailureMessage(failed, files.size()));
}

}  // namespace tulvarine
