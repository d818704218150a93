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
    EXPECT_EQ(header.GetPart(SequenceHeader::kId), "abc");
    EXPECT_EQ(header.GetPart(SequenceHeader::kDescription), "def ghi");
    EXPECT_EQ(header.GetPart(), "abc def ghi");
    EXPECT_EQ(header.GetPart(SequenceHeader::Part{7}), "abc def ghi");
    EXPECT_EQ(header.GetPartLength(SequenceHeader::kId), 3u);
    EXPECT_EQ(header.GetPartLength(SequenceHeader::kDescription), 7u);
    EXPECT_EQ(header.GetPartLength(SequenceHeader::kWhole), 11u);
}

TEST(SequenceHeader, PartsOfUnusualHeaders) {
    EXPECT_EQ(SequenceHeader(">abc").GetPart(SequenceHeader::kId), "abc");
    EXPECT_EQ(SequenceHeader(">abc").GetPart(SequenceHeader::kDescription), "abc");
    EXPECT_EQ(SequenceHeader("> id").GetPart(SequenceHeader::kId), "");
    EXPECT_EQ(SequenceHeader("> id").GetPart(SequenceHeader::kDescription), "id");
    EXPECT_EQ(SequenceHeader(">a\tb").GetPart(SequenceHeader::kId), "a\tb");
    EXPECT_EQ(SequenceHeader(">a\tb").GetPart(SequenceHeader::kDescription), "a\tb");
    // Full-width blanks around the first space are trimmed from the parts.
    EXPECT_EQ(SequenceHeader(">a" + kFw + " " + kFw + "b").GetPart(SequenceHeader::kId), "a");
    EXPECT_EQ(SequenceHeader(">a" + kFw + " " + kFw + "b").GetPart(SequenceHeader::kDescription), "b");
    EXPECT_EQ(SequenceHeader("").GetPart(SequenceHeader::kId), "");
    EXPECT_EQ(SequenceHeader("").GetPartLength(SequenceHeader::kDescription), 0u);
}

TEST(SequenceHeader, MatchesByModeAndWritesBackTheName) {
    const SequenceHeader header(">Seq1.2 desc");
    std::string name = "Seq1";
    EXPECT_TRUE(header.Matches(name, SequenceHeader::kStartsWith));
    EXPECT_FALSE(header.Matches(name, SequenceHeader::kExact));
    name = ">SEQ1";
    EXPECT_TRUE(header.Matches(name, SequenceHeader::kStartsWith));
    EXPECT_EQ(name, "SEQ1");
    name = "desc";
    EXPECT_TRUE(header.Matches(name, SequenceHeader::kEndsWith));
    name = "Seq1";
    EXPECT_FALSE(header.Matches(name, SequenceHeader::kEndsWith));
    EXPECT_FALSE(header.Matches(name, SequenceHeader::MatchMode{3}));
    name = "Seq1.2 desc";
    EXPECT_TRUE(header.Matches(name));
    name = "seq1.2 desc";
    EXPECT_FALSE(header.Matches(name));
}

TEST(SequenceHeader, NamesAreTakenLiterally) {
    std::string dotted = "a.1";
    EXPECT_FALSE(SequenceHeader(">aX1 x").Matches(dotted, SequenceHeader::kStartsWith));
    EXPECT_TRUE(SequenceHeader(">a.1 x").Matches(dotted, SequenceHeader::kStartsWith));
    std::string piped = "gi|12";
    EXPECT_FALSE(SequenceHeader(">gi").Matches(piped, SequenceHeader::kStartsWith));
    EXPECT_FALSE(SequenceHeader(">12").Matches(piped, SequenceHeader::kEndsWith));
    EXPECT_TRUE(SequenceHeader(">gi|12|ref").Matches(piped, SequenceHeader::kStartsWith));
    std::string bracket = "x(1";  // not a valid pattern, still a plain name
    EXPECT_TRUE(SequenceHeader(">x(1 y").Matches(bracket, SequenceHeader::kStartsWith));
    std::string empty;
    EXPECT_TRUE(SequenceHeader(">").Matches(empty));
}

}  // namespace
}  // namespace tulvarine
