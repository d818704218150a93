// The query IDs of an extraction or removal by ID, matched against FASTA header
// lines through hash lookups: no pattern is compiled, and the time per header
// does not grow with the number of queries.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/text.h"

namespace tulvarine {

// How a header line that is as long as a query is compared with it.
enum class IdEquality {
    kExactBytes,  // byte for byte (the extraction by ID)
    kIgnoreCase,  // ASCII case ignored (the user order of the sort)
};

class IdQueryList {
public:
    // One query per ID, in order: blanks trimmed from both ends, empty IDs
    // dropped, ">" put in front of each that lacks one. Duplicates stay.
    explicit IdQueryList(const TextArray& ids, IdEquality equality = IdEquality::kExactBytes);

    // The number of queries, duplicates included.
    std::size_t Count() const { return queryCount_; }
    // Queries with the same bytes form one group; query q (0-based, empty IDs
    // not counted) is in group GroupOf(q), a number below GroupCount().
    std::size_t GroupCount() const { return groupSize_.size(); }
    std::size_t GroupOf(std::size_t query) const { return queryGroup_[query]; }

    // The groups whose queries match headerLine (the rule of MatchAndMark), a
    // group possibly more than once. The list lives until the next call.
    const std::vector<std::size_t>& MatchingGroups(std::string_view headerLine);

    // Whether any query matches headerLine (a line as read, ">" included).
    // A query q matches a line h when h equals q (byte for byte, or ASCII case
    // ignored with IdEquality::kIgnoreCase), or when h begins with q, ASCII case
    // ignored, and the next byte of h is ".", "|" or white space (space, tab,
    // CR, LF, FF, VT). Every byte of an ID is taken
    // literally: "a.1" does not match ">aX1", "seq(1)" is an ordinary ID.
    // Every query that matches is marked as matched, not only the first in list
    // order, so duplicate IDs and IDs that differ only in case are marked together.
    bool MatchAndMark(std::string_view headerLine);

    // True once every query has matched at least one line (at once when there is none).
    bool AllMatched() const { return matchedCount_ == queryCount_; }

private:
    struct TextHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
    };
    template <class Value>
    using TextMap = std::unordered_map<std::string, Value, TextHash, std::equal_to<>>;

    void Mark(std::size_t group);

    bool equalityIgnoresCase_ = false;
    std::size_t queryCount_ = 0;
    std::size_t matchedCount_ = 0;
    std::vector<std::size_t> queryGroup_;  // per query
    std::vector<std::size_t> groupSize_;
    std::vector<bool> groupMatched_;
    TextMap<std::size_t> exact_;                  // query -> its group
    TextMap<std::vector<std::size_t>> folded_;    // lower-cased query -> the groups that fold to it
    std::vector<std::size_t> lengths_;            // the distinct query lengths, ascending
    std::string folding_;                         // the lower-cased start of the line being matched
    std::vector<std::size_t> matching_;           // what MatchingGroups returns
};

}  // namespace tulvarine
