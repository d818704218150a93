// Worker calls to the GUI thread around the application's lifetime: a call
// still waiting when the application ends is released, never left hanging;
// a stream of calls leaves the event loop its turns.
#include <QCoreApplication>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <thread>

#include "platform/gui_thread.h"
#include "support/event_waits.h"

using namespace tulvarine::platform;
using tulvarine::testing::RunOnWorkerThread;
using tulvarine::testing::WaitUntil;

class GuiThreadTest : public QObject {
    Q_OBJECT

private slots:
    void callsBeforeTheApplicationRunNothing();
    void callsDuringTheApplicationRunOnItsThread();
    void aWaitingCallIsReleasedWhenTheApplicationEnds();
    void callsQueuedByRunningCallsWaitForTheNextTurn();
};

void GuiThreadTest::callsBeforeTheApplicationRunNothing() {
    bool ran = false;
    QVERIFY(!CallOnGuiThread([&] { ran = true; }));
    PostToGuiThread([&] { ran = true; });
    QVERIFY(!ran);
}

void GuiThreadTest::callsDuringTheApplicationRunOnItsThread() {
    int argc = 1;
    char name[] = "gui_thread_test";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    bool called = false;
    int order = 0, postedAt = 0, calledAt = 0;
    RunOnWorkerThread([&] {
        PostToGuiThread([&] { postedAt = ++order; });
        called = CallOnGuiThread([&] { calledAt = ++order; });  // runs after the post, in order
    });
    QVERIFY(called);
    QCOMPARE(postedAt, 1);
    QCOMPARE(calledAt, 2);
}

namespace {
// Lets the GUI thread be woken for queued calls without running them: the
// wake-up reaches the application as a socket event, which this holds back.
class WakeUpHeldBack : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::SockAct) return false;
        held = true;
        return true;
    }
    bool held = false;
};
}  // namespace

void GuiThreadTest::aWaitingCallIsReleasedWhenTheApplicationEnds() {
    std::atomic<bool> ran{false};
    std::atomic<int> result{-1};
    std::unique_ptr<std::thread> worker;
    {
        int argc = 1;
        char name[] = "gui_thread_test";
        char* argv[] = {name, nullptr};
        QCoreApplication app(argc, argv);
        WakeUpHeldBack holder;
        app.installEventFilter(&holder);
        worker = std::make_unique<std::thread>([&] { result = CallOnGuiThread([&] { ran = true; }) ? 1 : 0; });
        // The call is queued once its wake-up arrives; it stays queued until the end.
        QVERIFY(WaitUntil([&] { return holder.held; }));
        QCOMPARE(result.load(), -1);
        app.removeEventFilter(&holder);
    }
    worker->join();
    QCOMPARE(result.load(), 0);
    QVERIFY(!ran);
    QVERIFY(!CallOnGuiThread([&] { ran = true; }));  // and later calls return at once
}

void GuiThreadTest::callsQueuedByRunningCallsWaitForTheNextTurn() {
    int argc = 1;
    char name[] = "gui_thread_test";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    int ticks = 0;
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(1);
    // A call that queues the next one, as a worker streaming a file into a box
    // does. Each call outlasts the timer's interval, so the timer is due after
    // each; the chain ends once the timer has run between two of its calls, or
    // after so many calls that a chain that never yields would show.
    constexpr int kMostCalls = 1000;
    int chained = 0, ticksAtStart = 0;
    std::optional<int> ticksAtEnd;
    std::function<void()> again = [&] {
        if (++chained == 1) ticksAtStart = ticks;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        if (ticks == ticksAtStart && chained < kMostCalls)
            PostToGuiThread(again);
        else
            ticksAtEnd = ticks;
    };
    std::thread([&] { PostToGuiThread(again); }).join();
    QVERIFY(WaitUntil([&] { return ticksAtEnd.has_value(); }));
    QVERIFY2(*ticksAtEnd > ticksAtStart, "the timer never ran between the chained calls");
}

QTEST_APPLESS_MAIN(GuiThreadTest)
#include "gui_thread_test.moc"
