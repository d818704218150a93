#include "model/paths.h"

#include <filesystem>
#include <system_error>

namespace tulvarine {

void StripTrailingBackslash(std::string& path) {
    if (path.size() > 1 && path.back() == '/') path.pop_back();
}

void StripTrailingSlashes(std::string& path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
}

std::string JoinPath(std::string_view folder, std::string_view name) {
    std::string path;
    path.reserve(folder.size() + 1 + name.size());
    path.append(folder);
    path += '/';
    path.append(name);
    return path;
}

bool IsSamePlace(const std::string& a, const std::string& b) {
    std::error_code error;
    const bool same = std::filesystem::equivalent(a, b, error);
    return !error && same;
}

bool CanListFolder(const std::string& path) {
    std::error_code error;
    const std::filesystem::directory_iterator listing(path, error);
    return !error;
}

bool MakeFolder(const std::string& path) {
    std::error_code error;
    std::filesystem::create_directory(path, error);
    return std::filesystem::is_directory(path, error);
}

}  // namespace tulvarine
