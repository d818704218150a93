// The update download as the rest of the program holds it: empty (value 0)
// until the download engine starts a transfer and attaches the way to stop it.
#pragma once

#include <functional>
#include <mutex>

namespace tulvarine {

class DownloadHandle {
public:
    // Called by the download engine when a transfer starts: stopAndWait stops
    // that transfer and returns once it has stopped.
    void Attach(std::function<void()> stopAndWait);
    // True while a transfer is attached.
    bool Attached() const;
    // Stops the attached transfer, if any, and waits for it; the handle is
    // empty afterwards. Safe to call any number of times.
    void StopAndWait();

private:
    mutable std::mutex mutex_;
    std::function<void()> stopAndWait_;  // guarded by mutex_
};

}  // namespace tulvarine
