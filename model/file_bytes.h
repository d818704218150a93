// Reading a whole file as bytes.
#pragma once

#include <string>

namespace tulvarine {

// Replaces bytes with the content of the plain file at path. False, with bytes
// empty, for a folder, a missing or unreadable file, or a failed read.
[[nodiscard]] bool ReadWholeFile(const std::string& path, std::string& bytes);

}  // namespace tulvarine
