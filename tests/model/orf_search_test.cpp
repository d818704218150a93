#include <gtest/gtest.h>

#include "model/sequence.h"
#include "model/sequence_set.h"
#include "support/recording_progress.h"
#include "support/fasta_file_test.h"
#include "support/temp_dir.h"

namespace tulvarine {
namespace {

using testing::ReadBytes;
using testing::TempDir;

Sequence Of(std::string text) {
    Sequence sequence;
    sequence.SetText(std::move(text));
    return sequence;
}

TEST(FindAllOrfs, ListsEveryPieceThatReachesTheCutoffInFrameOrder) {
    EXPECT_EQ(Of("ATGAAATGA").FindAllOrfs(GeneticCode{0}, 3, false, "orf"),
              ">orf-1\r\nATGAAA\r\n>orf-2\r\nAAT\r\n>orf-3\r\nGAAATG\r\n");
}

TEST(FindAllOrfs, EmptyPiecesReachACutoffOfZero) {
    EXPECT_EQ(Of("TAATAAATG").FindAllOrfs(GeneticCode{0}, 0, false, "s"),
              ">s-1\r\n\r\n>s-2\r\n\r\n>s-3\r\nATG\r\n>s-4\r\nAATAAA\r\n>s-5\r\nATAAAT\r\n");
}

TEST(FindAllOrfs, EachPieceTakesTheNucleotidesOfItsOwnPlace) {
    // MKV * AMKV * MKV: the second MKV is read from its own codons (GTA), not
    // from those of the first MKV (GTT).
    const std::string all = Of("ATGAAAGTTTAAGCTATGAAGGTCTAAATGAAAGTA").FindAllOrfs(GeneticCode{0}, 9, false, "x");
    const std::string frameOne = ">x-1\r\nATGAAAGTT\r\n>x-2\r\nGCTATGAAGGTC\r\n>x-3\r\nATGAAAGTA\r\n";
    EXPECT_EQ(all.substr(0, frameOne.size()), frameOne);
}

TEST(FindAllOrfs, ReverseStrandIsLowerCaseAndNumberingRunsOn) {
    EXPECT_EQ(Of("CATCAT").FindAllOrfs(GeneticCode{0}, 6, true, "n"),
              ">n-1\r\nCATCAT\r\n>n-2\r\natgatg\r\n");
}

TEST(OrfSearches, ShortSequencesGiveNothing) {
    for (const char* text : {"", "A", "AT"}) {
        const Sequence sequence = Of(text);
        EXPECT_EQ(sequence.FindAllOrfs(GeneticCode{0}, 0, true, "x"), "");
        EXPECT_EQ(sequence.FindLongestOrf(GeneticCode{0}, 0), "");
        EXPECT_EQ(sequence.FindLongestOrf(GeneticCode{0}, 0, true, "x"), "");
        EXPECT_EQ(sequence.FindMostSimilarOrf(GeneticCode{0}, 0, true, "M", "x"), "");
    }
}

TEST(FindLongestOrf, FirstOfEqualLengthsWinsInFrameOrder) {
    // Forward frame 2 and reverse frame 1 both hold a 7-residue piece.
    const std::string text = "ATTAATGATGATCGTTAGAGGCTA";
    EXPECT_EQ(Of(text).FindLongestOrf(GeneticCode{0}, 0, true, "t"), ">t longest lenth=21\r\nTTAATGATGATCGTTAGAGGC");
    std::string lower = text;
    for (char& c : lower) c = char(c | 0x20);
    EXPECT_EQ(Of(lower).FindLongestOrf(GeneticCode{0}, 0), "ttaatgatgatcgttagaggc");  // forward keeps the stored case
}

TEST(FindLongestOrf, ReverseStrandComesBackInLowerCase) {
    const Sequence sequence = Of("TTCTGAGACGACACGCTCGCACTTGCTCGG");
    EXPECT_EQ(sequence.FindLongestOrf(GeneticCode{0}, 0, true, "r"), ">r longest lenth=30\r\nccgagcaagtgcgagcgtgtcgtctcagaa");
    EXPECT_EQ(sequence.FindLongestOrf(GeneticCode{0}, 30), "ccgagcaagtgcgagcgtgtcgtctcagaa");
    EXPECT_EQ(sequence.FindLongestOrf(GeneticCode{0}, 31), "");
}

TEST(FindLongestOrf, PieceShorterThanTheCutoffGivesNothing) {
    const std::string orf29 = "ATG" + std::string(84, 'C') + "TAA";  // M + 28 P, then a stop
    EXPECT_EQ(Of(orf29).FindLongestOrf(GeneticCode{0}, 87, false).size(), 87u);
    EXPECT_EQ(Of(orf29).FindLongestOrf(GeneticCode{0}, 90, false), "");
}

TEST(FindLongestOrf, GeneticCodeDecidesWhereStopsAre) {
    // TGA is a stop in the standard code but W in the vertebrate mitochondrial one.
    const Sequence sequence = Of("ATGTGAAAA");
    EXPECT_EQ(sequence.FindLongestOrf(GeneticCode{0}, 0, false), "TGTGAA");
    EXPECT_EQ(sequence.FindLongestOrf(GeneticCode{1}, 0, false), "ATGTGAAAA");
}

TEST(FindMostSimilarOrf, OnlyPiecesReachingTheCutoffCompete) {
    // The first piece MKV matches the reference exactly but is shorter than the
    // cut-off; the best of the pieces that reach it is returned.
    const Sequence sequence = Of("ATGAAAGTTTAAGGTGGTGGTGGT");
    EXPECT_EQ(sequence.FindMostSimilarOrf(GeneticCode{0}, 12, true, "MKV", "q"), ">q similarest simscore=15\r\nAAGTTTAAGGTGGTGGTG");
    EXPECT_EQ(sequence.FindMostSimilarOrf(GeneticCode{0}, 12, true, "MKV"), "AAGTTTAAGGTGGTGGTG");
    EXPECT_EQ(sequence.FindMostSimilarOrf(GeneticCode{0}, 100, true, "MKV", "q"), "");
}

TEST(FindMostSimilarOrf, FirstOfEqualScoresWinsAndScoresMayBeNegative) {
    const Sequence sequence = Of("ATGAAAGTTTAAATGAAAGTA");
    EXPECT_EQ(sequence.FindMostSimilarOrf(GeneticCode{0}, 9, true, "MKV", "q"), ">q similarest simscore=30\r\nATGAAAGTT");
    EXPECT_EQ(Of("GGTGGTGGTGGT").FindMostSimilarOrf(GeneticCode{0}, 12, false, "MKV", "g"),
              ">g similarest simscore=-7\r\nGGTGGTGGTGGT");
}

class WriteOrfs : public testing::FastaFileTest {};

TEST_F(WriteOrfs, LongestModeWritesOneLinePairPerRecordAndABlankForNone) {
    const SequenceSet set = Read(">abc def\nTTCTGAGACGACACGCTCGCACTTGCTCGG\n>short\nAT\n");
    testing::RecordingProgress progress;
    const std::string out = dir.Path("out.fas");
    ASSERT_TRUE(set.WriteOrfs(out, GeneticCode::kStandard, 30, "", kLongestOrf, &progress));
    EXPECT_EQ(ReadBytes(out), ">abc def longest lenth=30\r\nccgagcaagtgcgagcgtgtcgtctcagaa\r\n\r\n");
    EXPECT_EQ(progress.texts, (std::vector<std::string>{"1/2", "2/2"}));
}

TEST_F(WriteOrfs, AllModeNamesRecordsByTheirId) {
    const SequenceSet set = Read(">abc def\nATGAAATGA\n>none\nAT\n");
    const std::string out = dir.Path("out.fas");
    ASSERT_TRUE(set.WriteOrfs(out, GeneticCode::kStandard, 6, "", kAllOrfs));
    EXPECT_EQ(ReadBytes(out), ">abc-1\r\nATGAAA\r\n>abc-2\r\nGAAATG\r\n>abc-3\r\ntcatttcat\r\n"
                              ">abc-4\r\ncatttc\r\n>abc-5\r\natttca\r\n");
}

TEST_F(WriteOrfs, MostSimilarModeUsesTheWholeHeader) {
    const SequenceSet set = Read(">q 1\nATGAAAGTTTAAGGTGGTGGTGGT\n>e\n\n");
    const std::string out = dir.Path("out.fas");
    ASSERT_TRUE(set.WriteOrfs(out, GeneticCode::kStandard, 12, "MKV", kMostSimilarOrf));
    EXPECT_EQ(ReadBytes(out), ">q 1 similarest simscore=15\r\nAAGTTTAAGGTGGTGGTG\r\n\r\n");
}

TEST_F(WriteOrfs, UnknownModeAndEmptySetLeaveAnEmptyFile) {
    testing::RecordingProgress progress;
    const std::string out = dir.Write("out.fas", "old");
    ASSERT_TRUE(Read(">a\nATGAAA\n").WriteOrfs(out, GeneticCode::kStandard, 3, "", OrfMode{4}, &progress));
    EXPECT_EQ(ReadBytes(out), "");
    EXPECT_TRUE(progress.texts.empty());
    dir.Write("out.fas", "old");
    ASSERT_TRUE(SequenceSet().WriteOrfs(out, GeneticCode::kStandard, 3, "", kLongestOrf));
    EXPECT_EQ(ReadBytes(out), "");
}

TEST_F(WriteOrfs, ReportsAnOutputThatCannotBeCreated) {
    const SequenceSet set = Read(">a\nATGAAA\n");
    EXPECT_FALSE(set.WriteOrfs(dir.Path("missing-folder/out.fas"), GeneticCode::kStandard, 3, "", kLongestOrf));
}

}  // namespace
}  // namespace tulvarine
