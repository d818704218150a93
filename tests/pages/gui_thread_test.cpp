// Worker calls to the GUI thread around the application's lifetime: a call
// still waiting when the application ends is released, never left hanging.
#include <QCoreApplication>
#include <QTest>

#include <atomic>
#include <chrono>
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

QTEST_APPLESS_MAIN(GuiThreadTest)
#include "gui_thread_test.moc"
