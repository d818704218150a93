// One file fetched over HTTP or HTTPS into place. The bytes go to a temporary
// file beside the target as they arrive, through a read buffer of bounded size
// (so a fast server is slowed down rather than held in memory, and no turn of
// the event loop handles more than one buffer), and the temporary file
// replaces the target only once every byte has arrived: a failed or stopped
// download leaves a file of the same name as it was, and never leaves a half
// file under the target's name. A file larger than the size limit is given up.
//
// GUI thread only: the listener runs from the event loop. A listener may
// delete the download with deleteLater(), never directly.
#pragma once

#include <QObject>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class QNetworkAccessManager;
class QNetworkReply;
class QSaveFile;

namespace tulvarine::platform {

class FileDownload : public QObject {
    Q_OBJECT

public:
    struct Options {
        int maxRetries = 0;          // a lost connection is retried from the start this often
        int retryWaitMs = 0;         // pause before each retry
        int stallTimeoutMs = 20000;  // given up when no byte arrives for this long
        std::int64_t maxBytes = kMaxBytes;  // a larger file fails with "the file is larger than <n> MB"
    };
    // Far above any release of the program, far below what fills a disk.
    static constexpr std::int64_t kMaxBytes = std::int64_t(1) << 30;
    // What Qt may hold of the body before it is written out.
    static constexpr std::int64_t kReadBufferBytes = 1024 * 1024;
    struct Listener {
        std::function<void(std::int64_t totalBytes)> totalSizeKnown;  // the server told the size
        std::function<void()> finished;                                // the target holds the whole file
        std::function<void(const std::string& reason)> failed;         // the target is unchanged
    };

    FileDownload(std::string address, std::string targetPath, Options options, Listener listener);
    // Stops a transfer still running.
    ~FileDownload() override;

    // Starts the transfer. False, with the reason, when the address is not an
    // http or https address or the temporary file cannot be created.
    bool Start(std::string* reason);
    // Aborts the transfer and removes the temporary file; no listener runs afterwards.
    void Stop();
    // Bytes of the file received so far in the current attempt.
    std::int64_t ReceivedBytes() const { return received_; }
    const std::string& TargetPath() const { return targetPath_; }

    // True for an absolute http or https address with a host.
    static bool IsWebAddress(const std::string& address);

private:
    bool OpenTemporaryFile(std::string* reason);
    void SendRequest();
    void OnDataArrived();
    void OnReplyFinished();
    void Fail(const std::string& reason);
    std::string TooLarge() const;
    void DropReply();

    std::string address_;
    std::string targetPath_;
    Options options_;
    Listener listener_;
    std::unique_ptr<QNetworkAccessManager> manager_;
    QNetworkReply* reply_ = nullptr;
    std::unique_ptr<QSaveFile> file_;
    std::int64_t received_ = 0;
    int attempt_ = 0;
    bool totalReported_ = false;
    bool running_ = false;
};

}  // namespace tulvarine::platform
