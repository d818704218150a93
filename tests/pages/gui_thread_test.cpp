// Worker calls to the GUI thread around the application's lifetime: a call
// still waiting when the application ends is released, never left hanging;
// a stream of calls leaves the event loop its turns.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <thread>

#include "platform/gui_thread.h"

using namespace tulvarine::platform;

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
    std::atomic<bool> done{false};
    bool called = false;
    int order = 0, postedAt = 0, calledAt = 0;
    std::thread worker([&] {
        PostToGuiThread([&] { postedAt = ++order; });
        called = CallOnGuiThread([&] { calledAt = ++order; });  // runs after the post, in order
        done = true;
    });
    while (!done) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    worker.join();
    QVERIFY(called);
    QCOMPARE(postedAt, 1);
    QCOMPARE(calledAt, 2);
}

void GuiThreadTest::aWaitingCallIsReleasedWhenTheApplicationEnds() {
    std::atomic<bool> ran{false};
    std::atomic<int> result{-1};
    std::unique_ptr<std::thread> worker;
    {
        int argc = 1;
        char name[] = "gui_thread_test";
        char* argv[] = {name, nullptr};
        QCoreApplication app(argc, argv);
        worker = std::make_unique<std::thread>([&] { result = CallOnGuiThread([&] { ran = true; }) ? 1 : 0; });
        // The GUI thread processes no events: the call stays queued until the end.
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        QCOMPARE(result.load(), -1);
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
    QElapsedTimer clock;
    clock.start();
    int ticks = 0, chained = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ticks += clock.elapsed() < 190; });  // while the chain runs
    timer.start(2);
    // A call that queues the next one, as a worker streaming a file into a box does.
    std::function<void()> again = [&] {
        ++chained;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        if (clock.elapsed() < 200) PostToGuiThread(again);
    };
    std::thread([&] { PostToGuiThread(again); }).join();
    while (clock.elapsed() < 300) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QVERIFY(chained > 20);
    QVERIFY2(ticks > 10, "the timer never ran between the chained calls");
}

QTEST_APPLESS_MAIN(GuiThreadTest)
#include "gui_thread_test.moc"
