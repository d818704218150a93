// Walks the open reading frames of a sequence: the pieces between stop codons
// of the translations of its six frames, in frame order (forward frames 1, 2, 3,
// then reverse frames 1, 2, 3; pieces left to right). Used by the ORF searches.
//
// Frames are translated in blocks, the reverse ones straight from the forward
// strand, so a scan holds neither a reverse strand nor a whole frame's
// translation: a record of gigabytes is scanned in a few hundred kilobytes.
#pragma once

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "model/genetic_codes.h"
#include "model/numbers.h"
#include "model/sequence.h"

namespace tulvarine {

// Where a piece lies: its amino acids are the codons offset to offset + length
// - 1 of a frame that starts skip bases into the forward strand (residues) or
// into its reverse complement.
struct OrfPlace {
    std::string_view residues;
    std::size_t skip = 0;
    std::size_t offset = 0;
    std::size_t length = 0;  // amino acids
    bool reverse = false;

    // The stretch of the forward strand that holds the piece's nucleotides.
    std::string_view Bases() const {
        const std::size_t start = skip + 3 * offset, size = 3 * length;
        return residues.substr(reverse ? residues.size() - start - size : start, size);
    }
};

// Appends count nucleotides of a piece from the 0-based position from on (all
// of them by default); those of the reverse strand reverse-complemented in
// lower case.
void AppendStretch(const OrfPlace& place, std::string& out, std::size_t from = 0,
                   std::size_t count = std::string_view::npos);

// True when a piece of aminoAcids residues is at least cutoff nucleotides long.
inline bool ReachesCutoff(std::size_t aminoAcids, int cutoff) {
    return double(aminoAcids) - double(cutoff) / 3.0 >= -1e-7;
}

// Appends the records ">name-k" of every piece of residues that reaches the
// cut-off (see Sequence::FindAllOrfs).
void AppendAllOrfs(std::string_view residues, GeneticCode code, int cutoff, bool bothStrands,
                   std::string_view name, std::string& out);

// Where ORF records go: Append(std::string_view) and AppendStretch(const
// OrfPlace&). TextOrfOutput collects them in a text; a writer may stream them.
struct TextOrfOutput {
    std::string& text;
    void Append(std::string_view bytes) { text += bytes; }
    void AppendStretch(const OrfPlace& place) { tulvarine::AppendStretch(place, text); }
};

// ">name<label><number>\r\n<stretch>", or the bare stretch without a name.
template <class Output>
void EmitOrfRecord(const OrfPlace& place, std::optional<std::string_view> name, std::string_view label,
                   long long number, Output& out) {
    if (name) {
        out.Append(">");
        out.Append(*name);
        out.Append(label);
        out.Append(IntToText(number));
        out.Append("\r\n");
    }
    out.AppendStretch(place);
}

class OrfScanner {
public:
    explicit OrfScanner(GeneticCode code) : table_(CodonTableFor(code)) {}

    // Calls visit(std::string_view aminoAcids, const OrfPlace&) for every piece.
    // Splitting follows the text-splitting rule: two stops in a row give an
    // empty piece, an empty remainder after the last stop gives none. The
    // amino acids stay valid until visit returns; a piece is held whole.
    template <class Visit>
    void ForEachPiece(std::string_view residues, bool bothStrands, Visit&& visit) {
        Scan<true>(residues, bothStrands, visit);
    }
    // The same without the amino acids: visit(const OrfPlace&). Memory stays
    // bounded however long the pieces are.
    template <class Visit>
    void ForEachPlace(std::string_view residues, bool bothStrands, Visit&& visit) {
        Scan<false>(residues, bothStrands, visit);
    }

private:
    static constexpr std::size_t kBlockCodons = std::size_t(1) << 16;

    template <bool kKeepPieces, class Visit>
    void Scan(std::string_view residues, bool bothStrands, Visit& visit) {
        for (const bool reverse : {false, true}) {
            if (reverse && !bothStrands) break;
            for (std::size_t skip = 0; skip < 3; ++skip) ScanFrame<kKeepPieces>(residues, skip, reverse, visit);
        }
    }

    template <bool kKeepPieces, class Visit>
    void ScanFrame(std::string_view residues, std::size_t skip, bool reverse, Visit& visit);

    const CodonTable& table_;
    std::string protein_;       // the current piece so far (when kept) and the current block
};

template <bool kKeepPieces, class Visit>
void OrfScanner::ScanFrame(std::string_view residues, std::size_t skip, bool reverse, Visit& visit) {
    const std::size_t n = residues.size();
    const std::size_t codons = skip < n ? (n - skip) / 3 : 0;
    std::size_t pieceStart = 0;  // codon of the current piece's first amino acid
    std::size_t proteinStart = 0;  // codon of protein_[0]
    protein_.clear();
    auto report = [&](std::size_t end) {
        const OrfPlace place{residues, skip, pieceStart, end - pieceStart, reverse};
        if constexpr (kKeepPieces)
            visit(std::string_view(protein_).substr(pieceStart - proteinStart, end - pieceStart), place);
        else
            visit(place);
    };
    for (std::size_t first = 0; first < codons; first += kBlockCodons) {
        const std::size_t last = std::min(codons, first + kBlockCodons);
        if (!kKeepPieces) {
            protein_.clear();
            proteinStart = first;
        }
        const std::size_t blockAt = protein_.size();
        protein_.resize(blockAt + (last - first));
        if (reverse)
            TranslateReverseCodons(residues.substr(n - skip - 3 * last, 3 * (last - first)), table_, 'X',
                                   protein_.data() + blockAt);
        else
            TranslateCodons(residues.substr(skip + 3 * first, 3 * (last - first)), table_, 'X', protein_.data() + blockAt);
        const char* const begin = protein_.data();
        const char* const end = begin + protein_.size();
        for (const char* stop = begin + blockAt; (stop = static_cast<const char*>(std::memchr(stop, '*', std::size_t(end - stop))));
             ++stop) {
            report(proteinStart + std::size_t(stop - begin));
            pieceStart = proteinStart + std::size_t(stop - begin) + 1;
        }
        // Only what follows the last stop is carried on: at most one block is moved.
        if (kKeepPieces && pieceStart > proteinStart) {
            protein_.erase(0, pieceStart - proteinStart);
            proteinStart = pieceStart;
        }
    }
    if (pieceStart < codons) report(codons);
}

// The records of Sequence::FindAllOrfs, to out.
template <class Output>
void EmitAllOrfs(std::string_view residues, GeneticCode code, int cutoff, bool bothStrands,
                 std::string_view name, Output& out) {
    long long k = 0;
    OrfScanner(code).ForEachPlace(residues, bothStrands, [&](const OrfPlace& place) {
        if (!ReachesCutoff(place.length, cutoff)) return;
        EmitOrfRecord(place, name, "-", ++k, out);
        out.Append("\r\n");
    });
}

// The record of Sequence::FindLongestOrf, to out; nothing when no piece reaches the cut-off.
template <class Output>
void EmitLongestOrf(std::string_view residues, GeneticCode code, int cutoff, bool bothStrands,
                    std::optional<std::string_view> name, Output& out) {
    std::optional<OrfPlace> best;
    OrfScanner(code).ForEachPlace(residues, bothStrands, [&](const OrfPlace& place) {
        if (!best || place.length > best->length) best = place;  // only a strictly longer piece wins
    });
    if (!best || 3 * static_cast<long long>(best->length) < cutoff) return;
    EmitOrfRecord(*best, name, " longest lenth=", 3 * static_cast<long long>(best->length), out);
}

}  // namespace tulvarine
