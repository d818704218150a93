#include "tools/get_orf.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include <algorithm>
#include <array>
#include <climits>

#include "model/numbers.h"
#include "platform/controls.h"
#include "platform/keys.h"
#include "platform/status_bar.h"
#include "tools/get_orf_routines.h"
#include "tools/page_report.h"
#include "ui_main_window.h"

namespace tulvarine {

using platform::ControlText;
using platform::ShowStatusMessage;

namespace {

constexpr char kFastaFilter[] = "Fasta File (*.fa*)|*.fa*";
constexpr char kAnyFileFilter[] = "All Files (*.*)|*.*";
// What the save dialog offers when no page has set a filter on it yet.
constexpr char kSaveFilter[] = "Fasta File (*.fa*)|*.fa*|All Files (*.*)|*.*";
constexpr int kInputPage = 0, kOutputPage = 1;

// The length cut-off of a box: its leading integer, 0 when it holds none.
int CutoffOf(QWidget* box) {
    return int(std::clamp<long long>(TextToInt(ControlText(box)), INT_MIN, INT_MAX));
}

// The mode of three radios standing for the longest, all and the most similar
// ORF; nothing when none is checked.
std::optional<OrfMode> CheckedOrfMode(QAbstractButton* longest, QAbstractButton* all, QAbstractButton* similar) {
    if (longest->isChecked()) return kLongestOrf;
    if (all->isChecked()) return kAllOrfs;
    if (similar->isChecked()) return kMostSimilarOrf;
    return std::nullopt;
}

}  // namespace

GetOrfPage::GetOrfPage(const ToolPageContext& context)
    : ToolPage(context, context.ui.page_get_orf),
      codes_({ui_.单选框11, ui_.单选框12, ui_.单选框13, ui_.单选框14, ui_.单选框15, ui_.单选框16, ui_.单选框17,
              ui_.单选框18, ui_.单选框19, ui_.单选框20},
             this) {
    ConnectSingleSequence();
    ConnectFastaFile();
}

void GetOrfPage::OnShown() { ui_.高级选择夹3->setCurrentIndex(kInputPage); }

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

// ---- one pasted sequence ----

void GetOrfPage::OnGetorfRunClick() {
    PastedOrfSettings settings;
    settings.sequence = ControlText(ui_.编辑框_getorf_in);
    if (settings.sequence.empty()) return;  // nothing to search, nothing to say
    const std::optional<OrfMode> mode = CheckedOrfMode(ui_.单选框21, ui_.单选框22, ui_.单选框23);
    if (!mode) return;
    settings.mode = *mode;
    settings.code = codes_.Chosen();
    settings.cutoff = CutoffOf(ui_.编辑框_getorf_cutoff_1);
    if (settings.mode == kMostSimilarOrf) settings.reference = WithoutLineBreaks(ControlText(ui_.编辑框_getorf_pep));
    StartRun(ui_.按钮_getorf_run, [this, settings] {
        platform::SetControlText(ui_.编辑框_getorf_out, FindOrfsInPastedSequence(settings));
        platform::SelectTabPage(ui_.高级选择夹3, kOutputPage);
    });
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
    SaveBoxToChosenFile(ui_.按钮_getorf_save, ui_.编辑框_getorf_out, kSaveFilter,
                        {"Info:        Save successfully!", "Info:        Save failed!"});
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

void GetOrfPage::OnGetorfScanCdnaClick() { (void)ChooseFileInto(ui_.编辑框_getorf_folder_1, kFastaFilter); }
void GetOrfPage::OnGetorfScanPepClick() { (void)ChooseFileInto(ui_.编辑框_getorf_folder_2, kFastaFilter); }
void GetOrfPage::OnGetorfScanIdMapClick() { (void)ChooseFileInto(ui_.编辑框_getorf_folder_3, kAnyFileFilter); }

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
    OrfFileSettings settings;
    const std::optional<OrfMode> mode = CheckedOrfMode(ui_.单选框24, ui_.单选框25, ui_.单选框26);
    settings.byProteinMap = !mode;  // the fourth radio, 单选框27
    settings.mode = mode.value_or(kLongestOrf);
    settings.code = codes_.Chosen();
    settings.cutoff = CutoffOf(ui_.编辑框_getorf_cutoff_2);
    settings.cdnaPath = ControlText(ui_.编辑框_getorf_folder_1);
    settings.proteinPath = ControlText(ui_.编辑框_getorf_folder_2);
    settings.mapPath = ControlText(ui_.编辑框_getorf_folder_3);
    if (settings.mode == kMostSimilarOrf) settings.reference = WithoutLineBreaks(ControlText(ui_.编辑框_trans_8));
    StartRun(ui_.按钮_getorf_run_cdna, [this, settings] {
        PageReport report(ui_.标签45);  // the ID of each record read, then "i/n"
        (void)FindOrfsInFile(settings, report);
    });
}

}  // namespace tulvarine
