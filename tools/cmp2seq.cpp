#include "tools/cmp2seq.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QTextEdit>
#include <QToolTip>

#include "model/numbers.h"
#include "platform/box_marks.h"
#include "platform/controls.h"
#include "platform/folders.h"
#include "platform/gui_thread.h"
#include "platform/rich_box.h"
#include "platform/shared_state.h"
#include "platform/status_bar.h"
#include "platform/worker.h"
#include "tools/aligners.h"
#include "tools/cmp2seq_grid.h"
#include "tools/cmp2seq_routines.h"
#include "tools/page_report.h"
#include "ui_main_window.h"

namespace tulvarine {

using platform::ControlText;

namespace {

constexpr char kSaveFilter[] = "Text File (*.txt)|*.txt";
constexpr int kMarkerRowHeight = 30, kNameColumnWidth = 100, kGridFontHeight = 24;

bool HoldsText(const QTextEdit* box) { return !box->document()->isEmpty(); }

// The comparison run, on a worker: show gets the result on the GUI thread
// while the worker waits, unless the page (page) has gone.
void LoadSequencePairIntoGrid(const QPointer<Cmp2SeqPage>& page, const PairComparisonSettings& settings,
                const std::function<void(std::shared_ptr<const PairComparison>)>& show) {
    auto comparison = std::make_shared<const PairComparison>(CompareSequencePair(settings));
    platform::CallOnGuiThread([&] {
        if (page) show(comparison);
    });
}

}  // namespace

Cmp2SeqPage::Cmp2SeqPage(const ToolPageContext& context)
    : ToolPage(context, context.ui.page_cmp2seq), grid_(new SequencePairModel(this)) {
    QTableView* view = ui_.高级表格1;
    view->setModel(grid_);
    QFont font(QStringLiteral("Courier New"));
    font.setBold(true);
    font.setPixelSize(kGridFontHeight);
    view->setFont(font);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setTextElideMode(Qt::ElideNone);
    view->setWordWrap(false);
    // The marker row and the row names stay in place while the grid scrolls.
    for (QHeaderView* header : {view->horizontalHeader(), view->verticalHeader()}) {
        header->setFont(font);
        header->setSectionResizeMode(QHeaderView::Fixed);
        header->setVisible(true);
    }
    view->horizontalHeader()->setFixedHeight(kMarkerRowHeight);
    connect(view->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &Cmp2SeqPage::OnCmp2SeqGridCellChanged);

    for (QTextEdit* box : {ui_.超级编辑框1, ui_.超级编辑框2}) {
        // Sequences have no words: wrapping at word ends would search a
        // 100 000-base line for one on every line break (seconds).
        box->setWordWrapMode(QTextOption::WrapAnywhere);
        platform::OnFileDropped(box, [this, box](const std::string& path) { OnSequenceFileDropped(box, path); });
    }
    connect(ui_.按钮_Comp_Run, &QPushButton::clicked, this, &Cmp2SeqPage::OnCmp2SeqCompareClick);
    connect(ui_.按钮_Comp_alignCMP, &QPushButton::clicked, this, &Cmp2SeqPage::OnCmp2SeqAlignCompareClick);
    connect(ui_.单选框_Comp_DNA, &QRadioButton::clicked, this, &Cmp2SeqPage::OnCmp2SeqDnaClick);
    connect(ui_.单选框_Comp_Codon, &QRadioButton::clicked, this, &Cmp2SeqPage::OnCmp2SeqCodonClick);
    // The user's choice only: the list set by the program compares nothing.
    connect(ui_.组合框1, &QComboBox::activated, this, &Cmp2SeqPage::OnCmp2SeqCodeChanged);
    connect(ui_.按钮_Sort_Run4, &QPushButton::clicked, this, &Cmp2SeqPage::OnCmp2SeqClearSeq1Click);
    connect(ui_.按钮_Sort_Run5, &QPushButton::clicked, this, &Cmp2SeqPage::OnCmp2SeqClearSeq2Click);
    connect(ui_.超级编辑框1, &QTextEdit::textChanged, this, &Cmp2SeqPage::OnCmp2SeqSeq1Changed);
    connect(ui_.超级编辑框2, &QTextEdit::textChanged, this, &Cmp2SeqPage::OnCmp2SeqSeq2Changed);
    connect(ui_.按钮_Comp_Save, &QPushButton::clicked, this, &Cmp2SeqPage::OnCmp2SeqSaveClick);
}

void Cmp2SeqPage::OnShown() {
    if (g_MainWindowReady) OnCmp2SeqCompareClick();
    ApplySeqBoxFormat();
    if (RunInTurnGoingOn()) focusRunAfterJob_ = true;
    else ui_.按钮_Comp_Run->setFocus();
}

void Cmp2SeqPage::ApplySeqBoxFormat() {
    platform::ApplyDefaultCharFormat(ui_.超级编辑框1, *g_SeqBoxFormat);
    platform::ApplyDefaultCharFormat(ui_.超级编辑框2, *g_SeqBoxFormat);
}

// ---- handlers ----

void Cmp2SeqPage::OnCmp2SeqCompareClick() { RequestComparison(true); }
void Cmp2SeqPage::OnCmp2SeqCodeChanged() { RequestComparison(false); }

void Cmp2SeqPage::OnCmp2SeqDnaClick() { ui_.组合框1->setEnabled(false); }

void Cmp2SeqPage::OnCmp2SeqCodonClick() {
    ui_.组合框1->setEnabled(true);
    ui_.组合框1->setCurrentIndex(0);
}

void Cmp2SeqPage::OnCmp2SeqClearSeq1Click() { ui_.超级编辑框1->clear(); }
void Cmp2SeqPage::OnCmp2SeqClearSeq2Click() { ui_.超级编辑框2->clear(); }

void Cmp2SeqPage::OnCmp2SeqSeq1Changed() { platform::ApplyDefaultCharFormat(ui_.超级编辑框1, *g_SeqBoxFormat); }
void Cmp2SeqPage::OnCmp2SeqSeq2Changed() { platform::ApplyDefaultCharFormat(ui_.超级编辑框2, *g_SeqBoxFormat); }

void Cmp2SeqPage::OnCmp2SeqGridCellChanged(const QModelIndex& current) {
    if (!current.isValid()) return;
    platform::SetControlText(ui_.标签_Comp_RC, "Seq: " + IntToText(current.row() + 1) +
                                                   "    Position: " + IntToText(current.column() + 1));
}

void Cmp2SeqPage::OnCmp2SeqSaveClick() {
    const std::optional<std::string> path = ChooseFileToSaveAs(kSaveFilter);
    if (!path || !ui_.单选框_Comp_Codon->isChecked()) return;
    std::shared_ptr<const PairComparison> shown = grid_->Shown();
    if (!shown) shown = std::make_shared<const PairComparison>();
    // A job: the file may be slow to write, or a pipe.
    auto saved = std::make_shared<bool>(false);
    StartRun(
        RunControls{ui_.按钮_Comp_Save, {}},
        [shown, path = *path, saved] {
            PageReport report(nullptr);
            *saved = SaveCodonTable(*shown, path, report);
        },
        [this, saved] {
            if (*saved) ui_.按钮_Comp_Save->setEnabled(false);
        });
}

void Cmp2SeqPage::OnCmp2SeqAlignCompareClick() {
    if (RunInTurnGoingOn() || !HoldsText(ui_.超级编辑框2) || !HoldsText(ui_.超级编辑框1)) return;
    PairAlignmentSettings settings;
    settings.box1 = ControlText(ui_.超级编辑框1);
    settings.box2 = ControlText(ui_.超级编辑框2);
    settings.workFolder = platform::WorkFolder();
    settings.programFolder = platform::ProgramFolder();
    settings.muscle = FindTool(settings.programFolder, kMuscleTool);
    QPointer<Cmp2SeqPage> page(this);
    (void)StartRunInTurn(JobControls(ui_.按钮_Comp_alignCMP), [page, settings] {
        PageReport report(nullptr);
        const std::optional<AlignedPair> aligned = AlignSequencePair(settings, report);
        if (aligned) {
            PairComparisonSettings compared;
            platform::CallOnGuiThread([&] {
                if (!page) return;
                platform::SetControlText(page->ui_.超级编辑框2, aligned->sequence2);
                platform::SetControlText(page->ui_.超级编辑框1, aligned->sequence1);
                compared = page->ReadComparisonSettings();
            });
            LoadSequencePairIntoGrid(page, compared, [&](std::shared_ptr<const PairComparison> comparison) {
                page->ShowComparison(std::move(comparison), compared);
            });
        }
        platform::CallOnGuiThread([&] {
            if (page) page->ui_.按钮_Comp_Save->setEnabled(true);
        });
    }, [this] { AfterJob(); });
}

void Cmp2SeqPage::OnSequenceFileDropped(QTextEdit* box, const std::string& path) {
    platform::StartWorker([box, path] {
        PageReport report(nullptr);
        if (const std::optional<std::string> text = DroppedSequenceText(path, report))
            platform::SetControlText(box, *text);
    });
}

// ---- one job at a time ----

void Cmp2SeqPage::RequestComparison(bool bothBoxes) {
    // Requests made during a job become one, which needs both boxes only when each of them did.
    needsBoth_ = needsBoth_ ? (*needsBoth_ && bothBoxes) : bothBoxes;
    RequestRunInTurn([this] { StartComparison(*std::exchange(needsBoth_, std::nullopt)); });
}

void Cmp2SeqPage::StartComparison(bool bothBoxes) {
    if (bothBoxes && (!HoldsText(ui_.超级编辑框2) || !HoldsText(ui_.超级编辑框1))) return;
    const PairComparisonSettings settings = ReadComparisonSettings();
    QPointer<Cmp2SeqPage> page(this);
    (void)StartRunInTurn(JobControls(ui_.按钮_Comp_Run), [page, settings] {
        LoadSequencePairIntoGrid(page, settings, [&](std::shared_ptr<const PairComparison> comparison) {
            page->ShowComparison(std::move(comparison), settings);
        });
    }, [this] { AfterJob(); });
}

ToolPage::RunControls Cmp2SeqPage::JobControls(QWidget* run) const {
    // Jobs leave the status as it stands: most start by themselves (a code
    // change, a switch to the page), not by a click that asks for news.
    return RunControls{run, {run == ui_.按钮_Comp_Run ? ui_.按钮_Comp_alignCMP : ui_.按钮_Comp_Run}, false};
}

void Cmp2SeqPage::AfterJob() {
    if (std::exchange(focusRunAfterJob_, false)) ui_.按钮_Comp_Run->setFocus();
    // After the focus has moved: a balloon goes as soon as the focus moves.
    if (std::exchange(balloonAfterJob_, false)) ShowCodonLengthBalloon();
}

// ---- the comparison ----

PairComparisonSettings Cmp2SeqPage::ReadComparisonSettings() const {
    PairComparisonSettings settings;
    settings.box1 = ControlText(ui_.超级编辑框1);
    settings.box2 = ControlText(ui_.超级编辑框2);
    settings.mode = ui_.单选框_Comp_DNA->isChecked() ? PairCompareMode::Dna : PairCompareMode::Codon;
    // Entries 1 to 10 give the ten codes in their order; no entry gives the last.
    const int entry = ui_.组合框1->currentIndex();
    settings.code = entry >= 0 && entry < int(kGeneticCodes.size()) ? kGeneticCodes[std::size_t(entry)]
                                                                     : GeneticCode::kAlternativeYeastNuclear;
    return settings;
}

void Cmp2SeqPage::ShowComparison(std::shared_ptr<const PairComparison> comparison,
                                 const PairComparisonSettings& settings) {
    if (!comparison->compared) return;  // neither box holds a residue: nothing changes
    grid_->Show(comparison);
    ui_.高级表格1->verticalHeader()->setFixedWidth(kNameColumnWidth);
    MarkBox(ui_.超级编辑框1, comparison->marks1, settings.box1);
    MarkBox(ui_.超级编辑框2, comparison->marks2, settings.box2);
    platform::SetControlText(ui_.编辑框_Comp_out, comparison->report);
    if (comparison->codonLengthFailed) {
        platform::ShowStatusMessage(kCodonLengthMessage);
        balloonAfterJob_ = true;
    } else if (platform::StatusPaneText(1) == kCodonLengthMessage) platform::ShowStatusMessage("");
    ui_.按钮_Comp_Save->setEnabled(true);
}

void Cmp2SeqPage::MarkBox(QTextEdit* box, const std::vector<BoxMark>& marks, const std::string& compared) {
    platform::BoxMarks& boxMarks = platform::BoxMarks::Of(box);
    // A box edited while the comparison ran holds other characters at those places.
    if (ControlText(box) != compared) {
        boxMarks.Clear();
        return;
    }
    std::vector<platform::BoxMarks::Stretch> stretches;
    stretches.reserve(marks.size());
    for (const BoxMark& mark : marks)
        stretches.push_back({int(mark.start), int(mark.length), mark.colour == MarkColour::Red ? 0 : 1});
    boxMarks.SetMarks(std::move(stretches), {platform::ToTextCharFormat(*g_RedMarkFormat),
                                             platform::ToTextCharFormat(*g_BlueMarkFormat)});
}

void Cmp2SeqPage::ShowCodonLengthBalloon() {
    QTabWidget* tabs = ui_.高级选择夹1;
    const QPoint point(tabs->width() * 2 / 3, tabs->height() / 2);
    QToolTip::showText(tabs->mapToGlobal(point), QString::fromUtf8(kCodonLengthBalloon.data(),
                                                                   qsizetype(kCodonLengthBalloon.size())),
                       tabs);
}

}  // namespace tulvarine
