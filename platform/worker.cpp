#include "platform/worker.h"

#include <atomic>
#include <exception>
#include <string>
#include <thread>

#include "platform/controls.h"
#include "platform/status_bar.h"

namespace tulvarine::platform {

namespace {
std::atomic<int> g_runningWorkers{0};
}

void StartWorker(std::function<void()> routine) {
    ++g_runningWorkers;
    std::thread([routine = std::move(routine)] {
        try {
            routine();
        } catch (const std::exception& e) {
            ShowStatusMessage(std::string("Error:        ") + e.what());
        } catch (...) {
            ShowStatusMessage("Error:        the operation stopped unexpectedly");
        }
        --g_runningWorkers;
    }).detach();
}

int RunningWorkerCount() { return g_runningWorkers.load(); }

DisabledWhileRunning::DisabledWhileRunning(QWidget* button) : button_(button) {
    SetControlEnabled(button_, false);
}

DisabledWhileRunning::~DisabledWhileRunning() { SetControlEnabled(button_, true); }

}  // namespace tulvarine::platform
