#include <atomic>
#include <stdexcept>

#include <gtest/gtest.h>

#include "model/ordered_batches.h"

namespace tulvarine {
namespace {

TEST(RunOrderedBatches, ConsumesEveryBatchOnceInOrder) {
    for (std::size_t count : {0u, 1u, 7u, 1000u, 12345u}) {
        std::vector<std::size_t> seen;
        std::size_t expectedFirst = 0;
        RunOrderedBatches<std::vector<std::size_t>>(
            count, 100,
            [](std::size_t first, std::size_t last, std::vector<std::size_t>& out) {
                for (std::size_t i = first; i < last; ++i) out.push_back(i * i);
            },
            [&](std::size_t first, std::size_t last, std::vector<std::size_t>& out) {
                EXPECT_EQ(first, expectedFirst);
                EXPECT_EQ(out.size(), last - first);
                expectedFirst = last;
                seen.insert(seen.end(), out.begin(), out.end());
            });
        ASSERT_EQ(seen.size(), count);
        for (std::size_t i = 0; i < count; ++i) ASSERT_EQ(seen[i], i * i);
    }
}

TEST(RunOrderedBatches, KeepsFewBatchesWaiting) {
    std::atomic<long> produced{0};
    long consumed = 0, mostWaiting = 0;
    RunOrderedBatches<int>(
        4000, 1, [&](std::size_t, std::size_t, int&) { ++produced; },
        [&](std::size_t, std::size_t, int&) {
            ++consumed;
            mostWaiting = std::max(mostWaiting, produced.load() - consumed);
        });
    EXPECT_EQ(consumed, 4000);
    EXPECT_LE(mostWaiting, long(2 * BatchThreads()));
}

TEST(RunOrderedBatches, RethrowsAFailureOnTheCallingThread) {
    std::size_t consumedBatches = 0;
    EXPECT_THROW(RunOrderedBatches<int>(
                     10000, 10,
                     [](std::size_t first, std::size_t, int&) {
                         if (first == 5000) throw std::runtime_error("bad batch");
                     },
                     [&](std::size_t, std::size_t, int&) { ++consumedBatches; }),
                 std::runtime_error);
    EXPECT_LE(consumedBatches, 500u);  // nothing at or after the failed batch
}

}  // namespace
}  // namespace tulvarine
