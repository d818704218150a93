#include "model/alignment_statistics.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <unordered_map>
#include <unordered_set>

#include "model/ordered_batches.h"
#include "model/sequence_set.h"
#include "model/text.h"
#include "model/text_array.h"

namespace tulvarine {

float ComputeMedian(const std::vector<int>& values) {
    if (values.empty()) return 0;
    std::vector<int> sorted(values);
    std::sort(sorted.begin(), sorted.end());
    const std::size_t n = sorted.size();
    if (n % 2 == 1) return float(sorted[n / 2]);
    return float((double(sorted[n / 2 - 1]) + double(sorted[n / 2])) / 2.0);
}

int FindMaxIndex(const std::vector<int>& values, int& largest) {
    largest = 0;
    if (values.empty()) return 0;
    std::size_t best = 0;
    for (std::size_t i = 1; i < values.size(); ++i)
        if (values[i] > values[best]) best = i;
    largest = values[best];
    return int(best + 1);
}

namespace {

constexpr char kGap = '-';

// Calls found(j) for every 0-based column j below limit at which residues holds a gap.
template <class Found>
void ForEachGap(std::string_view residues, std::size_t limit, Found found) {
    const char* const begin = residues.data();
    const char* const end = begin + std::min(limit, residues.size());
    for (const char* at = begin; at < end; ++at) {
        at = static_cast<const char*>(std::memchr(at, kGap, std::size_t(end - at)));
        if (!at) break;
        found(std::size_t(at - begin));
    }
}

// The bytes of residues from column from on that are not gaps.
std::size_t ResiduesFrom(std::string_view residues, std::size_t from) {
    if (from >= residues.size()) return 0;
    return residues.size() - from - std::size_t(std::count(residues.begin() + std::ptrdiff_t(from), residues.end(), kGap));
}

}  // namespace

int SequenceSet::CountGapFreeColumns(const TextArray& exclusions) const {
    const std::size_t length = AlignmentLength();
    std::vector<char> gapped(length, 0);
    const Sequence* first = nullptr;
    for (std::size_t i = 0; i < sequences_.size(); ++i) {
        if (!exclusions.empty() && FindTextInArray(exclusions, headers_[i].Text(), kTextContainsElement) != -1) continue;
        if (!first) first = &sequences_[i];
        ForEachGap(sequences_[i].GetText(), length, [&](std::size_t j) { gapped[j] = 1; });
    }
    if (!first) return 0;  // nothing kept, nothing to count
    const std::string_view counted = first->GetText();
    const std::size_t limit = std::min(counted.size(), length);
    return int(std::size_t(std::count(gapped.begin(), gapped.begin() + std::ptrdiff_t(limit), 0)) +
               ResiduesFrom(counted, length));
}

namespace {

// The share of identical bytes among the columns where neither row has a gap;
// 0 when there is no such column. Written so that the compiler vectorises it.
double PairIdentity(std::string_view a, std::string_view b) {
    std::size_t compared = 0, same = 0;
    const std::size_t n = a.size();
    const char* x = a.data();
    const char* y = b.data();
    for (std::size_t k = 0; k < n; ++k) {
        const unsigned both = unsigned(x[k] != kGap) & unsigned(y[k] != kGap);
        compared += both;
        same += both & unsigned(x[k] == y[k]);
    }
    return compared == 0 ? 0.0 : double(same) / double(compared);
}

}  // namespace

float SequenceSet::MeanPairIdentity() const {
    const std::size_t n = sequences_.size();
    if (n < 2) return 0;
    // Every row is compared over the columns 1..AlignmentLength(): longer rows
    // are cut, shorter ones padded with NUL, which stands for "no character"
    // (equal to itself, not a gap) and never occurs in a sequence read from a file.
    const std::size_t length = AlignmentLength();
    std::vector<std::string_view> rows(n);
    std::vector<std::string> padded;
    padded.reserve(n);  // no reallocation: rows point into these strings
    for (std::size_t i = 0; i < n; ++i) {
        const std::string_view residues = sequences_[i].GetText();
        if (residues.size() == length) {
            rows[i] = residues;
            continue;
        }
        padded.emplace_back(residues.substr(0, length));
        padded.back().resize(length, '\0');
        rows[i] = padded.back();
    }
    // Pairs are scored on several threads; the sum is kept in single precision
    // and taken in pair order, so the result does not depend on the threads.
    float sum = 0;
    std::size_t pairs = 0;
    // Rows per batch: enough to share out the work, few enough that a batch
    // holds no more than about 256 Ki pair identities however many rows there are.
    const std::size_t rowsPerBatch = std::max<std::size_t>(1, std::min(n / (BatchThreads() * 8), (std::size_t(1) << 18) / n));
    RunOrderedBatches<std::vector<double>>(
        n - 1, rowsPerBatch,
        [&](std::size_t first, std::size_t last, std::vector<double>& identities) {
            for (std::size_t i = first; i < last; ++i)
                for (std::size_t j = i + 1; j < n; ++j) identities.push_back(PairIdentity(rows[i], rows[j]));
        },
        [&](std::size_t, std::size_t, std::vector<double>& identities) {
            for (const double identity : identities) sum = float(double(sum) + identity);
            pairs += identities.size();
        });
    return float(double(sum) / double(pairs));
}

namespace {

// The gap columns of an alignment, kept so that the gap-free block without a
// few records is counted from the gaps of those records alone instead of from
// every column of every record. Records leave play one by one (Exclude); after
// that, StartPass brings the counts up to date for the scoring of a pass.
class GapProfile {
public:
    GapProfile(const std::vector<Sequence>& sequences, std::size_t length)
        : sequences_(sequences), length_(length), gaps_(sequences.size()), residuesPastEnd_(sequences.size()),
          gapsInPlay_(length, 0), excluded_(sequences.size(), false), inGroup_(sequences.size(), false),
          groupGaps_(length, 0) {
        for (std::size_t r = 0; r < sequences.size(); ++r) {
            const std::string_view residues = sequences[r].GetText();
            ForEachGap(residues, length, [&](std::size_t j) {
                gaps_[r].push_back(std::uint32_t(j));
                ++gapsInPlay_[j];
            });
            residuesPastEnd_[r] = ResiduesFrom(residues, length);
        }
        StartPass();
    }

