#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include <gtest/gtest.h>

#include "model/output_file.h"
#include "support/folder_entries.h"
#include "support/temp_dir.h"

namespace tulvarine {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempDir;

// The names in the folder: what a write left behind, temporary files included.
std::vector<std::string> Names(const TempDir& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.Root())) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The permission and mode bits of the file at path.
mode_t ModeOf(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

// Lets writes fail past a size, as on a full disk, for the life of the object.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        ::signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails instead of ending the process
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { ::setrlimit(RLIMIT_FSIZE, &saved_); }

private:
    rlimit saved_{};
};

TEST(OutputFile, AppearsUnderItsNameOnlyWhenComplete) {
    TempDir dir;
    const std::string path = dir.Path("out.fas");
    OutputFile out;
    ASSERT_TRUE(out.Open(path));
    out.Write(">a\r\n");
    out.Write(std::string(3 << 20, 'A'));  // past the buffer: written straight through
    EXPECT_FALSE(fs::exists(path));         // nothing under the final name while writing
    ASSERT_TRUE(out.Close());
    EXPECT_EQ(ReadBytes(path), ">a\r\n" + std::string(3 << 20, 'A'));
    EXPECT_EQ(Names(dir), (std::vector<std::string>{"out.fas"}));
}

TEST(OutputFile, FailedOrAbandonedWritesKeepTheOlderFile) {
    TempDir dir;
    const std::string path = dir.Write("out.fas", "older result");
    {
        const FileSizeLimit limit(1000);  // the disk fills up part-way
        OutputFile out;
        ASSERT_TRUE(out.Open(path));
        out.Write(std::string(5000, 'A'));
        EXPECT_FALSE(out.Close());
        EXPECT_EQ(out.Error(), "File too large");
    }
    {
        OutputFile out;
        ASSERT_TRUE(out.Open(path));
        out.Write("never finished");
    }  // gone without Close
    EXPECT_EQ(ReadBytes(path), "older result");
    EXPECT_EQ(Names(dir), (std::vector<std::string>{"out.fas"}));
}

TEST(OutputFile, RefusesAnInputUnderAnyName) {
    TempDir dir;
    fs::create_directory(dir.Path("data"));
    const std::string input = dir.Write("data/in.fas", ">a\nACGT\n");
    fs::create_symlink(input, dir.Path("link.fas"));
    fs::create_hard_link(input, dir.Path("hard.fas"));
    fs::create_directory_symlink(dir.Path("data"), dir.Path("folder link"));
    // Each name as the input and each as the output: the file is known by what it is.
    const std::string names[] = {input, dir.Path("link.fas"), dir.Path("hard.fas"), dir.Path("folder link/in.fas")};
    for (const std::string& inputName : names) {
        for (const std::string& outputName : names) {
            OutputFile out;
            EXPECT_FALSE(out.Open(outputName, {dir.Path("other.fas"), inputName})) << outputName << " / " << inputName;
            EXPECT_EQ(out.Error(), "it is an input of this run");
        }
    }
    EXPECT_FALSE(WriteWholeFile(input, "x", {input}));
    EXPECT_EQ(ReadBytes(input), ">a\nACGT\n");
    EXPECT_EQ(Names(dir), (std::vector<std::string>{"data", "folder link", "hard.fas", "link.fas"}));
    EXPECT_EQ(testing::FolderEntries(dir.Path("data")), std::vector<std::string>{"in.fas"});
}

TEST(OutputFile, ALinkUnderTheOutputNameIsReplacedNotWrittenThrough) {
    TempDir dir;
    const std::string elsewhere = dir.Write("elsewhere.fas", "keep me");
    fs::create_symlink(elsewhere, dir.Path("out.fas"));
    ASSERT_TRUE(WriteWholeFile(dir.Path("out.fas"), "new"));
    EXPECT_FALSE(fs::is_symlink(dir.Path("out.fas")));
    EXPECT_EQ(ReadBytes(dir.Path("out.fas")), "new");
    EXPECT_EQ(ReadBytes(elsewhere), "keep me");
}

TEST(OutputFile, ReportsWhyItCannotWrite) {
    TempDir dir;
    std::string error;
    EXPECT_FALSE(WriteWholeFile(dir.Path("missing/out.fas"), "x", {}, &error));
    EXPECT_EQ(error, "No such file or directory");
    fs::create_directory(dir.Path("folder"));
    EXPECT_FALSE(WriteWholeFile(dir.Path("folder"), "x", {}, &error));
    EXPECT_EQ(error, "Is a directory");
    EXPECT_EQ(Names(dir), (std::vector<std::string>{"folder"}));
}

