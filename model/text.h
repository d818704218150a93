// Byte-string helpers shared by the model and every page: blanks and trimming,
// ASCII-only case folding, searching and splitting. Texts are UTF-8 bytes;
// nothing here depends on the process locale.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tulvarine {

// The full-width space U+3000 counts as a blank beside the ASCII space.
inline constexpr std::string_view kFullWidthBlank = "\xE3\x80\x80";

// A text array: file names, IDs, lines.
using TextArray = std::vector<std::string>;

constexpr char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }
constexpr char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }
std::string ToUpperAscii(std::string_view text);
std::string ToLowerAscii(std::string_view text);

bool EqualsIgnoreCase(std::string_view a, std::string_view b);
bool StartsWithIgnoreCase(std::string_view text, std::string_view prefix);
bool EndsWithIgnoreCase(std::string_view text, std::string_view suffix);

// 0-based offset of the first occurrence of needle at or after from, ASCII case
// ignored; npos when absent. An empty needle is found at from (when from <= size).
std::size_t FindIgnoreCase(std::string_view haystack, std::string_view needle, std::size_t from = 0);

// Trimming removes blanks (ASCII space, U+3000) and nothing else: tabs stay.
std::string_view TrimLeadingBlanks(std::string_view text);
std::string_view TrimTrailingBlanks(std::string_view text);
std::string_view TrimBlanks(std::string_view text);

// Removes every carriage return, then every line feed, then every blank, in
// place: a blank whose bytes a line break splits goes too.
void RemoveLineBreaksAndBlanks(std::string& text);
// The same over size bytes at data; returns the new size.
std::size_t RemoveLineBreaksAndBlanks(char* data, std::size_t size);
// Removes every blank in place (spaces first, then full-width blanks).
void RemoveBlanks(std::string& text);

// Every LF not already preceded by CR becomes CR LF: a box's text as a file holds it.
std::string WithCrLfLineEnds(std::string_view text);

// What a control (a label, a list line, a log, the status pane) shows of a
// header, an ID or a line of a user's file: a line of megabytes would keep
// the window from answering for seconds, and nobody reads past the first few
// hundred characters. Files always get the whole text.
inline constexpr std::size_t kShownTextBytes = 1000;
// A whole line a page builds for a control: room for a cut text or two beside
// the page's own words, so that a cut header never pushes its count out.
inline constexpr std::size_t kShownLineBytes = 4 * kShownTextBytes;
// Marks a text as cut: "…".
inline constexpr std::string_view kCutMark = "\xE2\x80\xA6";

// The first bytes of text, at most limit, never ending inside a UTF-8 character.
std::string_view ShownPart(std::string_view text, std::size_t limit);
// text when it has at most limit bytes; otherwise ShownPart followed by kCutMark.
std::string ShownText(std::string_view text, std::size_t limit = kShownTextBytes);
// Each line of text as ShownText shows it, line ends (model/line_ends.h) kept as they are.
std::string ShownLines(std::string_view text, std::size_t limit = kShownLineBytes);

// Splits at sep: adjacent separators give empty pieces, an empty remainder after
// the last separator is dropped, an empty sep gives the whole text, an empty
// text gives no piece.
TextArray SplitText(std::string_view text, std::string_view sep);

// Replaces every occurrence of what (searched from the 0-based offset from) by by.
// Returns the number of replacements; an empty what replaces nothing.
std::size_t ReplaceAll(std::string& text, std::string_view what, std::string_view by,
                       std::size_t from = 0, bool caseSensitive = true);

}  // namespace tulvarine
