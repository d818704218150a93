// Global alignment score of two amino-acid texts: match 10, mismatch -2,
// -1 for each residue set against a gap. Only the score, no traceback.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace tulvarine {

// 10 when the two residues are the same byte (case matters), else -2.
constexpr int ScoreResiduePair(char a, char b) { return a == b ? 10 : -2; }

constexpr int MaxOfThree(int a, int b, int c) { return a > b ? (a > c ? a : c) : (b > c ? b : c); }

// The score of an optimal global alignment of first with second (the bottom
// right cell of the table). Memory grows with the longer text only.
int ScoreGlobalAlignment(std::string_view first, std::string_view second);

// One text prepared for scoring many others against it, as the ORF search
// scores every piece against the same reference: per residue kind, a bit mask
// of the places where it occurs. Score(first) == ScoreGlobalAlignment(first,
// text). Immutable after construction, so one profile serves several threads.
class SimilarityProfile {
public:
    explicit SimilarityProfile(std::string_view text);

    int Score(std::string_view first) const;
    std::size_t Length() const { return length_; }

private:
    // The longest common subsequence of first and the profiled text.
    std::size_t CommonLength(std::string_view first) const;

    std::size_t length_ = 0;
    std::size_t words_ = 0;                 // words per mask, 63 bits each
    std::array<std::uint16_t, 256> kind_{};  // 0: the byte does not occur in the text
    std::vector<std::uint64_t> masks_;      // words_ per kind; kind 0 all clear
};

}  // namespace tulvarine
