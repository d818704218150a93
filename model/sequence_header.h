// The header of one FASTA record: the text of its ">" line without the ">".
#pragma once

#include <string>
#include <string_view>

#include "model/packed_text.h"

namespace tulvarine {

class SequenceHeader {
public:
    // Which part of the header GetPart gives.
    enum Part : int { kWhole = 0, kId = 1, kDescription = 2 };
    // How Matches compares a name with the header.
    enum MatchMode : int { kExact = 0, kStartsWith = 1, kEndsWith = 2 };

    SequenceHeader() = default;
    explicit SequenceHeader(std::string_view line) { SetText(line); }
    // As SetText, the text kept in an arena that must outlive the header.
    SequenceHeader(std::string_view line, TextArena& arena) : text_(Clean(line), arena) {}

    // Stores line with blanks trimmed from both ends, then drops one leading ">".
    void SetText(std::string_view line) { text_ = PackedText(Clean(line)); }
    std::string_view Text() const { return text_.View(); }

    // kId: the text before the first ASCII space (trailing blanks trimmed);
    // kDescription: the text after it (leading blanks trimmed). Mode 0, any
    // other mode, and a header without a space give the whole header.
    std::string GetPart(Part mode = kWhole) const { return std::string(PartView(mode)); }
    std::size_t GetPartLength(Part mode = kWhole) const { return PartView(mode).size(); }
    std::string_view PartView(Part mode = kWhole) const;

    // Drops one leading ">" from the caller's name (written back), then:
    // kExact: equal byte for byte; kStartsWith: the header begins with name,
    // kEndsWith: the header ends with name, both ignoring ASCII case. The name is
    // taken literally. Any other mode gives false.
    bool Matches(std::string& name, MatchMode mode = kExact) const;

private:
    static std::string_view Clean(std::string_view line);

    PackedText text_;  // 8 bytes: a set of millions of short records stays small
};

}  // namespace tulvarine
