// Runs independent work on several threads and hands the results back in order.
//
// RunOrderedBatches splits [0, count) into consecutive batches, lets worker
// threads fill one Result per batch with produce(first, last, result), and calls
// consume(first, last, result) on the calling thread in batch order. At most a
// few batches wait to be consumed at any time, so memory stays bounded. Result
// objects are reused from batch to batch and emptied before each produce: one
// with clear() keeps its buffer warm, any other is assigned Result{}. An
// exception thrown by produce, or by the start of a thread, is rethrown on the
// calling thread once every thread started has ended. Once the
// program is ending (model/program_end.h) no further batch is consumed.
#pragma once

#include <algorithm>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

#include "model/program_end.h"
#include "model/thread_start.h"

namespace tulvarine {

// Worker threads used for one run (1 on a single-core machine).
inline std::size_t BatchThreads() {
    const unsigned cores = std::thread::hardware_concurrency();
    return std::clamp<std::size_t>(cores, 1, 8);
}

// Records per batch of the parallel per-record operations of a sequence set:
// large enough to keep threads busy, small enough to balance uneven records and
// bound memory.
inline std::size_t RecordBatchSize(std::size_t records) {
    return std::clamp<std::size_t>(records / (BatchThreads() * 16), 64, 4096);
}

// The batch result of work that writes its output in place, into stretches
// of one buffer known beforehand.
struct NoBatchResult {};

// Empties a batch result for its next batch.
template <class Result>
void ResetBatchResult(Result& result) {
    if constexpr (requires { result.clear(); })
        result.clear();
    else
        result = Result{};
}

template <class Result, class Produce, class Consume>
void RunOrderedBatches(std::size_t count, std::size_t batchSize, Produce produce, Consume consume) {
    batchSize = std::max<std::size_t>(batchSize, 1);
    const std::size_t batches = (count + batchSize - 1) / batchSize;
    const std::size_t threads = std::min(BatchThreads(), batches);
    auto range = [&](std::size_t b) {
        return std::pair{b * batchSize, std::min(count, (b + 1) * batchSize)};
    };
    if (threads <= 1) {  // no thread for small inputs
        Result result{};
        for (std::size_t b = 0; b < batches && !StopRequested(); ++b) {
            const auto [first, last] = range(b);
            ResetBatchResult(result);
            produce(first, last, result);
            consume(first, last, result);
        }
        return;
    }

    const std::size_t window = 2 * threads;  // batches produced but not yet consumed, at most
    struct Slot {
        Result result{};
        bool ready = false;
    };
    std::vector<Slot> batchSlots(window);  // not "slots": Qt makes that word a macro
    std::mutex mutex;
    std::condition_variable changed;
    std::size_t nextBatch = 0, consumed = 0;
    std::exception_ptr failure;
    bool stop = false;

    auto work = [&] {
        for (;;) {
            std::size_t b;
            {
                std::unique_lock lock(mutex);
                changed.wait(lock, [&] { return stop || nextBatch >= batches || nextBatch < consumed + window; });
                if (stop || nextBatch >= batches) return;
                b = nextBatch++;
            }
            Slot& slot = batchSlots[b % window];
            try {
                const auto [first, last] = range(b);
                ResetBatchResult(slot.result);
                produce(first, last, slot.result);
            } catch (...) {
                std::lock_guard lock(mutex);
                if (!failure) failure = std::current_exception();
                stop = true;
            }
            {
                std::lock_guard lock(mutex);
                slot.ready = true;
            }
            changed.notify_all();
        }
    };
    std::vector<std::thread> pool;
    pool.reserve(threads);
    auto finish = [&] {
        {
            std::lock_guard lock(mutex);
            stop = true;
        }
        changed.notify_all();
        for (auto& thread : pool) thread.join();
    };
    try {
        // A thread that cannot be started ends the run like a failed batch:
        // the ones started are stopped and joined first.
        for (std::size_t t = 0; t < threads; ++t) pool.push_back(StartThread(work));
        for (std::size_t b = 0; b < batches && !StopRequested(); ++b) {
            Slot& slot = batchSlots[b % window];
            {
                std::unique_lock lock(mutex);
                changed.wait(lock, [&] { return slot.ready || failure; });
                if (failure) break;
            }
            const auto [first, last] = range(b);
            consume(first, last, slot.result);
            {
                std::lock_guard lock(mutex);
                slot.ready = false;
                ++consumed;
            }
            changed.notify_all();
        }
    } catch (...) {
        finish();
        throw;
    }
    finish();
    if (failure) std::rethrow_exception(failure);
}

}  // namespace tulvarine
