// Writes a seeded, realistic cDNA data set for the benchmarks: records of 300 to
// 3000 bp, each a 5' stretch, a stop-free coding stretch and a 3' stretch (half
// of them reverse-complemented), wrapped at 60, with some lower case, N runs and
// ambiguity codes. The same seed gives the same bytes.
//
//   make_dataset OUT [RECORDS=200000] [SEED=20261209]
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

namespace {

constexpr char kBases[] = "ACGT";
constexpr char kAmbiguity[] = "RYKMSWBDHV";

bool IsStop(const std::string& codon) { return codon == "TAA" || codon == "TAG" || codon == "TGA"; }

std::string ReverseComplement(const std::string& s) {
    std::string out(s.rbegin(), s.rend());
    for (char& c : out) {
        switch (c) {
        case 'A': c = 'T'; break;
        case 'T': c = 'A'; break;
        case 'C': c = 'G'; break;
        case 'G': c = 'C'; break;
        default: break;
        }
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUT [RECORDS] [SEED]\n", argv[0]);
        return 2;
    }
    const long records = argc > 2 ? std::atol(argv[2]) : 200000;
    const unsigned long seed = argc > 3 ? std::strtoul(argv[3], nullptr, 10) : 20261209UL;
    std::FILE* out = std::fopen(argv[1], "wb");
    if (!out) {
        std::perror(argv[1]);
        return 1;
    }
    std::mt19937_64 random(seed);
    auto uniform = [&](long lo, long hi) { return std::uniform_int_distribution<long>(lo, hi)(random); };
    std::string sequence, codon;
    for (long r = 1; r <= records; ++r) {
        const long length = uniform(300, 3000);
        const long cdsStart = uniform(0, length / 5);
        const long cdsLength = 3 * uniform(length / 6, (length - cdsStart) / 3 - 1);
        sequence.clear();
        for (long i = 0; i < cdsStart; ++i) sequence += kBases[uniform(0, 3)];
        sequence += "ATG";
        for (long i = 3; i + 3 <= cdsLength; i += 3) {
            do {
                codon = {kBases[uniform(0, 3)], kBases[uniform(0, 3)], kBases[uniform(0, 3)]};
            } while (IsStop(codon));
            sequence += codon;
        }
        sequence += "TAA";
        while (long(sequence.size()) < length) sequence += kBases[uniform(0, 3)];
        sequence.resize(std::size_t(length));
        if (uniform(0, 1)) sequence = ReverseComplement(sequence);
        if (uniform(0, 19) == 0) {  // a run of N
            const long at = uniform(0, length - 1);
            for (long i = at; i < std::min(length, at + uniform(10, 100)); ++i) sequence[std::size_t(i)] = 'N';
        }
        for (long k = uniform(0, 2); k > 0; --k) sequence[std::size_t(uniform(0, length - 1))] = kAmbiguity[uniform(0, 9)];
        if (uniform(0, 9) == 0)  // some records in lower case
            for (char& c : sequence) c = char(c | 0x20);
        std::fprintf(out, ">seq%06ld len=%ld sample=S%ld\n", r, length, uniform(1, 40));
        for (std::size_t i = 0; i < sequence.size(); i += 60) {
            std::fwrite(sequence.data() + i, 1, std::min<std::size_t>(60, sequence.size() - i), out);
            std::fputc('\n', out);
        }
    }
    return std::fclose(out) == 0 ? 0 : 1;
}
