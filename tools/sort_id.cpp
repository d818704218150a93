#include "tools/sort_id.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include <array>
#include <chrono>
#include <string>

#include "platform/box_log.h"
#include "platform/controls.h"
#include "platform/gui_thread.h"
#include "platform/keys.h"
#include "platform/control_progress.h"
#include "platform/progress_bar.h"
#include "platform/radio_groups.h"
#include "platform/shared_state.h"
#include "platform/status_bar.h"
#include "platform/worker.h"
#include "tools/page_report.h"
#include "tools/sort_id_routines.h"
#include "ui_main_window.h"

namespace tulvarine {

using platform::ControlText;

namespace {

constexpr char kFastaFilter[] = "Fasta File (*.fa*)|*.fa*";

// The sort's and the classification's report: the step label, the log box and
// the progress bar. The status message waits until all three show what came
// before it, so "Sort successfully!" never stands beside a half-shown log.
class SortIdPageReport : public SortIdReport {
public:
    explicit SortIdPageReport(Ui::MainWindow& ui)
        : page_(ui.标签_Sort_Process), log_(ui.编辑框_Sort_Final_IDs), bar_(ui.进度条1) {}
    ~SortIdPageReport() override {
        platform::ShowingFailure([this] { Flush(); });
    }

    void Status(const std::string& text) override {
        Flush();
        page_.Status(text);
    }
    void SetText(const std::string& text) override { page_.SetText(text); }
    void ClearLog() override { log_.Clear(); }
    void AppendLog(std::string_view text) override { log_.Append(text); }
    void SetProgressMaximum(std::int64_t maximum) override { bar_.SetMaximum(maximum); }
    void SetProgressPosition(std::int64_t position) override { bar_.SetPosition(position); }

private:
    void Flush() {
        log_.Flush();
        bar_.Flush();
        page_.Flush();
    }

    PageReport page_;
    platform::BoxLog log_;
    platform::ControlProgressBar bar_;
};

}  // namespace

SortIdPage::SortIdPage(const ToolPageContext& context) : ToolPage(context, context.ui.page_sort_id) {
    using Page = SortIdPage;
    using Button = QAbstractButton;
    connect(ui_.按钮_Sort_Scan, &Button::clicked, this, &Page::OnSortScanClick);
    connect(ui_.编辑框_Sort_File_Name, &QLineEdit::textChanged, this, &Page::OnSortFileNameChanged);
    connect(ui_.按钮_Sort_Run, &Button::clicked, this, &Page::OnSortRunClick);
    connect(ui_.按钮_Sort_Class, &Button::clicked, this, &Page::OnSortClassClick);
    connect(ui_.按钮_Sort_Run2, &Button::clicked, this, &Page::OnSortClearIdsClick);
    connect(ui_.单选框_Sort_auto, &Button::clicked, this, &Page::OnSortAlphabeticalClick);
    connect(ui_.单选框_Sort_auto_2, &Button::clicked, this, &Page::OnSortLengthDescendClick);
    connect(ui_.单选框_Sort_auto_3, &Button::clicked, this, &Page::OnSortLengthAscendClick);
    connect(ui_.单选框_Sort_User_ID, &Button::clicked, this, &Page::OnSortUserOrderClick);
    ui_.编辑框_Sort_User_IDs->installEventFilter(this);
    ui_.编辑框_Sort_User_IDs1->installEventFilter(this);
}

void SortIdPage::OnShown() { ui_.编辑框_Sort_File_Name->setFocus(); }

bool SortIdPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const int code = platform::VirtualKeyCode(key->key()), shift = platform::ShiftState(key->modifiers());
        if (watched == ui_.编辑框_Sort_User_IDs) OnSortUserIdsKeyDown(code, shift);
        if (watched == ui_.编辑框_Sort_User_IDs1) OnSortKeywordsKeyDown(code, shift);
    }
    return QObject::eventFilter(watched, event);
}

void SortIdPage::OnSortUserIdsKeyDown(int keyCode, int shiftState) {
    if (keyCode == platform::kKeyA && shiftState == platform::kShiftStateCtrl) ui_.编辑框_Sort_User_IDs->selectAll();
}

