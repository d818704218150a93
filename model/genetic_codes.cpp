#include "model/genetic_codes.h"

#include <vector>

namespace tulvarine {

const std::array<std::string_view, 10> kGeneticCodeCaptions = {
    "The Standard Code",
    "Vertebrate Mitochondrial Code",
    "Yeast Mitochondrial Code",
    "Mold, Protozoan, and Coelenterate Mitochondrial Code",
    "Invertebrate Mitochondrial Code",
    "Ciliate, Dasycladacean and Hexamita Nuclear Code",
    "Echinoderm and Flatworm Mitochondrial Code",
    "Euplotid Nuclear Code",
    "Bacterial, Archaeal and Plant Plastid Code",
    "Alternative Yeast Nuclear Code",
};

namespace {

constexpr char kBases[] = "TCAG";
constexpr unsigned kGap = 4, kOther = 5;

// Base codes: T C A G in either case 0..3, "-" 4, anything else 5. Three codes
// of three bits each make the table key.
constexpr std::array<unsigned char, 256> MakeBaseCodes() {
    std::array<unsigned char, 256> codes{};
    for (auto& code : codes) code = kOther;
    for (unsigned i = 0; i < 4; ++i) {
        codes[static_cast<unsigned char>(kBases[i])] = static_cast<unsigned char>(i);
        codes[static_cast<unsigned char>(kBases[i] - 'A' + 'a')] = static_cast<unsigned char>(i);
    }
    codes['-'] = kGap;
    return codes;
}
constexpr std::array<unsigned char, 256> kBaseCodes = MakeBaseCodes();

// The standard code (NCBI table 1), first base slowest, then second, then
// third, each running T, C, A, G.
constexpr std::string_view kStandard = "FFLLSSSSYY**CC*WLLLLPPPPHHQQRRRRIIIMTTTTNNKKSSRRVVVVAAAADDEEGGGG";

struct CodonChange {
    std::string_view codon;
    char aminoAcid;
};

// How each stored table differs from the standard code.
std::vector<CodonChange> ChangesOf(int index) {
    switch (index) {
    case 1: return {{"AGA", '*'}, {"AGG", '*'}, {"ATA", 'M'}, {"TGA", 'W'}};
    case 2: return {{"ATA", 'M'}, {"CTT", 'T'}, {"CTC", 'T'}, {"CTA", 'T'}, {"CTG", 'T'}, {"TGA", 'W'}};
    case 3: return {{"TGA", 'W'}};
    case 4: return {{"AGA", 'S'}, {"AGG", 'S'}, {"ATA", 'M'}, {"TGA", 'W'}};
    case 5: return {{"TAA", 'Q'}, {"TAG", 'Q'}};
    case 8: return {{"AAA", 'N'}, {"AGA", 'S'}, {"AGG", 'S'}, {"TGA", 'W'}};
    case 9: return {{"TGA", 'C'}};
    case 11: return {{"CTG", 'S'}};
    default: return {};  // the standard code: index 0, 10 and every index without a table
    }
}

unsigned StandardOrder(unsigned b1, unsigned b2, unsigned b3) { return b1 * 16 + b2 * 4 + b3; }

}  // namespace

unsigned CodonTable::Key(const char* c) {
    return (unsigned(kBaseCodes[static_cast<unsigned char>(c[0])]) << 6) |
           (unsigned(kBaseCodes[static_cast<unsigned char>(c[1])]) << 3) |
           unsigned(kBaseCodes[static_cast<unsigned char>(c[2])]);
}

CodonTable::CodonTable(GeneticCode code) {
    for (unsigned b1 = 0; b1 < 4; ++b1)
        for (unsigned b2 = 0; b2 < 4; ++b2)
            for (unsigned b3 = 0; b3 < 4; ++b3)
                cells_[(b1 << 6) | (b2 << 3) | b3] = kStandard[StandardOrder(b1, b2, b3)];
    for (const CodonChange& change : ChangesOf(IndexOf(code)))
        cells_[Key(change.codon.data())] = change.aminoAcid;
    cells_[(kGap << 6) | (kGap << 3) | kGap] = '-';
    // The other strand: only bases have bases as complements (T-A and C-G swap
    // codes 0-2 and 1-3), and the complement of anything else, "-" included,
    // is no base, so such a codon has no letter.
    for (unsigned b1 = 0; b1 < 4; ++b1)
        for (unsigned b2 = 0; b2 < 4; ++b2)
            for (unsigned b3 = 0; b3 < 4; ++b3)
                reverseCells_[(b1 << 6) | (b2 << 3) | b3] = cells_[((b3 ^ 2) << 6) | ((b2 ^ 2) << 3) | (b1 ^ 2)];
}

const CodonTable& CodonTableFor(GeneticCode code) {
    static const std::array<CodonTable, 12> tables = [] {
        std::array<CodonTable, 12> all{CodonTable(GeneticCode{0}), CodonTable(GeneticCode{1}), CodonTable(GeneticCode{2}),
                                       CodonTable(GeneticCode{3}), CodonTable(GeneticCode{4}), CodonTable(GeneticCode{5}),
                                       CodonTable(GeneticCode{6}), CodonTable(GeneticCode{7}), CodonTable(GeneticCode{8}),
                                       CodonTable(GeneticCode{9}), CodonTable(GeneticCode{10}), CodonTable(GeneticCode{11})};
        return all;
    }();
    const int index = IndexOf(code);
    const bool known = index >= 0 && index < int(tables.size());
    return tables[known ? std::size_t(index) : 0];
}

char* TranslateCodons(std::string_view bases, const CodonTable& table, char filler, char* out) {
    const std::size_t codons = bases.size() / 3;
    const char* codon = bases.data();
    for (std::size_t i = 0; i < codons; ++i, codon += 3) {
        const char aminoAcid = table.Translate(codon);
        out[i] = aminoAcid ? aminoAcid : filler;
    }
    return out + codons;
}

char* TranslateReverseCodons(std::string_view bases, const CodonTable& table, char filler, char* out) {
    const std::size_t codons = bases.size() / 3;
    const char* codon = bases.data() + 3 * codons;
    for (std::size_t i = 0; i < codons; ++i) {
        codon -= 3;
        const char aminoAcid = table.TranslateReverse(codon);
        out[i] = aminoAcid ? aminoAcid : filler;
    }
    return out + codons;
}

void AppendTranslation(std::string_view bases, const CodonTable& table, std::string_view filler,
                       std::string& out) {
    const std::size_t codons = bases.size() / 3;
    const char* codon = bases.data();
    if (filler.size() == 1) {  // one letter per codon: write in place
        const std::size_t start = out.size();
        out.resize(start + codons);
        TranslateCodons(bases, table, filler[0], out.data() + start);
        return;
    }
    out.reserve(out.size() + codons);
    for (std::size_t i = 0; i < codons; ++i, codon += 3) {
        const char aminoAcid = table.Translate(codon);
        if (aminoAcid) out.push_back(aminoAcid);
        else out.append(filler);
    }
}

std::string CodonTable::TableText() const {
    std::string text;
    text.reserve(453);
    for (unsigned b2 = 0; b2 < 4; ++b2)
        for (unsigned b1 = 0; b1 < 4; ++b1)
            for (unsigned b3 = 0; b3 < 4; ++b3) {
                const char codon[3] = {kBases[b1], kBases[b2], kBases[b3]};
                text.append(codon, 3);
                text.push_back(' ');
                text.push_back(Translate(codon));
                text.append("\r\n");
            }
    text.append("--- -");
    return text;
}

}  // namespace tulvarine
