#include <gtest/gtest.h>

#include "model/line_wrapper.h"

namespace tulvarine {
namespace {

std::string Bytes(std::size_t n, char c = 'A') { return std::string(n, c); }

TEST(WrapSequenceLines, CutsIntoLinesOfSixtyWithoutAFinalLineEnd) {
    EXPECT_EQ(WrapSequenceLines(""), "");
    EXPECT_EQ(WrapSequenceLines(Bytes(60)), Bytes(60));
    EXPECT_EQ(WrapSequenceLines(Bytes(61)), Bytes(60) + "\r\n" + Bytes(1));
    EXPECT_EQ(WrapSequenceLines(Bytes(120)), Bytes(60) + "\r\n" + Bytes(60));
    EXPECT_EQ(WrapSequenceLines(Bytes(121)), Bytes(60) + "\r\n" + Bytes(60) + "\r\n" + Bytes(1));
}

TEST(WrapSequenceLines, WidthIsUsedOnlyWhenAskedFor) {
    EXPECT_EQ(WrapSequenceLines(Bytes(25), 10, true), Bytes(10) + "\r\n" + Bytes(10) + "\r\n" + Bytes(5));
    EXPECT_EQ(WrapSequenceLines(Bytes(25), 10, false), Bytes(25));
    EXPECT_EQ(WrapSequenceLines(Bytes(3), 0, true), Bytes(3));  // a width below 1 cannot loop
}

TEST(WrapSequenceLines, LeavesTextsOverOneHundredThousandBytesAlone) {
    const std::string wrapped = WrapSequenceLines(Bytes(100000));
    std::string expected;
    for (int i = 0; i < 1666; ++i) expected += Bytes(60) + "\r\n";
    expected += Bytes(40);
    EXPECT_EQ(wrapped, expected);
    EXPECT_EQ(WrapSequenceLines(Bytes(100001)), Bytes(100001));
}

TEST(LineWrapper, AppendCompletesTheLastLineThenWraps) {
    LineWrapper wrapper;
    EXPECT_EQ(wrapper.Wrap(Bytes(130)), Bytes(60) + "\r\n" + Bytes(60) + "\r\n" + Bytes(10));
    EXPECT_EQ(wrapper.Room(), 50);
    EXPECT_EQ(wrapper.Append(Bytes(70, 'C')),
              Bytes(60) + "\r\n" + Bytes(60) + "\r\n" + Bytes(10) + Bytes(50, 'C') + "\r\n" + Bytes(20, 'C'));
    EXPECT_EQ(wrapper.Room(), 40);
}

TEST(LineWrapper, FullLastLineLeavesALineEndAndFullRoom) {
    LineWrapper wrapper;
    EXPECT_EQ(wrapper.Wrap(Bytes(120)), Bytes(60) + "\r\n" + Bytes(60) + "\r\n");
    EXPECT_EQ(wrapper.Room(), 60);
    EXPECT_EQ(wrapper.Append(Bytes(60, 'C')), Bytes(60) + "\r\n" + Bytes(60) + "\r\n" + Bytes(60, 'C') + "\r\n");
    EXPECT_EQ(wrapper.Room(), 60);
}

TEST(LineWrapper, ShortAppendStillEndsTheLine) {
    LineWrapper wrapper;
    wrapper.Wrap(Bytes(10));
    EXPECT_EQ(wrapper.Append(Bytes(30, 'C')), Bytes(10) + Bytes(30, 'C') + "\r\n");
    EXPECT_EQ(wrapper.Room(), 60);
    EXPECT_EQ(wrapper.Append(""), Bytes(10) + Bytes(30, 'C') + "\r\n" + "\r\n");
    EXPECT_EQ(wrapper.Room(), 60);
    EXPECT_EQ(wrapper.GetText(), Bytes(10) + Bytes(30, 'C') + "\r\n\r\n");
}

TEST(LineWrapper, KeepsItsWidthAndCopiesIndependently) {
    LineWrapper wrapper;
    wrapper.Wrap("ABCDE", 3);
    EXPECT_EQ(wrapper.GetText(), "ABC\r\nDE");
    LineWrapper copy = wrapper;
    EXPECT_EQ(wrapper.Append("FGHI"), "ABC\r\nDEF\r\nGHI\r\n");
    EXPECT_EQ(copy.GetText(), "ABC\r\nDE");
    EXPECT_EQ(copy.Room(), 1);
}

}  // namespace
}  // namespace tulvarine
