#include "tools/sort_id_records.h"

#include <algorithm>
#include <cstring>

#include "model/fasta_cuts.h"
#include "model/file_bytes.h"
#include "model/line_reader.h"
#include "model/ordered_batches.h"
#include "model/output_file.h"
#include "model/slab_memory.h"
#include "model/text.h"

namespace tulvarine {

namespace {

using Record = SortRecords::Record;

// The records of one stretch of the file.
struct Stretch {
    std::vector<Record> records;
    bool ok = true;
};

// Reads bytes [begin, end) of path by rule into text, from offset begin on.
class StretchReader {
public:
    StretchReader(char* text, std::size_t begin, HeaderRule rule, Stretch& stretch)
        : text_(text), end_(begin), rule_(rule), records_(stretch.records) {}

    bool Read(const std::string& path, std::size_t begin, std::size_t end) {
        LineReader reader;
        if (!reader.OpenRange(path, begin, end)) return false;
        std::string_view piece;
        bool endsLine = false, lineOpen = false;
        std::size_t lineBegin = end_;
        // Long lines come in pieces: a record on one huge line is held once.
        while (reader.NextPiece(piece, endsLine)) {
            std::memcpy(text_ + end_, piece.data(), piece.size());
            end_ += piece.size();
            lineOpen = !endsLine;
            if (endsLine) {
                EndLine(lineBegin);
                lineBegin = end_;
            }
        }
        if (lineOpen) EndLine(lineBegin);
        return !reader.ReadFailed();
    }

private:
    void EndLine(std::size_t lineBegin) {
        const std::string_view raw(text_ + lineBegin, end_ - lineBegin);
        const std::string_view line = TrimBlanks(raw);
        const std::size_t size = line.size();
        if (line.data() != raw.data()) std::memmove(text_ + lineBegin, line.data(), size);
        end_ = lineBegin + size;
        const char* first = text_ + lineBegin;
        const bool header = rule_ == HeaderRule::kMarkAnywhere ? std::memchr(first, '>', size) != nullptr
                                                               : size > 0 && *first == '>';
        if (header) {
            records_.push_back({lineBegin, end_, end_, 0});
        } else if (records_.empty() || (size == 0 && rule_ == HeaderRule::kMarkFirst)) {
            end_ = lineBegin;  // before the first header line, or an empty line that goes
        } else {
            text_[end_++] = '\n';
            records_.back().bodyEnd = end_;
            records_.back().length += size;
        }
    }

    char* text_;
    std::size_t end_;  // one past the last byte kept
    HeaderRule rule_;
    std::vector<Record>& records_;
};

}  // namespace

bool SortRecords::Read(const std::string& path, HeaderRule rule, const std::function<void(std::size_t)>& headerRead) {
    records_.clear();
    const long long fileSize = RegularFileSize(path);
    if (fileSize < 0) return false;
    // Bytes past the size taken here are not read: a file that grows
    // meanwhile cannot overrun the text.
    const std::size_t size = std::size_t(fileSize);
    const std::vector<std::size_t> cuts = ParallelReadCuts(path, size);
    // Stretch k starts k bytes after its place in the file: each may end with
    // a line without a line feed, which gains one.
    const std::size_t textSize = size + cuts.size();
    text_.reset(new char[textSize]);
    AdviseHugePages(text_.get(), textSize);
    bool ok = true;
    RunOrderedBatches<Stretch>(
        cuts.size(), 1,
        [&](std::size_t k, std::size_t, Stretch& stretch) {
            const std::size_t end = k + 1 < cuts.size() ? cuts[k + 1] : size;
            StretchReader reader(text_.get(), cuts[k] + k, rule, stretch);
            stretch.ok = reader.Read(path, cuts[k], end);
        },
        [&](std::size_t, std::size_t, Stretch& stretch) {
            ok = ok && stretch.ok;
            if (!ok) return;
            records_.insert(records_.end(), stretch.records.begin(), stretch.records.end());
            if (headerRead && !stretch.records.empty()) headerRead(records_.size());
        });
    if (!ok) records_.clear();
    return ok;
}

namespace {
constexpr std::uint64_t kBatchBytes = 1 << 20;

// Appends header, CR LF and the body lines with CR LF line ends to text.
template <class Text>
void AppendRecord(Text& text, std::string_view header, std::string_view body) {
    text.append(header);
    text.append("\r\n");
    while (!body.empty()) {
        const std::size_t end = body.find('\n');
        text.append(body.substr(0, end));
        text.append("\r\n");
        body.remove_prefix(end + 1);
    }
}

// OutputFile under the name AppendRecord uses.
struct OutputText {
    OutputFile& out;
    void append(std::string_view bytes) { out.Write(bytes); }
};
}  // namespace

void SortRecords::Write(OutputFile& out, std::string_view header, std::size_t i) const {
    OutputText text{out};
    AppendRecord(text, header, Body(i));
}

void SortRecords::WriteAll(OutputFile& out, std::span<const std::size_t> order,
                           const std::function<void(std::size_t)>& written) const {
    // Batches of about 1 MB: the batches in flight stay a small part of the file.
    std::uint64_t bytes = 0;
    for (const std::size_t i : order) bytes += records_[i].bodyEnd - records_[i].header;
    const std::size_t batchSize = std::max<std::size_t>(1, std::size_t(order.size() * kBatchBytes / (bytes + 1)));
    RunOrderedBatches<std::string>(
        order.size(), std::min(batchSize, RecordBatchSize(order.size())),
        [&](std::size_t first, std::size_t last, std::string& text) {
            std::size_t size = 0;  // a CR per line more: lines are rarely shorter than 16 bytes
            for (std::size_t k = first; k < last; ++k) size += records_[order[k]].bodyEnd - records_[order[k]].header;
            text.reserve(size + size / 16 + 2 * (last - first));
            for (std::size_t k = first; k < last; ++k) AppendRecord(text, Header(order[k]), Body(order[k]));
        },
        [&](std::size_t first, std::size_t last, std::string& text) {
            out.Write(text);
            if (written)
                for (std::size_t k = first; k < last; ++k) written(k);
        });
}

}  // namespace tulvarine
