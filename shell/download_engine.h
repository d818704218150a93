// The download engine of the update: fetches one file at a time over HTTP or
// HTTPS (platform::FileDownload) and reports to the task's event callback.
// GUI thread only; the callback runs from the event loop.
#pragma once

#include <string>
#include <string_view>

#include "shell/download_handle.h"
#include "shell/globals.h"

namespace tulvarine {

// Event codes the engine reports through TaskParam::eventCallback.
enum DownloadEventCode {
    kDownloadTotalSize = 3,  // a3: the file's size; text: the local file
    kDownloadFinished = 4,   // text: the local file, now complete
    kDownloadFailed = 5,     // text: why; a file of the same name is left as it was
};

// Engine set-up, once per "Update" window. A file always travels over one
// connection, so it is never cut into segments of minimumSegmentBytes; a lost
// connection is retried from the start up to maxRetries times, retryWaitMs apart.
void SetUpDownloadEngine(int minimumSegmentBytes, int retryWaitMs, int maxRetries);

// Starts fetching task.address into the folder task.localFolder (ending in
// "/", created when missing), under DownloadFileName(task.address); a
// transfer still attached to handle is stopped first. On success the transfer is attached to handle and
// true returned; otherwise *reason (when given) says why.
bool StartDownload(DownloadHandle& handle, const TaskParam& task, std::string* reason = nullptr);

// The name a download of address is saved under: the last part of its path,
// or "tulvarine-update" when that is empty or could leave the folder.
std::string DownloadFileName(std::string_view address);

}  // namespace tulvarine
