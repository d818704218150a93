// The program-wide state: created by InitGlobals at start-up, freed by
// ReleaseGlobals at exit. Handlers and workers change only the contents. What
// the tool pages share lives below the shell (platform/shared_state.h); this
// header adds the shell's own state.
//
// Values that workers share are Guarded (reached under a lock) or atomic; the
// others belong to the GUI thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/guarded.h"
#include "platform/shared_state.h"
#include "shell/download_handle.h"

namespace tulvarine {

// The record handed to the download engine for the update download, member by
// member; the update window fills members 1, 2, 3, 6 and 15 before a download.
struct TaskParam {
    // The engine's report: an event code, four numbers and a text whose meaning
    // depend on the code (shell/download_engine.h lists them). Sizes are bytes.
    using EventCallback = std::function<int(int code, std::int64_t a2, std::int64_t a3, std::int64_t a4,
                                            std::int64_t a5, const std::string& text)>;

    int blockSize = 1;                                   // 1
    std::string address;                                 // 2: what to fetch
    std::string localFolder;                             // 3: where to save it
    std::string ftpUser = "anonymous";                   // 4
    std::string ftpPassword = "anon@tulvarine.io";       // 5
    int connections = 1;                                 // 6
    int options = 0;                                     // 7
    int connectTimeoutMs = 20000;                        // 8
    int sendTimeoutMs = 20000;                           // 9
    int receiveTimeoutMs = 20000;                        // 10
    int retryWaitMs = 1000;                              // 11
    int bufferSize = 20480;                              // 12
    int minimumBlock = 1024;                             // 13
    std::function<void()> progressRoutine;               // 14: none
    EventCallback eventCallback;                         // 15: the download event entry
    std::string referrer;                                // 16
    int overwrite = 1;                                   // 17
    std::string fileTypes = ".exe|.rar|.zip|.gif|.jpg|.mp3|.rm";  // 18
    std::string userAgent;                               // 19
    std::string comment;                                 // 20
};

// The answer of the "Exit" window: true after "Yes", false after "No". GUI thread.
extern bool g_ExitConfirmed;
// The waiting animation and the version check of the "Update" window: the
// number of the opening whose animation or check is running, 0 when none runs.
// Both run on the GUI thread (timers and network replies, no threads of their own).
extern std::atomic<int> g_UpdateAnimThread;
extern std::atomic<int> g_UpdateCheckThread;
// The update download: its parameters, the address found by the check, the
// transfer and its total size in bytes, and the newest version found.
extern std::unique_ptr<TaskParam> g_DownloadTask;
extern Guarded<std::string> g_DownloadUrl;
extern std::unique_ptr<DownloadHandle> g_TransferHandle;
extern std::atomic<std::int64_t> g_DownloadTotalSize;
extern Guarded<std::string> g_NewestVersion;

// Creates the globals that live from start-up to exit, with their start values.
void InitGlobals();
// The exit routine: ends every outside program still running (with all it
// started), stops a running update download and waits for it, then
// frees what InitGlobals created and empties the texts written since. Safe to
// call more than once.
void ReleaseGlobals();

}  // namespace tulvarine
