#include <gtest/gtest.h>

#include "model/genetic_codes.h"
#include "model/sequence.h"

namespace tulvarine {
namespace {

// The published NCBI amino-acid strings (ncbieaa), codons ordered with the first
// base slowest, then the second, then the third, each running T C A G.
struct Published {
    int index;
    const char* aminoAcids;
};
constexpr Published kNcbi[] = {
    {0, "FFLLSSSSYY**CC*WLLLLPPPPHHQQRRRRIIIMTTTTNNKKSSRRVVVVAAAADDEEGGGG"},
    {1, "FFLLSSSSYY**CCWWLLLLPPPPHHQQRRRRIIMMTTTTNNKKSS**VVVVAAAADDEEGGGG"},
    {2, "FFLLSSSSYY**CCWWTTTTPPPPHHQQRRRRIIMMTTTTNNKKSSRRVVVVAAAADDEEGGGG"},
    {3, "FFLLSSSSYY**CCWWLLLLPPPPHHQQRRRRIIIMTTTTNNKKSSRRVVVVAAAADDEEGGGG"},
    {4, "FFLLSSSSYY**CCWWLLLLPPPPHHQQRRRRIIMMTTTTNNKKSSSSVVVVAAAADDEEGGGG"},
    {5, "FFLLSSSSYYQQCC*WLLLLPPPPHHQQRRRRIIIMTTTTNNKKSSRRVVVVAAAADDEEGGGG"},
    {8, "FFLLSSSSYY**CCWWLLLLPPPPHHQQRRRRIIIMTTTTNNNKSSSSVVVVAAAADDEEGGGG"},
    {9, "FFLLSSSSYY**CCCWLLLLPPPPHHQQRRRRIIIMTTTTNNKKSSRRVVVVAAAADDEEGGGG"},
    {10, "FFLLSSSSYY**CC*WLLLLPPPPHHQQRRRRIIIMTTTTNNKKSSRRVVVVAAAADDEEGGGG"},
    {11, "FFLLSSSSYY**CC*WLLLSPPPPHHQQRRRRIIIMTTTTNNKKSSRRVVVVAAAADDEEGGGG"},
};

std::string Codon(int n) {
    const char* bases = "TCAG";
    return {bases[n / 16], bases[(n / 4) % 4], bases[n % 4]};
}

TEST(GeneticCodes, EveryTableAgreesWithTheNcbiList) {
    for (const Published& code : kNcbi) {
        const CodonTable& table = CodonTableFor(GeneticCode{code.index});
        for (int n = 0; n < 64; ++n) {
            const std::string codon = Codon(n);
            EXPECT_EQ(table.Translate(codon), code.aminoAcids[n]) << "index " << code.index << " codon " << codon;
            std::string lower = codon;
            for (char& c : lower) c = char(c - 'A' + 'a');
            EXPECT_EQ(table.Translate(lower), code.aminoAcids[n]);
        }
    }
}

TEST(GeneticCodes, IndicesWithoutATableUseTheStandardCode) {
    for (int index : {6, 7, 12, 20, -1}) {
        EXPECT_EQ(CodonTableFor(GeneticCode{index}).Translate("TGA"), '*') << index;
        EXPECT_EQ(CodonTableFor(GeneticCode{index}).TableText(), CodonTableFor(GeneticCode{0}).TableText());
    }
}

TEST(GeneticCodes, TableTextHasTheStoredForm) {
    const std::string text = CodonTableFor(GeneticCode{0}).TableText();
    ASSERT_EQ(text.size(), 453u);
    EXPECT_EQ(text.substr(0, 7), "TTT F\r\n");
    EXPECT_EQ(text.substr(7, 7), "TTC F\r\n");
    EXPECT_EQ(text.substr(4 * 7, 7), "CTT L\r\n");  // second base slowest, then first
    EXPECT_EQ(text.substr(16 * 7, 7), "TCT S\r\n");
    EXPECT_EQ(text.substr(63 * 7, 7), "GGG G\r\n");
    EXPECT_EQ(text.substr(448), "--- -");
    EXPECT_NE(CodonTableFor(GeneticCode{11}).TableText().find("CTG S"), std::string::npos);
}

TEST(GeneticCodes, CaptionsComeInTheFixedOrder) {
    EXPECT_EQ(kGeneticCodeCaptions.front(), "The Standard Code");
    EXPECT_EQ(kGeneticCodeCaptions[6], "Echinoderm and Flatworm Mitochondrial Code");
    EXPECT_EQ(IndexOf(kGeneticCodes[6]), 8);
    EXPECT_EQ(kGeneticCodeCaptions.back(), "Alternative Yeast Nuclear Code");
}

Sequence Of(std::string text) {
    Sequence sequence;
    sequence.SetText(std::move(text));
    return sequence;
}

TEST(Translate, RunsThroughStopsAndIgnoresAPartialCodon) {
    EXPECT_EQ(Of("ATGTTTTAAGG").Translate(), "MF*");
    EXPECT_EQ(Of("atgtga").Translate(GeneticCode{1}), "MW");
    EXPECT_EQ(Of("atgtga").Translate(GeneticCode{9}), "MC");
    for (int index : {0, 6, 7, 20}) EXPECT_EQ(Of("atgtga").Translate(GeneticCode{index}), "M*");
    EXPECT_EQ(Of("CTGCTG").Translate(GeneticCode{0}), "LL");
    EXPECT_EQ(Of("CTGCTG").Translate(GeneticCode{2}), "TT");
    EXPECT_EQ(Of("CTGCTG").Translate(GeneticCode{11}), "SS");
    EXPECT_EQ(Of("TAA").Translate(GeneticCode{5}), "Q");
}

TEST(Translate, CodonsNoTableHoldsGiveTheFiller) {
    EXPECT_EQ(Of("AUGUUU").Translate(), "XX");
    EXPECT_EQ(Of("ATG---AAN").Translate(), "M-X");
    EXPECT_EQ(Of("ATGA--").Translate(), "MX");
    EXPECT_EQ(Of("ATGNNN").Translate(GeneticCode{0}, "? ?"), "M??");
    EXPECT_EQ(Of("NNNATG").Translate(GeneticCode{0}, ""), "M");
}

TEST(Translate, FramesAndStrands) {
    EXPECT_EQ(Of("ATGAAAT").Translate(GeneticCode{0}, "X", 2), "*N");
    EXPECT_EQ(Of("AAACAT").Translate(GeneticCode{0}, "X", 1, true), "MF");
    EXPECT_EQ(Of("AAACAT").Translate(GeneticCode{0}, "X", 3, true), "V");
    for (const char* text : {"", "A", "AT"})
        for (int frame = 1; frame <= 3; ++frame) {
            EXPECT_EQ(Of(text).Translate(GeneticCode{0}, "X", frame), "");
            EXPECT_EQ(Of(text).Translate(GeneticCode{0}, "X", frame, true), "");
        }
    EXPECT_EQ(Of("ATG").Translate(GeneticCode{0}, "X", 0), "M");  // a frame below 1 reads as frame 1
}

}  // namespace
}  // namespace tulvarine
