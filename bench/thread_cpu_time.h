// The CPU time of the calling thread: the work it did itself, which a busy
// machine that leaves it waiting does not add to.
#pragma once

#include <time.h>

namespace tulvarine::bench {

// CPU time of the calling thread, in milliseconds.
inline double ThreadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

}  // namespace tulvarine::bench
