#include "tools/fas_filter.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include <array>
#include <chrono>
#include <optional>
#include <string>
#include <thread>

#include "model/numbers.h"
#include "platform/controls.h"
#include "platform/progress_bar.h"
#include "platform/radio_groups.h"
#include "platform/status_bar.h"
#include "platform/worker.h"
#include "tools/fas_filter_gap_routines.h"
#include "tools/fas_filter_routines.h"
#include "tools/page_report.h"
#include "ui_main_window.h"

namespace tulvarine {

using platform::ControlText;

namespace {

constexpr char kFastaFilter[] = "Fasta File (*.fa*)|*.fa*";
constexpr char kAnyFileFilter[] = "All Files|*.*";
constexpr int kFigures = 5;

// The statistics' report: the report box, the bad-sequence note and the bar
// of the figures done (coalesced).
class StatisticsPageReport : public StatisticsReport {
public:
    explicit StatisticsPageReport(Ui::MainWindow& ui) : ui_(ui), page_(nullptr), bar_(ui.进度条2) {}
    void Status(const std::string& text) override { page_.Status(text); }
    void SetText(const std::string&) override {}
    void ShowStatistics(const std::string& text) override { platform::SetControlText(ui_.编辑框_flt_statis, text); }
    void ShowBadSequenceNote(bool shown) override { platform::SetControlVisible(ui_.标签_bad_seq, shown); }
    // The range is set with the first figure, so that a file that cannot be
    // read leaves the bar as it was, like the report box.
    void FiguresDone(int count) override {
        if (count == 0) bar_.SetMaximum(kFigures);
        bar_.SetPosition(count);
    }

private:
    Ui::MainWindow& ui_;
    PageReport page_;
    platform::ControlProgressBar bar_;
};

// The gap filter's report: its label and its progress bar, both coalesced.
class GapPageReport : public GapFilterReport {
public:
    explicit GapPageReport(Ui::MainWindow& ui) : page_(ui.标签extr_process3), bar_(ui.进度条3) {}
    void Status(const std::string& text) override { page_.Status(text); }
    void SetText(const std::string& text) override { page_.SetText(text); }
    void StartBar(int maximum) override {
        bar_.SetPosition(0);
        bar_.SetMaximum(maximum);
    }
    void MoveBar(int position) override { bar_.SetPosition(position); }

private:
    PageReport page_;
    platform::ControlProgressBar bar_;
};

// Hides a control when it goes, on every way out of a run (its progress bar).
class HiddenAtTheEnd {
public:
    explicit HiddenAtTheEnd(QWidget* control) : control_(control) {}
    ~HiddenAtTheEnd() {
        platform::ShowingFailure([this] { platform::SetControlVisible(control_, false); });
    }
    HiddenAtTheEnd(const HiddenAtTheEnd&) = delete;
    HiddenAtTheEnd& operator=(const HiddenAtTheEnd&) = delete;

private:
    QWidget* control_;
};

long long NumberIn(QWidget* box) { return TextToInt(ControlText(box)); }

}  // namespace

FasFilterPage::FasFilterPage(const ToolPageContext& context) : ToolPage(context, context.ui.page_fas_filter) {
    using Page = FasFilterPage;
    using Button = QAbstractButton;
    connect(ui_.按钮_extr_scan, &Button::clicked, this, &Page::OnFilterScanClick);
    connect(ui_.按钮_extr_scan2, &Button::clicked, this, &Page::OnFilterIdScanClick);
    connect(ui_.按钮_Sort_Run3, &Button::clicked, this, &Page::OnFilterClearIdsClick);
    connect(ui_.按钮_extr_scan4, &Button::clicked, this, &Page::OnFilterIdRunClick);
    connect(ui_.按钮_extr_scan3, &Button::clicked, this, &Page::OnFilterCodonRunClick);
    connect(ui_.按钮_leng_filter, &Button::clicked, this, &Page::OnFilterLengthRunClick);
    connect(ui_.单选框rm, &Button::clicked, this, &Page::OnGapRemoveClick);
    connect(ui_.单选框rp, &Button::clicked, this, &Page::OnGapReplaceClick);
    connect(ui_.单选框rm_rp, &Button::clicked, this, &Page::OnGapRemoveReplaceClick);
    connect(ui_.选择框rmAll, &Button::clicked, this, &Page::OnGapAllColumnsClick);
    connect(ui_.选择框rmEnd, &Button::clicked, this, &Page::OnGapEndColumnsClick);
    connect(ui_.按钮_cut_run, &Button::clicked, this, &Page::OnCutRunClick);
    connect(ui_.按钮_cut_run1, &Button::clicked, this, &Page::OnStatisticsRunClick);
}

// ---- the input and the query IDs ----

void FasFilterPage::OnFilterScanClick() {
    const std::optional<std::string> path = ChooseFileInto(ui_.编辑框_extr_file, kFastaFilter);
    if (!path) return;
    const std::array<std::string, 3> outputs = CodonOutputPaths(*path);
    platform::SetControlText(ui_.编辑框_extr_file1, outputs[0]);
    platform::SetControlText(ui_.编辑框_extr_file2, outputs[1]);
    platform::SetControlText(ui_.编辑框_extr_file3, outputs[2]);
}

void FasFilterPage::OnFilterIdScanClick() {
    const std::optional<std::string> path = ChooseFileToOpen(kAnyFileFilter);
    if (!path) return;
    ReadFileIntoBox(ui_.按钮_extr_scan2, ui_.编辑框_extra_query_id, *path, ReadIdFile,
                    [box = ui_.编辑框_extra_query_id] { box->moveCursor(QTextCursor::End); });
}

void FasFilterPage::OnFilterClearIdsClick() { ui_.编辑框_extra_query_id->clear(); }

// ---- the three "==>Run2Save" filters ----

template <class Settings>
void FasFilterPage::RunFilter(QWidget* run, QWidget* label, Settings settings,
                              bool (*routine)(const Settings&, RunReport&)) {
    StartRun(run, [label, settings = std::move(settings), routine] {
        PageReport report(label);
        (void)routine(settings, report);
    });
}

void FasFilterPage::OnFilterIdRunClick() {
    IdFilterSettings settings;
    settings.inputPath = ControlText(ui_.编辑框_extr_file);
    settings.ids = ControlText(ui_.编辑框_extra_query_id);
    settings.reverseComplement = ui_.选择框revcmp->isChecked();
    settings.remove = ui_.单选框remove->isChecked();
    RunFilter(ui_.按钮_extr_scan4, ui_.标签extr_process2, settings, ExtractRecordsById);
}

void FasFilterPage::OnFilterCodonRunClick() {
    CodonFilterSettings settings;
    settings.inputPath = ControlText(ui_.编辑框_extr_file);
    settings.write = {ui_.选择框1stcodon->isChecked(), ui_.选择框2ndcodon->isChecked(), ui_.选择框3rdcodon->isChecked()};
    settings.outputPaths = {ControlText(ui_.编辑框_extr_file1), ControlText(ui_.编辑框_extr_file2),
                            ControlText(ui_.编辑框_extr_file3)};
    RunFilter(ui_.按钮_extr_scan3, ui_.标签extr_process1, settings, ExtractCodonPositions);
}

void FasFilterPage::OnFilterLengthRunClick() {
    LengthFilterSettings settings;
    settings.inputPath = ControlText(ui_.编辑框_extr_file);
    settings.minimum = NumberIn(ui_.编辑框_extr_file4);
    settings.maximum = NumberIn(ui_.编辑框_extr_file6);
    RunFilter(ui_.按钮_leng_filter, ui_.标签extr_process, settings, FilterByLength);
}

// ---- the gap filter ----

void FasFilterPage::ColourGapModes() {
    const std::array<QAbstractButton*, 3> modes{ui_.单选框rm, ui_.单选框rp, ui_.单选框rm_rp};
    platform::ColourByCheckState(modes);
}

// Either region box unchecks the other; neither forces itself on.
void FasFilterPage::OnGapAllColumnsClick() {
    ui_.选择框rmEnd->setChecked(false);
    ColourGapRegions();
}

void FasFilterPage::OnGapEndColumnsClick() {
    ui_.选择框rmAll->setChecked(false);
    ColourGapRegions();
}

void FasFilterPage::ColourGapRegions() {
    const std::array<QAbstractButton*, 2> regions{ui_.选择框rmAll, ui_.选择框rmEnd};
    platform::ColourByCheckState(regions);
}

void FasFilterPage::OnCutRunClick() {
    if (!ui_.选择框rmAll->isChecked() && !ui_.选择框rmEnd->isChecked()) {
        platform::StartWorker([this] { WarnNoGapRegion(); });
        return;
    }
    GapFilterSettings settings;
    settings.inputPath = ControlText(ui_.编辑框_extr_file);
    settings.threshold = GapThresholdOf(ControlText(ui_.编辑框_extr_file5));
    settings.treatment = ui_.单选框rm->isChecked()   ? GapTreatment::kRemove
                         : ui_.单选框rp->isChecked() ? GapTreatment::kReplace
                                                     : GapTreatment::kRemoveThenReplace;
    settings.region = ui_.选择框rmAll->isChecked() ? GapRegion::kAllColumns : GapRegion::kEndColumns;
    ui_.进度条3->show();  // at once, as the button is disabled
    StartRun(ui_.按钮_cut_run, [this, settings] {
        const HiddenAtTheEnd bar(ui_.进度条3);
        GapPageReport report(ui_);
        (void)CutGapColumns(settings, report);
    });
}

// Worker: the warning, and the bars above and below the region boxes blink six times.
void FasFilterPage::WarnNoGapRegion() {
    using std::chrono::milliseconds;
    platform::ShowStatusMessage("Info:        Error! Please choose which region's gaps to remove/replace!");
    for (int blink = 0; blink < 6; ++blink) {
        platform::SetControlVisible(ui_.外形框1, true);
        platform::SetControlVisible(ui_.外形框2, true);
        std::this_thread::sleep_for(milliseconds(60));
        platform::SetControlVisible(ui_.外形框1, false);
        platform::SetControlVisible(ui_.外形框2, false);
        std::this_thread::sleep_for(milliseconds(80));
    }
}

// ---- the statistics ----

void FasFilterPage::OnStatisticsRunClick() {
    const std::string input = ControlText(ui_.编辑框_extr_file);
    StartRun(ui_.按钮_cut_run1, [this, input] {
        StatisticsPageReport report(ui_);
        (void)ComputeAlignmentStatistics(input, report);
    });
}

}  // namespace tulvarine
