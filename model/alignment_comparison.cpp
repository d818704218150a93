#include "model/alignment_comparison.h"

#include <algorithm>
#include <charconv>
#include <future>
#include <stdexcept>
#include <unordered_map>

#include "model/line_reader.h"
#include "model/ordered_batches.h"
#include "model/text.h"

namespace tulvarine {

namespace {

constexpr std::size_t kBlock = 16;  // columns between two stored sets of residue counts
constexpr std::uint64_t kHashSeed = 0x243F6A8885A308D3u;

std::uint64_t Mix(std::uint64_t hash, std::uint64_t value) {
    hash = (hash ^ value) * 0x9E3779B97F4A7C15u;
    return hash ^ (hash >> 31);
}

std::size_t DecimalDigits(std::uint64_t value) {
    if (value < 10) return 1;
    if (value < 100) return 2;
    if (value < 1000) return 3;
    if (value < 10000) return 4;
    std::size_t digits = 5;
    for (value /= 100000; value > 0; value /= 10) ++digits;
    return digits;
}

// The records that stand as whole header/sequence pairs.
std::size_t PairedRecords(const std::vector<AlignmentRecord>& records) {
    if (records.empty()) return 0;
    return records.back().sequence.empty() ? records.size() - 1 : records.size();
}

// The first record of each header line among the paired ones, in file order.
std::unordered_map<std::string_view, const std::string*> FirstSequences(const std::vector<AlignmentRecord>& records) {
    std::unordered_map<std::string_view, const std::string*> sequences;
    const std::size_t paired = PairedRecords(records);
    sequences.reserve(paired);
    for (std::size_t i = 0; i < paired; ++i) sequences.try_emplace(records[i].header, &records[i].sequence);
    return sequences;
}

}  // namespace

bool ReadAlignmentRecords(const std::string& path, std::vector<AlignmentRecord>& records) {
    records.clear();
    LineReader reader;
    if (!reader.Open(path)) return false;
    // Rows of an alignment are as long as each other: each is given the room of
    // the one before, and room left over by growing is given back.
    const auto finish = [&records] {
        std::string& sequence = records.back().sequence;
        if (sequence.capacity() - sequence.size() > sequence.size() / 8) sequence.shrink_to_fit();
    };
    std::string_view line;
    while (reader.Next(line)) {
        line = TrimBlanks(line);
        if (!line.empty() && line.front() == '>') {
            std::size_t room = 0;
            if (!records.empty()) {
                finish();
                room = records.back().sequence.size();
            }
            records.push_back({std::string(line), {}});
            records.back().sequence.reserve(room);
        } else if (!records.empty()) {
            records.back().sequence += line;
        }
    }
    if (!records.empty()) finish();
    return !reader.ReadFailed();
}

bool HoldsSequence(const std::vector<AlignmentRecord>& records) {
    return records.size() >= 2 || (records.size() == 1 && !records.front().sequence.empty());
}

AlignmentComparison::AlignmentComparison(std::vector<AlignmentRecord> first, std::vector<AlignmentRecord> second) {
    if (!HoldsSequence(first) || !HoldsSequence(second))
        throw std::invalid_argument("an alignment without a sequence cannot be compared");
    first_.records = std::move(first);
    second_.records = std::move(second);
    first_.length = first_.records.front().sequence.size();
    second_.length = second_.records.front().sequence.size();

    const auto firstSequences = FirstSequences(first_.records);
    const auto secondSequences = FirstSequences(second_.records);
    for (std::size_t i = 0, paired = PairedRecords(second_.records); i < paired; ++i) {
        const std::string& id = second_.records[i].header;
        const auto inFirst = firstSequences.find(id);
        if (inFirst == firstSequences.end()) continue;
        const auto inSecond = secondSequences.find(id);
        if (inSecond->second != &second_.records[i].sequence) continue;  // met before in the second file
        shared_.push_back(id);
        first_.rows.push_back(inFirst->second);
        second_.rows.push_back(inSecond->second);
    }
    auto secondSwept = std::async(std::launch::async, [this] { Sweep(second_); });
    Sweep(first_);
    secondSwept.get();
    FindSameColumns();
}

// One pass over the columns, a block of them at a time, row by row inside the
// block: each row's bytes are read in order and the block's hashes stay in cache.
void AlignmentComparison::Sweep(Side& side) {
    const std::size_t rows = side.rows.size();
    const std::size_t blocks = (side.length + kBlock - 1) / kBlock;
    std::vector<std::uint64_t> counts(rows, 0);
    side.checkpoints.resize(blocks * rows);
    side.hashes.resize(side.length);
    for (std::size_t block = 0; block < blocks; ++block) {
        const std::size_t begin = block * kBlock, end = std::min(side.length, begin + kBlock);
        std::copy(counts.begin(), counts.end(), side.checkpoints.begin() + std::ptrdiff_t(block * rows));
        std::uint64_t hashes[kBlock];
        std::size_t lengths[kBlock] = {};
        std::fill(hashes, hashes + kBlock, kHashSeed);
        for (std::size_t row = 0; row < rows; ++row) {
            const std::string& sequence = *side.rows[row];
            const std::size_t size = sequence.size();
            std::uint64_t count = counts[row];
            for (std::size_t c = begin; c < end; ++c) {
                std::uint64_t value = count;
                if (c < size) value = sequence[c] == '-' ? 0 : ++count;
                hashes[c - begin] = Mix(hashes[c - begin], value);
                lengths[c - begin] += DecimalDigits(value) + 1;
            }
            counts[row] = count;
        }
        std::copy(hashes, hashes + (end - begin), side.hashes.begin() + std::ptrdiff_t(begin));
        side.longest = std::max(side.longest, *std::max_element(lengths, lengths + (end - begin)));
    }
}

// The residue numbers of one column after another of one alignment. Moving a
// few columns on reads a few bytes per row, so confirming the same columns,
// which mostly come in column order, costs about one byte per row each.
class AlignmentComparison::ColumnCursor {
public:
    explicit ColumnCursor(const Side& side) : side_(side), counts_(side.rows.size()) {}

