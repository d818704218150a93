#include <sys/stat.h>

#include <gtest/gtest.h>

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

TEST(LineReader, SplitsAtLineFeedsAndDropsOneCarriageReturn) {
    testing::TempDir dir;
    EXPECT_EQ(ReadAllLines(dir.Write("crlf", "a\r\nb\r\n")), (Lines{"a", "b"}));
    EXPECT_EQ(ReadAllLines(dir.Write("lf", "a\nb")), (Lines{"a", "b"}));
    EXPECT_EQ(ReadAllLines(dir.Write("two-cr", "a\r\r\nb")), (Lines{"a\r", "b"}));
    EXPECT_EQ(ReadAllLines(dir.Write("blank", "\n\nx\n")), (Lines{"", "", "x"}));
    EXPECT_TRUE(ReadAllLines(dir.Write("empty", "")).empty());
}

TEST(LineReader, CarriageReturnOnlyFileIsOneLineLessItsFinalReturn) {
    testing::TempDir dir;
    EXPECT_EQ(ReadAllLines(dir.Write("cr", ">a\rAC\r>b\r")), (Lines{">a\rAC\r>b"}));
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

TEST(LineReader, OpensReadOnlyFilesAndRefusesMissingOnesAndFolders) {
    testing::TempDir dir;
    const std::string path = dir.Write("ro", "x\n");
    ::chmod(path.c_str(), 0444);
    EXPECT_EQ(ReadAllLines(path), (Lines{"x"}));
    LineReader reader;
    EXPECT_FALSE(reader.Open(dir.Path("missing")));
    EXPECT_FALSE(reader.Open(dir.Root().string()));
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
