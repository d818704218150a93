// Starting workers, and stopping them all when the program ends. Every thread
// a page starts for its work (runs, previews, folder listings) starts here, so
// this one place knows them all: it can ask them to stop and wait for them.
#pragma once

#include <chrono>
#include <functional>

namespace tulvarine::platform {

// Runs routine on a new thread. An exception that escapes routine is reported
// as an "Error:" status message (ShowFailureMessage, status_bar.h) instead of
// ending the program. Once the program has begun to end (StopWorkers), nothing
// is started. False when routine was not started: the program is ending, or
// no thread could be started (that is reported as an "Error:" too).
bool StartWorker(std::function<void()> routine);

// Workers started by StartWorker that have not finished yet (tests wait for 0).
int RunningWorkerCount();

// The end of the program, on the GUI thread: asks every worker to stop at its
// next step (model/program_end.h), ends every running outside program with
// its process group, drops what workers still send to the window (none touches
// a control from now on), and waits until every worker has ended, at most
// about limit in all. True when none runs any more; false when some still do
// (they must then end with the process: what they use cannot be freed).
[[nodiscard]] bool StopWorkers(std::chrono::milliseconds limit);
// Start-up: workers, outside programs and calls to the window are accepted
// again (tests start and end the program many times in one process).
void AcceptWorkers();

}  // namespace tulvarine::platform
