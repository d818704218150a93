#include "tools/cmp2align.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "model/numbers.h"
#include "platform/box_log.h"
#include "platform/controls.h"
#include "platform/gui_thread.h"
#include "platform/status_bar.h"
#include "platform/worker.h"
#include "tools/cmp2align_routines.h"
#include "tools/cmp2align_views.h"
#include "tools/page_report.h"
#include "ui_main_window.h"

namespace tulvarine {

namespace {

constexpr char kOpenFilter[] = "Fasta File (*.fa*)|*.fa*";
constexpr char kSaveFilter[] = "Fasta File (*.fas)|*.fas";
constexpr char kFirstReport[] = "Different columns between the 2 alignments:\n";
constexpr int kIdColumnWidth = 150;

// A file view fed line by line.
class ViewLines : public LineSink {
public:
    explicit ViewLines(platform::BoxLog& view) : view_(view) {}
    void AppendLine(std::string_view line) override {
        line_.assign(line).push_back('\n');
        view_.Append(line_);
    }

private:
    platform::BoxLog& view_;
    std::string line_;
};

// The comparison's report: status messages, and the finished result handed to
// the page on the GUI thread.
class ComparisonReport : public AlignmentComparisonReport {
public:
    explicit ComparisonReport(std::function<void(std::shared_ptr<const ComparisonResult>)> show)
        : show_(std::move(show)) {}
    void Status(const std::string& text) override { platform::ShowStatusMessage(text); }
    void SetText(const std::string&) override {}  // the page has no progress label
    void ShowComparison(std::shared_ptr<const ComparisonResult> result) override {
        platform::CallOnGuiThread([&] { show_(std::move(result)); });
    }

private:
    std::function<void(std::shared_ptr<const ComparisonResult>)> show_;
};

}  // namespace

Cmp2AlignPage::Cmp2AlignPage(const ToolPageContext& context)
    : ToolPage(context, context.ui.page_cmp2align),
      report_(new ReportLinesModel(kFirstReport, context.ui.编辑框_Comp_out1->font(), this)),
      grid_(new ConservedGridModel(this)) {
    ui_.编辑框_Comp_out1->setModel(report_);
    ui_.编辑框_Comp_out1->setItemDelegate(new ReportLineDelegate(ui_.编辑框_Comp_out1));
    // Hundreds of thousands of lines are laid out over several turns of the event
    // loop; a new report stays scrolled to its end while they are, until the user scrolls.
    ui_.编辑框_Comp_out1->setLayoutMode(QListView::Batched);
    ui_.编辑框_Comp_out1->setBatchSize(50000);
    QScrollBar* reportLines = ui_.编辑框_Comp_out1->verticalScrollBar();
    connect(reportLines, &QScrollBar::rangeChanged, this, [this, reportLines] {
        if (reportAtEnd_) reportLines->setValue(reportLines->maximum());
    });
    connect(reportLines, &QScrollBar::actionTriggered, this, [this] { reportAtEnd_ = false; });
    ui_.编辑框_Comp_out1->installEventFilter(this);
    ui_.高级表格2->setModel(grid_);
    ui_.高级表格2->setFont(grid_->CellFont());  // loaded now, not on the first run's drawing
    using Page = Cmp2AlignPage;
    connect(ui_.按钮_comp_align_1, &QPushButton::clicked, this, &Page::OnCmp2AlignScan1Click);
    connect(ui_.按钮_comp_align_2, &QPushButton::clicked, this, &Page::OnCmp2AlignScan2Click);
    connect(ui_.按钮_Comp_align_run, &QPushButton::clicked, this, &Page::OnCmp2AlignRunClick);
    connect(ui_.按钮_Comp_align_Save, &QPushButton::clicked, this, &Page::OnCmp2AlignSaveClick);
    connect(ui_.高级表格2->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &Page::OnCmp2AlignGridCellChanged);
}

// A copy from the report takes every selected line, not only the current one.
bool Cmp2AlignPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui_.编辑框_Comp_out1 && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        QApplication::clipboard()->setText(report_->LinesText(ui_.编辑框_Comp_out1->selectionModel()->selectedRows()));
        return true;
    }
    return ToolPage::eventFilter(watched, event);
}

void Cmp2AlignPage::OnCmp2AlignScan1Click() { LoadAlignmentFile(ui_.编辑框_comp_align_file1, ui_.编辑框2, loads_[0]); }
void Cmp2AlignPage::OnCmp2AlignScan2Click() { LoadAlignmentFile(ui_.编辑框_comp_align_file2, ui_.编辑框1, loads_[1]); }

void Cmp2AlignPage::LoadAlignmentFile(QLineEdit* pathBox, QPlainTextEdit* view, int& loads) {
    const std::optional<std::string> path = ChooseFileInto(pathBox, kOpenFilter);
    if (!path) return;
    // The file's text is no edit to undo: an undo record would hold it a second time.
    view->setUndoRedoEnabled(false);
    view->clear();
    // A second file chosen while the first still loads takes the view over.
    const int load = ++loads;
    platform::StartWorker([view, &loads, load, path = *path] {
        {
            platform::BoxLog log(view, [&loads, load] { return loads == load; });  // shows the rest when it goes
            ViewLines lines(log);
            PageReport report(nullptr);
            (void)LoadAlignmentView(path, lines, report);
        }
        platform::CallOnGuiThread([view, &loads, load] {
            if (loads == load) view->setUndoRedoEnabled(true);  // the user's own edits
        });
    });
}

void Cmp2AlignPage::OnCmp2AlignRunClick() {
    AlignmentComparisonSettings settings;
    settings.firstPath = platform::ControlText(ui_.编辑框_comp_align_file1);
    settings.secondPath = platform::ControlText(ui_.编辑框_comp_align_file2);
    StartRun(ui_.按钮_Comp_align_run, [this, settings] {
        ComparisonReport report([this](std::shared_ptr<const ComparisonResult> result) { Show(std::move(result)); });
        (void)CompareAlignments(settings, report);
    });
}

void Cmp2AlignPage::Show(std::shared_ptr<const ComparisonResult> result) {
    shown_ = result;
    report_->Show(result);
    reportAtEnd_ = true;  // as appending to the report box would
    ui_.编辑框_Comp_out1->scrollToBottom();
    platform::SetControlText(ui_.标签_Comp_RC3, result->ProportionCaption());
    grid_->Show(result);
    ui_.高级表格2->setColumnWidth(0, kIdColumnWidth);
}

void Cmp2AlignPage::OnCmp2AlignSaveClick() {
    const std::optional<std::string> path = ChooseFileToSaveAs(kSaveFilter);
    if (!path) return;
    // Ten million cells are written off the GUI thread; the grid shown now is saved.
    StartRun(ui_.按钮_Comp_align_Save, [result = shown_, path = *path] {
        PageReport report(nullptr);
        (void)SaveConservedColumns(result.get(), path, report);
    });
}

void Cmp2AlignPage::OnCmp2AlignGridCellChanged(const QModelIndex& current) {
    if (!current.isValid()) return;
    platform::SetControlText(ui_.标签_Comp_RC2,
                             "Seq: " + IntToText(current.row()) + "    Position: " + IntToText(current.column()));
}

}  // namespace tulvarine
