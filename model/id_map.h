// The ID map of the ORF search against per-sequence proteins: a text file whose
// lines pair a cDNA ID (first field) with a protein ID (second field).
//
// Built once, then read-only: several threads may look IDs up at a time.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "model/literal_matcher.h"

namespace tulvarine {

class ProgressSink;

// The cDNA ID and the protein ID of one map line: its first two fields, fields
// being the runs of bytes between white space (blank, tab, CR, LF, FF, VT), so
// white space before the first field is no field. Each loses one leading ">".
// Nothing for a line with fewer than two fields or whose protein ID is empty.
std::optional<std::pair<std::string_view, std::string_view>> ParseIdMapLine(std::string_view line);

// The first word of a record name: its first run of bytes that are not white space.
std::string_view FirstWord(std::string_view name);

class IdMap {
public:
    using Entry = std::pair<std::string, std::string>;  // cDNA ID, protein ID

    IdMap() = default;
    // The pairs in file order. A cDNA ID already present keeps its first protein
    // ID; an empty cDNA ID is left out (it would be found in every name).
    explicit IdMap(std::vector<Entry> pairs);

    // The entries kept, in file order.
    const std::vector<Entry>& Entries() const { return entries_; }
    std::size_t Count() const { return entries_.size(); }

    // The protein ID mapped to a cDNA record name (its header line without ">"):
    // the key equal to the name's first word, ASCII case ignored; when no key is
    // equal, the last key in file order that occurs in the name, case ignored.
    // Keys are literal text. Empty when no key matches.
    std::string_view LookUp(std::string_view cdnaName) const;

private:
    std::vector<Entry> entries_;
    std::unordered_map<std::string, std::size_t> byFoldedKey_;  // ASCII lower-case key -> last entry
    LiteralMatcher keysInNames_;                                 // literal i = entry i's key
};

// Reads the map file at path into map. progress, when given, is set to
// "<n> map loaded" after each line with two fields. False (and an empty map)
// when the file cannot be opened or read to its end.
[[nodiscard]] bool ReadIdMap(const std::string& path, IdMap& map, ProgressSink* progress = nullptr);

}  // namespace tulvarine
