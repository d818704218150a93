// A text behind one pointer, for the millions of headers and sequences of a
// large file: the pointer leads to the text's length (a varint) followed by
// the bytes. Arena texts live as long as their TextArena; heap texts belong to
// the object, marked by the lowest bit of the pointer, so that letting go of
// a text never reads its memory. Copies always go to the heap, so a copy may
// outlive the arena of the original. An empty text holds no memory at all.
// Not thread-safe: one thread changes a text at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>

#include "model/slab_memory.h"

namespace tulvarine {

class TextBuffer;

class PackedText {
public:
    PackedText() = default;
    // A heap copy of text.
    explicit PackedText(std::string_view text);
    // A copy of text in the arena.
    PackedText(std::string_view text, TextArena& arena);
    PackedText(const PackedText& other) : PackedText(other.View()) {}
    PackedText& operator=(const PackedText& other);
    PackedText(PackedText&& other) noexcept : bits_(std::exchange(other.bits_, 0)) {}
    PackedText& operator=(PackedText&& other) noexcept;
    ~PackedText() { Free(); }

    std::string_view View() const {
        const auto* at = reinterpret_cast<const unsigned char*>(bits_ & ~kOnHeap);
        if (!at) return {};
        std::uint64_t size = 0;
        for (int shift = 0;; shift += 7) {
            const unsigned char byte = *at++;
            size |= std::uint64_t(byte & 0x7F) << shift;
            if (!(byte & 0x80)) break;
        }
        return {reinterpret_cast<const char*>(at), std::size_t(size)};
    }
    operator std::string_view() const { return View(); }
    std::size_t size() const { return View().size(); }

private:
    friend class TextBuffer;
    static constexpr std::uintptr_t kOnHeap = 1;

    void Free();

    std::uintptr_t bits_ = 0;  // the block's address (varint length, then the bytes) | kOnHeap
};

// Builds one text piece by piece in a heap buffer that grows in place where the
// system allows (a large buffer is remapped, not copied), and hands it to a
// PackedText without copying it: a record of gigabytes is held once.
class TextBuffer {
public:
    TextBuffer() = default;
    ~TextBuffer();
    TextBuffer(const TextBuffer&) = delete;
    TextBuffer& operator=(const TextBuffer&) = delete;

    void Append(std::string_view bytes);
    // Room for bytes in all; untouched room costs no memory.
    void Reserve(std::size_t bytes);
    char* data() { return buffer_ ? buffer_ + kPrefix : nullptr; }
    std::size_t size() const { return size_; }
    std::size_t capacity() const { return capacity_; }
    std::string_view View() const { return {buffer_ ? buffer_ + kPrefix : nullptr, size_}; }
    // Keeps the first size bytes (size <= size()).
    void Truncate(std::size_t size) { size_ = size; }
    void Clear() { size_ = 0; }
    // The text as a heap PackedText, its buffer cut to size; this buffer is empty afterwards.
    PackedText Take();

    // Room kept before the text for the longest varint.
    static constexpr std::size_t kPrefix = 10;

private:
    char* buffer_ = nullptr;  // kPrefix bytes, then the text
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};

}  // namespace tulvarine
