#include "tools/get_orf.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <climits>

#include "model/counting_progress.h"
#include "model/id_map.h"
#include "model/line_wrapper.h"
#include "model/mapped_orfs.h"
#include "model/numbers.h"
#include "model/output_file.h"
#include "model/sequence.h"
#include "model/text.h"
#include "platform/control_progress.h"
#include "platform/controls.h"
#include "platform/file_dialogs.h"
#include "platform/folders.h"
#include "platform/keys.h"
#include "platform/radio_groups.h"
#include "platform/status_bar.h"
#include "platform/worker.h"
#include "ui_main_window.h"

namespace tulvarine {

using platform::ControlText;
using platform::IsControlChecked;
using platform::ShowStatusMessage;

namespace {

constexpr char kFastaFilter[] = "Fasta File (*.fa*)|*.fa*";
constexpr char kAnyFileFilter[] = "All Files (*.*)|*.*";
// What the save dialog offers when no page has set a filter on it yet.
constexpr char kSaveFilter[] = "Fasta File (*.fa*)|*.fa*|All Files (*.*)|*.*";
constexpr int kOutputPage = 1;

// The length cut-off of a box: its leading integer, 0 when it holds none.
int CutoffOf(QWidget* box) {
    return int(std::clamp<long long>(TextToInt(ControlText(box)), INT_MIN, INT_MAX));
}

// A reference protein as scored: line breaks go, blanks stay.
std::string WithoutLineBreaks(std::string text) {
    ReplaceAll(text, "\n", "");
    ReplaceAll(text, "\r", "");
    return text;
}

std::string OutputSuffix(OrfMode mode) {
    switch (mode) {
    case kLongestOrf: return ".orfs.long.fas";
    case kAllOrfs: return ".orfs.all.fas";
    case kMostSimilarOrf: return ".orfs.sim1.fas";
    }
    return {};
}

void ShowError(const std::string& text) { ShowStatusMessage("Error:        " + text); }

}  // namespace

GetOrfPage::GetOrfPage(const ToolPageContext& context)
    : context_(context),
      ui_(context.ui),
      geneticCodes_{ui_.单选框11, ui_.单选框12, ui_.单选框13, ui_.单选框14, ui_.单选框15,
                    ui_.单选框16, ui_.单选框17, ui_.单选框18, ui_.单选框19, ui_.单选框20} {
    const std::array<void (GetOrfPage::*)(), 10> codeHandlers{
        &GetOrfPage::OnGetorfCodeStandardClick,       &GetOrfPage::OnGetorfCodeVertebrateMitoClick,
        &GetOrfPage::OnGetorfCodeYeastMitoClick,      &GetOrfPage::OnGetorfCodeMoldMitoClick,
        &GetOrfPage::OnGetorfCodeInvertebrateMitoClick, &GetOrfPage::OnGetorfCodeCiliateNuclearClick,
        &GetOrfPage::OnGetorfCodeEchinodermMitoClick, &GetOrfPage::OnGetorfCodeEuplotidNuclearClick,
        &GetOrfPage::OnGetorfCodeBacterialPlastidClick, &GetOrfPage::OnGetorfCodeAltYeastNuclearClick};
    for (std::size_t i = 0; i < geneticCodes_.size(); ++i)
        connect(geneticCodes_[i], &QAbstractButton::clicked, this, codeHandlers[i]);
    ConnectSingleSequence();
    ConnectFastaFile();
}

void GetOrfPage::ConnectSingleSequence() {
    connect(ui_.按钮_getorf_run, &QPushButton::clicked, this, &GetOrfPage::OnGetorfRunClick);
    connect(ui_.按钮_getorf_clear, &QPushButton::clicked, this, &GetOrfPage::OnGetorfClearClick);
    connect(ui_.按钮_getorf_copy, &QPushButton::clicked, this, &GetOrfPage::OnGetorfCopyClick);
    connect(ui_.按钮_getorf_save, &QPushButton::clicked, this, &GetOrfPage::OnGetorfSaveClick);
    connect(ui_.单选框21, &QRadioButton::clicked, this, &GetOrfPage::OnGetorfLongestClick);
    connect(ui_.单选框22, &QRadioButton::clicked, this, &GetOrfPage::OnGetorfAllClick);
    connect(ui_.单选框23, &QRadioButton::clicked, this, &GetOrfPage::OnGetorfSimilarClick);
}

void GetOrfPage::ConnectFastaFile() {
    connect(ui_.按钮_getorf_scan_cdna, &QPushButton::clicked, this, &GetOrfPage::OnGetorfScanCdnaClick);
    connect(ui_.按钮_getorf_scan_pep, &QPushButton::clicked, this, &GetOrfPage::OnGetorfScanPepClick);
    connect(ui_.按钮_getorf_scan_idmap, &QPushButton::clicked, this, &GetOrfPage::OnGetorfScanIdMapClick);
    connect(ui_.按钮_getorf_clear_cdna, &QPushButton::clicked, this, &GetOrfPage::OnGetorfClearCdnaClick);
    connect(ui_.单选框24, &QRadioButton::clicked, this, &GetOrfPage::OnGetorfBatchLongestClick);
    connect(ui_.单选框25, &QRadioButton::clicked, this, &GetOrfPage::OnGetorfBatchAllClick);
    connect(ui_.单选框26, &QRadioButton::clicked, this, &GetOrfPage::OnGetorfBatchSimilarClick);
    connect(ui_.单选框27, &QRadioButton::clicked, this, &GetOrfPage::OnGetorfBatchIndividualClick);
    connect(ui_.按钮_getorf_run_cdna, &QPushButton::clicked, this, &GetOrfPage::OnGetorfRunCdnaClick);
    ui_.编辑框_trans_8->installEventFilter(this);
}

bool GetOrfPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui_.编辑框_trans_8 && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        OnGetorfRefProteinKeyDown(platform::VirtualKeyCode(key->key()), platform::ShiftState(key->modifiers()));
    }
    return QObject::eventFilter(watched, event);
}

