#include "tools/sort_id_routines.h"

#include <algorithm>
#include <cstddef>
#include <numeric>
#include <vector>

#include "model/file_bytes.h"
#include "model/id_query_list.h"
#include "model/line_ends.h"
#include "model/line_reader.h"
#include "model/literal_matcher.h"
#include "model/numbers.h"
#include "model/ordered_batches.h"
#include "model/output_file.h"
#include "model/text.h"
#include "model/text_sort.h"
#include "tools/sort_id_records.h"

namespace tulvarine {

namespace {

constexpr long long kPreviewWholeFileBytes = 1'000'000;
constexpr long long kPreviewCutHeaders = 10;
constexpr long long kPreviewCutCount = 30000;
constexpr char kPreviewCutLines[] = "...file size > 1Mb\r\n...Skip listing the raw IDs\r\n...Click Sort to continue\r\n";

const char* Suffix(SortOrder order) {
    switch (order) {
    case SortOrder::kAlphabetical: return ".auto.sort.1.fas";
    case SortOrder::kLengthDescending: return ".auto.sort.2.1.fas";
    case SortOrder::kLengthAscending: return ".auto.sort.2.2.fas";
    case SortOrder::kUserOrder: return ".auto.sort.3.fas";
    }
    return "";
}

bool CannotOpen(SortIdReport& report, const std::string& path, const std::string& reason) {
    report.Error(WithReason("Cannot open " + path, reason));
    return false;
}

void ShowStep(SortIdReport& report, std::size_t i, std::size_t n) {
    report.SetText(IntToText(static_cast<long long>(i)) + "/" + IntToText(static_cast<long long>(n)));
    report.SetProgressPosition(std::int64_t(i));
}

bool IsWhiteSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

// The pieces of a line cut at every run of white space; a run at the start
// gives an empty first piece, one at the end no piece.
TextArray SplitAtWhiteSpace(std::string_view line) {
    TextArray pieces;
    std::size_t at = 0;
    while (at < line.size()) {
        std::size_t end = at;
        while (end < line.size() && !IsWhiteSpace(line[end])) ++end;
        pieces.emplace_back(line.substr(at, end - at));
        at = end;
        while (at < line.size() && IsWhiteSpace(line[at])) ++at;
    }
    return pieces;
}

void WriteAlphabetical(const SortRecords& records, OutputFile& out, SortIdReport& report) {
    const std::size_t n = records.Count();
    report.SetProgressMaximum(std::int64_t(n));
    std::vector<std::string_view> headers(n);
    for (std::size_t i = 0; i < n; ++i) headers[i] = records.Header(i);
    const std::vector<std::size_t> order = ExchangeSortOrder(headers, kSortAscending, false);
    records.WriteAll(out, order, [&](std::size_t k) {
        report.AppendLog(ShownText(headers[order[k]]) + "\r\n");
        ShowStep(report, k + 1, n);
    });
}

// Records of equal length come out in the alphabetical order of their header lines.
void WriteByLength(const SortRecords& records, bool descending, OutputFile& out, SortIdReport& report) {
    std::vector<std::size_t> byLength(records.Count());
    std::iota(byLength.begin(), byLength.end(), std::size_t(0));
    std::stable_sort(byLength.begin(), byLength.end(), [&](std::size_t a, std::size_t b) {
        return descending ? records.Length(a) > records.Length(b) : records.Length(a) < records.Length(b);
    });
    // Each length's records in alphabetical order; lastOfLength[k]: order[k]
    // ends its length's group.
    std::vector<std::size_t> order;
    order.reserve(byLength.size());
    std::vector<bool> lastOfLength(byLength.size(), false);
    std::vector<std::string_view> headers;
    for (std::size_t first = 0; first < byLength.size();) {
        std::size_t end = first + 1;
        while (end < byLength.size() && records.Length(byLength[end]) == records.Length(byLength[first])) ++end;
        headers.clear();
        for (std::size_t k = first; k < end; ++k) headers.push_back(records.Header(byLength[k]));
        for (const std::size_t k : ExchangeSortOrder(headers, kSortAscending, false)) order.push_back(byLength[first + k]);
        lastOfLength[end - 1] = true;
        first = end;
    }
    const std::size_t lengths = std::size_t(std::count(lastOfLength.begin(), lastOfLength.end(), true));
    report.SetProgressMaximum(std::int64_t(lengths));
    report.SetProgressPosition(0);
    std::size_t step = 0;
    records.WriteAll(out, order, [&](std::size_t k) {
        const std::size_t i = order[k];
        report.AppendLog(ShownText(records.Header(i)) + "  len=" +
                         IntToText(static_cast<long long>(records.Length(i))) + "\r\n");
        if (lastOfLength[k]) ShowStep(report, ++step, lengths);
    });
}

// One line of the user order box.
struct UserOrderLine {
    bool empty = true;     // nothing but blanks: skipped
    std::string rawId;     // as typed
    std::string key;       // the header line it looks for: rawId, with ">" in front when it holds none
    std::string newId;     // the new name, when the line has exactly two words
    bool rename = false;
};

UserOrderLine ParseUserOrderLine(std::string_view text) {
    UserOrderLine line;
    const std::string_view trimmed = TrimBlanks(text);
    if (trimmed.empty()) return line;
    const TextArray words = SplitAtWhiteSpace(trimmed);
    line.empty = false;
    line.rawId = words[0];
    line.key = line.rawId.find('>') == std::string::npos ? ">" + line.rawId : line.rawId;
    if (words.size() == 2) {
        line.rename = true;
        line.newId = words[1];
    }
    return line;
}

// The record each line finds (-1: none): the last in file order whose header
// line equals the line's key (ASCII case ignored) or begins with it followed
// by ".", "|" or white space. Each header line is looked up once, whatever the
// number of lines.
std::vector<std::ptrdiff_t> FindIdsInHeaders(const SortRecords& records, const std::vector<UserOrderLine>& lines) {
    TextArray keys;
    std::vector<std::ptrdiff_t> queryOf(lines.size(), -1);
    for (std::size_t i = 0; i < lines.size(); ++i)
        // Header lines begin with ">": a key with ">" further inside matches none.
        if (!lines[i].empty && lines[i].key.front() == '>') {
            queryOf[i] = std::ptrdiff_t(keys.size());
            keys.push_back(lines[i].key);
        }
    IdQueryList queries(keys, IdEquality::kIgnoreCase);
    std::vector<std::ptrdiff_t> lastRecord(queries.GroupCount(), -1);
    for (std::size_t r = 0; r < records.Count(); ++r)
        for (const std::size_t group : queries.MatchingGroups(records.Header(r))) lastRecord[group] = std::ptrdiff_t(r);
    std::vector<std::ptrdiff_t> found(lines.size(), -1);
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (queryOf[i] >= 0) found[i] = lastRecord[queries.GroupOf(std::size_t(queryOf[i]))];
    return found;
}

void WriteUserOrder(const SortRecords& records, const std::string& box, OutputFile& out, SortIdReport& report) {
    const TextArray texts = SplitLines(box);
    const std::size_t n = texts.size();
    report.SetProgressMaximum(std::int64_t(n));
    report.SetProgressPosition(0);
    std::vector<UserOrderLine> lines;
    lines.reserve(n);
    for (const std::string& text : texts) lines.push_back(ParseUserOrderLine(text));
    const std::vector<std::ptrdiff_t> found = FindIdsInHeaders(records, lines);
    for (std::size_t i = 0; i < n; ++i) {
        const UserOrderLine& line = lines[i];
        if (line.empty) continue;
        const std::string rawId = ShownText(line.rawId);
        if (found[i] < 0) {
            report.AppendLog(rawId + " Not found\r\n");
        } else if (line.rename) {
            const std::string header = line.newId.find('>') == std::string::npos ? ">" + line.newId : line.newId;
            records.Write(out, header, std::size_t(found[i]));
            report.AppendLog(rawId + " ==> " + ShownText(line.newId) + "\r\n");
        } else {
            records.Write(out, line.key, std::size_t(found[i]));
            report.AppendLog(rawId + " ==> " + rawId + "\r\n");
        }
        ShowStep(report, i + 1, n);
    }
}

// The records of each keyword, in file order: one pass over the header lines
// finds every keyword in each.
std::vector<std::vector<std::size_t>> CollectRecordsByKeyword(const SortRecords& records, const TextArray& keywords) {
    const LiteralMatcher matcher(std::vector<std::string_view>(keywords.begin(), keywords.end()));
    std::vector<std::vector<std::size_t>> matches(keywords.size());
    for (std::size_t r = 0; r < records.Count(); ++r)
        matcher.ForEachOccurrence(records.Header(r), [&](std::size_t k) {
            if (matches[k].empty() || matches[k].back() != r) matches[k].push_back(r);
        });
    return matches;
}

}  // namespace

bool SortFastaRecords(const SortSettings& settings, SortIdReport& report) {
    const std::string& input = settings.inputPath;
    if (input.empty()) return false;  // no file chosen yet
    // Both files are tried before the reading, so that an unwritable folder is
    // told at once, not after a long read.
    if (const std::string reason = ReadFailureReason(input); !reason.empty()) return CannotOpen(report, input, reason);
    report.ClearLog();
    report.Info("Start Sorting!");
    report.SetProgressMaximum(settings.idCount);
    report.SetProgressPosition(0);
    const std::string output = input + Suffix(settings.order);
    OutputFile out;
    if (!out.Open(output, {input})) return CannotOpen(report, output, out.Error());
    const HeaderRule rule = settings.order == SortOrder::kUserOrder ? HeaderRule::kMarkFirst : HeaderRule::kMarkAnywhere;
    SortRecords records;
    if (!records.Read(input, rule, [&](std::size_t n) { report.SetProgressPosition(std::int64_t(n)); }))
        return CannotOpen(report, input, ReadErrorReason(input));  // out goes unwritten: no half file

    switch (settings.order) {
    case SortOrder::kAlphabetical: WriteAlphabetical(records, out, report); break;
    case SortOrder::kLengthDescending: WriteByLength(records, true, out, report); break;
    case SortOrder::kLengthAscending: WriteByLength(records, false, out, report); break;
    case SortOrder::kUserOrder: WriteUserOrder(records, settings.userOrder, out, report); break;
    }
    if (!out.Close()) {
        report.Error(WithReason("Cannot write " + output, out.Error()));
        return false;
    }
    report.SetText("Done!");
    report.Info("Sort successfully!");
    return true;
}

std::string PreviewDoneLabel(long long count) { return "Raw order: " + IntToText(count) + "  Done"; }

SortIdPreview PreviewSortIds(const std::string& path, ProgressSink* parsed) {
    SortIdPreview preview;
    const long long size = RegularFileSize(path);
    LineReader reader;
    if (size < 0 || !reader.Open(path)) return preview;
    const bool cut = size > kPreviewWholeFileBytes;
    // Lines come in pieces: of a header line only what the listing shows is
    // kept, and a cut listing stops reading within its last header line.
    enum class Line { kStart, kHeader, kOther } line = Line::kStart;
    std::string header;  // after ">": one byte more than is shown tells a cut one
    std::string_view piece;
    bool endsLine = false;
    while (reader.NextPiece(piece, endsLine)) {
        if (line == Line::kStart) {
            piece = TrimLeadingBlanks(piece);
            if (!piece.empty()) line = piece.front() == '>' ? Line::kHeader : Line::kOther;
            if (line == Line::kHeader) piece.remove_prefix(1);
        }
        if (line == Line::kHeader) {
            header.append(piece.substr(0, kShownTextBytes + 1 - header.size()));
            if (endsLine || header.size() > kShownTextBytes) {
                ++preview.count;
                preview.listing.append(ShownText(header)).append("\r\n");
                header.clear();
                line = Line::kOther;  // the rest of a long one is passed over
                if (cut) {
                    if (preview.count == kPreviewCutHeaders) break;
                } else if (parsed) {
                    parsed->SetText("Raw order: " + IntToText(preview.count) + "  parsed");
                }
            }
        }
        if (endsLine) line = Line::kStart;
    }
    if (cut) {
        preview.listing += kPreviewCutLines;
        preview.count = kPreviewCutCount;
        preview.whole = false;
    }
    return preview;
}

bool ClassifyByKeywords(const ClassifySettings& settings, SortIdReport& report) {
    const std::string& input = settings.inputPath;
    if (input.empty()) return false;  // no file chosen yet
    report.SetProgressMaximum(settings.idCount);
    SortRecords records;
    if (!records.Read(input, HeaderRule::kMarkFirst, [&](std::size_t n) { report.SetProgressPosition(std::int64_t(n)); }))
        return CannotOpen(report, input, ReadErrorReason(input));

    const TextArray keywords = SplitLines(settings.keywords);
    const std::size_t n = keywords.size();
    report.SetProgressMaximum(std::int64_t(n));
    const std::vector<std::vector<std::size_t>> matches = CollectRecordsByKeyword(records, keywords);
    const InputFileSet inputs({input});
    // The class files are written on several threads; the log follows keyword order.
    std::string firstFailure;
    RunOrderedBatches<int>(
        n, 1,
        [&](std::size_t k, std::size_t, int& written) {
            const std::string& keyword = keywords[k];
            if (keyword.empty()) return;
            OutputFile out;
            // A "/" would put the file into another folder, or fail there.
            written = keyword.find('/') == std::string::npos && out.Open(input + keyword + ".class.fas", inputs);
            if (!written) return;
            for (const std::size_t r : matches[k]) records.Write(out, r);
            written = out.Close();
        },
        [&](std::size_t k, std::size_t, int& written) {
            const std::string& keyword = keywords[k];
            if (keyword.empty()) return;
            report.AppendLog(ShownText(keyword) + (written ? "\r\n" : " (not written)\r\n"));
            if (!written && firstFailure.empty()) firstFailure = input + keyword + ".class.fas";
            ShowStep(report, k + 1, n);
        });
    report.SetText("Done!");
    if (!firstFailure.empty()) {
        report.Error("Cannot open " + firstFailure + "!");  // the log says which keywords
        return false;
    }
    return true;
}

}  // namespace tulvarine
