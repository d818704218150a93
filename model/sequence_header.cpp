#include "model/sequence_header.h"

#include "model/text.h"

namespace tulvarine {

std::string_view SequenceHeader::Clean(std::string_view line) {
    line = TrimBlanks(line);
    if (!line.empty() && line.front() == '>') line.remove_prefix(1);
    return line;
}

std::string_view SequenceHeader::PartView(Part mode) const {
    const std::string_view text = Text();
    if (mode != kId && mode != kDescription) return text;
    const std::size_t space = text.find(' ');
    if (space == std::string_view::npos) return text;
    if (mode == kId) return TrimTrailingBlanks(text.substr(0, space));
    return TrimLeadingBlanks(text.substr(space + 1));
}

bool SequenceHeader::Matches(std::string& name, MatchMode mode) const {
    if (!name.empty() && name.front() == '>') name.erase(0, 1);
    switch (mode) {
    case kExact: return Text() == name;
    case kStartsWith: return StartsWithIgnoreCase(Text(), name);
    case kEndsWith: return EndsWithIgnoreCase(Text(), name);
    default: return false;
    }
}

}  // namespace tulvarine