    bool Excluded(std::size_t record) const { return excluded_[record]; }

    void Exclude(std::size_t record) {
        if (excluded_[record]) return;
        excluded_[record] = true;
        for (const std::uint32_t j : gaps_[record]) --gapsInPlay_[j];
    }

    void StartPass() {
        gapFreeBefore_.assign(length_ + 1, 0);
        for (std::size_t j = 0; j < length_; ++j) gapFreeBefore_[j + 1] = gapFreeBefore_[j] + (gapsInPlay_[j] == 0);
        firstInPlay_ = 0;
        while (firstInPlay_ < excluded_.size() && excluded_[firstInPlay_]) ++firstInPlay_;
    }

    // SequenceSet::CountGapFreeColumns with the records of group (all in play)
    // left out beside the excluded ones.
    int GapFreeColumnsWithout(const std::vector<std::size_t>& group) {
        for (const std::size_t r : group) inGroup_[r] = true;
        std::size_t counted = firstInPlay_;
        while (counted < excluded_.size() && (excluded_[counted] || inGroup_[counted])) ++counted;
        int columns = 0;
        if (counted < excluded_.size()) {
            const std::size_t limit = std::min(sequences_[counted].Length(), length_);
            // Gap-free now, plus the columns whose every gap belongs to the group.
            columns = int(gapFreeBefore_[limit] + residuesPastEnd_[counted] + FreedColumns(group, limit));
        }
        for (const std::size_t r : group) inGroup_[r] = false;
        return columns;
    }

private:
    std::size_t FreedColumns(const std::vector<std::size_t>& group, std::size_t limit) {
        std::size_t freed = 0;
        if (group.size() == 1) {
            for (const std::uint32_t j : gaps_[group.front()]) {
                if (j >= limit) break;
                freed += gapsInPlay_[j] == 1;
            }
            return freed;
        }
        for (const std::size_t r : group)
            for (const std::uint32_t j : gaps_[r]) {
                if (j >= limit) break;
                ++groupGaps_[j];
            }
        for (const std::size_t r : group)
            for (const std::uint32_t j : gaps_[r]) {
                if (j >= limit) break;
                if (groupGaps_[j] == 0) continue;  // counted already
                freed += groupGaps_[j] == gapsInPlay_[j];
                groupGaps_[j] = 0;
            }
        return freed;
    }

