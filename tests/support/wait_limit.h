// How long a test waits for what should happen, and a wait for threads
// without an event loop. A wait ends on its condition; the limit only decides
// when a wait that never ends counts as a failure, so it is long enough for a
// machine many times slower and busier than ours.
#pragma once

#include <chrono>
#include <thread>

namespace tulvarine::testing {

inline constexpr std::chrono::milliseconds kWaitLimit = std::chrono::minutes(5);
inline constexpr int kWaitLimitMs = int(kWaitLimit.count());

// Sleeps until done() holds, looking every few milliseconds (for states no
// one signals: a file appearing, a process ending); false after limit.
template <class Done>
bool SleepUntil(Done done, std::chrono::milliseconds limit = kWaitLimit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

}  // namespace tulvarine::testing
