#include "model/line_wrapper.h"

#include <algorithm>

namespace tulvarine {

namespace {
// Widths below 1 are never asked for; taking them as the default keeps every
// loop finite.
std::size_t UsableWidth(int width) { return width >= 1 ? std::size_t(width) : kDefaultLineWidth; }
}  // namespace

std::string WrapSequenceLines(std::string_view text, int width, bool useWidth) {
    if (text.size() > kLongestWrappedText) return std::string(text);
    const std::size_t w = UsableWidth(useWidth ? width : kDefaultLineWidth);
    std::string out;
    out.reserve(text.size() + 2 * (text.size() / w + 1));
    std::size_t start = 0;
    for (; start + w < text.size(); start += w) {  // a line is full only when bytes remain after it
        out.append(text.substr(start, w));
        out.append("\r\n");
    }
    out.append(text.substr(start));
    return out;
}

void LineWrapper::AppendWrapped(std::string_view text) {
    const std::size_t w = std::size_t(width_);
    std::size_t start = 0;
    for (; text.size() - start >= w; start += w) {
        buffer_.append(text.substr(start, w));
        buffer_.append("\r\n");
    }
    buffer_.append(text.substr(start));
    room_ = width_ - int(text.size() - start);
}

const std::string& LineWrapper::Wrap(std::string_view text, int width) {
    buffer_.clear();
    width_ = int(UsableWidth(width));
    AppendWrapped(text);
    return buffer_;
}

const std::string& LineWrapper::Append(std::string_view text) {
    const std::size_t head = std::min(text.size(), std::size_t(std::max(room_, 0)));
    buffer_.append(text.substr(0, head));
    buffer_.append("\r\n");
    AppendWrapped(text.substr(head));
    return buffer_;
}

}  // namespace tulvarine
