// Memory for the headers and residues of a whole FASTA file.
//
// One anonymous mapping the size of the file, backed by huge pages where the
// system allows, is cut into arenas that match the stretches of the file read
// by different threads. Each arena hands out its bytes in order and frees
// nothing until the whole memory goes: reading 300 MB of sequences then costs
// a few hundred page faults instead of a hundred thousand heap blocks. An
// arena that runs out goes on in blocks of its own on the heap.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
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

// Bytes handed out in order and freed all at once with the arena. One thread
// at a time.
class TextArena {
public:
    TextArena(char* begin, char* end) : next_(begin), end_(end) {}
    TextArena(const TextArena&) = delete;
    TextArena& operator=(const TextArena&) = delete;

    // Room for bytes at an address that is a multiple of alignment (a power of
    // two); valid as long as the arena.
    char* Allocate(std::size_t bytes, std::size_t alignment = 1) {
        std::size_t padding = (alignment - reinterpret_cast<std::uintptr_t>(next_) % alignment) % alignment;
        if (std::size_t(end_ - next_) < padding + bytes) {
            Grow(bytes + alignment);
            padding = (alignment - reinterpret_cast<std::uintptr_t>(next_) % alignment) % alignment;
        }
        char* start = next_ + padding;
        next_ = start + bytes;
        return start;
    }

private:
    void Grow(std::size_t bytes);

    char* next_;
    char* end_;
    std::vector<std::unique_ptr<char[]>> blocks_;  // taken from the heap once the range ran out
};

class SlabMemory {
public:
    // rangeBytes[i] is the number of bytes that arena i may need (together the
    // mapping size). A failed mapping leaves every arena on the heap.
    explicit SlabMemory(const std::vector<std::size_t>& rangeBytes);
    ~SlabMemory();
    SlabMemory(const SlabMemory&) = delete;
    SlabMemory& operator=(const SlabMemory&) = delete;

    // The arena of range i: used by one thread at a time.
    TextArena& Range(std::size_t i) { return *ranges_[i]; }

private:
    void* mapping_ = nullptr;
    std::size_t mappingBytes_ = 0;
    std::vector<std::unique_ptr<TextArena>> ranges_;
};

}  // namespace tulvarine
