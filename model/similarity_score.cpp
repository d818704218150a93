#include "model/similarity_score.h"

#include <algorithm>
#include <bit>
#include <iterator>
#include <utility>

namespace tulvarine {

// Why this is a count of common residues: a mismatch (-2) is never better than
// two gaps (-1 each), so it never beats the cell above or to the left. Adding
// i + j to every cell M[i][j] of the table turns the recurrence into
//   G[i][j] = max(G[i-1][j], G[i][j-1], G[i-1][j-1] + (12 if the residues are equal, else 0))
// with G = 0 on the edges: 12 times the length of a longest common subsequence.
// So the score is 12 x LCS - (L1 + L2), exactly, for every pair of texts.
//
// The LCS is computed bit-parallel: V has one bit per residue of the profiled
// text, set while that column has not yet raised the common length; each
// residue of the other text updates it as
//   U = V & mask(residue), V = (V + U) | (V - U),
// and the LCS is the number of cleared bits. V is cut into words of 63 bits,
// the top bit of each word left for the carry into the next: plain additions
// and shifts, which compilers keep in registers better than add-with-carry.

namespace {

constexpr std::size_t kBitsPerWord = 63;
constexpr std::uint64_t kWordBits = ~std::uint64_t(0) >> 1;
constexpr std::size_t kBlockWords = 8;  // words held in registers at once

// Runs the residues of text over kWords words of V (all bits set at the start)
// and returns the number of bits left set. masks points at the block's first
// word of row 0; row k, stride words further on per kind, is where residue kind
// k occurs (row 0 all clear). A chained block takes the carry into its lowest
// word at residue r from carries[r] and leaves its own carry out there.
template <std::size_t kWords, bool kChained>
std::size_t RunBlock(std::string_view text, const std::uint16_t* kind, const std::uint64_t* masks,
                     std::size_t stride, std::uint8_t* carries) {
    std::uint64_t v[kWords];
    std::fill(std::begin(v), std::end(v), kWordBits);
    for (std::size_t r = 0; r < text.size(); ++r) {
        const std::uint64_t* mask = masks + kind[static_cast<unsigned char>(text[r])] * stride;
        std::uint64_t carry = kChained ? carries[r] : 0;
        for (std::size_t w = 0; w < kWords; ++w) {
            const std::uint64_t old = v[w], u = old & mask[w];
            const std::uint64_t sum = old + u + carry;  // at most 2^64 - 1: no overflow
            carry = sum >> kBitsPerWord;
            v[w] = (sum & kWordBits) | (old - u);
        }
        if constexpr (kChained) carries[r] = std::uint8_t(carry);
    }
    std::size_t set = 0;
    for (const std::uint64_t word : v) set += std::size_t(std::popcount(word));
    return set;
}

using BlockRunner = std::size_t (*)(std::string_view, const std::uint16_t*, const std::uint64_t*, std::size_t,
                                    std::uint8_t*);

// Runners for 1 to kBlockWords words.
template <bool kChained, std::size_t... kIndex>
constexpr std::array<BlockRunner, sizeof...(kIndex)> BlockRunners(std::index_sequence<kIndex...>) {
    return {&RunBlock<kIndex + 1, kChained>...};
}

constexpr auto kSingleBlock = BlockRunners<false>(std::make_index_sequence<kBlockWords>());
constexpr auto kChainedBlock = BlockRunners<true>(std::make_index_sequence<kBlockWords>());

}  // namespace

SimilarityProfile::SimilarityProfile(std::string_view text)
    : length_(text.size()), words_((text.size() + kBitsPerWord - 1) / kBitsPerWord) {
    std::uint16_t kinds = 0;
    for (const char c : text) {
        std::uint16_t& kind = kind_[static_cast<unsigned char>(c)];
        if (kind == 0) kind = ++kinds;
    }
    masks_.assign((std::size_t(kinds) + 1) * words_, 0);
    for (std::size_t j = 0; j < text.size(); ++j)
        masks_[kind_[static_cast<unsigned char>(text[j])] * words_ + j / kBitsPerWord] |= std::uint64_t(1)
                                                                                          << (j % kBitsPerWord);
}

std::size_t SimilarityProfile::CommonLength(std::string_view first) const {
    // The bits above the text's length start set and stay set (their masks are
    // clear), so they never count as common.
    if (words_ == 0) return 0;
    std::size_t set = 0;
    if (words_ <= kBlockWords) {  // references up to 504 residues, as most proteins are: one block
        set = kSingleBlock[words_ - 1](first, kind_.data(), masks_.data(), words_, nullptr);
    } else {
        // Block after block of words, low to high, each residue's carry handed on.
        std::vector<std::uint8_t> carries(first.size(), 0);
        for (std::size_t w = 0; w < words_; w += kBlockWords) {
            const std::size_t width = std::min(kBlockWords, words_ - w);
            set += kChainedBlock[width - 1](first, kind_.data(), masks_.data() + w, words_, carries.data());
        }
    }
    return kBitsPerWord * words_ - set;
}

int SimilarityProfile::Score(std::string_view first) const {
    const long long common = static_cast<long long>(CommonLength(first));
    return static_cast<int>(12 * common - static_cast<long long>(first.size() + length_));
}

int ScoreGlobalAlignment(std::string_view first, std::string_view second) {
    // The score is symmetric; profiling the longer text means fewer, fuller words.
    if (first.size() > second.size()) return SimilarityProfile(first).Score(second);
    return SimilarityProfile(second).Score(first);
}

}  // namespace tulvarine
