#include "platform/folders.h"

#include <unistd.h>

#include <QCoreApplication>

#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <system_error>

namespace tulvarine::platform {

namespace fs = std::filesystem;

namespace {
std::mutex g_overrideMutex;
std::string g_programFolderOverride;  // guarded by g_overrideMutex
std::string g_programFolder;          // guarded by g_overrideMutex: computed once

// True when folder exists (created if need be, parents included) and can be written.
bool UsableFolder(const fs::path& folder) {
    std::error_code error;
    fs::create_directories(folder, error);
    return fs::is_directory(folder, error) && ::access(folder.c_str(), W_OK | X_OK) == 0;
}

fs::path CacheFolder() {
    if (const char* cache = std::getenv("XDG_CACHE_HOME"); cache != nullptr && *cache == '/')
        return fs::path(cache);
    const char* home = std::getenv("HOME");
    return fs::path(home != nullptr ? home : "/tmp") / ".cache";
}
}  // namespace

std::string ProgramFolder() {
    std::lock_guard lock(g_overrideMutex);
    if (!g_programFolderOverride.empty()) return g_programFolderOverride;
    if (g_programFolder.empty()) g_programFolder = QCoreApplication::applicationDirPath().toStdString();
    return g_programFolder;
}

void OverrideProgramFolderForTests(const std::string& folder) {
    std::lock_guard lock(g_overrideMutex);
    g_programFolderOverride = folder;
}

std::string WorkFolder() {
    const fs::path beside = fs::path(ProgramFolder()) / "tmp";
    if (UsableFolder(beside)) return beside.string();
    const fs::path cache = CacheFolder() / "tulvarine" / "tmp";
    if (UsableFolder(cache)) return cache.string();
    return {};
}

}  // namespace tulvarine::platform
