#include <sys/stat.h>

#include <gtest/gtest.h>

#include "model/file_bytes.h"
#include "model/line_ends.h"
#include "model/line_reader.h"
#include "support/temp_dir.h"

namespace tulvarine {
namespace {

std::vector<std::string> ReadAllLines(const std::string& path) {
    LineReader reader;
    EXPECT_TRUE(reader.Open(path));
    std::vector<std::string> lines;
    std::string_view line;
    while (reader.Next(line)) lines.emplace_back(line);
    return lines;
}

using Lines = std::vector<std::string>;

TEST(LineReader, LinesEndAtLineFeedCrLfOrLoneCarriageReturn) {
    testing::TempDir dir;
    EXPECT_EQ(ReadAllLines(dir.Write("crlf", "a\r\nb\r\n")), (Lines{"a", "b"}));
    EXPECT_EQ(ReadAllLines(dir.Write("lf", "a\nb")), (Lines{"a", "b"}));
    EXPECT_EQ(ReadAllLines(dir.Write("cr", ">a\rAC\r>b\r")), (Lines{">a", "AC", ">b"}));
    EXPECT_EQ(ReadAllLines(dir.Write("mixed", "a\rb\nc\r\nd\r")), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(ReadAllLines(dir.Write("two-cr", "a\r\r\nb")), (Lines{"a", "", "b"}));
    EXPECT_EQ(ReadAllLines(dir.Write("cr-lf-cr", "\r\n\r\rx")), (Lines{"", "", "", "x"}));
    EXPECT_EQ(ReadAllLines(dir.Write("blank", "\n\nx\n")), (Lines{"", "", "x"}));
    EXPECT_TRUE(ReadAllLines(dir.Write("empty", "")).empty());
}

// A CR at the end of one block learns from the next block whether it is lone.
TEST(LineReader, CarriageReturnsAtBlockEnds) {
    testing::TempDir dir;
    for (const char* after : {"\nB", "B", "\rB"}) {
        const std::string first(1024 * 1024 - 1, 'A');
        const Lines lines = ReadAllLines(dir.Write("edge", first + "\r" + after));
        ASSERT_EQ(lines.size(), after[0] == '\r' ? 3u : 2u) << after;
        EXPECT_EQ(lines.front(), first);
        EXPECT_EQ(lines.back(), "B");
    }
}

TEST(LineReader, DropsNulAndCtrlZAndReadsOn) {
    testing::TempDir dir;
    const std::string bytes("a\0b\x1A" "c\n\x1A\nd", 9);
    EXPECT_EQ(ReadAllLines(dir.Write("nul", bytes)), (Lines{"abc", "", "d"}));
}

TEST(LineReader, LinesLongerThanOneBlockAndManyBlocks) {
    testing::TempDir dir;
    const std::string longLine(3 * 1024 * 1024 + 17, 'A');
    std::string bytes = "x\r\n" + longLine + "\r\n";
    for (int i = 0; i < 300000; ++i) bytes += "ACGT\r\n";  // lines that straddle block ends
    const Lines lines = ReadAllLines(dir.Write("big", bytes));
    ASSERT_EQ(lines.size(), 300002u);
    EXPECT_EQ(lines[1], longLine);
    EXPECT_EQ(lines.back(), "ACGT");
    for (const auto& line : lines) ASSERT_TRUE(line == "x" || line == longLine || line == "ACGT") << line;
}

// Only regular files are read: a FIFO without a writer is refused at once,
// not waited for, and an endless device is not read.
TEST(LineReader, OpensReadOnlyFilesAndRefusesEverythingButRegularFiles) {
    testing::TempDir dir;
    const std::string path = dir.Write("ro", "x\n");
    ::chmod(path.c_str(), 0444);
    EXPECT_EQ(ReadAllLines(path), (Lines{"x"}));
    const std::string fifo = dir.Path("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    LineReader reader;
    for (const std::string& odd : {dir.Path("missing"), dir.Root().string(), fifo, std::string("/dev/zero")})
        EXPECT_FALSE(reader.Open(odd)) << odd;
    EXPECT_EQ(ReadFailureReason(fifo), kNotRegularFile);
    EXPECT_EQ(ReadFailureReason("/dev/zero"), kNotRegularFile);
    EXPECT_EQ(ReadFailureReason(dir.Root().string()), kNotRegularFile);
    EXPECT_EQ(ReadFailureReason(dir.Path("missing")), "No such file or directory");
    EXPECT_EQ(ReadFailureReason(path), "");
    std::string bytes = "old";
    EXPECT_FALSE(ReadWholeFile(fifo, bytes));
    EXPECT_TRUE(bytes.empty());
}

// Texts held whole split by the same rule; sizes around the 16-byte steps.
TEST(LineEnds, SplitAndLineFeedTextsFollowTheOneRule) {
    EXPECT_EQ(SplitLines("a\rb\nc\r\nd\r"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines("a\r\r\n\n"), (Lines{"a", "", ""}));
    EXPECT_TRUE(SplitLines("").empty());
    EXPECT_EQ(WithLfLineEnds("a\rb\r\nc\n\r"), "a\nb\nc\n\n");
    for (std::size_t at = 0; at < 40; ++at) {
        std::string text(40, 'x');
        text[at] = '\r';
        if (at + 1 < text.size()) text[at + 1] = at % 2 ? '\n' : 'y';
        std::string expected = text;
        if (at % 2 == 0 || at + 1 == text.size()) expected[at] = '\n';
        else expected.erase(at, 1);
        EXPECT_EQ(WithLfLineEnds(text), expected) << at;
    }
}

TEST(LineReader, RewindStartsAgain) {
    testing::TempDir dir;
    LineReader reader;
    ASSERT_TRUE(reader.Open(dir.Write("f", "a\nb\n")));
    std::string_view line;
    while (reader.Next(line)) {}
    ASSERT_TRUE(reader.Rewind());
    ASSERT_TRUE(reader.Next(line));
    EXPECT_EQ(line, "a");
}

// Every line NextContaining hands out, mixed with plain Next calls after each.
Lines LinesContaining(const std::string& path, char c, bool alsoNext = false) {
    LineReader reader;
    EXPECT_TRUE(reader.Open(path));
    Lines lines;
    std::string_view line;
    while (reader.NextContaining(c, line)) {
        lines.emplace_back(line);
        if (alsoNext && reader.Next(line)) lines.emplace_back("+" + std::string(line));
    }
    return lines;
}

TEST(LineReader, NextContainingGivesWholeLinesThatHoldTheByte) {
    testing::TempDir dir;
    EXPECT_EQ(LinesContaining(dir.Write("a", "x\r\n>a\r\nAC\r\nG>T\r\n\r\n>b"), '>'), (Lines{">a", "G>T", ">b"}));
    EXPECT_EQ(LinesContaining(dir.Write("b", ">a\nAC\n>b\nGT\n"), '>', true), (Lines{">a", "+AC", ">b", "+GT"}));
    EXPECT_TRUE(LinesContaining(dir.Write("none", "AC\nGT\nTT"), '>').empty());
    EXPECT_TRUE(LinesContaining(dir.Write("empty", ""), '>').empty());
    EXPECT_EQ(LinesContaining(dir.Write("nul", std::string("A\0C\n\x1A>\0x\r\n", 10)), '>'), (Lines{">x"}));
}

TEST(LineReader, NextContainingAcrossBlocksAndInsideLongLines) {
    testing::TempDir dir;
    std::string bytes;
    Lines expected;
    for (int i = 0; i < 200000; ++i) {  // lines that straddle block ends
        bytes += "ACGTACGT\n";
        if (i % 7919 == 0) {
            bytes += ">h" + std::to_string(i) + "\r\n";
            expected.push_back(">h" + std::to_string(i));
        }
    }
    const std::string longLine = std::string(3 * 1024 * 1024, 'A') + ">in the middle" + std::string(1000, 'C');
    bytes += longLine + "\nTT\n" + std::string(2 * 1024 * 1024, 'G');  // an unfinished last line without c
    expected.push_back(longLine);
    EXPECT_EQ(LinesContaining(dir.Write("big", bytes), '>'), expected);
}

}  // namespace
}  // namespace tulvarine
