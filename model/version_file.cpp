#include "model/version_file.h"

#include <cstddef>
#include <limits>

#include "model/text.h"

namespace tulvarine {

namespace {
constexpr std::string_view kFullWidthDigitLead = "\xEF\xBC";  // U+FF10..FF19: EF BC 90..99

// The value of the digit at the front of text and its length in bytes; 0 bytes
// when text does not begin with an ASCII or full-width digit.
std::size_t LeadingDigit(std::string_view text, int& value) {
    if (!text.empty() && text[0] >= '0' && text[0] <= '9') {
        value = text[0] - '0';
        return 1;
    }
    if (text.size() >= 3 && text.substr(0, 2) == kFullWidthDigitLead) {
        const auto third = static_cast<unsigned char>(text[2]);
        if (third >= 0x90 && third <= 0x99) {
            value = third - 0x90;
            return 3;
        }
    }
    return 0;
}

// The number written by the leading digits of piece (blanks before them
// skipped); 0 without digits. Saturates instead of overflowing.
long long LeadingNumber(std::string_view piece) {
    piece = TrimLeadingBlanks(piece);
    constexpr long long kMax = std::numeric_limits<long long>::max();
    long long number = 0;
    int digit = 0;
    while (const std::size_t length = LeadingDigit(piece, digit)) {
        number = number > (kMax - digit) / 10 ? kMax : number * 10 + digit;
        piece.remove_prefix(length);
    }
    return number;
}

// Removes carriage returns and blanks from both ends.
std::string TrimField(std::string_view field) {
    for (;;) {
        const std::size_t before = field.size();
        field = TrimBlanks(field);
        if (!field.empty() && field.front() == '\r') field.remove_prefix(1);
        if (!field.empty() && field.back() == '\r') field.remove_suffix(1);
        if (field.size() == before) return std::string(field);
    }
}

// Field 2 of line, trimmed; nullopt when the line has fewer than two fields.
std::optional<std::string> SecondField(std::string_view line) {
    const TextArray fields = SplitText(line, "\t");
    if (fields.size() < 2) return std::nullopt;
    return TrimField(fields[1]);
}
}  // namespace

bool BeginsWithDigit(std::string_view text) {
    int digit = 0;
    return LeadingDigit(TrimLeadingBlanks(text), digit) > 0;
}

std::optional<VersionFile> ParseVersionFile(std::string_view text) {
    const TextArray lines = SplitText(text, "\n");
    if (lines.size() < 2) return std::nullopt;
    std::optional<std::string> newest = SecondField(lines[0]);
    std::optional<std::string> address = SecondField(lines[1]);
    if (!newest || !address || address->empty() || !BeginsWithDigit(*newest)) return std::nullopt;
    return VersionFile{std::move(*newest), std::move(*address)};
}

int CompareVersions(std::string_view a, std::string_view b) {
    const TextArray left = SplitText(a, ".");
    const TextArray right = SplitText(b, ".");
    const std::size_t count = left.size() > right.size() ? left.size() : right.size();
    for (std::size_t i = 0; i < count; ++i) {
        const long long x = i < left.size() ? LeadingNumber(left[i]) : 0;
        const long long y = i < right.size() ? LeadingNumber(right[i]) : 0;
        if (x != y) return x < y ? -1 : 1;
    }
    return 0;
}

}  // namespace tulvarine
