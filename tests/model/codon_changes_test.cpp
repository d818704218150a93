#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <thread>

#include "model/codon_changes.h"

namespace tulvarine {
namespace {

constexpr GeneticCode kStandard = GeneticCode::kStandard, kMito = GeneticCode::kVertebrateMitochondrial;

// Expected splits below are walked by hand through the codon tables: every
// order of the changed positions, leaving out orders through a stop.
struct PairCase {
    const char* codon1;
    const char* codon2;
    float nonSyn;
    float syn;
};

TEST(ClassifyCodonDifferences, SplitsEachPairOverItsPathways) {
    const PairCase cases[] = {
        {"ATG", "ATG", 0, 0},
        {"ATG", "ATA", 1, 0},        // M -> I
        {"AAA", "AAG", 0, 1},        // K -> K
        {"TTA", "CTG", 0, 2},        // both orders pass through L
        {"TTA", "CCA", 1.5f, 0.5f},  // via CTA (L): 1 + 1; via TCA (S): 2 + 0
        {"TAT", "TGA", 2, 0},        // via TAA (stop) left out; via TGT: Y->C->stop
        {"CAT", "TGA", 2.75f, 0.25f},  // four of six orders avoid a stop
        {"TGG", "AAA", 2, 1},        // only the two orders through AGG count
        {"ATG", "---", 2, 1},        // intermediates have no amino acid
        {"ATG", "NTG", 1, 0},
        {"TGG", "TAA", 1, 1},        // every order meets a stop (TAG, TGA): all count, W->stop->stop
        {"ATG", "", 1, 2},           // a missing codon: M->nothing, then nothing->nothing twice
        {"ATG", "AC", 1.5f, 0.5f},   // via ACG (T): M->T->nothing; via "AT": M->nothing->nothing
    };
    const CodonTable standard(kStandard);
    for (const PairCase& c : cases) {
        float nonSyn = 0, syn = 0;
        ClassifyCodonDifferences(standard, c.codon1, c.codon2, nonSyn, syn);
        EXPECT_FLOAT_EQ(nonSyn, c.nonSyn) << c.codon1 << " " << c.codon2;
        EXPECT_FLOAT_EQ(syn, c.syn) << c.codon1 << " " << c.codon2;
    }
}

TEST(CodonSiteTable, HoldsTheSixDigitSitesOfEachCode) {
    struct Entry {
        int index;
        const char* codon;
        float N, S;
    };
    const Entry entries[] = {
        {0, "TTT", 2.66667f, 0.333333f}, {0, "CTA", 1.66667f, 1.33333f}, {0, "ATG", 3, 0},
        {0, "TAA", 2.33333f, 0.666667f}, {0, "TGA", 2.66667f, 0.333333f}, {0, "GGG", 2, 1},
        {1, "ATA", 2.66667f, 0.333333f}, {1, "AGA", 2.66667f, 0.333333f}, {1, "CGG", 2, 1},
        {2, "CTA", 2, 1},                {2, "TAA", 2.66667f, 0.333333f}, {3, "TGG", 2.66667f, 0.333333f},
        {4, "AGT", 2, 1},                {4, "ATA", 2.66667f, 0.333333f}, {5, "TGA", 3, 0},
        {5, "CAA", 2.33333f, 0.666667f}, {8, "AAG", 3, 0},                {8, "AAA", 2.33333f, 0.666667f},
        {8, "AGG", 2, 1},                {9, "TGC", 2.33333f, 0.666667f}, {9, "TAA", 2.66667f, 0.333333f},
        {10, "TAG", 2.66667f, 0.333333f}, {11, "CTG", 3, 0},              {11, "CTC", 2.33333f, 0.666667f},
        {11, "CTA", 2, 1},               {11, "TTG", 2.66667f, 0.333333f},
    };
    for (const Entry& e : entries) {
        const CodonSiteTable::Sites sites = CodonSiteTable(GeneticCode(e.index)).Of(e.codon);
        EXPECT_EQ(sites.N, e.N) << e.index << " " << e.codon;  // exact: the printed figures, not thirds
        EXPECT_EQ(sites.S, e.S) << e.index << " " << e.codon;
    }
    EXPECT_NE(CodonSiteTable(kStandard).Of("TTT").N, 8.0f / 3.0f);
    EXPECT_EQ(CodonSiteTable(kStandard).Of("---").N + CodonSiteTable(kStandard).Of("---").S, 0);
    EXPECT_EQ(CodonSiteTable(kStandard).Of("NTG").N, 0);
    EXPECT_EQ(CodonSiteTable(GeneticCode(6)).Of("ATG").N, 0);  // no table for an index outside the ten
}

TEST(CountCodonChanges, DefaultPairUnderTwoCodes) {
    const CodonChangeCounts standard = CountCodonChanges("ATGAAAAGA", "ATAAAGAGA", kStandard);
    EXPECT_EQ(standard.ok, 1);
    EXPECT_FLOAT_EQ(standard.n, 1);
    EXPECT_FLOAT_EQ(standard.s, 1);
    EXPECT_FLOAT_EQ(standard.N, 8);  // ATG 3, AAA 2.66667, AGA 2.33333
    EXPECT_FLOAT_EQ(standard.S, 1);
    EXPECT_FLOAT_EQ(standard.ratio, 0.125f);

    // Vertebrate mitochondrial: ATA is M, AGA a stop.
    const CodonChangeCounts mito = CountCodonChanges("ATGAAAAGA", "ATAAAGAGA", kMito);
    EXPECT_FLOAT_EQ(mito.n, 0);
    EXPECT_FLOAT_EQ(mito.s, 2);
    EXPECT_FLOAT_EQ(mito.N, 3 * 2.66667f);
    EXPECT_FLOAT_EQ(mito.S, 3 * 0.333333f);
    EXPECT_FLOAT_EQ(mito.ratio, 0);
}

TEST(CountCodonChanges, CaseUracilGapsAndUnknownCodons) {
    const CodonChangeCounts same = CountCodonChanges("ATGatgAUG", "atgAUGATG", kStandard);
    EXPECT_EQ(same.n + same.s, 0);
    EXPECT_FLOAT_EQ(same.N, 9);

    // "---" and N-codons of sequence 1 add no sites; "---" in sequence 2 is three differences.
    const CodonChangeCounts skipped = CountCodonChanges("---NNNATG", "ATGATG---", kStandard);
    EXPECT_EQ(skipped.ok, 1);
    EXPECT_FLOAT_EQ(skipped.N, 3);
    EXPECT_FLOAT_EQ(skipped.n, 2);
    EXPECT_FLOAT_EQ(skipped.s, 1);

    // A partly gapped codon ends the count and keeps what came before.
    for (const auto& [one, two] : {std::pair{"AAAAT-GGG", "AAGAAAGGG"}, std::pair{"AAAATGGGG", "AAGA-GGGG"}}) {
        const CodonChangeCounts partial = CountCodonChanges(one, two, kStandard);
        EXPECT_EQ(partial.ok, 0) << one << " " << two;
        EXPECT_FLOAT_EQ(partial.s, 1);
        EXPECT_FLOAT_EQ(partial.S, 0.333333f);  // GGG after the stop is not counted
        EXPECT_FLOAT_EQ(partial.ratio, 0);
    }
}

TEST(CountCodonChanges, LengthsAndEmptySequences) {
    const CodonChangeCounts empty = CountCodonChanges("", "", kStandard);
    EXPECT_EQ(empty.ok, 1);
    EXPECT_TRUE(std::isnan(empty.ratio));

    for (const auto& [one, two] : {std::pair{"ATGA", "ATG"}, std::pair{"ATG", "ATGAA"}}) {
        const CodonChangeCounts bad = CountCodonChanges(one, two, kStandard);
        EXPECT_EQ(bad.ok, 0);
        EXPECT_EQ(bad.n + bad.N + bad.s + bad.S + bad.ratio, 0);
    }

    // Sequence 2's extra codons are ignored; sequence 1's beyond its end meet an empty codon.
    const CodonChangeCounts longer = CountCodonChanges("ATG", "ATGCCC", kStandard);
    EXPECT_FLOAT_EQ(longer.n + longer.s, 0);
    const CodonChangeCounts shorter = CountCodonChanges("ATGCCC", "ATG", kStandard);
    EXPECT_FLOAT_EQ(shorter.n, 1);
    EXPECT_FLOAT_EQ(shorter.s, 2);
    EXPECT_TRUE(std::isinf(CountCodonChanges("ATGCCC", "ATACCC", kStandard).ratio));  // s = 0
}

TEST(CountCodonChanges, EachCodeUsesItsOwnTable) {
    // TAA -> CAA: stop -> Q in most codes, Q -> Q where TAA reads Q.
    for (GeneticCode code : kGeneticCodes) {
        const CodonChangeCounts counts = CountCodonChanges("TAA", "CAA", code);
        EXPECT_FLOAT_EQ(counts.s, code == GeneticCode::kCiliateNuclear ? 1 : 0) << IndexOf(code);
    }
    const std::string one = "ATGTGAAGAATACTGAAATTAGGG", two = "ATATGGAGGATGTCGAAGCTGGGA";
    const CodonChangeCounts standard = CountCodonChanges(one, two, kStandard);
    const CodonChangeCounts plastid = CountCodonChanges(one, two, GeneticCode::kBacterialPlastid);
    EXPECT_EQ(plastid.n, standard.n);
    EXPECT_EQ(plastid.S, standard.S);

    // Two codes counted at once on two threads keep apart.
    CodonChangeCounts a, b;
    std::thread first([&] { for (int i = 0; i < 200; ++i) a = CountCodonChanges(one, two, kStandard); });
    std::thread second([&] { for (int i = 0; i < 200; ++i) b = CountCodonChanges(one, two, kMito); });
    first.join();
    second.join();
    EXPECT_EQ(a.n, standard.n);
    EXPECT_EQ(b.n, CountCodonChanges(one, two, kMito).n);
    EXPECT_NE(a.n, b.n);
}

}  // namespace
}  // namespace tulvarine
