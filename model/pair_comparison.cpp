#include "model/pair_comparison.h"

#include <algorithm>
#include <cmath>

#include "model/genetic_codes.h"
#include "model/numbers.h"
#include "model/text.h"

namespace tulvarine {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr char kNoMarker = ' ';

bool IsContinuationByte(unsigned char b) { return (b & 0xC0) == 0x80; }

// Collects the marks of one box, joining a mark to the one before when it
// follows it directly in the box and has its colour.
class MarkCollector {
public:
    MarkCollector(const BoxResidues& box, std::vector<BoxMark>& marks) : box_(box), marks_(marks) {}

    // Marks the box character of residue byte k, when the box has that byte.
    void Mark(std::size_t k, MarkColour colour) {
        if (k >= box_.residues.size()) return;
        const std::uint32_t start = box_.boxPositions[k];
        if (!marks_.empty()) {
            BoxMark& last = marks_.back();
            if (start < last.start + last.length) return;  // a later byte of a character already marked
            if (last.colour == colour && start == last.start + last.length) {
                last.length += Width(k);
                return;
            }
        }
        marks_.push_back({start, Width(k), colour});
    }

private:
    // UTF-16 units of the character that residue byte k belongs to.
    std::uint32_t Width(std::size_t k) const {
        while (k > 0 && IsContinuationByte(static_cast<unsigned char>(box_.residues[k]))) --k;
        return static_cast<unsigned char>(box_.residues[k]) >= 0xF0 ? 2 : 1;
    }

    const BoxResidues& box_;
    std::vector<BoxMark>& marks_;
};

std::string Upper(std::string_view text) { return ToUpperAscii(text); }

// The codon of the cells of columns first..first+2 of a row (short past its
// end), as the codon record stores it: line breaks and blanks dropped.
std::string CellCodon(const std::string& row, std::size_t first) {
    std::string codon = first < row.size() ? row.substr(first, 3) : std::string();
    RemoveLineBreaksAndBlanks(codon);
    return codon;
}

// A whole codon's amino acid (the filler "X" when the table does not hold
// it); a short codon translates to nothing.
std::string_view Translation(const CodonTable& table, const std::string& codon, char& scratch) {
    if (codon.size() != 3) return {};
    const char aminoAcid = table.Translate(codon.data());
    scratch = aminoAcid ? aminoAcid : 'X';
    return {&scratch, 1};
}

std::string ReportLine(std::string_view label, std::string_view value) {
    std::string line(label);
    line.resize(41, ' ');
    line += value;
    return line;
}

std::string Report(std::size_t differences, std::string_view s, std::string_view n, std::string_view S,
                   std::string_view N, std::string_view ratio) {
    std::string report = ReportLine("No. of mutations identified:", IntToText((long long)differences));
    report += kLineEnd;
    report += std::string(42, '*');
    report += kLineEnd;
    report += ReportLine("No. of sysnonymous mutations (s):", s);
    report += kLineEnd;
    report += ReportLine("No. of non-sysnonymous mutations (n):", n);
    report += kLineEnd;
    report += ReportLine("No. of total sysnonymous sites (S):", S);
    report += kLineEnd;
    report += ReportLine("No. of total non-sysnonymous sites (N):", N);
    report += kLineEnd;
    report += ReportLine("Estimated (n/N)/(s/S):", ratio);
    return report;
}

void CompareBases(PairComparison& result, const BoxResidues& one, const BoxResidues& two) {
    MarkCollector marks1(one, result.marks1), marks2(two, result.marks2);
    const std::size_t columns = result.Columns();
    const std::size_t shorter = std::min(result.row1.size(), result.row2.size());
    for (std::size_t j = 0; j < columns; ++j) {
        if (j < shorter && result.row1[j] == result.row2[j]) continue;  // a column past one end always differs
        result.markers[j] = '*';
        marks1.Mark(j, MarkColour::Red);
        marks2.Mark(j, MarkColour::Red);
        ++result.differences;
    }
    result.report = DnaReport(result.differences);
}

void CompareCodons(PairComparison& result, const BoxResidues& one, const BoxResidues& two, GeneticCode code) {
    MarkCollector marks1(one, result.marks1), marks2(two, result.marks2);
    const CodonTable table(code);
    const std::size_t codons = result.Columns() / 3;
    for (std::size_t i = 0; i < codons; ++i) {
        const std::size_t first = 3 * i;
        const bool whole = first + 3 <= result.row1.size() && first + 3 <= result.row2.size();
        if (whole && result.row1.compare(first, 3, result.row2, first, 3) == 0) continue;
        const std::string codon1 = CellCodon(result.row1, first), codon2 = CellCodon(result.row2, first);
        if (codon1 == codon2) continue;
        ++result.differences;
        char scratch1 = 0, scratch2 = 0;
        const bool synonymous = Translation(table, codon1, scratch1) == Translation(table, codon2, scratch2);
        const MarkColour colour = synonymous ? MarkColour::Blue : MarkColour::Red;
        std::fill_n(result.markers.begin() + std::ptrdiff_t(first), 3, synonymous ? '@' : '#');
        for (std::size_t k = first; k < first + 3; ++k) marks1.Mark(k, colour);
        for (std::size_t k = first; k < first + 3; ++k) marks2.Mark(k, colour);
    }
    result.counts = CountCodonChanges(one.residues, two.residues, code);
    if (!result.counts.ok) {
        result.codonLengthFailed = true;
        return;
    }
    const CodonChangeCounts& c = result.counts;
    const std::string ratio = std::isfinite(c.ratio) ? FloatToText(c.ratio) : std::string("NA");
    result.report = Report(result.differences, FloatToText(c.s), FloatToText(c.n), FloatToText(c.S),
                           FloatToText(c.N), ratio);
}

void ReportSequenceDifferences(PairComparison& result, const BoxResidues& one, const BoxResidues& two,
                               const PairComparisonSettings& settings) {
    if (settings.mode == PairCompareMode::Dna) CompareBases(result, one, two);
    else CompareCodons(result, one, two, settings.code);
}

}  // namespace

