#include "model/slab_memory.h"

#include <sys/mman.h>

#include <cstdint>

namespace tulvarine {

// A bump allocator over [next, end); what does not fit goes to the heap.
class SlabMemory::RangeResource final : public std::pmr::memory_resource {
public:
    RangeResource(char* begin, char* end) : begin_(begin), next_(begin), end_(end) {}

private:
    void* do_allocate(std::size_t bytes, std::size_t alignment) override {
        if (next_) {
            const std::size_t misalignment = reinterpret_cast<std::uintptr_t>(next_) % alignment;
            const std::size_t padding = misalignment ? alignment - misalignment : 0;
            if (padding <= std::size_t(end_ - next_) && bytes <= std::size_t(end_ - next_) - padding) {
                char* start = next_ + padding;
                next_ = start + bytes;
                return start;
            }
        }
        return std::pmr::new_delete_resource()->allocate(bytes, alignment);
    }
    void do_deallocate(void* p, std::size_t bytes, std::size_t alignment) override {
        char* block = static_cast<char*>(p);
        if (block >= begin_ && block < end_) return;  // released with the whole mapping
        std::pmr::new_delete_resource()->deallocate(p, bytes, alignment);
    }
    bool do_is_equal(const std::pmr::memory_resource& other) const noexcept override { return this == &other; }

    char* begin_;
    char* next_;
    char* end_;
};

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
        ranges_.push_back(std::make_unique<RangeResource>(base, base ? base + bytes : nullptr));
        if (base) base += bytes;
    }
}

std::pmr::memory_resource* SlabMemory::Range(std::size_t i) { return ranges_[i].get(); }

SlabMemory::~SlabMemory() {
    if (mapping_) ::munmap(mapping_, mappingBytes_);
}

}  // namespace tulvarine
