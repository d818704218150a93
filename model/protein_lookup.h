// Finds the protein record of a protein ID among the headers of a protein FASTA
// file: the first record whose ID (the first word of its header) equals the ID,
// ASCII case ignored; when none does, the first record whose whole header
// contains the ID, case ignored. IDs are literal text.
//
// Built once, then read-only: several threads may look IDs up at a time.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/sequence_header.h"

namespace tulvarine {

class ProteinLookup {
public:
    // headers must outlive the lookup. ids are the IDs that will be asked for:
    // their containment matches are found at once in one pass over the headers.
    ProteinLookup(const std::vector<SequenceHeader>& headers, const std::vector<std::string_view>& ids);

    // The 0-based index of the record of id, or -1 when none holds it (also for
    // an empty id). An id not given to the constructor is looked for on the spot.
    int Find(std::string_view id) const;

private:
    const std::vector<SequenceHeader>& headers_;
    std::unordered_map<std::string, int> byFoldedId_;      // first record of each header ID, ASCII lower case
    std::unordered_map<std::string, int> byContainment_;   // given IDs, ASCII lower case -> first header holding them
};

}  // namespace tulvarine
