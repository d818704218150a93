#include "model/file_bytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

namespace tulvarine {

int OpenRegularFile(const std::string& path, std::string* reason, long long* size) {
    // O_NONBLOCK lets a FIFO open at once, so that it can be told apart and
    // refused; O_NOCTTY keeps a terminal from becoming the program's own.
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        if (reason) *reason = ErrorText(errno);
        return -1;
    }
    struct stat info {};
    std::string why;
    if (::fstat(fd, &info) != 0) {
        why = ErrorText(errno);
    } else if (!S_ISREG(info.st_mode)) {
        why = kNotRegularFile;
    } else {
        // Reads of a regular file wait for the disk as usual.
        const int flags = ::fcntl(fd, F_GETFL);
        if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) why = ErrorText(errno);
    }
    if (!why.empty()) {
        ::close(fd);
        fd = -1;
    } else if (size) {
        *size = static_cast<long long>(info.st_size);
    }
    if (reason) *reason = std::move(why);
    return fd;
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
    bytes.clear();
    long long size = 0;
    const int fd = OpenRegularFile(path, nullptr, &size);
    if (fd < 0) return false;
    bool ok = true;
    bytes.reserve(std::size_t(size));
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
    std::string reason;
    const int fd = OpenRegularFile(path, &reason);
    if (fd >= 0) ::close(fd);
    return reason;
}

std::string ReadErrorReason(const std::string& path) {
    const std::string reason = ReadFailureReason(path);
    return reason.empty() ? ErrorText(EIO) : reason;
}

std::string CannotReadText(const std::string& path) { return WithReason("Cannot read " + path, ReadErrorReason(path)); }

std::string WithReason(std::string what, const std::string& reason) {
    if (!reason.empty()) {
        what += ": ";
        what += reason;
    }
    return what;
}

}  // namespace tulvarine
