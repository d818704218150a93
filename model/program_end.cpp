#include "model/program_end.h"

#include <atomic>
#include <filesystem>
#include <mutex>
#include <set>
#include <system_error>

namespace tulvarine {

namespace {

std::atomic<bool> g_stopRequested{false};

struct Kept {
    std::mutex mutex;
    std::set<std::string> paths;  // guarded by mutex
    bool closed = false;          // guarded by mutex: RemoveAll has run
};

Kept& TheKept() {
    static auto* kept = new Kept;  // never freed: workers may still use it as the process ends
    return *kept;
}

}  // namespace

void RequestStop() { g_stopRequested.store(true, std::memory_order_relaxed); }
bool StopRequested() { return g_stopRequested.load(std::memory_order_relaxed); }
void ClearStopRequest() { g_stopRequested.store(false, std::memory_order_relaxed); }

std::string Leftovers::Make(const std::function<std::string()>& make) {
    Kept& kept = TheKept();
    // Made under the lock: RemoveAll can never run between the making and the keeping.
    std::lock_guard lock(kept.mutex);
    if (kept.closed) return {};
    std::string path = make();
    if (!path.empty()) kept.paths.insert(path);
    return path;
}

void Leftovers::Forget(const std::string& path) {
    Kept& kept = TheKept();
    std::lock_guard lock(kept.mutex);
    kept.paths.erase(path);
}

void Leftovers::RemoveAll() {
    Kept& kept = TheKept();
    std::lock_guard lock(kept.mutex);
    kept.closed = true;
    for (const std::string& path : kept.paths) {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    kept.paths.clear();
}

void Leftovers::Reopen() {
    Kept& kept = TheKept();
    std::lock_guard lock(kept.mutex);
    kept.closed = false;
}

}  // namespace tulvarine
