#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

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
    struct stat replaced {};
    ASSERT_EQ(::stat(path.c_str(), &replaced), 0);
    EXPECT_EQ(replaced.st_mode & 07777, 0600u);

    const mode_t saved = ::umask(022);
    ASSERT_TRUE(WriteWholeFile(dir.Path("new.fas"), "x"));
    ::umask(saved);
    struct stat created {};
    ASSERT_EQ(::stat(dir.Path("new.fas").c_str(), &created), 0);
    EXPECT_EQ(created.st_mode & 07777, 0644u);
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
