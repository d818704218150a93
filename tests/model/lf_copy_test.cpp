#include <sys/stat.h>

#include <string>

#include <gtest/gtest.h>

#include "model/lf_copy.h"
#include "support/temp_dir.h"

namespace tulvarine {
namespace {

using testing::ReadBytes;
using testing::TempDir;

// The copy of bytes written as a file, or the failure.
std::string Copied(const TempDir& dir, const std::string& bytes) {
    const std::string copy = dir.Path("copy");
    const std::string why = CopyWithLfLineEnds(dir.Write("in", bytes), copy);
    return why.empty() ? ReadBytes(copy) : why;
}

TEST(CopyWithLfLineEnds, EveryLineEndBecomesOneLfAndTheLineBytesStay) {
    TempDir dir;
    const std::string lf = ">s1 a\tb\n AC-gt \n\n>s2\nNN*\n";
    for (const std::string& form : {lf, std::string(">s1 a\tb\r\n AC-gt \r\n\r\n>s2\r\nNN*\r\n"),
                                    std::string(">s1 a\tb\r AC-gt \r\r>s2\rNN*\r"),
                                    std::string(">s1 a\tb\r\n AC-gt \r\n\r>s2\nNN*")})
        EXPECT_EQ(Copied(dir, form), lf) << form;
    EXPECT_EQ(Copied(dir, "a\r\r\nb\r"), "a\n\nb\n");
    EXPECT_EQ(Copied(dir, "x"), "x\n");  // the last line gets its LF
    EXPECT_EQ(Copied(dir, ""), "");
    EXPECT_EQ(Copied(dir, std::string("A\0C\x1AG\r\x1A\rT", 9)), "ACG\n\nT\n");  // as every reader drops them
}

// A line longer than half a block comes in pieces, each line end still one LF.
TEST(CopyWithLfLineEnds, LinesLongerThanABlock) {
    TempDir dir;
    const std::string line(3 * 1024 * 1024 + 5, 'A');
    for (const char* end : {"\r\n", "\r", "\n"})
        EXPECT_EQ(Copied(dir, ">x" + std::string(end) + line + end + "C"), ">x\n" + line + "\nC\n") << end;
    // Only a line's first piece can begin a record.
    long long headers = -1;
    const std::string input = dir.Write("in", " >a\r" + line + ">b\r>c\n" + line + "\r\n>d");
    EXPECT_EQ(CopyWithLfLineEnds(input, dir.Path("copy"), &headers), "");
    EXPECT_EQ(headers, 3);
}

TEST(CopyWithLfLineEnds, SaysWhyForAnInputThatIsNoRegularFileOrACopyThatCannotBeWritten) {
    TempDir dir;
    const std::string fifo = dir.Path("fifo"), copy = dir.Path("copy");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(CopyWithLfLineEnds(fifo, copy), "Cannot read " + fifo + ": not a regular file");
    EXPECT_EQ(ReadBytes(copy), "<missing>");
    const std::string input = dir.Write("in", ">a\nAC\n");
    EXPECT_EQ(CopyWithLfLineEnds(input, dir.Path("no/copy")), "Cannot write a copy of " + input + ": No such file or directory");
}

}  // namespace
}  // namespace tulvarine
