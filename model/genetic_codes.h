// The ten genetic codes of the program and codon-to-amino-acid translation.
//
// A genetic code is named by its index, the NCBI translation-table number
// minus 1. Nine amino-acid tables are stored; index 10 (table 11) uses the
// standard one, and every index without a table of its own (6, 7, 12 and
// above, negative) too.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace tulvarine {

// A genetic code, as a type of its own so that it cannot be swapped silently
// with a length, a frame or a mode. Its value is the code's index.
enum class GeneticCode : int {
    kStandard = 0,
    kVertebrateMitochondrial = 1,
    kYeastMitochondrial = 2,
    kMoldMitochondrial = 3,
    kInvertebrateMitochondrial = 4,
    kCiliateNuclear = 5,
    kEchinodermMitochondrial = 8,
    kEuplotidNuclear = 9,
    kBacterialPlastid = 10,
    kAlternativeYeastNuclear = 11,
};
constexpr int IndexOf(GeneticCode code) { return static_cast<int>(code); }

// The codes offered on every page, in their fixed order, and their captions.
inline constexpr std::array<GeneticCode, 10> kGeneticCodes = {
    GeneticCode::kStandard,          GeneticCode::kVertebrateMitochondrial, GeneticCode::kYeastMitochondrial,
    GeneticCode::kMoldMitochondrial, GeneticCode::kInvertebrateMitochondrial, GeneticCode::kCiliateNuclear,
    GeneticCode::kEchinodermMitochondrial, GeneticCode::kEuplotidNuclear, GeneticCode::kBacterialPlastid,
    GeneticCode::kAlternativeYeastNuclear};
extern const std::array<std::string_view, 10> kGeneticCodeCaptions;

// Translates codons by lookup. A codon is three bytes; T, C, A and G in either
// case are bases ("U" is not read as "T"), "---" translates to "-", and any
// other codon has no amino acid.
class CodonTable {
public:
    explicit CodonTable(GeneticCode code);

    // The amino-acid letter of the codon at c, or 0 when the table does not hold it.
    char Translate(const char* c) const { return cells_[Key(c)]; }
    // The amino-acid letter of a codon such as "ATG" (ASCII case ignored).
    char Translate(std::string_view codon) const { return codon.size() == 3 ? Translate(codon.data()) : 0; }
    // The letter of the codon on the other strand: the reverse complement of
    // the three bytes at c (as Sequence::ReverseComplement makes it); 0 when
    // the table does not hold it.
    char TranslateReverse(const char* c) const { return reverseCells_[Key(c)]; }

    // The 453-byte table text: 64 lines "TTT F" joined by CRLF in the order
    // TTT, TTC, TTA, TTG, CTT, ... (second base slowest, then first, then
    // third), then "--- -" with no line end.
    std::string TableText() const;

private:
    static unsigned Key(const char* c);

    std::array<char, 512> cells_{};
    std::array<char, 512> reverseCells_{};
};

// Appends the translation of the whole codons of bases to out (a last codon of
// one or two bytes is not translated); a codon the table does not hold gives filler.
void AppendTranslation(std::string_view bases, const CodonTable& table, std::string_view filler,
                       std::string& out);

// Writes the translation of the whole codons of bases at out, one letter per
// codon (filler where the table holds none); returns the byte after the last.
char* TranslateCodons(std::string_view bases, const CodonTable& table, char filler, char* out);

// As TranslateCodons, for the reverse complement of bases (whose size is a
// multiple of 3): its codons are read from the end of bases backwards.
char* TranslateReverseCodons(std::string_view bases, const CodonTable& table, char filler, char* out);

// The table of a genetic code, built once and shared (read-only).
const CodonTable& CodonTableFor(GeneticCode code);

}  // namespace tulvarine
