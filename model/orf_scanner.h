// Walks the open reading frames of a sequence: the pieces between stop codons
// of the translations of its six frames, in frame order (forward frames 1, 2, 3,
// then reverse frames 1, 2, 3; pieces left to right). Used by the ORF searches.
#pragma once

#include <string>
#include <string_view>

#include <algorithm>

#include "model/genetic_codes.h"
#include "model/sequence.h"

namespace tulvarine {

// Where a piece lies: its amino acids start at offset in the translation of
// frameText, so its nucleotides start at 3 x offset.
struct OrfPlace {
    std::string_view frameText;
    std::size_t offset = 0;
    std::size_t length = 0;  // amino acids
    bool reverse = false;
};

// Appends the nucleotides of a piece; those of the reverse strand in lower case.
void AppendStretch(const OrfPlace& place, std::string& out);

// True when a piece of aminoAcids residues is at least cutoff nucleotides long.
inline bool ReachesCutoff(std::size_t aminoAcids, int cutoff) {
    return double(aminoAcids) - double(cutoff) / 3.0 >= -1e-7;
}

// Appends the records ">name-k" of every piece of residues that reaches the
// cut-off (see Sequence::FindAllOrfs).
void AppendAllOrfs(std::string_view residues, GeneticCode code, int cutoff, bool bothStrands,
                   std::string_view name, std::string& out);

class OrfScanner {
public:
    explicit OrfScanner(GeneticCode code) : table_(CodonTableFor(code)) {}

    // Calls visit(std::string_view aminoAcids, const OrfPlace&) for every piece.
    // Splitting follows the text-splitting rule: two stops in a row give an
    // empty piece, an empty remainder after the last stop gives none. Both views
    // stay valid until visit returns; frameText until the next scan.
    template <class Visit>
    void ForEachPiece(std::string_view residues, bool bothStrands, Visit&& visit);

private:
    template <class Visit>
    void ScanFrame(std::string_view frameText, bool reverse, Visit& visit);

    const CodonTable& table_;
    std::string reverse_;
    std::string protein_;
};

template <class Visit>
void OrfScanner::ForEachPiece(std::string_view residues, bool bothStrands, Visit&& visit) {
    for (std::size_t skip = 0; skip < 3; ++skip)
        ScanFrame(residues.substr(std::min(skip, residues.size())), false, visit);
    if (!bothStrands) return;
    reverse_.clear();
    AppendReverseComplement(residues, reverse_);
    const std::string_view reverse = reverse_;
    for (std::size_t skip = 0; skip < 3; ++skip)
        ScanFrame(reverse.substr(std::min(skip, reverse.size())), true, visit);
}

template <class Visit>
void OrfScanner::ScanFrame(std::string_view frameText, bool reverse, Visit& visit) {
    protein_.clear();
    AppendTranslation(frameText, table_, "X", protein_);
    const std::string_view protein = protein_;
    std::size_t start = 0;
    for (std::size_t stop; (stop = protein.find('*', start)) != std::string_view::npos; start = stop + 1)
        visit(protein.substr(start, stop - start), OrfPlace{frameText, start, stop - start, reverse});
    if (start < protein.size())
        visit(protein.substr(start), OrfPlace{frameText, start, protein.size() - start, reverse});
}

}  // namespace tulvarine
