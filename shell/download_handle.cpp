#include "shell/download_handle.h"

#include <utility>

namespace tulvarine {

void DownloadHandle::Attach(std::function<void()> stopAndWait, std::function<std::int64_t()> receivedBytes) {
    std::lock_guard lock(mutex_);
    stopAndWait_ = std::move(stopAndWait);
    receivedBytes_ = std::move(receivedBytes);
}

void DownloadHandle::Detach() {
    std::function<void()> stop;
    std::function<std::int64_t()> received;
    {
        std::lock_guard lock(mutex_);
        stop.swap(stopAndWait_);
        received.swap(receivedBytes_);
    }
    // Freed outside the lock: what they hold may report back while going.
}

bool DownloadHandle::Attached() const {
    std::lock_guard lock(mutex_);
    return static_cast<bool>(stopAndWait_);
}

std::int64_t DownloadHandle::ReceivedBytes() const {
    std::function<std::int64_t()> received;
    {
        std::lock_guard lock(mutex_);
        received = receivedBytes_;
    }
    return received ? received() : 0;
}

void DownloadHandle::StopAndWait() {
    std::function<void()> stop;
    {
        std::lock_guard lock(mutex_);
        stop.swap(stopAndWait_);
        receivedBytes_ = nullptr;
    }
    if (stop) stop();  // outside the lock: the engine may report back while stopping
}

}  // namespace tulvarine
