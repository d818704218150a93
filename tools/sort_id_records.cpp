#include "tools/sort_id_records.h"

#include <cstring>

#include "model/line_reader.h"
#include "model/output_file.h"
#include "model/slab_memory.h"
#include "model/text.h"

namespace tulvarine {

bool SortRecords::Read(const std::string& path, HeaderRule rule, const std::function<void(std::size_t)>& headerRead) {
    text_.clear();
    records_.clear();
    headerCount_ = 0;
    headerRead_ = headerRead;
    LineReader reader;
    if (!reader.Open(path)) return false;
    // What is kept of a line never exceeds the bytes it was read from (its LF
    // included; one more for a last line without one): one reservation holds
    // the whole file, and a large file is never copied by growing.
    ReserveLarge(text_, reader.FileSize() + 1);
    std::string_view piece;
    bool endsLine = false, lineOpen = false;
    std::size_t lineBegin = 0;
    // Long lines come in pieces: a record on one huge line is held once.
    while (reader.NextPiece(piece, endsLine)) {
        text_.append(piece);
        lineOpen = !endsLine;
        if (endsLine) {
            EndLine(lineBegin, rule);
            lineBegin = text_.size();
        }
    }
    if (lineOpen) EndLine(lineBegin, rule);
    return !reader.ReadFailed();
}

void SortRecords::EndLine(std::size_t lineBegin, HeaderRule rule) {
    const std::string_view raw = std::string_view(text_).substr(lineBegin);
    const std::string_view line = TrimBlanks(raw);
    const std::size_t size = line.size();
    if (line.data() != raw.data()) std::memmove(text_.data() + lineBegin, line.data(), size);
    text_.resize(lineBegin + size);
    const char* first = text_.data() + lineBegin;
    const bool header = rule == HeaderRule::kMarkAnywhere ? std::memchr(first, '>', size) != nullptr
                                                          : size > 0 && *first == '>';
    if (header) {
        const std::uint64_t end = text_.size();
        records_.push_back({lineBegin, end, end, 0});
        if (headerRead_) headerRead_(++headerCount_);
        return;
    }
    if (records_.empty() || (size == 0 && rule == HeaderRule::kMarkFirst)) {
        text_.resize(lineBegin);
        return;
    }
    text_ += '\n';
    records_.back().bodyEnd = text_.size();
    records_.back().length += size;
}

void SortRecords::Write(OutputFile& out, std::string_view header, std::size_t i) const {
    out.Write(header);
    out.Write("\r\n");
    std::string_view body = Body(i);
    while (!body.empty()) {
        const std::size_t end = body.find('\n');
        out.Write(body.substr(0, end));
        out.Write("\r\n");
        body.remove_prefix(end + 1);
    }
}

}  // namespace tulvarine
