#include "model/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>

#include "model/file_bytes.h"
#include "model/numbers.h"

namespace tulvarine {

namespace {
constexpr std::size_t kFlushSize = 1 << 20;
// The reason given for an output that would replace an input of its run.
constexpr char kIsAnInput[] = "it is an input of this run";
// Names longer than this get a short temporary name (NAME_MAX is 255).
constexpr std::size_t kLongestNameForTemporary = 200;

bool WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t put = ::write(fd, data, size);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) {
            if (put == 0) errno = EIO;
            return false;
        }
        data += put;
        size -= std::size_t(put);
    }
    return true;
}

// A hidden name beside path that no other run uses at the same moment.
std::string TemporaryNameFor(const std::string& path) {
    static std::atomic<unsigned long long> counter{0};
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.size() > kLongestNameForTemporary) name = "output";
    const auto ticks = static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
    return folder + "." + name + ".part-" + IntToText(::getpid()) + "-" +
           IntToText(static_cast<long long>((ticks ^ (counter.fetch_add(1) << 40)) & 0xffffffffffffULL));
}
}  // namespace

OutputFile::~OutputFile() { Discard(); }

InputFileSet::InputFileSet(const TextArray& paths) {
    for (const std::string& path : paths) {
        struct stat info {};
        if (!path.empty() && ::stat(path.c_str(), &info) == 0)
            files_.insert({std::uint64_t(info.st_dev), std::uint64_t(info.st_ino)});
    }
}

bool InputFileSet::Holds(const std::string& path) const {
    struct stat info {};
    if (files_.empty() || path.empty() || ::stat(path.c_str(), &info) != 0) return false;
    return files_.count({std::uint64_t(info.st_dev), std::uint64_t(info.st_ino)}) != 0;
}

bool OutputFile::Open(const std::string& path, const TextArray& inputs) { return Open(path, InputFileSet(inputs)); }

bool OutputFile::Open(const std::string& path, const InputFileSet& inputs) {
    Discard();
    path_ = path;
    error_.clear();
    if (inputs.Holds(path)) {
        error_ = kIsAnInput;
        return false;
    }
    // A device or pipe (/dev/null, a FIFO) is written in place: renaming a file
    // over it would replace the device itself.
    struct stat existing {};
    if (::lstat(path.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode) && !S_ISLNK(existing.st_mode) &&
        !S_ISDIR(existing.st_mode)) {
        fd_ = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
        if (fd_ < 0) Fail(errno);
        return fd_ >= 0;
    }
    // The kernel applies the umask to 0666, as for a file created in place.
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
        temporaryPath_ = TemporaryNameFor(path);
        fd_ = ::open(temporaryPath_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ < 0 && errno != EEXIST) break;
    }
    if (fd_ < 0) {
        Fail(errno);
        temporaryPath_.clear();
        return false;
    }
    return true;
}

void OutputFile::Fail(int error) {
    if (error_.empty()) error_ = ErrorText(error != 0 ? error : EIO);
}

void OutputFile::Write(std::string_view bytes) {
    if (!Ok()) {
        if (error_.empty()) error_ = "the file is not open";
        return;
    }
    if (bytes.size() >= kFlushSize) {  // large texts go straight through
        if (!Flush() || !WriteAll(fd_, bytes.data(), bytes.size())) Fail(errno);
        return;
    }
    buffer_.append(bytes);
    if (buffer_.size() >= kFlushSize && !Flush()) Fail(errno);
}

bool OutputFile::Flush() {
    const bool ok = WriteAll(fd_, buffer_.data(), buffer_.size());
    buffer_.clear();
    return ok;
}

bool OutputFile::Close() {
    if (fd_ < 0) {
        if (error_.empty()) error_ = "the file is not open";
        return false;
    }
    if (error_.empty() && !Flush()) Fail(errno);
    if (::close(fd_) != 0) Fail(errno);  // delayed write errors (NFS, quotas) show here
    fd_ = -1;
    if (temporaryPath_.empty()) return error_.empty();  // written in place
    if (error_.empty() && ::rename(temporaryPath_.c_str(), path_.c_str()) != 0) Fail(errno);
    if (!error_.empty()) {
        ::unlink(temporaryPath_.c_str());
        temporaryPath_.clear();
        return false;
    }
    temporaryPath_.clear();
    return true;
}

void OutputFile::Discard() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    buffer_.clear();
    if (!temporaryPath_.empty()) ::unlink(temporaryPath_.c_str());
    temporaryPath_.clear();
}

bool WriteWholeFile(const std::string& path, std::string_view bytes, const TextArray& inputs, std::string* error) {
    OutputFile file;
    bool written = file.Open(path, inputs);
    if (written) {
        file.Write(bytes);
        written = file.Close();
    }
    if (error) *error = file.Error();
    return written;
}

}  // namespace tulvarine
