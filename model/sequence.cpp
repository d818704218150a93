#include "model/sequence.h"

#include <array>

#include "model/genetic_codes.h"
#include "model/line_wrapper.h"
#include "model/text.h"

namespace tulvarine {

namespace {

constexpr std::array<char, 256> MakeComplements() {
    std::array<char, 256> table{};
    for (auto& c : table) c = 'N';
    constexpr std::string_view from = "AGTCRYWSKMBVDH", to = "TCAGYRWSMKVBHD";
    for (std::size_t i = 0; i < from.size(); ++i) {
        table[static_cast<unsigned char>(from[i])] = to[i];
        table[static_cast<unsigned char>(AsciiLower(from[i]))] = to[i];
    }
    return table;
}
constexpr std::array<char, 256> kComplements = MakeComplements();

}  // namespace

void AppendReverseComplement(std::string_view bases, std::string& out) {
    const std::size_t start = out.size();
    out.resize(start + bases.size());
    char* dst = out.data() + start;
    for (std::size_t i = bases.size(); i-- > 0;) *dst++ = kComplements[static_cast<unsigned char>(bases[i])];
}

void Sequence::SetText(std::string& text) {
    RemoveLineBreaksAndBlanks(text);
    residues_ = PackedText(text);
}

void Sequence::SetText(std::string&& text) {
    RemoveLineBreaksAndBlanks(text);
    residues_ = PackedText(text);
}

std::string Sequence::GetText(bool /*wrap*/) const { return WrapSequenceLines(GetText()); }

std::string Sequence::Mid(long long start, long long n) const {
    const std::string_view residues = GetText();
    const long long length = static_cast<long long>(residues.size());
    if (start < 1) start = 1;
    if (n <= 0 || start > length) return {};
    return std::string(residues.substr(std::size_t(start - 1), std::size_t(n)));
}

bool Sequence::ReplaceRange(long long position, long long count, std::string_view text) {
    const long long length = static_cast<long long>(Length());
    if (position < 1 || position > length + 1 || count < 0) return false;
    std::string residues(GetText());
    residues.replace(std::size_t(position - 1), std::size_t(count), text);
    residues_ = PackedText(residues);
    return true;
}

std::string Sequence::ReplaceText(std::string_view what, std::string_view by, long long start,
                                  bool caseSensitive) {
    if (start < 1) start = 1;
    std::string text(GetText());
    if (ReplaceAll(text, what, by, std::size_t(start - 1), caseSensitive) > 0) residues_ = PackedText(text);
    return text;
}

std::string Sequence::ReverseComplement() const {
    std::string out;
    AppendReverseComplement(GetText(), out);
    return out;
}

std::string Sequence::Translate(GeneticCode code, std::string_view filler, int frame, bool reverse) const {
    std::string source;
    std::string_view bases = GetText();
    if (reverse) {
        AppendReverseComplement(bases, source);
        bases = source;
    }
    const std::size_t skip = frame > 1 ? std::size_t(frame - 1) : 0;
    bases = skip < bases.size() ? bases.substr(skip) : std::string_view();
    std::string cleanFiller(filler);
    RemoveBlanks(cleanFiller);
    std::string protein;
    AppendTranslation(bases, CodonTableFor(code), cleanFiller, protein);
    return protein;
}

}  // namespace tulvarine
