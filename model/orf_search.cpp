// The ORF searches of Sequence: every ORF, the longest, the most similar to a
// reference protein.
#include <algorithm>
#include <optional>

#include "model/numbers.h"
#include "model/orf_scanner.h"
#include "model/sequence.h"
#include "model/similarity_score.h"
#include "model/text.h"

namespace tulvarine {

void AppendStretch(const OrfPlace& place, std::string& out, std::size_t from, std::size_t count) {
    const std::string_view bases = place.Bases();
    from = std::min(from, bases.size());
    count = std::min(count, bases.size() - from);
    if (!place.reverse) {
        out.append(bases.substr(from, count));
        return;
    }
    // The reverse strand reads the forward stretch backwards.
    const std::size_t start = out.size();
    AppendReverseComplement(bases.substr(bases.size() - from - count, count), out);
    for (std::size_t i = start; i < out.size(); ++i) out[i] = AsciiLower(out[i]);
}

void AppendAllOrfs(std::string_view residues, GeneticCode code, int cutoff, bool bothStrands,
                   std::string_view name, std::string& out) {
    TextOrfOutput output{out};
    EmitAllOrfs(residues, code, cutoff, bothStrands, name, output);
}

std::string Sequence::FindAllOrfs(GeneticCode code, int cutoff, bool bothStrands, std::string_view name) const {
    std::string result;
    AppendAllOrfs(residues_, code, cutoff, bothStrands, name, result);
    return result;
}

namespace {

// ">name<label><number>\r\n<stretch>", or the bare stretch without a name.
std::string OrfResult(const OrfPlace& best, std::optional<std::string_view> name, std::string_view label,
                      long long number) {
    std::string result;
    TextOrfOutput output{result};
    EmitOrfRecord(best, name, label, number, output);
    return result;
}

}  // namespace

std::string Sequence::FindLongestOrf(GeneticCode code, int cutoff, bool bothStrands,
                                     std::optional<std::string_view> name) const {
    std::string result;
    TextOrfOutput output{result};
    EmitLongestOrf(residues_, code, cutoff, bothStrands, name, output);
    return result;
}

std::string Sequence::FindMostSimilarOrf(GeneticCode code, int cutoff, bool bothStrands,
                                         std::string_view reference,
                                         std::optional<std::string_view> name) const {
    return FindMostSimilarOrf(code, cutoff, bothStrands, SimilarityProfile(reference), name);
}

std::string Sequence::FindMostSimilarOrf(GeneticCode code, int cutoff, bool bothStrands,
                                         const SimilarityProfile& reference,
                                         std::optional<std::string_view> name) const {
    // Only pieces that reach the cut-off compete, so a short but well-scoring
    // first piece cannot hide every real ORF.
    std::optional<OrfPlace> best;
    int bestScore = 0;
    OrfScanner scanner(code);
    scanner.ForEachPiece(residues_, bothStrands, [&](std::string_view piece, const OrfPlace& place) {
        if (!ReachesCutoff(piece.size(), cutoff)) return;
        const int score = reference.Score(piece);
        if (!best || score > bestScore) {
            best = place;
            bestScore = score;
        }
    });
    if (!best) return {};
    return OrfResult(*best, name, " similarest simscore=", bestScore);
}

}  // namespace tulvarine
