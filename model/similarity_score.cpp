#include "model/similarity_score.h"

#include <vector>

namespace tulvarine {

int ScoreGlobalAlignment(std::string_view first, std::string_view second) {
    const std::size_t columns = second.size();
    // Two rows of the table: row i-1 (previous) and row i (current).
    std::vector<int> previous(columns + 1), current(columns + 1);
    for (std::size_t j = 0; j <= columns; ++j) previous[j] = -int(j);
    for (std::size_t i = 1; i <= first.size(); ++i) {
        const char residue = first[i - 1];
        current[0] = -int(i);
        for (std::size_t j = 1; j <= columns; ++j)
            current[j] = MaxOfThree(previous[j] - 1, previous[j - 1] + ScoreResiduePair(residue, second[j - 1]),
                                    current[j - 1] - 1);
        previous.swap(current);
    }
    return previous[columns];
}

}  // namespace tulvarine
