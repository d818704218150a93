// Reading a whole file as bytes, and the system's words for why a file could
// not be used.
#pragma once

#include <string>

namespace tulvarine {

// The reason given for an input that is a folder, FIFO, socket or device.
inline constexpr char kNotRegularFile[] = "not a regular file";

// Opens the regular file at path for reading (close-on-exec) and returns its
// descriptor, which the caller closes. Never waits: a FIFO without a writer
// is refused, not waited for, and so is every other kind of file but a
// regular one (a device such as /dev/zero would never end). -1 when path
// cannot be opened or is no regular file; *reason (when given) then says why,
// in the system's words or kNotRegularFile. *size (when given) is the size in
// bytes. Every reader of an input opens it through here.
int OpenRegularFile(const std::string& path, std::string* reason = nullptr, long long* size = nullptr);

// Replaces bytes with the content of the regular file at path. False, with
// bytes empty, for any other kind of file, a missing or unreadable file, or a
// failed read.
[[nodiscard]] bool ReadWholeFile(const std::string& path, std::string& bytes);

// The size in bytes of the regular file at path; -1 when there is none (folders,
// devices and pipes are none: opening a pipe could wait for ever).
long long RegularFileSize(const std::string& path);

// The system's text for an error number ("Permission denied"). Any thread.
std::string ErrorText(int error);

// Why path cannot be read as an input ("No such file or directory",
// "Permission denied", kNotRegularFile); empty when OpenRegularFile opens it.
std::string ReadFailureReason(const std::string& path);

// Why the input at path could not be read whole: ReadFailureReason, or the
// system's words for an I/O error when it opens (a read failed part-way).
std::string ReadErrorReason(const std::string& path);

// "Cannot read <path>: <ReadErrorReason>", the words of every reader that fails.
std::string CannotReadText(const std::string& path);

// "<what>: <reason>", or what alone when there is no reason.
std::string WithReason(std::string what, const std::string& reason);

}  // namespace tulvarine
