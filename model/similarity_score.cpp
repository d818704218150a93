#include "model/similarity_score.h"

#include <vector>

namespace tulvarine {

// Row by row over the first text, keeping two rows. Each row is filled in two
// passes: first the best of the cell above and the diagonal (no dependency
// between cells, so the compiler can vectorise it), then the left neighbours
// as a running maximum. With a gap score of -1,
//   M[i][j] = max over k <= j of (T[k] - (j - k)),
// so M[i][j] + j is the running maximum of T[k] + k.
int ScoreGlobalAlignment(std::string_view first, std::string_view second) {
    const std::size_t columns = second.size();
    std::vector<int> previous(columns + 1), current(columns + 1);
    for (std::size_t j = 0; j <= columns; ++j) previous[j] = -int(j);
    const char* residues = second.data();
    for (std::size_t i = 1; i <= first.size(); ++i) {
        const char residue = first[i - 1];
        // The rows never overlap; saying so lets the first pass vectorise.
        int* __restrict row = current.data();
        const int* __restrict above = previous.data();
        row[0] = -int(i);
        for (std::size_t j = 1; j <= columns; ++j) {
            const int up = above[j] - 1;
            const int diagonal = above[j - 1] + ScoreResiduePair(residue, residues[j - 1]);
            row[j] = up > diagonal ? up : diagonal;
        }
        int best = row[0];  // running maximum of row[k] + k
        for (std::size_t j = 1; j <= columns; ++j) {
            const int shifted = row[j] + int(j);
            best = best > shifted ? best : shifted;
            row[j] = best - int(j);
        }
        previous.swap(current);
    }
    return previous[columns];
}

}  // namespace tulvarine
