#include <iterator>
#include <random>

#include <gtest/gtest.h>

#include "model/sequence.h"
#include "model/text.h"

namespace tulvarine {
namespace {

Sequence Of(std::string text) {
    Sequence sequence;
    sequence.SetText(std::move(text));
    return sequence;
}

TEST(Sequence, SetTextCleansAndWritesBack) {
    std::string text = "ac gt\r\nAC\xE3\x80\x80g\tx";
    Sequence sequence;
    sequence.SetText(text);
    EXPECT_EQ(sequence.GetText(), "acgtACg\tx");
    EXPECT_EQ(text, "acgtACg\tx");
    EXPECT_EQ(sequence.Length(), 9u);
}

// Carriage returns go first, then line feeds, then spaces, then full-width
// blanks, each a substitution of its own: the result is compared with those
// four substitutions made one after the other.
TEST(Sequence, SetTextRemovesEachKindInItsOwnPass) {
    std::string split = "a\xE3\r\x80\x80" "c\xE3\r\n\x80\x80g\xE3 \x80\x80t";
    Sequence sequence;
    sequence.SetText(split);
    EXPECT_EQ(sequence.GetText(), "acgt");
    EXPECT_EQ(split, "acgt");

    std::mt19937 random(110);
    const std::string pieces[] = {"\r", "\n", " ", "\xE3", "\x80", "\xE3\x80\x80", "A", "\t"};
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        for (int k = int(random() % 24); k > 0; --k) text += pieces[random() % std::size(pieces)];
        std::string expected = text;
        for (const char* what : {"\r", "\n", " ", "\xE3\x80\x80"}) ReplaceAll(expected, what, "");
        std::string given = text;
        sequence.SetText(given);
        ASSERT_EQ(sequence.GetText(), expected) << testing::PrintToString(text);
        ASSERT_EQ(given, expected);
    }
}

TEST(Sequence, ReverseComplementUsesIupacPairsAndUpperCase) {
    EXPECT_EQ(Of("atgNNc-u").ReverseComplement(), "NNGNNCAT");
    EXPECT_EQ(Of("RYKMBVDHWS").ReverseComplement(), "SWDHBVKMRY");
    EXPECT_EQ(Of("").ReverseComplement(), "");
    EXPECT_EQ(Of("ac*?1\xC3\xA4").ReverseComplement(), "NNNNNGT");  // one N per byte
    const Sequence stored = Of("AACG");
    EXPECT_EQ(stored.ReverseComplement(), "CGTT");
    EXPECT_EQ(stored.GetText(), "AACG");
}

TEST(Sequence, GetTextWrapsOnlyWhenAnArgumentIsGiven) {
    const Sequence sequence = Of(std::string(130, 'A'));
    EXPECT_EQ(sequence.GetText(true), std::string(60, 'A') + "\r\n" + std::string(60, 'A') + "\r\n" + "AAAAAAAAAA");
    EXPECT_EQ(sequence.GetText(false), sequence.GetText(true));
    EXPECT_EQ(sequence.GetText(), std::string(130, 'A'));
}

TEST(Sequence, StretchesAreCutAtTheEnds) {
    const Sequence sequence = Of("ACGTAC");
    EXPECT_EQ(sequence.Right(3), "TAC");
    EXPECT_EQ(sequence.Mid(5, 10), "AC");
    EXPECT_EQ(sequence.Mid(7, 1), "");
    EXPECT_EQ(sequence.Mid(0, 2), "AC");
    EXPECT_EQ(sequence.Mid(2, 0), "");
    EXPECT_EQ(sequence.Mid(2, -1), "");
    EXPECT_EQ(sequence.Left(2), "AC");
    EXPECT_EQ(sequence.Left(99), "ACGTAC");
    EXPECT_EQ(sequence.Right(99), "ACGTAC");
    EXPECT_EQ(sequence.Right(-2), "");
}

TEST(Sequence, EditingStoresWhatItIsGiven) {
    Sequence sequence = Of("AC--GT-");
    EXPECT_EQ(sequence.ReplaceText("-", ""), "ACGT");
    EXPECT_EQ(sequence.GetText(), "ACGT");
    EXPECT_TRUE(sequence.ReplaceRange(2, 1, "-"));
    EXPECT_EQ(sequence.GetText(), "A-GT");
    EXPECT_TRUE(sequence.ReplaceRange(5, 0, " x"));  // appends, uncleaned
    EXPECT_EQ(sequence.GetText(), "A-GT x");
    EXPECT_FALSE(sequence.ReplaceRange(9, 1, "y"));
    EXPECT_FALSE(sequence.ReplaceRange(0, 1, "y"));
    EXPECT_EQ(sequence.GetText(), "A-GT x");
    EXPECT_EQ(sequence.ReplaceText("a", "c", 2, false), "A-GT x");
    EXPECT_EQ(sequence.ReplaceText("a", "c", 1, false), "c-GT x");
}

TEST(Sequence, CopiesAreIndependent) {
    Sequence original = Of("ACGT");
    const Sequence copy = original;
    std::string text = "TTTT";
    original.SetText(text);
    EXPECT_EQ(copy.GetText(), "ACGT");
    original.Release();
    EXPECT_EQ(original.Length(), 0u);
}

}  // namespace
}  // namespace tulvarine
