// The ORF searches of Sequence: every ORF, the longest, the most similar to a
// reference protein.
#include <optional>

#include "model/numbers.h"
#include "model/orf_scanner.h"
#include "model/sequence.h"
#include "model/similarity_score.h"
#include "model/text.h"

namespace tulvarine {

void AppendStretch(const OrfPlace& place, std::string& out) {
    const std::size_t start = out.size();
    out.append(place.frameText.substr(3 * place.offset, 3 * place.length));
    if (place.reverse)
        for (std::size_t i = start; i < out.size(); ++i) out[i] = AsciiLower(out[i]);
}

void AppendAllOrfs(std::string_view residues, GeneticCode code, int cutoff, bool bothStrands,
                   std::string_view name, std::string& out) {
    long long k = 0;
    OrfScanner(code).ForEachPiece(residues, bothStrands, [&](std::string_view piece, const OrfPlace& place) {
        if (!ReachesCutoff(piece.size(), cutoff)) return;
        out += '>';
        out += name;
        out += '-';
        out += IntToText(++k);
        out += "\r\n";
        AppendStretch(place, out);
        out += "\r\n";
    });
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
    if (name) {
        result += '>';
        result += *name;
        result += label;
        result += IntToText(number);
        result += "\r\n";
    }
    AppendStretch(best, result);
    return result;
}

}  // namespace

std::string Sequence::FindLongestOrf(GeneticCode code, int cutoff, bool bothStrands,
                                     std::optional<std::string_view> name) const {
    std::optional<OrfPlace> best;
    OrfScanner scanner(code);
    scanner.ForEachPiece(residues_, bothStrands, [&](std::string_view, const OrfPlace& place) {
        if (!best || place.length > best->length) best = place;  // only a strictly longer piece wins
    });
    if (!best || 3 * static_cast<long long>(best->length) < cutoff) return {};
    return OrfResult(*best, name, " longest lenth=", 3 * static_cast<long long>(best->length));
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