    const std::vector<Sequence>& sequences_;
    const std::size_t length_;
    std::vector<std::vector<std::uint32_t>> gaps_;   // per record: its gap columns below length_, ascending
    std::vector<std::size_t> residuesPastEnd_;        // per record: non-gap bytes past length_
    std::vector<std::uint32_t> gapsInPlay_;           // per column: records in play with a gap there
    std::vector<std::size_t> gapFreeBefore_;          // per column: gap-free columns before it
    std::vector<bool> excluded_;
    std::vector<bool> inGroup_;
    std::vector<std::uint32_t> groupGaps_;            // scratch: per column, gaps of the group scored
    std::size_t firstInPlay_ = 0;
};

}  // namespace

std::string SequenceSet::FindBadSequences() const {
    // The distinct names in the order first met, each with the records it
    // leaves out: those of the same whole name, ASCII case ignored.
    struct Candidate {
        std::string_view name;
        const std::vector<std::size_t>* records;
    };
    std::unordered_map<std::string, std::vector<std::size_t>> recordsByName;
    for (std::size_t r = 0; r < headers_.size(); ++r) recordsByName[ToLowerAscii(headers_[r].Text())].push_back(r);
    std::vector<Candidate> inPlay;
    std::vector<std::size_t> candidateOf(headers_.size());  // per record: the candidate of its exact name
    std::unordered_map<std::string_view, std::size_t> candidateByName;
    for (std::size_t r = 0; r < headers_.size(); ++r) {
        const std::string_view name = headers_[r].Text();
        const auto [found, added] = candidateByName.try_emplace(name, inPlay.size());
        if (added) inPlay.push_back({name, &recordsByName[ToLowerAscii(name)]});
        candidateOf[r] = found->second;
    }

    GapProfile profile(sequences_, AlignmentLength());
    std::vector<int> scores;
    std::vector<std::size_t> group;
    auto scorePass = [&] {
        profile.StartPass();
        scores.clear();
        for (const Candidate& candidate : inPlay) {
            group.clear();
            for (const std::size_t r : *candidate.records)
                if (!profile.Excluded(r)) group.push_back(r);
            scores.push_back(profile.GapFreeColumnsWithout(group));
        }
    };

    // The first pass scores every record, repeated names included, so the
    // median is taken over all of them; each name's records share its score,
    // and the first record with the best score belongs to the first name with it.
    scorePass();
    std::vector<int> recordScores(headers_.size());
    for (std::size_t r = 0; r < headers_.size(); ++r) recordScores[r] = scores[candidateOf[r]];
    float median = ComputeMedian(recordScores);
    int best = 0;
    const int firstRecord = FindMaxIndex(recordScores, best);
    int index = firstRecord == 0 ? 0 : int(candidateOf[std::size_t(firstRecord - 1)] + 1);

    std::string removed;
    while (best >= 1 && double(best) - 1.6 * double(median) >= -1e-7) {
        const auto bad = inPlay.begin() + (index - 1);
        if (!removed.empty()) removed += ',';
        removed += ShownText(bad->name);  // the list is shown in a box
        for (const std::size_t r : *bad->records) profile.Exclude(r);
        inPlay.erase(bad);
        scorePass();
        median = ComputeMedian(scores);
        index = FindMaxIndex(scores, best);
    }
    return removed;
}

}  // namespace tulvarine
