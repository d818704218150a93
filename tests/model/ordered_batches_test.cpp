#include <pthread.h>
#include <sys/resource.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <string>
#include <system_error>

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

// The address space this process takes now, in bytes (VmSize of /proc/self/status).
std::size_t AddressSpaceInUse() {
    std::ifstream status("/proc/self/status");
    for (std::string key; status >> key;) {
        if (key == "VmSize:") {
            std::size_t kilobytes = 0;
            status >> kilobytes;
            return kilobytes * 1024;
        }
    }
    return 0;
}

// Runs batches with room for one more thread's stack and no more, so that the
// first thread starts and the second cannot; ends the process with 0 when the
// run failed with the system error that says so.
[[noreturn]] void RunWithRoomForOneThread() {
    pthread_attr_t attributes;
    std::size_t stack = 0;
    if (pthread_getattr_default_np(&attributes) != 0 || pthread_attr_getstacksize(&attributes, &stack) != 0)
        std::_Exit(3);
    const rlimit limit{rlim_t(AddressSpaceInUse() + stack + stack / 2), RLIM_INFINITY};
    if (setrlimit(RLIMIT_AS, &limit) != 0) std::_Exit(3);
    try {
        RunOrderedBatches<int>(1000, 1, [](std::size_t, std::size_t, int&) {}, [](std::size_t, std::size_t, int&) {});
    } catch (const std::system_error& e) {
        std::_Exit(std::string(e.what()).starts_with("Cannot start a thread") ? 0 : 2);
    }
    std::_Exit(1);  // every thread started
}

TEST(RunOrderedBatchesDeathTest, AThreadThatCannotStartFailsTheRunNotTheProgram) {
    if (BatchThreads() < 2) GTEST_SKIP() << "a single thread starts no other";
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "a sanitizer's own memory does not fit under a limit of the address space";
#endif
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(RunWithRoomForOneThread(), ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace tulvarine
