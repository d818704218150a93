#include "model/packed_text.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

namespace tulvarine {

namespace {

std::size_t VarintSize(std::uint64_t value) {
    std::size_t size = 1;
    for (; value >= 0x80; value >>= 7) ++size;
    return size;
}

// Writes value at out as a varint of exactly width bytes (padded with
// continuation bytes when it needs fewer); returns the byte after it.
unsigned char* WriteVarint(std::uint64_t value, std::size_t width, unsigned char* out) {
    for (std::size_t i = 0; i + 1 < width; ++i, value >>= 7) *out++ = static_cast<unsigned char>((value & 0x7F) | 0x80);
    *out++ = static_cast<unsigned char>(value & 0x7F);
    return out;
}

void* HeapAllocate(std::size_t bytes) {
    void* block = std::malloc(bytes);
    if (!block) throw std::bad_alloc();
    return block;
}

}  // namespace

PackedText::PackedText(std::string_view text) {
    if (text.empty()) return;
    const std::size_t width = VarintSize(text.size());
    auto* block = static_cast<unsigned char*>(HeapAllocate(width + text.size()));
    std::memcpy(WriteVarint(text.size(), width, block), text.data(), text.size());
    bits_ = reinterpret_cast<std::uintptr_t>(block) | kOnHeap;  // malloc blocks are aligned: the bit is free
}

PackedText::PackedText(std::string_view text, TextArena& arena) {
    if (text.empty()) return;
    const std::size_t width = VarintSize(text.size());
    auto* block = reinterpret_cast<unsigned char*>(arena.Allocate(width + text.size(), 2));
    std::memcpy(WriteVarint(text.size(), width, block), text.data(), text.size());
    bits_ = reinterpret_cast<std::uintptr_t>(block);
}

PackedText& PackedText::operator=(const PackedText& other) {
    if (this != &other) *this = PackedText(other.View());
    return *this;
}

PackedText& PackedText::operator=(PackedText&& other) noexcept {
    if (this != &other) {
        Free();
        bits_ = std::exchange(other.bits_, 0);
    }
    return *this;
}

void PackedText::Free() {
    if (bits_ & kOnHeap) std::free(reinterpret_cast<void*>(bits_ & ~kOnHeap));
    bits_ = 0;
}

TextBuffer::~TextBuffer() { std::free(buffer_); }

void TextBuffer::Reserve(std::size_t bytes) {
    if (bytes <= capacity_) return;
    // realloc moves a large block by remapping its pages, without copying.
    void* grown = std::realloc(buffer_, kPrefix + bytes);
    if (!grown) throw std::bad_alloc();
    buffer_ = static_cast<char*>(grown);
    capacity_ = bytes;
    AdviseHugePages(buffer_ + kPrefix + size_, capacity_ - size_);
}

void TextBuffer::Append(std::string_view bytes) {
    if (bytes.empty()) return;
    if (size_ + bytes.size() > capacity_) Reserve(std::max(size_ + bytes.size(), 2 * capacity_ + 64));
    std::memcpy(buffer_ + kPrefix + size_, bytes.data(), bytes.size());
    size_ += bytes.size();
}

PackedText TextBuffer::Take() {
    if (size_ == 0) return PackedText();
    if (void* cut = std::realloc(buffer_, kPrefix + size_)) buffer_ = static_cast<char*>(cut);
    // A padded varint fills the room before the text exactly, so the block
    // starts where the heap block does and can be freed as it is.
    WriteVarint(size_, kPrefix, reinterpret_cast<unsigned char*>(buffer_));
    PackedText text;
    text.bits_ = reinterpret_cast<std::uintptr_t>(std::exchange(buffer_, nullptr)) | PackedText::kOnHeap;
    size_ = capacity_ = 0;
    return text;
}

}  // namespace tulvarine
