#include <gtest/gtest.h>

#include "model/sequence_header.h"

namespace tulvarine {
namespace {

const std::string kFw = "\xE3\x80\x80";

TEST(SequenceHeader, SetTextTrimsThenDropsOneGreaterThan) {
    EXPECT_EQ(SequenceHeader("  >abc def ").Text(), "abc def");
    EXPECT_EQ(SequenceHeader(">>x").Text(), ">x");
    EXPECT_EQ(SequenceHeader(">").Text(), "");
    EXPECT_EQ(SequenceHeader("> id").Text(), " id");
    EXPECT_EQ(SequenceHeader(kFw + ">a" + kFw).Text(), "a");
    EXPECT_EQ(SequenceHeader("\t>a").Text(), "\t>a");
}

TEST(SequenceHeader, PartsSplitAtTheFirstAsciiSpace) {
    const SequenceHeader header(">abc def ghi");
    EXPECT_EQ(header.GetPart(1), "abc");
    EXPECT_EQ(header.GetPart(2), "def ghi");
    EXPECT_EQ(header.GetPart(), "abc def ghi");
    EXPECT_EQ(header.GetPart(7), "abc def ghi");
    EXPECT_EQ(header.GetPartLength(1), 3u);
    EXPECT_EQ(header.GetPartLength(2), 7u);
    EXPECT_EQ(header.GetPartLength(0), 11u);
}

TEST(SequenceHeader, PartsOfUnusualHeaders) {
    EXPECT_EQ(SequenceHeader(">abc").GetPart(1), "abc");
    EXPECT_EQ(SequenceHeader(">abc").GetPart(2), "abc");
    EXPECT_EQ(SequenceHeader("> id").GetPart(1), "");
    EXPECT_EQ(SequenceHeader("> id").GetPart(2), "id");
    EXPECT_EQ(SequenceHeader(">a\tb").GetPart(1), "a\tb");
    EXPECT_EQ(SequenceHeader(">a\tb").GetPart(2), "a\tb");
    // Full-width blanks around the first space are trimmed from the parts.
    EXPECT_EQ(SequenceHeader(">a" + kFw + " " + kFw + "b").GetPart(1), "a");
    EXPECT_EQ(SequenceHeader(">a" + kFw + " " + kFw + "b").GetPart(2), "b");
    EXPECT_EQ(SequenceHeader("").GetPart(1), "");
    EXPECT_EQ(SequenceHeader("").GetPartLength(2), 0u);
}

TEST(SequenceHeader, MatchesByModeAndWritesBackTheName) {
    const SequenceHeader header(">Seq1.2 desc");
    std::string name = "Seq1";
    EXPECT_TRUE(header.Matches(name, 1));
    EXPECT_FALSE(header.Matches(name, 0));
    name = ">SEQ1";
    EXPECT_TRUE(header.Matches(name, 1));
    EXPECT_EQ(name, "SEQ1");
    name = "desc";
    EXPECT_TRUE(header.Matches(name, 2));
    name = "Seq1";
    EXPECT_FALSE(header.Matches(name, 2));
    EXPECT_FALSE(header.Matches(name, 3));
    name = "Seq1.2 desc";
    EXPECT_TRUE(header.Matches(name));
    name = "seq1.2 desc";
    EXPECT_FALSE(header.Matches(name));
}

TEST(SequenceHeader, NamesAreTakenLiterally) {
    std::string dotted = "a.1";
    EXPECT_FALSE(SequenceHeader(">aX1 x").Matches(dotted, 1));
    EXPECT_TRUE(SequenceHeader(">a.1 x").Matches(dotted, 1));
    std::string piped = "gi|12";
    EXPECT_FALSE(SequenceHeader(">gi").Matches(piped, 1));
    EXPECT_FALSE(SequenceHeader(">12").Matches(piped, 2));
    EXPECT_TRUE(SequenceHeader(">gi|12|ref").Matches(piped, 1));
    std::string bracket = "x(1";  // not a valid pattern, still a plain name
    EXPECT_TRUE(SequenceHeader(">x(1 y").Matches(bracket, 1));
    std::string empty;
    EXPECT_TRUE(SequenceHeader(">").Matches(empty));
}

}  // namespace
}  // namespace tulvarine
