#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "model/packed_text.h"

namespace tulvarine {
namespace {

std::string Bytes(std::size_t size) {
    std::string text(size, '\0');
    for (std::size_t i = 0; i < size; ++i) text[i] = char(i * 7 + 1);
    return text;
}

// Lengths on both sides of each varint width, in the arena, on the heap and
// built in a buffer; copies of arena texts outlive their arena.
TEST(PackedText, KeepsEveryLengthWhereverItLives) {
    auto arena = std::make_unique<TextArena>(nullptr, nullptr);  // no slab: heap blocks of its own
    std::vector<PackedText> copies;
    for (const std::size_t size : {0u, 1u, 63u, 64u, 127u, 128u, 16383u, 16384u, 3'000'000u}) {
        const std::string text = Bytes(size);
        const PackedText inArena(text, *arena);
        EXPECT_EQ(inArena.View(), text) << size;
        EXPECT_EQ(PackedText(text).View(), text) << size;
        TextBuffer buffer;
        buffer.Append(std::string_view(text).substr(0, size / 2));
        buffer.Append(std::string_view(text).substr(size / 2));
        const PackedText built = buffer.Take();
        EXPECT_EQ(built.View(), text) << size;
        EXPECT_EQ(buffer.size(), 0u);
        copies.push_back(inArena);
    }
    arena.reset();
    EXPECT_EQ(copies.back().View(), Bytes(3'000'000));
    PackedText moved = std::move(copies.back());
    EXPECT_EQ(moved.size(), 3'000'000u);
    moved = copies.front();
    EXPECT_TRUE(moved.View().empty());
}

}  // namespace
}  // namespace tulvarine
