// Starting workers. A page starts each long operation on a new thread of its
// own and keeps no handle; nothing waits for a worker and nothing stops one.
#pragma once

#include <functional>

class QWidget;

namespace tulvarine::platform {

// Runs routine on a new detached thread. An exception that escapes routine is
// reported as an "Error:" status message instead of ending the program.
void StartWorker(std::function<void()> routine);

// Workers started by StartWorker that have not finished yet (tests wait for 0).
int RunningWorkerCount();

// Disables a Run button for one run of a worker and enables it again on every
// way out, early returns and exceptions included. Any thread.
class DisabledWhileRunning {
public:
    explicit DisabledWhileRunning(QWidget* button);
    ~DisabledWhileRunning();
    DisabledWhileRunning(const DisabledWhileRunning&) = delete;
    DisabledWhileRunning& operator=(const DisabledWhileRunning&) = delete;

private:
    QWidget* button_;
};

}  // namespace tulvarine::platform
