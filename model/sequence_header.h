// The header of one FASTA record: the text of its ">" line without the ">".
#pragma once

#include <string>
#include <string_view>

namespace tulvarine {

class SequenceHeader {
public:
    // Which part of the header GetPart gives.
    enum Part : int { kWhole = 0, kId = 1, kDescription = 2 };
    // How Matches compares a name with the header.
    enum MatchMode : int { kExact = 0, kStartsWith = 1, kEndsWith = 2 };

    SequenceHeader() = default;
    explicit SequenceHeader(std::string_view line) { SetText(line); }

    // Stores line with blanks trimmed from both ends, then drops one leading ">".
    void SetText(std::string_view line);
    const std::string& Text() const { return text_; }

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
    std::string text_;
};

}  // namespace tulvarine
