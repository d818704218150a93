#include "model/file_bytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace tulvarine {

bool ReadWholeFile(const std::string& path, std::string& bytes) {
    bytes.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat info {};
    bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    if (ok) bytes.reserve(std::size_t(info.st_size));
    char block[1 << 16];
    while (ok) {
        const ssize_t got = ::read(fd, block, sizeof block);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) {
            ok = got == 0;
            break;
        }
        bytes.append(block, std::size_t(got));
    }
    ::close(fd);
    if (!ok) bytes.clear();
    return ok;
}

long long RegularFileSize(const std::string& path) {
    struct stat info {};
    if (path.empty() || ::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return -1;
    return static_cast<long long>(info.st_size);
}

std::string ErrorText(int error) {
    char buffer[256];
    // The GNU form: returns a pointer to the text, which may not be buffer.
    return ::strerror_r(error, buffer, sizeof buffer);
}

std::string ReadFailureReason(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return ErrorText(errno);
    struct stat info {};
    std::string reason;
    if (::fstat(fd, &info) != 0)
        reason = ErrorText(errno);
    else if (S_ISDIR(info.st_mode))
        reason = ErrorText(EISDIR);
    ::close(fd);
    return reason;
}

std::string WithReason(std::string what, const std::string& reason) {
    if (!reason.empty()) {
        what += ": ";
        what += reason;
    }
    return what;
}

}  // namespace tulvarine
