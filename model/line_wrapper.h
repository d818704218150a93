// FASTA output form: sequences cut into CRLF-separated lines of 60 bytes.
#pragma once

#include <string>
#include <string_view>

namespace tulvarine {

inline constexpr int kDefaultLineWidth = 60;
// Sequences longer than this are written on one line even in the wrapped form.
inline constexpr std::size_t kLongestWrappedText = 100000;

// Cuts text into lines of width bytes joined by CRLF, the last line without a
// CRLF of its own. When useWidth is false the width is 60 whatever width says.
// Texts over 100000 bytes come back unchanged.
std::string WrapSequenceLines(std::string_view text, int width = kDefaultLineWidth, bool useWidth = false);

// Builds one wrapped sequence from several pieces appended in turn.
class LineWrapper {
public:
    // Starts afresh with text; the width (60 when omitted) holds for later appends.
    const std::string& Wrap(std::string_view text, int width = kDefaultLineWidth);
    // Fills the current last line from text, always ends that line with CRLF,
    // then continues wrapping the rest of text.
    const std::string& Append(std::string_view text);
    const std::string& GetText() const { return buffer_; }
    int Room() const { return room_; }

private:
    // Appends full lines of text followed by CRLF and the short remainder.
    void AppendWrapped(std::string_view text);

    std::string buffer_;
    int width_ = kDefaultLineWidth;
    int room_ = kDefaultLineWidth;
};

}  // namespace tulvarine
