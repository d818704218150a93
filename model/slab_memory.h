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

// Reserves room for bytes in text and asks the system to back the new buffer
// with huge pages (a hint only), so a large result fills with few page faults.
void ReserveLarge(std::string& text, std::size_t bytes);

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
