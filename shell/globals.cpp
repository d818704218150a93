#include "shell/globals.h"

#include "platform/command_runner.h"

namespace tulvarine {

std::unique_ptr<Guarded<TextArray>> g_AlignFolderFiles;
std::unique_ptr<CharFormat> g_SeqBoxFormat;
std::atomic<int> g_SortIdCount{0};
std::unique_ptr<Guarded<NamedAttributeMap>> g_MergeTable;
std::unique_ptr<CharFormat> g_RedMarkFormat;
std::unique_ptr<CharFormat> g_BlueMarkFormat;
std::unique_ptr<Guarded<NamedAttributeMap>> g_CodonAminoMap;
std::unique_ptr<Guarded<TextArray>> g_FormatFolderFiles;
bool g_ExitConfirmed = false;
bool g_MainWindowReady = false;
std::atomic<int> g_UpdateAnimThread{0};
std::atomic<int> g_UpdateCheckThread{0};
std::unique_ptr<TaskParam> g_DownloadTask;
Guarded<std::string> g_DownloadUrl;
std::unique_ptr<DownloadHandle> g_TransferHandle;
std::atomic<std::int64_t> g_DownloadTotalSize{0};
Guarded<std::string> g_NewestVersion;

namespace {
// The start value of the three formats until the main window sets them.
std::unique_ptr<CharFormat> StartFormat() {
    return std::make_unique<CharFormat>(CharFormat{"宋体", 9, 0, 0, CharFormat::kAutomaticColour});
}
}  // namespace

void InitGlobals() {
    g_AlignFolderFiles = std::make_unique<Guarded<TextArray>>();
    g_SeqBoxFormat = StartFormat();
    g_MergeTable = std::make_unique<Guarded<NamedAttributeMap>>();
    g_RedMarkFormat = StartFormat();
    g_BlueMarkFormat = StartFormat();
    g_CodonAminoMap = std::make_unique<Guarded<NamedAttributeMap>>();
    g_FormatFolderFiles = std::make_unique<Guarded<TextArray>>();
    g_DownloadTask = std::make_unique<TaskParam>();
    g_TransferHandle = std::make_unique<DownloadHandle>();
    platform::AcceptCommands();  // after an earlier ReleaseGlobals in the same process
}

void ReleaseGlobals() {
    // No aligner outlives the program: each running one goes with all it started.
    platform::EndRunningCommands();
    // The running download still reads its task record and calls back into the
    // program: stop it before anything it uses is freed.
    if (g_TransferHandle) g_TransferHandle->StopAndWait();
    g_AlignFolderFiles.reset();
    g_SeqBoxFormat.reset();
    g_MergeTable.reset();
    g_RedMarkFormat.reset();
    g_BlueMarkFormat.reset();
    g_CodonAminoMap.reset();
    g_FormatFolderFiles.reset();
    g_DownloadTask.reset();
    g_DownloadUrl.Set({});
    g_TransferHandle.reset();
    g_NewestVersion.Set({});
}

}  // namespace tulvarine
