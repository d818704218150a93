#include "shell/globals.h"

#include "platform/command_runner.h"
#include "platform/worker.h"

namespace tulvarine {

bool g_ExitConfirmed = false;
std::atomic<int> g_UpdateAnimThread{0};
std::atomic<int> g_UpdateCheckThread{0};
std::unique_ptr<TaskParam> g_DownloadTask;
Guarded<std::string> g_DownloadUrl;
std::unique_ptr<DownloadHandle> g_TransferHandle;
std::atomic<std::int64_t> g_DownloadTotalSize{0};
Guarded<std::string> g_NewestVersion;

void InitGlobals() {
    CreateSharedState();
    g_DownloadTask = std::make_unique<TaskParam>();
    g_TransferHandle = std::make_unique<DownloadHandle>();
    platform::AcceptWorkers();  // after an earlier end of the program in the same process
}

void ReleaseGlobals() {
    // No aligner outlives the program: each running one goes with all it started.
    platform::EndRunningCommands();
    // The running download still reads its task record and calls back into the
    // program: stop it before anything it uses is freed.
    if (g_TransferHandle) g_TransferHandle->StopAndWait();
    ReleaseSharedState();
    g_DownloadTask.reset();
    g_DownloadUrl.Set({});
    g_TransferHandle.reset();
    g_NewestVersion.Set({});
}

}  // namespace tulvarine
