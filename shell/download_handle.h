// The update download as the rest of the program holds it: empty (value 0)
// until the download engine starts a transfer and attaches the ways to stop it
// and to ask how far it has come.
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>

namespace tulvarine {

class DownloadHandle {
public:
    // Called by the download engine when a transfer starts: stopAndWait stops
    // that transfer and returns once it has stopped; receivedBytes tells how
    // many bytes of the file have arrived.
    void Attach(std::function<void()> stopAndWait, std::function<std::int64_t()> receivedBytes = {});
    // Called by the download engine when the transfer has ended by itself.
    void Detach();
    // True while a transfer is attached.
    bool Attached() const;
    // Bytes received by the attached transfer; 0 when none is attached.
    std::int64_t ReceivedBytes() const;
    // Stops the attached transfer, if any, and waits for it; the handle is
    // empty afterwards. Safe to call any number of times.
    void StopAndWait();

private:
    mutable std::mutex mutex_;
    std::function<void()> stopAndWait_;             // guarded by mutex_
    std::function<std::int64_t()> receivedBytes_;   // guarded by mutex_
};

}  // namespace tulvarine
