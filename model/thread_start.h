// Starting a thread where memory may run short.
#pragma once

#include <system_error>
#include <thread>
#include <utility>

namespace tulvarine {

// A new thread running fn. A thread that cannot be started (no memory for its
// stack, too many threads) is told by a std::system_error that says so, so
// that the run's "Error:" message names the cause.
template <class Fn>
std::thread StartThread(Fn&& fn) {
    try {
        return std::thread(std::forward<Fn>(fn));
    } catch (const std::system_error& e) {
        throw std::system_error(e.code(), "Cannot start a thread");
    }
}

}  // namespace tulvarine
