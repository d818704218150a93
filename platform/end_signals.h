// Terminating signals (SIGTERM, SIGINT, SIGHUP) end the program the way a
// confirmed Exit does, instead of killing it where it stands: the signal
// handler only writes to a pipe, and the GUI thread, woken by it, calls the
// program's own end (jobs stopped, outside programs ended, temporary files and
// scratch folders removed).
#pragma once

#include <functional>
#include <memory>

namespace tulvarine::platform {

class EndSignals {
public:
    // From now on each of the three signals calls onSignal on the GUI thread;
    // one ignored from the start (nohup) stays ignored. One object at a time;
    // GUI thread, with a QCoreApplication.
    explicit EndSignals(std::function<void()> onSignal);
    // The signals' earlier actions come back.
    ~EndSignals();
    EndSignals(const EndSignals&) = delete;
    EndSignals& operator=(const EndSignals&) = delete;

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace tulvarine::platform
