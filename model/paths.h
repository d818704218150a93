// Path helpers shared by the pages. Paths are UTF-8 bytes joined with "/".
#pragma once

#include <string>
#include <string_view>

namespace tulvarine {

// Removes one trailing "/" from path; "/" itself stays "/", and a path ending
// in "//" keeps one.
void StripTrailingBackslash(std::string& path);

// Removes every trailing "/" from path; a path of slashes alone becomes "/".
void StripTrailingSlashes(std::string& path);

// folder + "/" + name.
std::string JoinPath(std::string_view folder, std::string_view name);

// True when both paths exist and name the same file or folder once links are
// resolved (hard links, symbolic links, "a/./b", "a/../a"). False when either
// is missing or cannot be inspected.
bool IsSamePlace(const std::string& a, const std::string& b);

// True when path is a folder whose entries can be listed.
bool CanListFolder(const std::string& path);

// Creates the folder path (one level) when it is missing; true when it is a
// folder afterwards.
[[nodiscard]] bool MakeFolder(const std::string& path);

}  // namespace tulvarine
