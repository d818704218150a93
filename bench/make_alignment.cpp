// Writes a seeded alignment for the statistics benchmarks: RECORDS rows of
// COLUMNS columns, each a mutated copy of one reference (about 8 % substitutions),
// with indels shared by groups of rows, short ragged ends on some rows, and a few
// partial rows with long gap runs, the kind that FindBadSequences should point at.
// Wrapped at 60. The same seed gives the same bytes.
//
//   make_alignment OUT [RECORDS=1000] [COLUMNS=10000] [SEED=7]
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUT [RECORDS] [COLUMNS] [SEED]\n", argv[0]);
        return 2;
    }
    const long records = argc > 2 ? std::atol(argv[2]) : 1000;
    const long columns = argc > 3 ? std::atol(argv[3]) : 10000;
    const unsigned long seed = argc > 4 ? std::strtoul(argv[4], nullptr, 10) : 7UL;
    std::FILE* out = std::fopen(argv[1], "wb");
    if (!out || records < 1 || columns < 1) {
        std::perror(argv[1]);
        return 1;
    }
    std::mt19937_64 random(seed);
    auto uniform = [&](long lo, long hi) { return std::uniform_int_distribution<long>(lo, hi)(random); };
    std::string reference(std::size_t(columns), 'A');
    for (char& c : reference) c = "ACGT"[uniform(0, 3)];

    // Indels: a stretch of columns gapped in a group of rows.
    struct Indel {
        long first, length, group;
    };
    std::vector<Indel> indels;
    for (long k = 0; k < columns / 200; ++k) indels.push_back({uniform(0, columns - 1), uniform(1, 12), uniform(0, 19)});

    std::string row;
    for (long r = 1; r <= records; ++r) {
        row = reference;
        for (char& c : row)
            if (uniform(0, 99) < 8) c = "ACGT"[uniform(0, 3)];
        const long group = uniform(0, 19);
        for (const Indel& indel : indels)
            if (indel.group == group)
                for (long i = indel.first; i < std::min(columns, indel.first + indel.length); ++i) row[std::size_t(i)] = '-';
        if (uniform(0, 9) == 0) {  // ragged ends
            for (long i = 0, n = uniform(1, 30); i < n && i < columns; ++i) row[std::size_t(i)] = '-';
            for (long i = 0, n = uniform(0, 30); i < n && i < columns; ++i) row[std::size_t(columns - 1 - i)] = '-';
        }
        if (uniform(0, 49) == 0) {  // a partial sequence: a long run of gaps
            const long length = uniform(columns / 10, columns / 2);
            const long first = uniform(0, columns - length);
            for (long i = first; i < first + length; ++i) row[std::size_t(i)] = '-';
        }
        std::fprintf(out, ">sample%04ld|gene\n", r);
        for (std::size_t i = 0; i < row.size(); i += 60) {
            std::fwrite(row.data() + i, 1, std::min<std::size_t>(60, row.size() - i), out);
            std::fputc('\n', out);
        }
    }
    return std::fclose(out) == 0 ? 0 : 1;
}
