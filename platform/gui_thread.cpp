#include "platform/gui_thread.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QThread>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <mutex>

#include "platform/status_bar.h"

namespace tulvarine::platform {

namespace {
// Calls travel from workers to the GUI thread through a queue of our own,
// guarded by a standard mutex, and an eventfd wakes the GUI thread up: no data
// passes through Qt's event queue, so every hand-over is visible to the thread
// checker and no worker allocates a Qt object.
struct Waiter {
    bool finished = false;       // guarded by Dispatcher::mutex
    bool ran = false;            // guarded by Dispatcher::mutex
    std::exception_ptr failure;  // guarded by Dispatcher::mutex: what the call threw
};

struct Call {
    std::function<void()> fn;
    Waiter* waiter = nullptr;  // null for a posted call nobody waits for
};

struct Dispatcher {
    std::mutex mutex;
    std::condition_variable finished;
    std::deque<Call> queue;  // guarded by mutex
    bool open = false;       // guarded by mutex: true from application start to its end
    bool refusing = false;   // guarded by mutex: the program is ending, workers are on their own
    int wakeFd = -1;
    QSocketNotifier* notifier = nullptr;  // GUI thread only
};

Dispatcher& TheDispatcher() {
    static Dispatcher dispatcher;
    return dispatcher;
}

void Finish(Waiter* waiter, bool ran, std::exception_ptr failure = nullptr) {
    if (waiter == nullptr) return;
    Dispatcher& d = TheDispatcher();
    {
        std::lock_guard lock(d.mutex);
        waiter->finished = true;
        waiter->ran = ran;
        waiter->failure = std::move(failure);
    }
    d.finished.notify_all();
}

// GUI thread: runs the calls queued so far. Calls queued meanwhile wait for
// the next turn of the event loop (their wake-up is already counted): a
// worker that calls again as soon as its last call returns must not keep the
// window from its own timers, input and painting.
void RunQueuedCalls() {
    Dispatcher& d = TheDispatcher();
    std::uint64_t wakeUps = 0;
    while (::read(d.wakeFd, &wakeUps, sizeof wakeUps) > 0) {
    }
    std::size_t due = 0;
    {
        std::lock_guard lock(d.mutex);
        due = d.queue.size();
    }
    for (; due > 0; --due) {
        Call call;
        {
            std::lock_guard lock(d.mutex);
            if (d.queue.empty()) return;
            call = std::move(d.queue.front());
            d.queue.pop_front();
        }
        // An exception never goes into the event loop, which would end the
        // program: the worker that waits gets it back, else it is shown.
        if (!call.waiter) {
            ShowingFailure(call.fn);
            continue;
        }
        std::exception_ptr failure;
        try {
            call.fn();
        } catch (...) {
            failure = std::current_exception();
        }
        Finish(call.waiter, true, std::move(failure));
    }
}

// Drops the calls still queued and releases the workers that wait for them.
void DropQueuedCalls(bool closing) {
    Dispatcher& d = TheDispatcher();
    std::deque<Call> dropped;
    {
        std::lock_guard lock(d.mutex);
        if (closing) d.open = false;
        else d.refusing = true;
        dropped.swap(d.queue);
    }
    for (Call& call : dropped) Finish(call.waiter, false);
}

// At the application's end.
void CloseDispatcher() {
    DropQueuedCalls(true);
    Dispatcher& d = TheDispatcher();
    delete d.notifier;
    d.notifier = nullptr;
}

// Runs in the QCoreApplication constructor, on the GUI thread.
void OpenDispatcher() {
    Dispatcher& d = TheDispatcher();
    if (d.wakeFd < 0) d.wakeFd = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    d.notifier = new QSocketNotifier(d.wakeFd, QSocketNotifier::Read);
    QObject::connect(d.notifier, &QSocketNotifier::activated, [] { RunQueuedCalls(); });
    {
        std::lock_guard lock(d.mutex);
        d.open = true;
    }
    qAddPostRoutine(CloseDispatcher);
}
Q_COREAPP_STARTUP_FUNCTION(OpenDispatcher)

// Queues call; false when the application is not running.
bool Enqueue(Call call) {
    Dispatcher& d = TheDispatcher();
    {
        std::lock_guard lock(d.mutex);
        if (!d.open || d.refusing) return false;
        d.queue.push_back(std::move(call));
    }
    const std::uint64_t one = 1;
    (void)!::write(d.wakeFd, &one, sizeof one);  // a full counter still wakes the GUI thread
    return true;
}
}  // namespace

bool OnGuiThread() {
    const QCoreApplication* app = QCoreApplication::instance();
    return app != nullptr && QThread::currentThread() == app->thread();
}

bool CallOnGuiThread(const std::function<void()>& fn) {
    if (OnGuiThread()) {
        fn();
        return true;
    }
    Waiter waiter;
    if (!Enqueue({[&fn] { fn(); }, &waiter})) return false;
    Dispatcher& d = TheDispatcher();
    std::unique_lock lock(d.mutex);
    d.finished.wait(lock, [&] { return waiter.finished; });
    if (waiter.failure) std::rethrow_exception(waiter.failure);
    return waiter.ran;
}

void PostToGuiThread(std::function<void()> fn) { (void)Enqueue({std::move(fn), nullptr}); }

void RefuseGuiCalls() { DropQueuedCalls(false); }

void AcceptGuiCalls() {
    Dispatcher& d = TheDispatcher();
    std::lock_guard lock(d.mutex);
    d.refusing = false;
}

}  // namespace tulvarine::platform
