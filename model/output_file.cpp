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
#include "model/program_end.h"

namespace tulvarine {

namespace {
constexpr std::size_t kFlushSize = 1 << 20;
// The reason given for an output that would replace an input of its run.
constexpr char kIsAnInput[] = "it is an input of this run";
// The reason given for an output asked for after the program began to end.
constexpr char kProgramEnding[] = "the program is ending";

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

// A hidden name in the folder of path that no other run uses at the same
// moment. It holds neither the output's name nor ".fa", so no folder listing
// of the pages ("*.fa*") ever takes a file being written for data.
std::string TemporaryNameFor(const std::string& path) {
    static std::atomic<unsigned long long> counter{0};
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    return folder + ".tulvarine-" + IntToText(::getpid()) + "-" +
           IntToText(static_cast<long long>(counter.fetch_add(1))) + ".tmp";
}

}  // namespace

// O_NOFOLLOW: a link planted at the name since lstat is refused, never followed;
// O_NONBLOCK: a FIFO with no reader is refused at once. fstat then proves the
// descriptor is the very file lstat saw: another FIFO or device swapped in
// under the name is refused too, before a byte is written.
int OpenSeenFileInPlace(const std::string& path, const struct stat& seen, std::string& error) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ELOOP)
            error = kOutputChangedWhileOpened;
        else if (errno == ENXIO && S_ISFIFO(seen.st_mode))
            error = "it is a pipe that no program reads";
        else
            error = ErrorText(errno);
        return -1;
    }
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || opened.st_dev != seen.st_dev || opened.st_ino != seen.st_ino ||
        (opened.st_mode & S_IFMT) != (seen.st_mode & S_IFMT)) {
        ::close(fd);
        error = kOutputChangedWhileOpened;
        return -1;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);  // a reader is there: writes wait for it
    return fd;
}

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
    if (StopRequested()) {
        error_ = kProgramEnding;
        return false;
    }
    // A device or pipe (/dev/null, a FIFO) is written in place: renaming a file
    // over it would replace the device itself.
    struct stat existing {};
    const bool exists = ::lstat(path.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode) && !S_ISLNK(existing.st_mode) && !S_ISDIR(existing.st_mode)) {
        fd_ = OpenSeenFileInPlace(path, existing, error_);
        return fd_ >= 0;
    }
    // The kernel applies the umask to 0666, as for a file created in place.
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
        temporaryPath_ = Leftovers::Make([&] {
            std::string name = TemporaryNameFor(path);
            fd_ = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            return fd_ >= 0 ? name : std::string();
        });
        if (fd_ < 0 && errno != EEXIST) break;
    }
    if (fd_ < 0) {
        if (StopRequested()) error_ = kProgramEnding;
        Fail(errno);
        temporaryPath_.clear();
        return false;
    }
    // A file that replaces an older output of the user's keeps its permission
    // bits (and group, where the owner may set it): a private result stays
    // private. Never setuid, setgid or sticky; and another user's file lends
    // nothing, so the umask rules as for a new file.
    if (exists && S_ISREG(existing.st_mode) && existing.st_uid == ::geteuid()) {
        (void)::fchmod(fd_, existing.st_mode & 0777);
        (void)!::fchown(fd_, static_cast<uid_t>(-1), existing.st_gid);
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
    if (StopRequested()) {  // nothing more is written once the program ends
        error_ = kProgramEnding;
        buffer_.clear();
        return false;
    }
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
    // A run interrupted by the end of the program may have stopped part-way.
    if (error_.empty() && StopRequested()) error_ = kProgramEnding;
    if (error_.empty() && ::rename(temporaryPath_.c_str(), path_.c_str()) != 0) Fail(errno);
    if (!error_.empty()) {
        ::unlink(temporaryPath_.c_str());
        Leftovers::Forget(temporaryPath_);
        temporaryPath_.clear();
        return false;
    }
    Leftovers::Forget(temporaryPath_);
    temporaryPath_.clear();
    return true;
}

void OutputFile::Discard() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    buffer_.clear();
    if (!temporaryPath_.empty()) {
        ::unlink(temporaryPath_.c_str());
        Leftovers::Forget(temporaryPath_);
    }
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
