#include "model/id_query_list.h"

#include <algorithm>

namespace tulvarine {

namespace {

// The bytes that may follow a query at the start of a header line.
bool EndsId(char c) {
    return c == '.' || c == '|' || c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

}  // namespace

IdQueryList::IdQueryList(const TextArray& ids, IdEquality equality)
    : equalityIgnoresCase_(equality == IdEquality::kIgnoreCase) {
    for (const std::string& id : ids) {
        const std::string_view trimmed = TrimBlanks(id);
        if (trimmed.empty()) continue;
        std::string query = trimmed.front() == '>' ? std::string(trimmed) : ">" + std::string(trimmed);
        ++queryCount_;
        auto [entry, added] = exact_.try_emplace(query, groupSize_.size());
        queryGroup_.push_back(entry->second);
        if (!added) {
            ++groupSize_[entry->second];
            continue;
        }
        groupSize_.push_back(1);
        folded_[ToLowerAscii(query)].push_back(entry->second);
        lengths_.push_back(query.size());
    }
    groupMatched_.assign(groupSize_.size(), false);
    std::sort(lengths_.begin(), lengths_.end());
    lengths_.erase(std::unique(lengths_.begin(), lengths_.end()), lengths_.end());
}

void IdQueryList::Mark(std::size_t group) {
    if (groupMatched_[group]) return;
    groupMatched_[group] = true;
    matchedCount_ += groupSize_[group];
}

bool IdQueryList::MatchAndMark(std::string_view headerLine) {
    for (const std::size_t group : MatchingGroups(headerLine)) Mark(group);
    return !matching_.empty();
}

const std::vector<std::size_t>& IdQueryList::MatchingGroups(std::string_view headerLine) {
    matching_.clear();
    if (const auto exact = exact_.find(headerLine); exact != exact_.end()) matching_.push_back(exact->second);
    // Every query begins with ">"; a line that does not can match only by equality.
    if (headerLine.empty() || headerLine.front() != '>') return matching_;
    folding_.clear();
    for (const std::size_t length : lengths_) {
        if (length > headerLine.size()) break;
        if (length == headerLine.size() ? !equalityIgnoresCase_ : !EndsId(headerLine[length])) continue;
        // Fold only as far as needed: most lines have one or two candidate lengths.
        for (std::size_t i = folding_.size(); i < length; ++i) folding_ += AsciiLower(headerLine[i]);
        const auto folded = folded_.find(std::string_view(folding_).substr(0, length));
        if (folded == folded_.end()) continue;
        matching_.insert(matching_.end(), folded->second.begin(), folded->second.end());
    }
    return matching_;
}

}  // namespace tulvarine
