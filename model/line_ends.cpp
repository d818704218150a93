#include "model/line_ends.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace tulvarine {

namespace {
// Sixteen bytes; the compiler makes SSE2 or NEON instructions of what is done to it.
using Bytes16 = unsigned char __attribute__((vector_size(16)));
constexpr std::size_t kStep = sizeof(Bytes16);

bool IsLoneCr(const char* at) { return at[0] == '\r' && at[1] != '\n'; }

// All ones in the lanes of the sixteen bytes at at that are lone CRs; reads
// one byte further.
Bytes16 LoneCrLanes(const char* at) {
    Bytes16 here, next;
    std::memcpy(&here, at, kStep);
    std::memcpy(&next, at + 1, kStep);
    return Bytes16((here == '\r') & (next != '\n'));
}
}  // namespace

void MarkLoneCarriageReturns(char* data, std::size_t size) {
    // Most texts hold no CR at all: one fast search says so.
    const void* cr = size > 0 ? std::memchr(data, '\r', size) : nullptr;
    if (cr == nullptr) return;
    std::size_t i = std::size_t(static_cast<const char*>(cr) - data);
    // Each step tests its bytes against the bytes one further on, which the
    // step itself never changes; a step that holds a lone CR is mended byte by
    // byte, in order, each byte tested before the one after it changes.
    for (; i + 2 * kStep < size; i += 2 * kStep) {
        const Bytes16 lone = LoneCrLanes(data + i) | LoneCrLanes(data + i + kStep);
        std::uint64_t halves[2];
        std::memcpy(halves, &lone, kStep);
        if ((halves[0] | halves[1]) == 0) continue;
        for (std::size_t k = i; k < i + 2 * kStep; ++k)
            if (IsLoneCr(data + k)) data[k] = '\n';
    }
    for (; i + 1 < size; ++i)
        if (IsLoneCr(data + i)) data[i] = '\n';
}

TextArray SplitLines(std::string_view text) {
    std::string marked(text);
    MarkLoneCarriageReturns(marked.data(), marked.size());
    TextArray lines = SplitText(marked, "\n");
    for (std::string& line : lines)
        if (!line.empty() && line.back() == '\r') line.pop_back();
    return lines;
}

std::string WithLfLineEnds(std::string_view text) {
    std::string marked(text);
    MarkLoneCarriageReturns(marked.data(), marked.size());
    if (!marked.empty() && marked.back() == '\r') marked.back() = '\n';
    // Every CR left stands before an LF.
    marked.erase(std::remove(marked.begin(), marked.end(), '\r'), marked.end());
    return marked;
}

}  // namespace tulvarine
