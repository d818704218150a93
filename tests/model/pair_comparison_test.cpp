#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/pair_comparison.h"

namespace tulvarine {
namespace {

PairComparison Compare(std::string box1, std::string box2, PairCompareMode mode = PairCompareMode::Dna,
                       GeneticCode code = GeneticCode::kStandard) {
    return CompareSequencePair({std::move(box1), std::move(box2), mode, code});
}

struct Mark {
    std::uint32_t start, length;
    char colour;  // 'R' or 'B'
    bool operator==(const Mark&) const = default;
};

std::vector<Mark> Marks(const std::vector<BoxMark>& marks) {
    std::vector<Mark> out;
    for (const BoxMark& m : marks) out.push_back({m.start, m.length, m.colour == MarkColour::Red ? 'R' : 'B'});
    return out;
}

std::string ReportText(const char* count, const char* s, const char* n, const char* S, const char* N,
                       const char* ratio) {
    return std::string("No. of mutations identified:             ") + count +
           "\r\n******************************************\r\n"
           "No. of sysnonymous mutations (s):        " + s + "\r\n"
           "No. of non-sysnonymous mutations (n):    " + n + "\r\n"
           "No. of total sysnonymous sites (S):      " + S + "\r\n"
           "No. of total non-sysnonymous sites (N):  " + N + "\r\n"
           "Estimated (n/N)/(s/S):                   " + ratio;
}

TEST(CompareBases, DefaultPair) {
    const PairComparison result = Compare("ATGAAAAGA", "ATAAAGAGA");
    ASSERT_TRUE(result.compared);
    EXPECT_EQ(result.markers, "  *  *   ");
    EXPECT_EQ(Marks(result.marks1), (std::vector<Mark>{{2, 1, 'R'}, {5, 1, 'R'}}));
    EXPECT_EQ(Marks(result.marks2), Marks(result.marks1));
    EXPECT_EQ(result.report, ReportText("2", "0", "0", "0", "0", "NA"));
}

TEST(CompareBases, CaseUracilAndUnequalLengths) {
    const PairComparison result = Compare("acgu", "ACGTAA");
    EXPECT_EQ(result.row1, "ACGU");
    EXPECT_EQ(result.markers, "   ***");  // U is not T; columns past sequence 1 differ
    EXPECT_EQ(Marks(result.marks1), (std::vector<Mark>{{3, 1, 'R'}}));
    EXPECT_EQ(Marks(result.marks2), (std::vector<Mark>{{3, 3, 'R'}}));
    EXPECT_EQ(result.differences, 3u);
}

TEST(CompareBases, MarksLandOnTheBoxCharactersThatWereCompared) {
    // Box 1 typed with a blank, a line break, a full-width blank; compared as ATGAAAAGA.
    const PairComparison result = Compare("ATG AAA\r\nA\xE3\x80\x80GA", "ATAAAGAGA");
    EXPECT_EQ(result.row1, "ATGAAAAGA");
    EXPECT_EQ(Marks(result.marks1), (std::vector<Mark>{{2, 1, 'R'}, {6, 1, 'R'}}));

    // A two-byte letter is one box character; one beyond 16 bits is two.
    const PairComparison wide = Compare("A\xC3\xA9GC", "AXYZC");
    EXPECT_EQ(wide.markers, " *** ");
    EXPECT_EQ(Marks(wide.marks1), (std::vector<Mark>{{1, 2, 'R'}}));
    EXPECT_EQ(Marks(wide.marks2), (std::vector<Mark>{{1, 3, 'R'}}));
    const PairComparison astral = Compare("A\xF0\x9F\x98\x80GA", "AAAAAGA");
    EXPECT_EQ(Marks(astral.marks1), (std::vector<Mark>{{1, 2, 'R'}}));
    EXPECT_EQ(Marks(astral.marks2), (std::vector<Mark>{{1, 4, 'R'}}));
}

TEST(CompareBases, NothingToCompare) {
    EXPECT_FALSE(Compare("", "").compared);
    EXPECT_FALSE(Compare(" \n\xE3\x80\x80", "\r\n").compared);
    EXPECT_TRUE(Compare("", "A").compared);
}

TEST(CompareCodons, DefaultPairMarksAndReport) {
    const PairComparison standard = Compare("ATGAAAAGA", "ATAAAGAGA", PairCompareMode::Codon);
    EXPECT_EQ(standard.markers, "###@@@   ");
    EXPECT_EQ(Marks(standard.marks1), (std::vector<Mark>{{0, 3, 'R'}, {3, 3, 'B'}}));
    EXPECT_EQ(standard.report, ReportText("2", "1", "1", "1", "8", "0.125"));
    EXPECT_EQ(CodonTableText(standard), "1\tATG\tATA\tN\r\n2\tAAA\tAAG\tS\r\n3\tAGA\tAGA\t-\r\n");

    const PairComparison mito = Compare("ATGAAAAGA", "ATAAAGAGA", PairCompareMode::Codon, GeneticCode::kVertebrateMitochondrial);
    EXPECT_EQ(mito.markers, "@@@@@@   ");
    EXPECT_EQ(Marks(mito.marks2), (std::vector<Mark>{{0, 6, 'B'}}));
}

TEST(CompareCodons, EveryCodeTranslatesTheMarks) {
    // TGA against TGG: a stop against W, except where TGA reads W (or C).
    for (GeneticCode code : kGeneticCodes) {
        const int index = IndexOf(code);
        const bool readsW = index == 1 || index == 2 || index == 3 || index == 4 || index == 8;
        EXPECT_EQ(Compare("TGA", "TGG", PairCompareMode::Codon, code).markers, readsW ? "@@@" : "###") << index;
    }
}

TEST(CompareCodons, UnequalLengthsGapsAndZeroSynonyms) {
    const PairComparison shorter = Compare("ATGAAA", "ATG", PairCompareMode::Codon);
    EXPECT_EQ(shorter.markers, "   ###");  // the missing codon translates to nothing
    EXPECT_TRUE(shorter.marks2.empty());
    EXPECT_EQ(CodonTableText(shorter), "1\tATG\tATG\t-\r\n2\tAAA\t\tN\r\n");

    const PairComparison ragged = Compare("ATGAA", "ATGAC", PairCompareMode::Codon);
    EXPECT_EQ(ragged.markers, "     ");  // the trailing part codon is not examined
    EXPECT_TRUE(ragged.codonLengthFailed);
    EXPECT_TRUE(ragged.report.empty());

    const PairComparison gapped = Compare("AT-AAA", "ATGAAG", PairCompareMode::Codon);
    EXPECT_EQ(gapped.markers, "###@@@");  // marks stay although the count fails
    EXPECT_TRUE(gapped.codonLengthFailed);

    const PairComparison noSynonyms = Compare("ATGCCC", "ATACCC", PairCompareMode::Codon);
    EXPECT_EQ(noSynonyms.report, ReportText("1", "0", "1", "1", "5", "NA"));
}

}  // namespace
}  // namespace tulvarine
