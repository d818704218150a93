#include "model/mapped_orfs.h"

#include <algorithm>

#include "model/ordered_batches.h"
#include "model/progress.h"
#include "model/protein_lookup.h"

namespace tulvarine {

namespace {

// Records per batch: each record may cost a full similarity search, so batches
// stay small enough to share the work evenly between threads.
std::size_t MappedBatchSize(std::size_t records) {
    return std::clamp<std::size_t>(records / (BatchThreads() * 16), 1, 256);
}

}  // namespace

void WriteOrfsByProteinMap(OutputFile& out, const SequenceSet& cdna, const SequenceSet& proteins, const IdMap& map,
                           GeneticCode code, int cutoff, ProgressSink* progress) {
    std::vector<std::string_view> proteinIds;
    proteinIds.reserve(map.Count());
    for (const IdMap::Entry& entry : map.Entries()) proteinIds.push_back(entry.second);
    const ProteinLookup lookup(proteins.Headers(), proteinIds);

    const std::size_t n = static_cast<std::size_t>(cdna.Count());
    RunOrderedBatches<std::string>(
        n, MappedBatchSize(n),
        [&](std::size_t first, std::size_t last, std::string& text) {
            std::string mappedName;
            for (std::size_t i = first; i < last; ++i) {
                const Sequence& sequence = cdna.Sequences()[i];
                const std::string_view name = cdna.Headers()[i].Text();
                const std::string_view proteinId = map.LookUp(name);
                const int protein = lookup.Find(proteinId);
                if (protein < 0) {
                    text += sequence.FindLongestOrf(code, cutoff, true, name);
                } else {
                    mappedName.assign(name).append("|").append(proteinId);
                    text += sequence.FindMostSimilarOrf(code, cutoff, true,
                                                        proteins.Sequences()[std::size_t(protein)].GetText(),
                                                        mappedName);
                }
                text += "\r\n";
            }
        },
        [&](std::size_t first, std::size_t last, std::string& text) {
            out.Write(text);
            if (progress)
                for (std::size_t i = first; i < last; ++i) progress->SetText(RecordProgressText(i + 1, n));
        });
}

}  // namespace tulvarine
