// Waits on the GUI thread. The event loop runs, blocking until events come,
// so calls from workers are served at once; the wait looks at its condition
// every few milliseconds and ends as soon as it holds, or at the limit.
//
//   TRY_COMPARE(server.RequestCount("/a"), 1);
//   QVERIFY(WaitUntil([&] { return outcome.Ended(); }));
#pragma once

#include <QEventLoop>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <thread>

#include "support/wait_limit.h"

namespace tulvarine::testing {

// Runs the event loop until done() holds; false when it still does not after limitMs.
template <class Done>
bool WaitUntil(Done done, int limitMs = kWaitLimitMs) {
    if (done()) return true;
    QEventLoop loop;
    QTimer look, limit;
    QObject::connect(&look, &QTimer::timeout, &loop, [&] {
        if (done()) loop.quit();
    });
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    look.start(5);
    limit.setSingleShot(true);
    limit.start(limitMs);
    loop.exec();
    return done();
}

// Runs fn on a thread of its own and returns once fn has returned; the event
// loop runs meanwhile (fn's calls to the GUI thread wait for it).
template <class F>
void RunOnWorkerThread(F fn) {
    std::atomic<bool> done{false};
    std::thread thread([&] {
        fn();
        done = true;
    });
    while (!WaitUntil([&] { return done.load(); })) qWarning("a worker thread is still running");
    thread.join();
}

// Returns once every timer of this thread that falls due within ms from now
// has fired: timers fire in the order they fall due, and a timer of ours that
// falls due after them has fired. For "nothing more happens" without a
// figure: what a stopped timer would have done, it would have done by then.
inline bool LetTimersDueWithin(int ms) {
    bool fired = false;
    QTimer marker;
    marker.setTimerType(Qt::PreciseTimer);
    marker.setSingleShot(true);
    QObject::connect(&marker, &QTimer::timeout, [&fired] { fired = true; });
    marker.start(ms);
    return WaitUntil([&fired] { return fired; });
}

}  // namespace tulvarine::testing

// QTRY_VERIFY and QTRY_COMPARE over WaitUntil and its limit.
#define TRY_VERIFY(expr)                                                        \
    do {                                                                        \
        (void)::tulvarine::testing::WaitUntil([&] { return bool(expr); });      \
        QVERIFY(expr);                                                          \
    } while (false)
#define TRY_COMPARE(expr, expected)                                                     \
    do {                                                                                \
        (void)::tulvarine::testing::WaitUntil([&] { return (expr) == (expected); });    \
        QCOMPARE(expr, expected);                                                       \
    } while (false)