void GetOrfPage::StartRun(QWidget* run, void (GetOrfPage::*routine)()) {
    run->setEnabled(false);
    platform::StartWorker([this, run, routine] {
        const platform::DisabledWhileRunning running(run);
        (this->*routine)();
    });
}

// ---- the genetic-code group ----

void GetOrfPage::ColourGeneticCodes() { platform::ColourByCheckState(geneticCodes_); }

int GetOrfPage::GeneticCode() const { return platform::GeneticCodeIndex(geneticCodes_); }

// ---- one pasted sequence ----

void GetOrfPage::OnGetorfRunClick() {
    if (ui_.编辑框_getorf_in->toPlainText().isEmpty()) return;  // nothing to search, nothing to say
    StartRun(ui_.按钮_getorf_run, &GetOrfPage::FindOrfsInPastedSequence);
}

// Runs on a worker; the Run button is disabled around it (StartRun).
void GetOrfPage::FindOrfsInPastedSequence() {
    Sequence sequence;
    const int code = GeneticCode();
    const int cutoff = CutoffOf(ui_.编辑框_getorf_cutoff_1);
    sequence.SetText(ControlText(ui_.编辑框_getorf_in));  // a pasted ">" line becomes sequence too

    std::string output;
    if (IsControlChecked(ui_.单选框21)) {
        output = ">ORF-Longest\r\n" + WrapSequenceLines(sequence.FindLongestOrf(code, cutoff, true));
    } else if (IsControlChecked(ui_.单选框22)) {
        output = sequence.FindAllOrfs(code, cutoff, true, "ORF");
    } else if (IsControlChecked(ui_.单选框23)) {
        const std::string reference = WithoutLineBreaks(ControlText(ui_.编辑框_getorf_pep));
        output = ">ORF-Sim\r\n" + WrapSequenceLines(sequence.FindMostSimilarOrf(code, cutoff, true, reference));
    } else {
        return;
    }
    platform::SetControlText(ui_.编辑框_getorf_out, output);
    platform::SelectTabPage(ui_.高级选择夹3, kOutputPage);
}

void GetOrfPage::OnGetorfClearClick() {
    ui_.编辑框_getorf_in->clear();
    ui_.编辑框_getorf_out->clear();
}

void GetOrfPage::OnGetorfCopyClick() {
    const QString text = ui_.编辑框_getorf_out->toPlainText();
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->setText(text);
    ShowStatusMessage(clipboard->text() == text ? "Info:        Copy successfully!" : "Info:        Copy failed!");
}

void GetOrfPage::OnGetorfSaveClick() {
    platform::CommonDialog& dialog = context_.fileDialog;
    if (dialog.Filter().empty()) dialog.SetFilter(kSaveFilter);  // otherwise the filter of its last use
    dialog.SetInitialFolder(platform::ProgramFolder());
    const std::optional<std::string> path = dialog.ShowSave(context_.window);
    if (!path) return;
    const bool saved = platform::SaveControlTextToFile(ui_.编辑框_getorf_out, *path);
    ShowStatusMessage(saved ? "Info:        Save successfully!" : "Info:        Save failed!");
}

void GetOrfPage::OnGetorfLongestClick() {
    ui_.编辑框_getorf_pep->setEnabled(false);
    ColourSingleModes();
}

void GetOrfPage::OnGetorfSimilarClick() {
    ui_.编辑框_getorf_pep->setEnabled(true);
    ColourSingleModes();
}

void GetOrfPage::ColourSingleModes() {
    const std::array<QAbstractButton*, 3> modes{ui_.单选框21, ui_.单选框22, ui_.单选框23};
    platform::ColourByCheckState(modes);
}

// ---- a cDNA FASTA file ----

void GetOrfPage::OnGetorfScanCdnaClick() { ScanInto(ui_.编辑框_getorf_folder_1, kFastaFilter); }
void GetOrfPage::OnGetorfScanPepClick() { ScanInto(ui_.编辑框_getorf_folder_2, kFastaFilter); }
void GetOrfPage::OnGetorfScanIdMapClick() { ScanInto(ui_.编辑框_getorf_folder_3, kAnyFileFilter); }

