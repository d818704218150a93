#include "shell/download_handle.h"

#include <utility>

namespace tulvarine {

void DownloadHandle::Attach(std::function<void()> stopAndWait) {
    std::lock_guard lock(mutex_);
    stopAndWait_ = std::move(stopAndWait);
}

bool DownloadHandle::Attached() const {
    std::lock_guard lock(mutex_);
    return static_cast<bool>(stopAndWait_);
}

void DownloadHandle::StopAndWait() {
    std::function<void()> stop;
    {
        std::lock_guard lock(mutex_);
        stop.swap(stopAndWait_);
    }
    if (stop) stop();  // outside the lock: the engine may report back while stopping
}

}  // namespace tulvarine
