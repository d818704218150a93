// Writes the records of an alignment as another aligner might have aligned the
// same sequences: some gap runs move a few columns left or right inside their
// row (the residues keep their order), and the records come in reverse order.
// Wrapped at 60. The same seed gives the same bytes.
//
//   realign IN OUT [SEED=11]
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <utility>
#include <vector>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s IN OUT [SEED]\n", argv[0]);
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    std::vector<std::pair<std::string, std::string>> records;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line[0] == '>')
            records.emplace_back(line, std::string());
        else if (!records.empty())
            records.back().second += line;
    }
    std::mt19937_64 random(argc > 3 ? std::strtoull(argv[3], nullptr, 10) : 11);
    for (auto& [header, row] : records) {
        for (std::size_t i = 1; i + 1 < row.size(); ++i) {
            if (row[i] != '-' || row[i - 1] == '-' || random() % 8 != 0) continue;
            std::size_t end = i;  // a gap run row[i, end)
            while (end < row.size() && row[end] == '-') ++end;
            // Move it by up to three residues to the right: the residues after it come before it.
            std::size_t shift = 0;
            while (shift < 3 && end + shift < row.size() && row[end + shift] != '-') ++shift;
            for (std::size_t k = 0; k < shift; ++k) std::swap(row[i + k], row[end + k]);
            i = end + shift;
        }
    }
    std::FILE* out = std::fopen(argv[2], "wb");
    if (!out) {
        std::perror(argv[2]);
        return 1;
    }
    for (auto it = records.rbegin(); it != records.rend(); ++it) {
        std::fprintf(out, "%s\n", it->first.c_str());
        for (std::size_t i = 0; i < it->second.size(); i += 60) {
            std::fwrite(it->second.data() + i, 1, std::min<std::size_t>(60, it->second.size() - i), out);
            std::fputc('\n', out);
        }
    }
    return std::fclose(out) == 0 ? 0 : 1;
}
