// Memory for the residues of a whole FASTA file.
//
// One anonymous mapping the size of the file, backed by huge pages where the
// system allows, is cut into ranges that match the stretches of the file read by
// different threads. Each range hands out its bytes in order and frees nothing
// until the whole memory goes: reading 300 MB of sequences then costs a few
// hundred page faults instead of a hundred thousand heap blocks. A range that
// runs out falls back to the ordinary heap.
#pragma once

#include <cstddef>
#include <memory>
#include <memory_resource>
#include <string>
#include <vector>

namespace tulvarine {

// Asks the system to back the whole huge pages inside [data, data + bytes) with
// huge pages (a hint only), so a large buffer fills with few page faults.
void AdviseHugePages(const char* data, std::size_t bytes);

// Reserves room for bytes in text, the untouched part advised for huge pages.
template <class Text>
void ReserveLarge(Text& text, std::size_t bytes) {
    text.reserve(bytes);
    AdviseHugePages(text.data() + text.size(), text.capacity() - text.size());
}

class SlabMemory {
public:
    // ranges[i] is the number of bytes that range i may need (together the
    // mapping size). A failed mapping leaves every range on the ordinary heap.
    explicit SlabMemory(const std::vector<std::size_t>& rangeBytes);
    ~SlabMemory();
    SlabMemory(const SlabMemory&) = delete;
    SlabMemory& operator=(const SlabMemory&) = delete;

    // The allocator of range i: used by one thread at a time.
    std::pmr::memory_resource* Range(std::size_t i);

private:
    class RangeResource;

    void* mapping_ = nullptr;
    std::size_t mappingBytes_ = 0;
    std::vector<std::unique_ptr<RangeResource>> ranges_;
};

}  // namespace tulvarine
