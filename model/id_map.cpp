#include "model/id_map.h"

#include <algorithm>
#include <unordered_set>

#include "model/line_reader.h"
#include "model/numbers.h"
#include "model/progress.h"
#include "model/text.h"

namespace tulvarine {

namespace {

constexpr bool IsWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

// The next field of line at or after at (empty at the end), and where the search goes on.
std::string_view NextField(std::string_view line, std::size_t& at) {
    while (at < line.size() && IsWhiteSpace(line[at])) ++at;
    const std::size_t begin = at;
    while (at < line.size() && !IsWhiteSpace(line[at])) ++at;
    return line.substr(begin, at - begin);
}

std::string_view WithoutLeadingMark(std::string_view id) {
    if (!id.empty() && id.front() == '>') id.remove_prefix(1);
    return id;
}

}  // namespace

std::optional<std::pair<std::string_view, std::string_view>> ParseIdMapLine(std::string_view line) {
    std::size_t at = 0;
    const std::string_view first = NextField(line, at);
    const std::string_view second = WithoutLeadingMark(NextField(line, at));
    // A protein ID of ">" alone is no ID: stored, it would claim the key and read as "not mapped".
    if (second.empty()) return std::nullopt;
    return std::pair{WithoutLeadingMark(first), second};
}

std::string_view FirstWord(std::string_view name) {
    std::size_t at = 0;
    return NextField(name, at);
}

IdMap::IdMap(std::vector<Entry> pairs) {
    entries_.reserve(pairs.size());  // never moved again: seen looks into the kept keys
    std::unordered_set<std::string_view> seen;  // exact keys, case kept
    for (Entry& pair : pairs) {
        if (pair.first.empty()) continue;
        entries_.push_back(std::move(pair));
        if (!seen.insert(entries_.back().first).second) entries_.pop_back();  // the first line of a key wins
    }
    std::vector<std::string_view> keys;
    keys.reserve(entries_.size());
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        byFoldedKey_[ToLowerAscii(entries_[i].first)] = i;  // a later key equal but for case wins
        keys.push_back(entries_[i].first);
    }
    keysInNames_ = LiteralMatcher(keys);
}

std::string_view IdMap::LookUp(std::string_view cdnaName) const {
    if (const auto exact = byFoldedKey_.find(ToLowerAscii(FirstWord(cdnaName))); exact != byFoldedKey_.end())
        return entries_[exact->second].second;
    std::size_t last = entries_.size();  // none yet
    keysInNames_.ForEachOccurrence(cdnaName, [&](std::size_t key) {
        if (last == entries_.size() || key > last) last = key;  // the last key in file order wins
    });
    return last == entries_.size() ? std::string_view() : std::string_view(entries_[last].second);
}

bool ReadIdMap(const std::string& path, IdMap& map, ProgressSink* progress) {
    map = IdMap();
    LineReader reader;
    if (!reader.Open(path)) return false;
    std::vector<IdMap::Entry> pairs;
    std::string_view line;
    while (reader.Next(line)) {
        const auto fields = ParseIdMapLine(line);
        if (!fields) continue;
        pairs.emplace_back(fields->first, fields->second);
        if (progress) progress->SetText(IntToText(static_cast<long long>(pairs.size())) + " map loaded");
    }
    if (reader.ReadFailed()) return false;
    map = IdMap(std::move(pairs));
    return true;
}

}  // namespace tulvarine
