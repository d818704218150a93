// Global alignment score of two amino-acid texts: match 10, mismatch -2,
// -1 for each residue set against a gap. Only the score, no traceback.
#pragma once

#include <string_view>

namespace tulvarine {

// 10 when the two residues are the same byte (case matters), else -2.
constexpr int ScoreResiduePair(char a, char b) { return a == b ? 10 : -2; }

constexpr int MaxOfThree(int a, int b, int c) { return a > b ? (a > c ? a : c) : (b > c ? b : c); }

// The score of an optimal global alignment of first with second (the bottom
// right cell of the table). Memory grows with the second text only.
int ScoreGlobalAlignment(std::string_view first, std::string_view second);

}  // namespace tulvarine
