#include "model/codon_changes.h"

#include <algorithm>
#include <cstddef>
#include <vector>

#include "model/numbers.h"
#include "model/text.h"

namespace tulvarine {

namespace {

constexpr char kBases[] = "TCAG";
constexpr unsigned char kNoBase = 4;

// Upper-case T, C, A, G to 0..3 in the order of the stored tables; anything else kNoBase.
constexpr std::array<unsigned char, 256> MakeBaseRanks() {
    std::array<unsigned char, 256> ranks{};
    for (auto& rank : ranks) rank = kNoBase;
    for (unsigned char i = 0; i < 4; ++i) ranks[static_cast<unsigned char>(kBases[i])] = i;
    return ranks;
}
constexpr std::array<unsigned char, 256> kBaseRanks = MakeBaseRanks();

unsigned Rank(char base) { return kBaseRanks[static_cast<unsigned char>(base)]; }

bool IsKnownCode(GeneticCode code) { return std::find(kGeneticCodes.begin(), kGeneticCodes.end(), code) != kGeneticCodes.end(); }

// A value as its six-digit text reads back in single precision: the sums use
// the rounded figures, as the printed tables have them.
float SixDigits(double value) { return static_cast<float>(TextToDouble(FloatToText(static_cast<float>(value)))); }

// A codon of up to three bytes; a byte past size is missing.
struct Codon {
    char bytes[3] = {0, 0, 0};
    std::size_t size = 0;
};

// The amino acid of a whole codon, 0 (no amino acid) when a byte is missing
// or the table does not hold it.
char AminoAcid(const CodonTable& table, const Codon& codon) {
    return codon.size == 3 ? table.Translate(codon.bytes) : char(0);
}

bool SameAt(const Codon& a, const Codon& b, std::size_t p) {
    const bool inA = p < a.size, inB = p < b.size;
    return inA == inB && (!inA || a.bytes[p] == b.bytes[p]);
}

// codon with position p taken from source (a missing byte there cuts the codon short).
void TakeFrom(Codon& codon, const Codon& source, std::size_t p) {
    codon.bytes[p] = p < source.size ? source.bytes[p] : char(0);
    if (p >= source.size) codon.size = std::min(codon.size, p);
}

struct StepCounts {
    int paths = 0;
    int nonSyn = 0;
    int syn = 0;
};

// Walks every order of the differing positions from codon1 to codon2; with
// skipStops an order through a stop codon (before the last step) is left out.
StepCounts WalkPathways(const CodonTable& table, const Codon& codon1, const Codon& codon2,
                        std::array<std::size_t, 3> order, std::size_t d, bool skipStops) {
    StepCounts counts;
    const char first = AminoAcid(table, codon1);
    do {
        Codon current = codon1;
        char previous = first;
        int nonSyn = 0, syn = 0;
        bool throughStop = false;
        for (std::size_t step = 0; step < d; ++step) {
            TakeFrom(current, codon2, order[step]);
            const char next = AminoAcid(table, current);
            if (step + 1 < d && next == '*') throughStop = true;
            (next == previous ? syn : nonSyn) += 1;
            previous = next;
        }
        if (skipStops && throughStop) continue;
        ++counts.paths;
        counts.nonSyn += nonSyn;
        counts.syn += syn;
    } while (std::next_permutation(order.begin(), order.begin() + std::ptrdiff_t(d)));
    return counts;
}

void Classify(const CodonTable& table, const Codon& codon1, const Codon& codon2, float& nonSyn, float& syn) {
    std::array<std::size_t, 3> differing{};
    std::size_t d = 0;
    for (std::size_t p = 0; p < 3; ++p)
        if (!SameAt(codon1, codon2, p)) differing[d++] = p;
    if (d == 0) return;
    StepCounts counts = WalkPathways(table, codon1, codon2, differing, d, true);
    if (counts.paths == 0) counts = WalkPathways(table, codon1, codon2, differing, d, false);
    nonSyn += static_cast<float>(double(counts.nonSyn) / counts.paths);
    syn += static_cast<float>(double(counts.syn) / counts.paths);
}

// Up to three bytes at text + offset, upper-cased, "U" read as "T".
Codon CodonAt(std::string_view text, std::size_t offset) {
    Codon codon;
    if (offset >= text.size()) return codon;
    codon.size = std::min<std::size_t>(3, text.size() - offset);
    for (std::size_t p = 0; p < codon.size; ++p) {
        const char c = AsciiUpper(text[offset + p]);
        codon.bytes[p] = c == 'U' ? 'T' : c;
    }
    return codon;
}

// All gaps or none: a codon of one or two gaps stops the count.
bool PartlyGapped(const Codon& codon) {
    const auto gaps = std::size_t(std::count(codon.bytes, codon.bytes + codon.size, '-'));
    return (codon.size - gaps) % 3 != 0;
}

// The rank of a codon of T, C, A, G (0..63), or 64 for any other codon.
unsigned CodonRank(const Codon& codon) {
    if (codon.size != 3) return 64;
    const unsigned b1 = Rank(codon.bytes[0]), b2 = Rank(codon.bytes[1]), b3 = Rank(codon.bytes[2]);
    if (b1 == kNoBase || b2 == kNoBase || b3 == kNoBase) return 64;
    return (b1 << 4) | (b2 << 2) | b3;
}

// The splits of the codon pairs of bases met so far: a long sequence meets
// each of the 4096 pairs many times.
class SplitCache {
public:
    explicit SplitCache(const CodonTable& table) : table_(table), splits_(64 * 64) {}

