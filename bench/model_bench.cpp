// Google Benchmark programs for the hot paths of the sequence model, on a data
// set made in memory (a smaller copy of what make_dataset writes).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>

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

void BM_ScoreGlobalAlignment(benchmark::State& state) {
    const std::size_t length = std::size_t(state.range(0));
    std::mt19937 random(5);
    std::string a(length, 'A'), b(length, 'A');
    for (char& c : a) c = "ACDEFGHIKLMNPQRSTVWY"[random() % 20];
    for (char& c : b) c = "ACDEFGHIKLMNPQRSTVWY"[random() % 20];
    for (auto _ : state) benchmark::DoNotOptimize(ScoreGlobalAlignment(a, b));
    state.counters["cells/s"] = benchmark::Counter(double(length) * double(length), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_ScoreGlobalAlignment)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
