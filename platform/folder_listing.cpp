#include "platform/folder_listing.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>
#include <vector>

namespace tulvarine::platform {

namespace fs = std::filesystem;

TextArray ListFastaFiles(const std::string& folder) {
    if (folder.empty()) return {};
    std::vector<std::pair<std::string, std::string>> found;  // (lower-cased name, name)
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (!it->is_regular_file(error)) continue;
        std::string name = it->path().filename().string();
        // As the shell's "*": a hidden name (temporary files among them) is not matched.
        if (name.front() == '.') continue;
        if (FindIgnoreCase(name, ".fa") != std::string::npos) found.emplace_back(ToLowerAscii(name), name);
    }
    std::sort(found.begin(), found.end());
    TextArray names;
    names.reserve(found.size());
    for (auto& entry : found) names.push_back(std::move(entry.second));
    return names;
}

}  // namespace tulvarine::platform
