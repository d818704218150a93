#include "platform/worker.h"

#include <condition_variable>
#include <exception>
#include <mutex>
#include <string>
#include <thread>

#include "model/program_end.h"
#include "model/thread_start.h"
#include "platform/command_runner.h"
#include "platform/gui_thread.h"
#include "platform/status_bar.h"

namespace tulvarine::platform {

namespace {

struct Workers {
    std::mutex mutex;
    std::condition_variable ended;
    int running = 0;       // guarded by mutex
    bool stopped = false;  // guarded by mutex: the program is ending
};

Workers& TheWorkers() {
    static auto* workers = new Workers;  // never freed: workers may outlive main
    return *workers;
}

void CountOut() {
    Workers& workers = TheWorkers();
    std::lock_guard lock(workers.mutex);
    if (--workers.running == 0) workers.ended.notify_all();
}

}  // namespace

bool StartWorker(std::function<void()> routine) {
    Workers& workers = TheWorkers();
    {
        std::lock_guard lock(workers.mutex);
        if (workers.stopped) return false;
        ++workers.running;
    }
    try {
        StartThread([routine = std::move(routine)]() mutable {
            try {
                routine();
            } catch (...) {
                ShowFailureMessage(std::current_exception());
            }
            // What the routine holds goes before it counts out: once none runs,
            // the window and the state it may point into are freed.
            routine = nullptr;
            CountOut();
        }).detach();
    } catch (...) {
        CountOut();
        ShowFailureMessage(std::current_exception());
        return false;
    }
    return true;
}

int RunningWorkerCount() {
    Workers& workers = TheWorkers();
    std::lock_guard lock(workers.mutex);
    return workers.running;
}

bool StopWorkers(std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    Workers& workers = TheWorkers();
    {
        std::lock_guard lock(workers.mutex);
        workers.stopped = true;
    }
    RequestStop();
    // A worker waiting for the window would wait for ever: the window no longer runs.
    RefuseGuiCalls();
    EndRunningCommands();  // their workers see the tools end at once
    std::unique_lock lock(workers.mutex);
    return workers.ended.wait_until(lock, deadline, [&] { return workers.running == 0; });
}

void AcceptWorkers() {
    {
        Workers& workers = TheWorkers();
        std::lock_guard lock(workers.mutex);
        workers.stopped = false;
    }
    ClearStopRequest();
    Leftovers::Reopen();
    AcceptCommands();
    AcceptGuiCalls();
}

}  // namespace tulvarine::platform
