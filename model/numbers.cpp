#include "model/numbers.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

#include "model/text.h"

namespace tulvarine {

std::string IntToText(long long value) {
    char buf[32];
    auto res = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, res.ptr);
}

namespace {

template <class T>
std::string FormatGeneral(T value, int precision) {
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, precision);
    return std::string(buf, res.ptr);
}

// Copies the leading number of text as ASCII, mapping full-width digits
// (U+FF10..FF19) and signs (U+FF0B, U+FF0D) to their ASCII forms.
std::string LeadingNumberAscii(std::string_view text) {
    text = TrimLeadingBlanks(text);
    std::string out;
    bool sawDigit = false, sawPoint = false, sawExponent = false;
    for (std::size_t i = 0; i < text.size();) {
        char c = text[i];
        std::size_t width = 1;
        // Full-width forms are EF BC 90..99 (digits), EF BC 8B (+), EF BC 8D (-).
        if (c == '\xEF' && i + 2 < text.size() && text[i + 1] == '\xBC') {
            const unsigned char third = static_cast<unsigned char>(text[i + 2]);
            if (third >= 0x90 && third <= 0x99) c = char('0' + (third - 0x90));
            else if (third == 0x8B) c = '+';
            else if (third == 0x8D) c = '-';
            else break;
            width = 3;
        }
        const bool signAllowed = out.empty() || (out.back() == 'e' || out.back() == 'E');
        if (c >= '0' && c <= '9') {
            sawDigit = true;
        } else if ((c == '+' || c == '-') && signAllowed) {
        } else if (c == '.' && !sawPoint && !sawExponent) {
            sawPoint = true;
        } else if ((c == 'e' || c == 'E') && sawDigit && !sawExponent) {
            sawExponent = true;
        } else {
            break;
        }
        out.push_back(c);
        i += width;
    }
    return out;
}

}  // namespace

std::string FloatToText(float value) { return FormatGeneral(value, 6); }
std::string DoubleToText(double value) { return FormatGeneral(value, 13); }

double TextToDouble(std::string_view text) {
    std::string number = LeadingNumberAscii(text);
    bool negative = false;
    std::size_t start = 0;
    if (!number.empty() && (number[0] == '+' || number[0] == '-')) {
        negative = number[0] == '-';
        start = 1;
    }
    double value = 0;
    // from_chars takes the longest valid prefix ("1e" reads as 1), never a sign.
    auto res = std::from_chars(number.data() + start, number.data() + number.size(), value);
    if (res.ec == std::errc::invalid_argument) return 0;
    if (res.ec == std::errc::result_out_of_range) {
        // Too large overflows to infinity; too small (a negative exponent) is 0.
        const bool tiny = number.find("e-") != std::string::npos || number.find("E-") != std::string::npos;
        value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
    }
    return negative ? -value : value;
}

long long TextToInt(std::string_view text) {
    const double value = std::trunc(TextToDouble(text));
    if (!(value < 9.2e18)) return value > 0 ? std::numeric_limits<long long>::max() : 0;
    if (value < -9.2e18) return std::numeric_limits<long long>::min();
    return static_cast<long long>(value);
}

}  // namespace tulvarine
