// The names a folder holds, sorted: what a run left there.
#pragma once

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace tulvarine::testing {

inline std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace tulvarine::testing
