#include "shell/download_engine.h"

#include <QDir>
#include <QPointer>
#include <QUrl>

#include <memory>

#include "platform/file_download.h"

namespace tulvarine {

namespace {
struct EngineSettings {
    int retryWaitMs = 0;
    int maxRetries = 0;
};
EngineSettings g_engineSettings;  // GUI thread only

constexpr std::string_view kFallbackFileName = "tulvarine-update";
}  // namespace

void SetUpDownloadEngine(int /*minimumSegmentBytes*/, int retryWaitMs, int maxRetries) {
    g_engineSettings = {retryWaitMs, maxRetries};
}

std::string DownloadFileName(std::string_view address) {
    const QUrl url(QString::fromUtf8(address.data(), qsizetype(address.size())));
    const std::string name = url.fileName(QUrl::FullyDecoded).toStdString();
    const bool unsafe = name.empty() || name == "." || name == ".." ||
                        name.find_first_of(std::string_view("/\\\0", 3)) != std::string::npos;
    return unsafe ? std::string(kFallbackFileName) : name;
}

bool StartDownload(DownloadHandle& handle, const TaskParam& task, std::string* reason) {
    handle.StopAndWait();  // one update download at a time
    if (task.localFolder.empty()) {
        if (reason != nullptr) *reason = "there is no folder to save into";
        return false;
    }
    if (!QDir().mkpath(QString::fromUtf8(task.localFolder.data(), qsizetype(task.localFolder.size())))) {
        if (reason != nullptr) *reason = "cannot create the folder " + task.localFolder;
        return false;
    }
    const std::string target = task.localFolder + DownloadFileName(task.address);
    const TaskParam::EventCallback report = task.eventCallback;  // the task may change while this runs
    auto self = std::make_shared<QPointer<platform::FileDownload>>();
    // The transfer has ended by itself: it leaves the handle and goes once its report is out.
    auto end = [&handle, self, report](int code, const std::string& text) {
        handle.Detach();
        if (*self) (*self)->deleteLater();
        if (report) report(code, 0, 0, 0, 0, text);
    };
    platform::FileDownload::Listener listener{
        [report, target](std::int64_t total) {
            if (report) report(kDownloadTotalSize, 0, total, 0, 0, target);
        },
        [end, target] { end(kDownloadFinished, target); },
        [end](const std::string& why) { end(kDownloadFailed, why); },
    };
    auto* download = new platform::FileDownload(task.address, target,
                                                {.maxRetries = g_engineSettings.maxRetries,
                                                 .retryWaitMs = g_engineSettings.retryWaitMs,
                                                 .stallTimeoutMs = task.receiveTimeoutMs},
                                                std::move(listener));
    *self = download;
    if (!download->Start(reason)) {
        delete download;
        return false;
    }
    const QPointer<platform::FileDownload> guarded(download);
    handle.Attach(
        [guarded] {
            if (guarded) {
                guarded->Stop();
                delete guarded.data();
            }
        },
        [guarded]() -> std::int64_t { return guarded ? guarded->ReceivedBytes() : 0; });
    return true;
}

}  // namespace tulvarine
