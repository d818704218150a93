// The background both comparison grids give a residue: A green, T red,
// G violet, C blue, anything else (gaps, other letters) yellow.
#pragma once

namespace tulvarine {

struct CellColour {
    int red, green, blue;
    bool operator==(const CellColour&) const = default;
};

constexpr CellColour ResidueColour(char residue) {
    switch (residue) {
    case 'A': return {0, 255, 0};
    case 'T': return {255, 0, 0};
    case 'G': return {144, 0, 255};
    case 'C': return {0, 0, 255};
    default: return {255, 255, 0};
    }
}

}  // namespace tulvarine