    void Add(unsigned rank1, unsigned rank2, const Codon& codon1, const Codon& codon2, float& nonSyn, float& syn) {
        Split& split = splits_[rank1 * 64 + rank2];
        if (!split.known) {
            Classify(table_, codon1, codon2, split.nonSyn, split.syn);
            split.known = true;
        }
        nonSyn += split.nonSyn;
        syn += split.syn;
    }

private:
    struct Split {
        float nonSyn = 0;
        float syn = 0;
        bool known = false;
    };
    const CodonTable& table_;
    std::vector<Split> splits_;
};

}  // namespace

CodonSiteTable::CodonSiteTable(GeneticCode code) {
    if (!IsKnownCode(code)) return;
    const CodonTable table(code);
    for (unsigned key = 0; key < 64; ++key) {
        const char codon[3] = {kBases[key >> 4], kBases[(key >> 2) & 3], kBases[key & 3]};
        const char aminoAcid = table.Translate(codon);
        int same = 0;
        for (int p = 0; p < 3; ++p)
            for (char base : std::string_view(kBases, 4)) {
                if (base == codon[p]) continue;
                char changed[3] = {codon[0], codon[1], codon[2]};
                changed[p] = base;
                if (table.Translate(changed) == aminoAcid) ++same;
            }
        const double synonymous = same / 3.0;
        sites_[key] = {SixDigits(3.0 - synonymous), SixDigits(synonymous)};
    }
}

CodonSiteTable::Sites CodonSiteTable::Of(const char* codon) const {
    const unsigned b1 = Rank(codon[0]), b2 = Rank(codon[1]), b3 = Rank(codon[2]);
    if (b1 == kNoBase || b2 == kNoBase || b3 == kNoBase) return {};
    return sites_[(b1 << 4) | (b2 << 2) | b3];
}

void ClassifyCodonDifferences(const CodonTable& table, std::string_view codon1, std::string_view codon2,
                              float& nonSyn, float& syn) {
    Codon a, b;
    a.size = std::min<std::size_t>(3, codon1.size());
    b.size = std::min<std::size_t>(3, codon2.size());
    std::copy_n(codon1.data(), a.size, a.bytes);
    std::copy_n(codon2.data(), b.size, b.bytes);
    Classify(table, a, b, nonSyn, syn);
}

CodonChangeCounts CountCodonChanges(std::string_view sequence1, std::string_view sequence2, GeneticCode code) {
    CodonChangeCounts counts;
    if (sequence1.size() % 3 != 0 || sequence2.size() % 3 != 0) {
        counts.ok = 0;
        return counts;
    }
    const CodonTable table(code);
    const CodonSiteTable sites(code);
    SplitCache cache(table);
    for (std::size_t offset = 0; offset < sequence1.size(); offset += 3) {
        const Codon codon1 = CodonAt(sequence1, offset);
        const Codon codon2 = CodonAt(sequence2, offset);
        if (PartlyGapped(codon1) || PartlyGapped(codon2)) {
            counts.ok = 0;
            break;
        }
        const CodonSiteTable::Sites site = sites.Of(codon1.bytes);
        if (site.N == 0 && site.S == 0) continue;  // "---" or not a codon of bases
        counts.N += site.N;
        counts.S += site.S;
        float nonSyn = 0, syn = 0;
        const unsigned rank2 = CodonRank(codon2);
        if (rank2 < 64) cache.Add(CodonRank(codon1), rank2, codon1, codon2, nonSyn, syn);
        else Classify(table, codon1, codon2, nonSyn, syn);
        counts.n += nonSyn;
        counts.s += syn;
    }
    counts.ratio = static_cast<float>((double(counts.n) / double(counts.N)) / (double(counts.s) / double(counts.S)));
    return counts;
}

}  // namespace tulvarine
