#include "model/output_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace tulvarine {

namespace {
constexpr std::size_t kFlushSize = 1 << 20;

bool WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t put = ::write(fd, data, size);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) return false;
        data += put;
        size -= std::size_t(put);
    }
    return true;
}
}  // namespace

OutputFile::~OutputFile() { (void)Close(); }

bool OutputFile::Open(const std::string& path) {
    (void)Close();
    fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    failed_ = fd_ < 0;
    buffer_.clear();
    return fd_ >= 0;
}

void OutputFile::Write(std::string_view bytes) {
    if (fd_ < 0 || failed_) {
        failed_ = true;
        return;
    }
    if (bytes.size() >= kFlushSize) {  // large texts go straight through
        if (!Flush() || !WriteAll(fd_, bytes.data(), bytes.size())) failed_ = true;
        return;
    }
    buffer_.append(bytes);
    if (buffer_.size() >= kFlushSize && !Flush()) failed_ = true;
}

bool OutputFile::Flush() {
    const bool ok = WriteAll(fd_, buffer_.data(), buffer_.size());
    buffer_.clear();
    return ok;
}

bool OutputFile::Close() {
    if (fd_ < 0) return false;
    bool ok = !failed_ && Flush();
    if (::close(fd_) != 0) ok = false;
    fd_ = -1;
    return ok;
}

bool WriteWholeFile(const std::string& path, std::string_view bytes) {
    OutputFile file;
    if (!file.Open(path)) return false;
    file.Write(bytes);
    return file.Close();
}

}  // namespace tulvarine
