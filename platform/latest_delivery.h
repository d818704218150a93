// Shows the latest of many frequent values set from a worker thread: the
// value is handed over as a call that shows it, each call replaces the one
// still pending, at most one call per interval runs on the GUI thread, and the
// last call set always runs: updated when changed, at most every so often,
// with no flag shared between the threads.
#pragma once

#include <chrono>
#include <functional>
#include <memory>

namespace tulvarine::platform {

class LatestDelivery {
public:
    explicit LatestDelivery(std::chrono::milliseconds interval = std::chrono::milliseconds(50));
    // Runs the last call, waiting for it.
    ~LatestDelivery();
    LatestDelivery(const LatestDelivery&) = delete;
    LatestDelivery& operator=(const LatestDelivery&) = delete;

    // Any thread; returns at once. show runs later on the GUI thread, unless a
    // later Set replaces it first.
    void Set(std::function<void()> show);
    // Runs the pending call now and waits. Call it before writing the same
    // control directly, so that no late call overwrites what is written.
    void Flush();

    struct State;

private:
    std::shared_ptr<State> state_;
};

}  // namespace tulvarine::platform