    const std::vector<std::uint64_t>& ValuesAt(std::size_t column) {
        const std::size_t rows = side_.rows.size();
        if (column < column_ || column - column_ > kBlock) {  // start again from the stored counts
            column_ = (column - 1) / kBlock * kBlock;
            const std::uint64_t* stored = side_.checkpoints.data() + column_ / kBlock * rows;
            std::copy(stored, stored + rows, counts_.begin());
        }
        values_.resize(rows);
        for (std::size_t row = 0; row < rows; ++row) {
            const std::string& sequence = *side_.rows[row];
            const std::size_t end = std::min(column, sequence.size());
            std::uint64_t count = counts_[row];
            for (std::size_t c = column_; c < end; ++c) count += sequence[c] != '-';
            counts_[row] = count;
            values_[row] = column <= sequence.size() && sequence[column - 1] == '-' ? 0 : count;
        }
        column_ = column;
        return values_;
    }

private:
    const Side& side_;
    std::size_t column_ = 0;              // the counts hold the residues of columns 1 to column_
    std::vector<std::uint64_t> counts_;
    std::vector<std::uint64_t> values_;
};

std::string AlignmentComparison::ColumnString(Alignment alignment, std::size_t column) const {
    ColumnCursor cursor(Of(alignment));
    const std::vector<std::uint64_t>& values = cursor.ValuesAt(column);
    std::string text;
    text.reserve(values.size() * 6);
    char digits[24];
    for (std::uint64_t value : values) {
        const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
        text.append(digits, end).push_back('-');
    }
    return text;
}

char AlignmentComparison::FirstCharacter(std::size_t row, std::size_t column) const {
    const std::string& sequence = *first_.rows[row];
    return column <= sequence.size() ? sequence[column - 1] : '\0';
}

void AlignmentComparison::FindSameColumns() {
    // Finds column among the columns kept for its hash, or keeps it; true when
    // found. Two columns of one alignment rarely share a description (columns
    // of gaps), so these confirmations start from the stored counts.
    using Kept = std::unordered_multimap<std::uint64_t, std::size_t>;
    const auto findOrKeep = [&](Kept& kept, const Side& side, std::size_t column) {
        const auto [from, to] = kept.equal_range(side.hashes[column - 1]);
        for (auto it = from; it != to; ++it)
            if (ColumnCursor(side).ValuesAt(column) == ColumnCursor(side).ValuesAt(it->second)) return true;
        kept.emplace(side.hashes[column - 1], column);
        return false;
    };

    Kept firstColumns;  // the first column of each description of the first alignment
    firstColumns.reserve(first_.length);
    for (std::size_t column = 1; column <= first_.length; ++column) (void)findOrKeep(firstColumns, first_, column);
    // The first column of each description of the second alignment, paired
    // with the columns of the first alignment that have its hash.
    std::vector<SameColumn> candidates;
    Kept secondColumns;
    secondColumns.reserve(second_.length);
    for (std::size_t column = 1; column <= second_.length; ++column) {
        if (findOrKeep(secondColumns, second_, column)) continue;
        const auto [from, to] = firstColumns.equal_range(second_.hashes[column - 1]);
        for (auto it = from; it != to; ++it) candidates.push_back({it->second, column});
    }
    // Confirmed on all cores, kept in order; at most one first column can match.
    RunOrderedBatches<std::vector<char>>(
        candidates.size(), std::max<std::size_t>(256, candidates.size() / (BatchThreads() * 4)),
        [&](std::size_t first, std::size_t last, std::vector<char>& confirmed) {
            ColumnCursor firstCursor(first_), secondCursor(second_);
            for (std::size_t i = first; i < last; ++i)
                confirmed.push_back(secondCursor.ValuesAt(candidates[i].second) ==
                                    firstCursor.ValuesAt(candidates[i].first));
        },
        [&](std::size_t first, std::size_t last, const std::vector<char>& confirmed) {
            for (std::size_t i = first; i < last; ++i)
                if (confirmed[i - first]) same_.push_back(candidates[i]);
        });
}

}  // namespace tulvarine
