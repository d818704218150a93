#include "model/slab_memory.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdint>
#include <utility>

namespace tulvarine {

void TextArena::Grow(std::size_t bytes) {
    // Whole blocks, so that the heap sees few of them; the rest of the old
    // block is given up.
    const std::size_t size = std::max(bytes, std::size_t(1) << 20);
    blocks_.emplace_back(new char[size]);
    next_ = blocks_.back().get();
    end_ = next_ + size;
}

namespace {
constexpr std::size_t kHugePage = std::size_t(2) << 20;
}

void AdviseHugePages(const char* data, std::size_t bytes) {
    if (bytes < 2 * kHugePage) return;
    const std::uintptr_t start = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t first = (start + kHugePage - 1) / kHugePage * kHugePage;
    const std::uintptr_t last = (start + bytes) / kHugePage * kHugePage;
    if (last > first) ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
}

SlabMemory::SlabMemory(const std::vector<std::size_t>& rangeBytes) {
    std::size_t total = 0;
    for (std::size_t bytes : rangeBytes) total += bytes;
    char* base = nullptr;
    if (total > 0) {
        // One extra huge page lets the usable part start on a huge-page boundary.
        mappingBytes_ = total + kHugePage;
        void* mapping = ::mmap(nullptr, mappingBytes_, PROT_READ | PROT_WRITE,
                               MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
        if (mapping != MAP_FAILED) {
            mapping_ = mapping;
            const std::uintptr_t address = reinterpret_cast<std::uintptr_t>(mapping);
            base = static_cast<char*>(mapping) + (kHugePage - address % kHugePage) % kHugePage;
            ::madvise(base, total, MADV_HUGEPAGE);  // only a hint: 4 KiB pages work too
        }
    }
    for (std::size_t bytes : rangeBytes) {
        ranges_.push_back(std::make_unique<TextArena>(base, base ? base + bytes : nullptr));
        if (base) base += bytes;
    }
}

SlabMemory::~SlabMemory() {
    if (mapping_) ::munmap(mapping_, mappingBytes_);
}

}  // namespace tulvarine