BoxResidues CleanBoxText(std::string_view text) {
    BoxResidues box;
    box.residues.reserve(text.size());
    box.boxPositions.reserve(text.size());
    std::uint32_t unit = 0, charStart = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char b = static_cast<unsigned char>(text[i]);
        if (b == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;  // one break with its LF
        if (b == '\n' || b == ' ') {
            ++unit;
            continue;
        }
        if (text.compare(i, kFullWidthBlank.size(), kFullWidthBlank) == 0) {
            ++unit;
            i += kFullWidthBlank.size() - 1;
            continue;
        }
        if (!IsContinuationByte(b)) {
            charStart = unit;
            unit += b >= 0xF0 ? 2 : 1;  // beyond the 16-bit plane: a surrogate pair
        }
        box.residues.push_back(char(b));
        box.boxPositions.push_back(charStart);
    }
    return box;
}

std::string DnaReport(std::size_t differences) { return Report(differences, "0", "0", "0", "0", "NA"); }

PairComparison CompareSequencePair(const PairComparisonSettings& settings) {
    PairComparison result;
    const BoxResidues one = CleanBoxText(settings.box1), two = CleanBoxText(settings.box2);
    if (one.residues.empty() && two.residues.empty()) return result;
    result.compared = true;
    result.row1 = Upper(one.residues);
    result.row2 = Upper(two.residues);
    result.markers.assign(std::max(result.row1.size(), result.row2.size()), kNoMarker);
    ReportSequenceDifferences(result, one, two, settings);
    return result;
}

std::string CodonTableText(const PairComparison& comparison) {
    std::string text;
    const std::size_t codons = comparison.Columns() / 3;
    text.reserve(codons * 16);
    auto cells = [](const std::string& row, std::size_t first) {
        return first < row.size() ? std::string_view(row).substr(first, 3) : std::string_view();
    };
    for (std::size_t i = 0; i < codons; ++i) {
        const std::size_t first = 3 * i;
        text += IntToText((long long)(i + 1));
        text += '\t';
        text += cells(comparison.row1, first);
        text += '\t';
        text += cells(comparison.row2, first);
        text += '\t';
        const char marker = comparison.markers[first];
        text += marker == '@' ? 'S' : marker == '#' ? 'N' : '-';
        text += kLineEnd;
    }
    return text;
}

}  // namespace tulvarine