void SortIdPage::OnSortKeywordsKeyDown(int keyCode, int shiftState) {
    if (keyCode == platform::kKeyA && shiftState == platform::kShiftStateCtrl) ui_.编辑框_Sort_User_IDs1->selectAll();
}

void SortIdPage::OnSortScanClick() { (void)ChooseFileInto(ui_.编辑框_Sort_File_Name, kFastaFilter); }

void SortIdPage::OnSortFileNameChanged() {
    const int preview = ++*newestPreview_;
    g_SortIdCount = 0;
    const std::string path = ControlText(ui_.编辑框_Sort_File_Name);
    // Checked on the GUI thread before each write: a preview that a later text
    // has overtaken writes nothing.
    auto newest = [preview, latest = newestPreview_] { return *latest == preview; };
    platform::StartWorker([path, newest, box = QPointer<QPlainTextEdit>(ui_.编辑框_Sort_Raw_ID),
                           label = QPointer<QLabel>(ui_.标签_Sort_Raw_ID_Num)] {
        platform::BoxLog listing(box, newest);
        listing.Clear();
        platform::ControlProgress parsed(label, std::chrono::milliseconds(50), newest);
        const SortIdPreview result = PreviewSortIds(path, &parsed);
        parsed.Flush();
        listing.Append(result.listing);
        listing.Flush();
        platform::CallOnGuiThread([&] {
            if (!newest()) return;
            g_SortIdCount = int(result.count);
            if (result.whole && label) platform::SetControlText(label, PreviewDoneLabel(result.count));
        });
    });
}

void SortIdPage::OnSortRunClick() {
    SortSettings settings;
    settings.inputPath = ControlText(ui_.编辑框_Sort_File_Name);
    settings.order = ui_.单选框_Sort_auto->isChecked()       ? SortOrder::kAlphabetical
                     : ui_.单选框_Sort_auto_2->isChecked()   ? SortOrder::kLengthDescending
                     : ui_.单选框_Sort_User_ID->isChecked()  ? SortOrder::kUserOrder
                                                             : SortOrder::kLengthAscending;
    if (settings.order == SortOrder::kUserOrder) settings.userOrder = ControlText(ui_.编辑框_Sort_User_IDs);
    settings.idCount = g_SortIdCount;
    StartRun(ui_.按钮_Sort_Run, [this, settings] {
        SortIdPageReport report(ui_);
        (void)SortFastaRecords(settings, report);
    });
}

void SortIdPage::OnSortClassClick() {
    ClassifySettings settings;
    settings.inputPath = ControlText(ui_.编辑框_Sort_File_Name);
    settings.keywords = ControlText(ui_.编辑框_Sort_User_IDs1);
    if (settings.keywords.empty()) return;
    settings.idCount = g_SortIdCount;
    StartRun(ui_.按钮_Sort_Class, [this, settings] {
        SortIdPageReport report(ui_);
        (void)ClassifyByKeywords(settings, report);
    });
}

void SortIdPage::OnSortClearIdsClick() { ui_.编辑框_Sort_User_IDs->clear(); }

void SortIdPage::OnAutomaticOrderClick() {
    ColourOrders();
    ui_.编辑框_Sort_User_IDs->setEnabled(false);
    ui_.编辑框_Sort_User_IDs1->setEnabled(false);
}

void SortIdPage::OnSortUserOrderClick() {
    ColourOrders();
    // The two boxes take the frame of the page's other boxes once they can be edited.
    for (QPlainTextEdit* box : {ui_.编辑框_Sort_User_IDs, ui_.编辑框_Sort_User_IDs1}) {
        box->setFrameShape(ui_.编辑框_Sort_Raw_ID->frameShape());
        box->setFrameShadow(ui_.编辑框_Sort_Raw_ID->frameShadow());
        box->setEnabled(true);
    }
    ui_.编辑框_Sort_User_IDs->setFocus();
}

void SortIdPage::ColourOrders() {
    const std::array<QAbstractButton*, 4> orders{ui_.单选框_Sort_auto, ui_.单选框_Sort_auto_2, ui_.单选框_Sort_auto_3,
                                                 ui_.单选框_Sort_User_ID};
    platform::ColourByCheckState(orders);
}

}  // namespace tulvarine
