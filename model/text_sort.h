// Sorting a text array the way the Sort-ID page always has: an exchange sort
// (for each position, every later text that compares smaller is swapped in).
// Its order of texts that compare equal without being the same bytes (">x"
// and ">X" when case is ignored) is what users find in their files, so it is
// kept exactly; it is computed in O(n log n), not by the exchanges.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>
#include <vector>

#include "model/text.h"

namespace tulvarine {

enum SortDirection : int { kSortAscending = 0, kSortDescending = 1 };

// Compares two texts byte by byte as unsigned codes, a prefix first; without
// caseSensitive the letters A to Z count as a to z. <0, 0 or >0.
int CompareTexts(std::string_view a, std::string_view b, bool caseSensitive);

// The order in which the exchange sort leaves texts: element k is the index
// in texts of the text that ends at position k. Texts that are the same bytes
// keep their index order among themselves (so records with one header line
// stay in file order). A direction other than 0 or 1 gives the indices as they are.
std::vector<std::size_t> ExchangeSortOrder(std::span<const std::string_view> texts, int direction,
                                           bool caseSensitive);

// Sorts texts in place by ExchangeSortOrder; direction 0 ascending, 1
// descending, any other value leaves the array as it is.
void SortTextArray(TextArray& texts, int direction, bool caseSensitive);

}  // namespace tulvarine
