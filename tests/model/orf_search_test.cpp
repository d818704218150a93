#include <algorithm>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "model/genetic_codes.h"
#include "model/orf_scanner.h"
#include "model/sequence.h"
#include "model/sequence_set.h"
#include "model/text.h"
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

// The pieces of the six frames as plain whole-frame translations give them.
struct PlainPiece {
    std::string aminoAcids, stretch;
    std::size_t offset;
    bool reverse;
};

std::vector<PlainPiece> PlainPieces(const Sequence& sequence, GeneticCode code) {
    std::vector<PlainPiece> pieces;
    for (const bool reverse : {false, true})
        for (int frame = 1; frame <= 3; ++frame) {
            const std::string protein = sequence.Translate(code, "X", frame, reverse);
            std::string bases = reverse ? sequence.ReverseComplement() : std::string(sequence.GetText());
            bases = bases.substr(std::min(bases.size(), std::size_t(frame - 1)));
            if (reverse)
                for (char& c : bases) c = AsciiLower(c);
            std::size_t start = 0;
            for (std::size_t stop = 0; start < protein.size(); start = stop + 1) {
                stop = std::min(protein.find('*', start), protein.size());
                pieces.push_back({protein.substr(start, stop - start), bases.substr(3 * start, 3 * (stop - start)),
                                  start, reverse});
                if (stop == protein.size()) break;
            }
        }
    return pieces;
}

// Long sequences whose pieces run across the scanner's blocks (with few stops)
// and short ones of any bytes: every piece, the ORF file and the longest ORF
// must be what whole-frame translations give.
TEST(OrfScanner, PiecesAgreeWithWholeFrameTranslations) {
    std::mt19937 random(1112);
    for (int round = 0; round < 60; ++round) {
        // Long ones: pieces of a hundred codons, or no stop at all (pieces of many blocks).
        const bool longOne = round % 6 == 0;
        const std::string alphabet = !longOne ? "ACGTacgtN-R" : round % 12 == 0 ? "CG" : "CGCGCGCGAT";
        std::string text(longOne ? 200'000 + random() % 500'000 : random() % 40, 'A');
        for (char& c : text) c = alphabet[random() % alphabet.size()];
        const Sequence sequence = Of(text);
        const GeneticCode code = kGeneticCodes[random() % kGeneticCodes.size()];
        const int cutoff = int(random() % 40);
        SCOPED_TRACE("round " + std::to_string(round));

        const std::vector<PlainPiece> plain = PlainPieces(sequence, code);
        std::size_t seen = 0;
        OrfScanner(code).ForEachPiece(sequence.GetText(), true, [&](std::string_view aminoAcids, const OrfPlace& place) {
            ASSERT_LT(seen, plain.size());
            const PlainPiece& expected = plain[seen++];
            EXPECT_EQ(aminoAcids, expected.aminoAcids);
            EXPECT_EQ(place.offset, expected.offset);
            EXPECT_EQ(place.reverse, expected.reverse);
            std::string stretch;
            AppendStretch(place, stretch);
            EXPECT_EQ(stretch, expected.stretch);
        });
        ASSERT_EQ(seen, plain.size());

        std::string all, longest;
        const PlainPiece* best = nullptr;
        long long k = 0;
        for (const PlainPiece& piece : plain) {
            if (!best || piece.aminoAcids.size() > best->aminoAcids.size()) best = &piece;
            if (3 * piece.aminoAcids.size() < std::size_t(cutoff)) continue;
            all += ">s-" + std::to_string(++k) + "\r\n" + piece.stretch + "\r\n";
        }
        if (best && 3 * best->aminoAcids.size() >= std::size_t(cutoff))
            longest = ">s longest lenth=" + std::to_string(3 * best->aminoAcids.size()) + "\r\n" + best->stretch;
        ASSERT_TRUE(sequence.FindAllOrfs(code, cutoff, true, "s") == all);
        ASSERT_TRUE(sequence.FindLongestOrf(code, cutoff, true, "s") == longest);
    }
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

// A record of tens of megabytes is written as its ORFs are found, in place
// among the others: the bytes must be those of the searches that build texts.
TEST_F(WriteOrfs, LongRecordsAreWrittenInTheirPlace) {
    std::mt19937 random(33);
    std::string big(34'000'000, 'C');
    for (std::size_t i = 0; i < big.size(); ++i)
        if (i < 1'000'000 || i > 3'000'000) big[i] = "CGCGCGCGAT"[random() % 10];  // a long stop-free middle
    const SequenceSet set = Read(">a x\nATGAAATAGCCCGGGTTTAAACCC\n>big one\n" + big + "\n>c\nATGCCCTAA\n");
    ASSERT_EQ(set.Count(), 3);
    const std::string out = dir.Path("out.fas");
    for (const OrfMode mode : {kLongestOrf, kAllOrfs}) {
        std::string expected;
        for (int i = 0; i < 3; ++i) {
            const Sequence& sequence = set.Sequences()[std::size_t(i)];
            const SequenceHeader& header = set.Headers()[std::size_t(i)];
            if (mode == kLongestOrf)
                expected += sequence.FindLongestOrf(GeneticCode{0}, 9, true, header.PartView()) + "\r\n";
            else
                expected += sequence.FindAllOrfs(GeneticCode{0}, 9, true, header.PartView(SequenceHeader::kId));
        }
        ASSERT_TRUE(set.WriteOrfs(out, GeneticCode{0}, 9, "", mode));
        ASSERT_TRUE(ReadBytes(out) == expected) << "mode " << mode;
    }
}

TEST_F(WriteOrfs, ReportsAnOutputThatCannotBeCreated) {
    const SequenceSet set = Read(">a\nATGAAA\n");
    EXPECT_FALSE(set.WriteOrfs(dir.Path("missing-folder/out.fas"), GeneticCode::kStandard, 3, "", kLongestOrf));
}

}  // namespace
}  // namespace tulvarine