TEST(OutputFile, TheTemporaryFileLooksLikeNoDataAndAReplacedFileKeepsItsMode) {
    TempDir dir;
    const std::string path = dir.Write("genes.fasta", "older");
    ::chmod(path.c_str(), 0600);
    OutputFile out;
    ASSERT_TRUE(out.Open(path));
    const std::vector<std::string> writing = Names(dir);
    ASSERT_EQ(writing.size(), 2u);
    const std::string& temporary = writing[0] == "genes.fasta" ? writing[1] : writing[0];
    EXPECT_EQ(temporary.front(), '.');  // hidden, as the folder listings skip it
    EXPECT_EQ(temporary.find(".fa"), std::string::npos) << temporary;
    EXPECT_EQ(temporary.find("genes"), std::string::npos) << temporary;
    out.Write("newer");
    ASSERT_TRUE(out.Close());
    EXPECT_EQ(ModeOf(path), 0600u);

    const mode_t saved = ::umask(022);
    ASSERT_TRUE(WriteWholeFile(dir.Path("new.fas"), "x"));
    EXPECT_EQ(ModeOf(dir.Path("new.fas")), 0644u);
    ::umask(saved);
}

TEST(OutputFile, AReplacedFileLendsOnlyPermissionBitsAndOnlyWhenItIsTheUsers) {
    TempDir dir;
    const std::string path = dir.Write("out.fas", "older");
    for (const mode_t older : {02644u, 01640u, 04755u}) {
        ASSERT_EQ(::chmod(path.c_str(), older), 0);
        ASSERT_TRUE(WriteWholeFile(path, "newer"));
        EXPECT_EQ(ModeOf(path), older & 0777) << std::oct << older;
    }
    // Another user's file, open to all, must not make the user's result so.
    if (::geteuid() != 0) GTEST_SKIP() << "only root can give a file to another user";
    ASSERT_EQ(::chmod(path.c_str(), 0666), 0);
    ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
    const mode_t saved = ::umask(027);
    ASSERT_TRUE(WriteWholeFile(path, "mine"));
    ::umask(saved);
    EXPECT_EQ(ModeOf(path), 0640u);
}

TEST(OutputFile, APipeIsWrittenOnlyWhenSomeoneReadsIt) {
    TempDir dir;
    const std::string fifo = dir.Path("pipe.fas");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string error;
    EXPECT_FALSE(WriteWholeFile(fifo, "nobody reads", {}, &error));  // at once, not after a wait
    EXPECT_EQ(error, "it is a pipe that no program reads");

    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    ASSERT_TRUE(WriteWholeFile(fifo, "read", {}, &error)) << error;
    char received[8] = {};
    EXPECT_EQ(::read(reader, received, sizeof received), 4);
    EXPECT_EQ(std::string(received), "read");
    ::close(reader);
    EXPECT_TRUE(fs::is_fifo(fifo));
}

// Another user of a shared folder swaps the output name between the check of
// what it is and its opening: whatever was swapped in is refused, not written.
TEST(OutputFile, AFileSwappedInAtTheNameOfAPipeIsNeverWritten) {
    TempDir dir;
    const std::string victim = dir.Write("private.rc", "keep me");
    const std::string name = dir.Path("out.fas");
    const std::string otherPipe = dir.Path("other pipe");
    ASSERT_EQ(::mkfifo(otherPipe.c_str(), 0600), 0);
    const int reader = ::open(otherPipe.c_str(), O_RDONLY | O_NONBLOCK);  // so it would open at once
    ASSERT_GE(reader, 0);
    const std::vector<std::function<void()>> swaps = {
        [&] { fs::create_symlink(victim, name); },
        [&] { fs::create_symlink(otherPipe, name); },
        [&] { fs::copy_file(victim, name); },
        [&] { ASSERT_EQ(::mkfifo(name.c_str(), 0600), 0); },
    };
    for (std::size_t i = 0; i < swaps.size(); ++i) {
        ASSERT_EQ(::mkfifo(name.c_str(), 0600), 0);
        struct stat seen {};
        ASSERT_EQ(::lstat(name.c_str(), &seen), 0);
        fs::remove(name);
        swaps[i]();
        std::string error;
        const int fd = OpenSeenFileInPlace(name, seen, error);
        EXPECT_EQ(fd, -1) << "swap " << i;
        if (fd >= 0) ::close(fd);
        // A new pipe with no reader is refused as such; everything else as a change.
        if (i != 3) {
            EXPECT_EQ(error, kOutputChangedWhileOpened) << "swap " << i;
        }
        fs::remove(name);
    }
    EXPECT_EQ(ReadBytes(victim), "keep me");
    char received[8] = {};
    EXPECT_EQ(::read(reader, received, sizeof received), 0);  // nothing reached the other pipe
    ::close(reader);
}

TEST(OutputFile, DevicesAreWrittenInPlace) {
    struct stat before {};
    ASSERT_EQ(::stat("/dev/null", &before), 0);
    ASSERT_TRUE(WriteWholeFile("/dev/null", "discarded"));
    struct stat after {};
    ASSERT_EQ(::stat("/dev/null", &after), 0);
    EXPECT_TRUE(S_ISCHR(after.st_mode));
    EXPECT_EQ(after.st_rdev, before.st_rdev);
}

}  // namespace
}  // namespace tulvarine
