// Synonymous and non-synonymous differences between two aligned coding
// sequences, and the sites they are set against: the pathway count of the
// codon mode of "Cmp-2Seq". Sites come from sequence 1 alone.
//
// Every call builds its own tables from its genetic code, so calls under
// different codes may run on several threads at once.
#pragma once

#include <array>
#include <string_view>

#include "model/genetic_codes.h"

namespace tulvarine {

// The result of one count. Sums are kept in single precision, each addition
// rounded to a float.
struct CodonChangeCounts {
    float n = 0;      // non-synonymous differences
    float N = 0;      // non-synonymous sites of sequence 1
    float s = 0;      // synonymous differences
    float S = 0;      // synonymous sites of sequence 1
    float ratio = 0;  // (n/N)/(s/S) with no guard: a zero divisor gives infinity or NaN
    int ok = 1;       // 0: a length is not a multiple of 3, or a codon is partly gapped
};

// The non-synonymous and synonymous sites of every codon under one code. A
// codon's synonymous sites are the single-base changes that keep its amino
// acid (a stop counts as one more letter), divided by 3; the values are those
// of their six-digit texts ("2.66667", not 8/3).
class CodonSiteTable {
public:
    struct Sites {
        float N = 0;
        float S = 0;
    };

    // A value outside the ten codes gives a table that holds no codon.
    explicit CodonSiteTable(GeneticCode code);

    // The sites of a codon of T, C, A, G (upper case); {0, 0} for any other codon.
    Sites Of(const char* codon) const;

private:
    std::array<Sites, 64> sites_{};
};

// Adds to nonSyn and syn the split of the differences of codon1 (three bytes)
// and codon2 (three bytes, or fewer when sequence 2 ended): one step per
// differing position, averaged over the orders in which the changes can be
// made, leaving out orders that pass through a stop. A missing byte of codon2
// differs from any byte. When every order passes through a stop, all of them
// count, the stops taken as one more amino acid. Codons are upper case, "U"
// already "T"; a codon the table does not hold has no amino acid.
void ClassifyCodonDifferences(const CodonTable& table, std::string_view codon1, std::string_view codon2,
                              float& nonSyn, float& syn);

// Counts codon by codon, sequence 1's codons against those of sequence 2 at the
// same place (sequence 2's extra codons are ignored; a missing one is empty).
// Case is ignored and "U" read as "T". A codon of sequence 1 that is all gaps
// or holds a byte other than A, C, G, T adds nothing; a partly gapped codon in
// either sequence ends the count with ok = 0, keeping the sums before it.
CodonChangeCounts CountCodonChanges(std::string_view sequence1, std::string_view sequence2, GeneticCode code);

}  // namespace tulvarine
