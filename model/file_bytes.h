// Reading a whole file as bytes, and the system's words for why a file could
// not be used.
#pragma once

#include <string>

namespace tulvarine {

// Replaces bytes with the content of the plain file at path. False, with bytes
// empty, for a folder, a missing or unreadable file, or a failed read.
[[nodiscard]] bool ReadWholeFile(const std::string& path, std::string& bytes);

// The size in bytes of the plain file at path; -1 when there is none (folders,
// devices and pipes are none: opening a pipe could wait for ever).
long long RegularFileSize(const std::string& path);

// The system's text for an error number ("Permission denied"). Any thread.
std::string ErrorText(int error);

// Why path cannot be read as a file, in the system's words ("No such file or
// directory", "Permission denied", "Is a directory"); empty when it opens.
std::string ReadFailureReason(const std::string& path);

// "<what>: <reason>", or what alone when there is no reason.
std::string WithReason(std::string what, const std::string& reason);

}  // namespace tulvarine