void GetOrfPage::ScanInto(QWidget* box, const char* filter) {
    platform::CommonDialog& dialog = context_.fileDialog;
    dialog.SetFilter(filter);
    dialog.SetInitialFolder(platform::ProgramFolder());
    if (const std::optional<std::string> path = dialog.ShowOpen(context_.window)) platform::SetControlText(box, *path);
}

void GetOrfPage::OnGetorfClearCdnaClick() { ui_.编辑框_trans_8->clear(); }

void GetOrfPage::OnGetorfRefProteinKeyDown(int keyCode, int shiftState) {
    if (keyCode == platform::kKeyA && shiftState == platform::kShiftStateCtrl) ui_.编辑框_trans_8->selectAll();
}

void GetOrfPage::SetFileModeControls(bool referenceBox, bool proteinFiles) {
    ui_.按钮_getorf_scan_pep->setEnabled(proteinFiles);
    ui_.按钮_getorf_scan_idmap->setEnabled(proteinFiles);
    ui_.编辑框_getorf_folder_2->setEnabled(proteinFiles);
    ui_.编辑框_getorf_folder_3->setEnabled(proteinFiles);
    ui_.编辑框_trans_8->setEnabled(referenceBox);
    const std::array<QAbstractButton*, 4> modes{ui_.单选框24, ui_.单选框25, ui_.单选框26, ui_.单选框27};
    platform::ColourByCheckState(modes);
}

void GetOrfPage::OnGetorfRunCdnaClick() {
    void (GetOrfPage::*routine)() = &GetOrfPage::FindOrfsByProteinMap;
    if (ui_.单选框24->isChecked())
        routine = &GetOrfPage::FindLongestOrfsInFile;
    else if (ui_.单选框25->isChecked())
        routine = &GetOrfPage::FindAllOrfsInFile;
    else if (ui_.单选框26->isChecked())
        routine = &GetOrfPage::FindSimilarOrfsInFile;
    StartRun(ui_.按钮_getorf_run_cdna, routine);
}

// Runs on a worker; the Run button is disabled around it (StartRun).
void GetOrfPage::FindOrfsInFile(OrfMode mode) {
    SequenceSet set;
    const int code = GeneticCode();
    const int cutoff = CutoffOf(ui_.编辑框_getorf_cutoff_2);
    std::string reference;
    if (mode == kMostSimilarOrf) reference = WithoutLineBreaks(ControlText(ui_.编辑框_trans_8));

    const std::string input = ControlText(ui_.编辑框_getorf_folder_1);
    if (input.empty()) return ShowError("No cDNA fasta file selected!");
    platform::ControlProgress progress(ui_.标签45);  // the ID of each record read, then "i/n"
    if (!set.ReadFasta(input, &progress)) return ShowError("Cannot read the cDNA fasta file " + input);
    const std::string output = input + OutputSuffix(mode);
    if (!set.WriteOrfs(output, code, cutoff, reference, mode, &progress))
        return ShowError("Cannot write the output file " + output);
    progress.Flush();
    ShowStatusMessage("Info:        Saved into " + output);
}

// Runs on a worker; the Run button is disabled around it (StartRun).
void GetOrfPage::FindOrfsByProteinMap() {
    const int code = GeneticCode();
    const int cutoff = CutoffOf(ui_.编辑框_getorf_cutoff_2);
    const std::string cdnaPath = ControlText(ui_.编辑框_getorf_folder_1);
    const std::string proteinPath = ControlText(ui_.编辑框_getorf_folder_2);
    const std::string mapPath = ControlText(ui_.编辑框_getorf_folder_3);
    if (cdnaPath.empty()) return ShowError("No cDNA fasta file selected!");
    if (proteinPath.empty()) return ShowError("No ref pep fasta file selected!");
    if (mapPath.empty()) return ShowError("No ID map file selected!");
    platform::ControlProgress progress(ui_.标签45);

    SequenceSet cdna;
    CountingProgress cdnaCount(progress, " cDNA loaded");
    if (!cdna.ReadFasta(cdnaPath, &cdnaCount)) return ShowError("Cannot read the cDNA fasta file " + cdnaPath);
    SequenceSet proteins;
    CountingProgress proteinCount(progress, " Prot loaded");
    if (!proteins.ReadFasta(proteinPath, &proteinCount))
        return ShowError("Cannot read the ref pep fasta file " + proteinPath);
    IdMap map;
    if (!ReadIdMap(mapPath, map, &progress)) return ShowError("Cannot read the ID map file " + mapPath);

    const std::string output = cdnaPath + ".orfs.sim2.fas";
    OutputFile out;
    if (!out.Open(output)) return ShowError("Cannot write the output file " + output);
    WriteOrfsByProteinMap(out, cdna, proteins, map, code, cutoff, &progress);  // "i/n" after each record
    if (!out.Close()) return ShowError("Cannot write the output file " + output);
    progress.Flush();
    ShowStatusMessage("Info:        Saved into " + output);
}

}  // namespace tulvarine
