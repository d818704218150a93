// Google Benchmark programs for the hot paths of the sequence model, on a data
// set made in memory (a smaller copy of what make_dataset writes).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "model/sequence_set.h"
#include "model/similarity_score.h"

using namespace tulvarine;

namespace {

// A FASTA file of random 300-3000 bp records wrapped at 60, written once.
const std::string& DataFile() {
    static const std::string path = [] {
        const std::string file = (std::filesystem::temp_directory_path() / "tulvarine-bench.fa").string();
        std::ofstream out(file, std::ios::binary);
        std::mt19937 random(3);
        for (int r = 0; r < 12000; ++r) {
            out << ">seq" << r << " bench\n";
            const int length = 300 + int(random() % 2701);
            for (int i = 0; i < length; ++i) {
                out.put("ACGT"[random() % 4]);
                if (i % 60 == 59 || i + 1 == length) out.put('\n');
            }
        }
        return file;
    }();
    return path;
}

const SequenceSet& DataSet() {
    static const SequenceSet set = [] {
        SequenceSet s;
        if (!s.ReadFasta(DataFile())) std::abort();
        return s;
    }();
    return set;
}

std::int64_t DataBytes() { return std::int64_t(std::filesystem::file_size(DataFile())); }

void BM_ReadFasta(benchmark::State& state) {
    for (auto _ : state) {
        SequenceSet set;
        benchmark::DoNotOptimize(set.ReadFasta(DataFile()));
    }
    state.SetBytesProcessed(state.iterations() * DataBytes());
}
BENCHMARK(BM_ReadFasta)->Unit(benchmark::kMillisecond);

void BM_Translate(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(DataSet().Translate(GeneticCode{0}).fasta.size());
    state.SetBytesProcessed(state.iterations() * DataBytes());
}
BENCHMARK(BM_Translate)->Unit(benchmark::kMillisecond);

void BM_WriteOrfs(benchmark::State& state) {
    const std::string out = (std::filesystem::temp_directory_path() / "tulvarine-bench.orfs").string();
    for (auto _ : state) benchmark::DoNotOptimize(DataSet().WriteOrfs(out, GeneticCode::kStandard, 90, "", OrfMode(state.range(0))));
    state.SetBytesProcessed(state.iterations() * DataBytes());
}
BENCHMARK(BM_WriteOrfs)->Arg(kLongestOrf)->Arg(kAllOrfs)->Unit(benchmark::kMillisecond);

// A random protein of length residues.
std::string Protein(std::size_t length, std::mt19937& random) {
    std::string text(length, 'A');
    for (char& c : text) c = "ACDEFGHIKLMNPQRSTVWY"[random() % 20];
    return text;
}

// The most-similar ORF search against a 500-residue reference, as bench/compare runs it.
void BM_WriteOrfsMostSimilar(benchmark::State& state) {
    const std::string out = (std::filesystem::temp_directory_path() / "tulvarine-bench.orfs").string();
    std::mt19937 random(500);
    const std::string reference = Protein(500, random);
    for (auto _ : state) benchmark::DoNotOptimize(DataSet().WriteOrfs(out, GeneticCode::kStandard, 90, reference, kMostSimilarOrf));
    state.SetBytesProcessed(state.iterations() * DataBytes());
}
BENCHMARK(BM_WriteOrfsMostSimilar)->UseRealTime()->Unit(benchmark::kMillisecond);

// One profiled reference of range(0) residues scoring ORF-sized pieces (30 to 300 residues), one thread.
void BM_SimilarityProfileScore(benchmark::State& state) {
    std::mt19937 random(7);
    const SimilarityProfile profile(Protein(std::size_t(state.range(0)), random));
    std::vector<std::string> pieces;
    double cells = 0;
    for (int k = 0; k < 1000; ++k) {
        pieces.push_back(Protein(30 + random() % 271, random));
        cells += double(pieces.back().size()) * double(profile.Length());
    }
    for (auto _ : state)
        for (const std::string& piece : pieces) benchmark::DoNotOptimize(profile.Score(piece));
    state.counters["cells/s"] = benchmark::Counter(cells, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_SimilarityProfileScore)->Arg(300)->Arg(500)->Arg(2000)->Unit(benchmark::kMillisecond);

void BM_ScoreGlobalAlignment(benchmark::State& state) {
    const std::size_t length = std::size_t(state.range(0));
    std::mt19937 random(5);
    const std::string a = Protein(length, random), b = Protein(length, random);
    for (auto _ : state) benchmark::DoNotOptimize(ScoreGlobalAlignment(a, b));
    state.counters["cells/s"] = benchmark::Counter(double(length) * double(length), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_ScoreGlobalAlignment)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
