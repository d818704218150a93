// The comparison of the two sequences of "Cmp-2Seq": base by base (DNA mode)
// or codon by codon (codon mode), as the viewer grid shows it, the marks the
// two boxes get, and the report. No Qt: the page reads its controls into the
// settings, runs CompareSequencePair on a worker and shows the result.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/codon_changes.h"

namespace tulvarine {

enum class PairCompareMode { Dna = 1, Codon = 2 };

struct PairComparisonSettings {
    std::string box1;  // text of box 1 as UTF-8 bytes, line breaks LF (a CR before an LF is part of the break)
    std::string box2;  // text of box 2, the same way
    PairCompareMode mode = PairCompareMode::Dna;
    GeneticCode code = GeneticCode::kStandard;  // codon mode: the code that translates and counts
};

enum class MarkColour { Red, Blue };

// A stretch of a box to mark, counted in the box's characters (UTF-16 units,
// as a text cursor counts them), line breaks and blanks included.
struct BoxMark {
    std::uint32_t start = 0;
    std::uint32_t length = 0;
    MarkColour colour = MarkColour::Red;
};

// What one comparison shows. Columns count from 0 here; the grid shows column
// j as column j + 1.
struct PairComparison {
    bool compared = false;  // false when neither box holds a residue: nothing is shown
    std::string row1;       // sequence 1, one upper-cased byte per column
    std::string row2;       // sequence 2
    std::string markers;    // one per column: ' ' (none), '*' (DNA), '@' or '#' (codon)
    std::vector<BoxMark> marks1;  // in box 1, in order, adjacent marks of one colour joined
    std::vector<BoxMark> marks2;
    std::size_t differences = 0;  // differing columns (DNA) or codons (codon)
    CodonChangeCounts counts;     // codon mode only
    bool codonLengthFailed = false;  // codon mode: a length not a multiple of 3 or a partly gapped codon
    std::string report;  // seven lines joined by CR LF; empty when codonLengthFailed

    std::size_t Columns() const { return markers.size(); }
};

// A box's residues: its text without line breaks and blanks (ASCII space,
// U+3000), and for each byte kept the box character it came from. Tabs and a
// CR not followed by LF stay.
struct BoxResidues {
    std::string residues;
    std::vector<std::uint32_t> boxPositions;  // per byte of residues
};
BoxResidues CleanBoxText(std::string_view boxText);

// Runs one comparison.
PairComparison CompareSequencePair(const PairComparisonSettings& settings);

// The report of a DNA-mode run with this count (with 0, the report box's first text).
std::string DnaReport(std::size_t differences);

// The codon table of a comparison as "Save2TxT" writes it: per whole column
// triple i, "i TAB codon1 TAB codon2 TAB flag CR LF", the flag "S" for a
// synonymous mark, "N" for a non-synonymous one, "-" otherwise. A codon past
// the end of its sequence is short or empty.
std::string CodonTableText(const PairComparison& comparison);

}  // namespace tulvarine
