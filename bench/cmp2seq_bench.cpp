// Google Benchmark programs for the comparison of two sequences: the codon
// count on two 10^7-nt sequences (less one base: a whole number of codons) and the whole comparison (grid rows, marks,
// report) of two 100 000-nt sequences in each mode.
#include <benchmark/benchmark.h>

#include <string>
#include <utility>

#include "bench/random_pair.h"
#include "model/codon_changes.h"
#include "model/pair_comparison.h"

using namespace tulvarine;

namespace {

void BM_CountCodonChanges(benchmark::State& state) {
    const auto [one, two] = bench::RandomPair(std::size_t(state.range(0)), double(state.range(1)) / 100, 7);
    for (auto _ : state) benchmark::DoNotOptimize(CountCodonChanges(one, two, GeneticCode::kStandard).n);
    state.SetBytesProcessed(state.iterations() * std::int64_t(one.size()));
}
BENCHMARK(BM_CountCodonChanges)->Args({9'999'999, 5})->Args({9'999'999, 75})->Unit(benchmark::kMillisecond);

void BM_CompareSequencePair(benchmark::State& state) {
    auto [one, two] = bench::RandomPair(100'000, double(state.range(1)) / 100, 11);
    const PairComparisonSettings settings{std::move(one), std::move(two),
                                          state.range(0) == 1 ? PairCompareMode::Dna : PairCompareMode::Codon,
                                          GeneticCode::kStandard};
    for (auto _ : state) benchmark::DoNotOptimize(CompareSequencePair(settings).report.size());
    state.SetBytesProcessed(state.iterations() * 100'000);
}
BENCHMARK(BM_CompareSequencePair)->ArgsProduct({{1, 2}, {5, 75}})->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
