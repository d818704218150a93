// The page kit's runs on the real main window: what a run holds and gives
// back however it ends, runs that take turns, and the program's end.
#include <QApplication>
#include <QPushButton>
#include <QTest>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <new>
#include <stdexcept>

#include "model/ordered_batches.h"
#include "model/program_end.h"
#include "platform/controls.h"
#include "platform/gui_thread.h"
#include "platform/status_bar.h"
#include "platform/worker.h"
#include "support/event_waits.h"
#include "support/page_window.h"
#include "tools/tool_page.h"
#include "ui_main_window.h"

using namespace tulvarine;
using tulvarine::testing::PageWindow;

namespace {

class ProbePage : public ToolPage {
public:
    explicit ProbePage(const ToolPageContext& context) : ToolPage(context, context.ui.page_get_orf) {}
    using ToolPage::RequestRunInTurn;
    using ToolPage::RunControls;
    using ToolPage::StartRun;
    using ToolPage::StartRunInTurn;
};

// A routine that runs until the test lets it go.
class Gate {
public:
    void Wait() {
        std::unique_lock lock(mutex_);
        opened_.wait(lock, [&] { return open_; });
    }
    void Open() {
        {
            std::lock_guard lock(mutex_);
            open_ = true;
        }
        opened_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable opened_;
    bool open_ = false;
};

}  // namespace

class ToolPageTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        page_ = std::make_unique<PageWindow>();
        probe_ = std::make_unique<ProbePage>(
            ToolPageContext{&page_->Window(), page_->Ui(), page_->Window().FileDialog()});
        page_->ShowPage(page_->Ui().page_get_orf);
        page_->Window().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&page_->Window(), testing::kWaitLimitMs));
    }
    void cleanup() {
        probe_.reset();
        page_.reset();
    }
    void aRunGivesBackWhatItHeldHoweverItEnds();
    void aRunWithoutMemoryEndsWithAnErrorNotTheProgram();
    void runsInTurnWaitAndOnlyTheLatestRequestStarts();
    void theEndStopsARunAndNothingFollowsIt();

private:
    QPushButton* Run() { return page_->Ui().按钮_getorf_run; }
    QPushButton* Other() { return page_->Ui().按钮_getorf_scan_cdna; }

    std::unique_ptr<PageWindow> page_;
    std::unique_ptr<ProbePage> probe_;
};

void ToolPageTest::aRunGivesBackWhatItHeldHoweverItEnds() {
    Run()->setFocus();
    bool heldWhileRunning = false;
    int afterRuns = 0;
    probe_->StartRun(
        {Run(), {Other()}},
        [&] {
            platform::CallOnGuiThread([&] { heldWhileRunning = !Run()->isEnabled() && !Other()->isEnabled(); });
            throw std::runtime_error("cannot read in.fas");
        },
        [&] { ++afterRuns; });
    QVERIFY(PageWindow::WaitForWorkers());
    QVERIFY(heldWhileRunning);
    QVERIFY(Run()->isEnabled() && Other()->isEnabled());
    QCOMPARE(QApplication::focusWidget(), Run());
    QCOMPARE(afterRuns, 1);
    QCOMPARE(platform::StatusPaneText(1), std::string("Error:        cannot read in.fas"));
}

void ToolPageTest::aRunWithoutMemoryEndsWithAnErrorNotTheProgram() {
    // The memory runs out in a batch on one of the run's own threads.
    probe_->StartRun(Run(), [] {
        RunOrderedBatches<int>(
            1000, 1, [](std::size_t first, std::size_t, int&) { if (first == 500) throw std::bad_alloc(); },
            [](std::size_t, std::size_t, int&) {});
        platform::ShowStatusMessage("Info:        Done!");
    });
    QVERIFY(PageWindow::WaitForWorkers());
    QCOMPARE(platform::StatusPaneText(1), std::string("Error:        Not enough memory for this run"));
    QVERIFY(Run()->isEnabled());
}

void ToolPageTest::runsInTurnWaitAndOnlyTheLatestRequestStarts() {
    Gate gate;
    QVERIFY(probe_->StartRunInTurn({Run(), {}}, [&] { gate.Wait(); }));
    QVERIFY(!probe_->StartRunInTurn({Other(), {}}, [] {}));  // its turn has not come
    QVERIFY(Other()->isEnabled());
    int first = 0, latest = 0;
    probe_->RequestRunInTurn([&] { ++first; });
    probe_->RequestRunInTurn([&] {
        ++latest;
        QVERIFY(probe_->StartRunInTurn({Other(), {}}, [] {}));
    });
    QCOMPARE(latest, 0);
    gate.Open();
    QVERIFY(PageWindow::WaitForWorkers());
    TRY_COMPARE(latest, 1);
    QVERIFY(PageWindow::WaitForWorkers());
    QCOMPARE(first, 0);
    probe_->RequestRunInTurn([&] { ++first; });  // no run goes on: at once
    QCOMPARE(first, 1);
}

void ToolPageTest::theEndStopsARunAndNothingFollowsIt() {
    bool stopSeen = false, afterRun = false;
    probe_->StartRun({Run(), {}}, [&] {
        while (!StopRequested()) QTest::qSleep(1);
        stopSeen = true;
        platform::SetControlText(page_->Ui().编辑框_getorf_folder_1, "written after the end");  // dropped
    }, [&] { afterRun = true; });
    QVERIFY(platform::StopWorkers(std::chrono::minutes(5)));
    QVERIFY(stopSeen);
    QCoreApplication::processEvents();
    QVERIFY(!afterRun);
    QVERIFY(page_->Ui().编辑框_getorf_folder_1->text().isEmpty());
    bool started = false;
    platform::StartWorker([&] { started = true; });
    QCOMPARE(platform::RunningWorkerCount(), 0);
    QVERIFY(!started);
    platform::AcceptWorkers();
}

QTEST_MAIN(ToolPageTest)
#include "tool_page_test.moc"
