#include <vector>

#include "model/ordered_batches.h"
#include "model/progress.h"
#include "model/sequence_set.h"
#include "model/text.h"

namespace tulvarine {

std::string SequenceSet::GetCodonPositions(std::size_t offset, ProgressSink* progress) const {
    const std::size_t n = headers_.size();
    // Each record's place in the text is known beforehand, so the batches fill
    // their own stretches of one text on several threads.
    std::vector<std::size_t> starts(n + 1, 0);
    for (std::size_t i = 0; i < n; ++i)
        starts[i + 1] = starts[i] + headers_[i].Text().size() + sequences_[i].Length() / 3 + 5;
    std::string text;
    ReserveLarge(text, starts[n]);
    text.resize(starts[n]);
    RunOrderedBatches<NoBatchResult>(
        n, RecordBatchSize(n),
        [&](std::size_t first, std::size_t last, NoBatchResult&) {
            for (std::size_t i = first; i < last; ++i) {
                char* out = text.data() + starts[i];
                const std::string_view header = headers_[i].Text();
                *out++ = '>';
                out = std::copy(header.begin(), header.end(), out);
                *out++ = '\r';
                *out++ = '\n';
                const std::string_view residues = sequences_[i].GetText();
                const std::size_t codons = residues.size() / 3;
                // The pointer is taken only when there is a codon: an empty
                // sequence has no data to point into.
                if (codons > 0) {
                    const char* from = residues.data() + offset;
                    for (std::size_t j = 0; j < codons; ++j) out[j] = from[3 * j];
                    out += codons;
                }
                *out++ = '\r';
                *out++ = '\n';
            }
        },
        [&](std::size_t first, std::size_t last, NoBatchResult&) {
            if (!progress) return;
            for (std::size_t i = first; i < last; ++i)
                progress->SetText(ShownText(headers_[i].PartView(SequenceHeader::kId)) + "    " +
                                  RecordProgressText(i + 1, n));
        });
    return text;
}

}  // namespace tulvarine
