#include "model/text.h"

#include <algorithm>
#include <cstring>

namespace tulvarine {

std::string ToUpperAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = AsciiUpper(c);
    return out;
}

std::string ToLowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = AsciiLower(c);
    return out;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
    return true;
}

bool StartsWithIgnoreCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualsIgnoreCase(text.substr(0, prefix.size()), prefix);
}

bool EndsWithIgnoreCase(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           EqualsIgnoreCase(text.substr(text.size() - suffix.size()), suffix);
}

std::size_t FindIgnoreCase(std::string_view haystack, std::string_view needle, std::size_t from) {
    if (from > haystack.size()) return std::string_view::npos;
    if (needle.empty()) return from;
    auto it = std::search(haystack.begin() + from, haystack.end(), needle.begin(), needle.end(),
                          [](char x, char y) { return AsciiUpper(x) == AsciiUpper(y); });
    return it == haystack.end() ? std::string_view::npos : std::size_t(it - haystack.begin());
}

std::string_view ShownPart(std::string_view text, std::size_t limit) {
    if (text.size() <= limit) return text;
    std::size_t cut = limit;
    // Back over continuation bytes (10xxxxxx) to the start of the character the limit splits.
    for (std::size_t back = 0; back < 3 && cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80; ++back)
        --cut;
    return text.substr(0, cut);
}

std::string ShownText(std::string_view text, std::size_t limit) {
    if (text.size() <= limit) return std::string(text);
    return std::string(ShownPart(text, limit)).append(kCutMark);
}

std::string ShownLines(std::string_view text, std::size_t limit) {
    if (text.size() <= limit) return std::string(text);
    std::string shown;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find_first_of("\r\n"), text.size());
        shown += ShownText(text.substr(0, end), limit);
        const std::size_t next = end + (text.substr(end, 2) == "\r\n" ? 2 : end < text.size() ? 1 : 0);
        shown.append(text.substr(end, next - end));
        text.remove_prefix(next);
    }
    return shown;
}

std::string_view TrimLeadingBlanks(std::string_view text) {
    for (;;) {
        if (!text.empty() && text.front() == ' ')
            text.remove_prefix(1);
        else if (text.starts_with(kFullWidthBlank))
            text.remove_prefix(kFullWidthBlank.size());
        else
            return text;
    }
}

std::string_view TrimTrailingBlanks(std::string_view text) {
    for (;;) {
        if (!text.empty() && text.back() == ' ')
            text.remove_suffix(1);
        else if (text.ends_with(kFullWidthBlank))
            text.remove_suffix(kFullWidthBlank.size());
        else
            return text;
    }
}

std::string_view TrimBlanks(std::string_view text) { return TrimTrailingBlanks(TrimLeadingBlanks(text)); }

namespace {

// Compacts n bytes at data, dropping every byte that is one of bytes; returns
// the new size. Most texts hold none, so the compaction starts at the first.
std::size_t RemoveAsciiBytes(char* data, std::size_t n, std::string_view bytes) {
    std::size_t first = n;
    for (const char c : bytes)
        if (const void* hit = std::memchr(data, c, first)) first = std::size_t(static_cast<const char*>(hit) - data);
    if (first == n) return n;
    std::size_t out = first;
    for (std::size_t i = first; i < n; ++i)
        if (bytes.find(data[i]) == std::string_view::npos) data[out++] = data[i];
    return out;
}

// Compacts n bytes at data, dropping every full-width blank met in one
// left-to-right pass (as a substitution does); returns the new size.
std::size_t RemoveFullWidthBlanks(char* data, std::size_t n) {
    const std::string_view text(data, n);
    std::size_t at = text.find(kFullWidthBlank);
    if (at == std::string_view::npos) return n;
    std::size_t out = at;
    while (at < n) {
        if (text.substr(at, 3) == kFullWidthBlank) {
            at += 3;
        } else {
            data[out++] = data[at++];
        }
    }
    return out;
}

}  // namespace

// Each kind goes in its own pass, in this order: carriage returns, line feeds,
// spaces, full-width blanks. Removing a single byte never makes another one,
// so the first three passes run as one; a full-width blank whose bytes a line
// break or a space split is whole by the last pass, and goes too.
std::size_t RemoveLineBreaksAndBlanks(char* data, std::size_t size) {
    return RemoveFullWidthBlanks(data, RemoveAsciiBytes(data, size, "\r\n "));
}
void RemoveLineBreaksAndBlanks(std::string& text) { text.resize(RemoveLineBreaksAndBlanks(text.data(), text.size())); }
void RemoveBlanks(std::string& text) {
    text.resize(RemoveFullWidthBlanks(text.data(), RemoveAsciiBytes(text.data(), text.size(), " ")));
}

TextArray SplitText(std::string_view text, std::string_view sep) {
    TextArray pieces;
    if (text.empty()) return pieces;
    if (sep.empty()) {
        pieces.emplace_back(text);
        return pieces;
    }
    std::size_t start = 0;
    for (std::size_t hit; (hit = text.find(sep, start)) != std::string_view::npos; start = hit + sep.size())
        pieces.emplace_back(text.substr(start, hit - start));
    if (start < text.size()) pieces.emplace_back(text.substr(start));
    return pieces;
}

std::size_t ReplaceAll(std::string& text, std::string_view what, std::string_view by, std::size_t from,
                       bool caseSensitive) {
    if (what.empty() || from >= text.size()) return 0;
    std::string out;
    std::size_t count = 0, copied = 0;
    for (std::size_t hit = from;;) {
        hit = caseSensitive ? std::string_view(text).find(what, hit) : FindIgnoreCase(text, what, hit);
        if (hit == std::string_view::npos) break;
        if (count++ == 0) out.reserve(text.size());
        out.append(text, copied, hit - copied);
        out.append(by);
        hit += what.size();
        copied = hit;
    }
    if (count == 0) return 0;
    out.append(text, copied, std::string::npos);
    text = std::move(out);
    return count;
}

std::string WithCrLfLineEnds(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 32);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out.push_back('\r');
        out.push_back(text[i]);
    }
    return out;
}

}  // namespace tulvarine
