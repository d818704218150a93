// Writes a seeded supermatrix data set for the merge benchmarks: a folder of
// gene files, each holding one record per species (about 2 % of the species
// missing from each gene, records in a shuffled order, a description after
// the ID), 600 to 1 400 bp wrapped at 60; and beside the folder the species
// list, one ID per line. The same seed gives the same bytes.
//
//   make_supermatrix FOLDER [GENES=100] [SPECIES=2000] [SEED=16]
//
// Writes FOLDER/gene001.fas ... and FOLDER.ids.txt.
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <random>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FOLDER [GENES] [SPECIES] [SEED]\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    const int genes = argc > 2 ? std::atoi(argv[2]) : 100;
    const int species = argc > 3 ? std::atoi(argv[3]) : 2000;
    std::mt19937_64 random(argc > 4 ? std::strtoull(argv[4], nullptr, 10) : 16);
    auto uniform = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    ::mkdir(folder.c_str(), 0755);

    char name[64];
    std::FILE* list = std::fopen((folder + ".ids.txt").c_str(), "wb");
    if (!list) return std::perror(folder.c_str()), 1;
    for (int s = 1; s <= species; ++s) std::fprintf(list, "sp%05d\n", s);
    std::fclose(list);

    std::vector<int> order(static_cast<std::size_t>(species));
    std::string sequence, text;
    for (int g = 1; g <= genes; ++g) {
        std::snprintf(name, sizeof name, "/gene%03d.fas", g);
        std::FILE* out = std::fopen((folder + name).c_str(), "wb");
        if (!out) return std::perror(name), 1;
        std::iota(order.begin(), order.end(), 1);
        std::shuffle(order.begin(), order.end(), random);
        for (int s : order) {
            if (uniform(0, 99) < 2) continue;  // this gene is missing for this species
            const int length = uniform(600, 1400);
            sequence.resize(std::size_t(length));
            for (char& c : sequence) c = "ACGT"[uniform(0, 3)];
            std::snprintf(name, sizeof name, ">sp%05d gene%03d\n", s, g);
            text = name;
            for (int i = 0; i < length; i += 60) text.append(sequence, std::size_t(i), 60).push_back('\n');
            std::fwrite(text.data(), 1, text.size(), out);
        }
        std::fclose(out);
    }
    return 0;
}
