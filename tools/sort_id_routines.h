// The work of the "Sort-ID" page, without a window: the records of one FASTA
// file written in a new order, the preview of its header lines, and the split
// into one file per keyword.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/progress.h"
#include "tools/run_report.h"

namespace tulvarine {

enum class SortOrder {
    kAlphabetical,      // header lines in text order, case ignored -> ".auto.sort.1.fas"
    kLengthDescending,  // longest record first -> ".auto.sort.2.1.fas"
    kLengthAscending,   // shortest record first -> ".auto.sort.2.2.fas"
    kUserOrder,         // the records the user order box names, renamed as it says -> ".auto.sort.3.fas"
};

// A sort, as read from the page when "==>Sort" is clicked.
struct SortSettings {
    std::string inputPath;                   // the file box
    SortOrder order = SortOrder::kAlphabetical;
    std::string userOrder;                   // the user order box: "rawID [newID]" per line
    long long idCount = 0;                   // the preview's count: the progress maximum while reading
};

// What the sort and the classification show beside the RunReport: the log box,
// and the progress bar (the label is the RunReport's SetText).
class SortIdReport : public RunReport {
public:
    virtual void ClearLog() = 0;
    // Appends text (whole lines, each ending CR LF) at the end of the log.
    virtual void AppendLog(std::string_view text) = 0;
    // A position above the maximum shows a full bar.
    virtual void SetProgressMaximum(std::int64_t maximum) = 0;
    virtual void SetProgressPosition(std::int64_t position) = 0;
};

// Writes the records of the input in the chosen order beside it (the input
// path plus the order's suffix), logging each record written (its header cut
// to a readable length, ShownText in model/text.h) and showing
// "<i>/<n>" and "Done!". An empty file box: nothing happens and false. An
// input that is missing or cannot be read, or an output that cannot be made,
// ends with "Error: Cannot open <path>: <reason>" (one that cannot be written
// whole: "Cannot write"), and no file is left under the output's name.
bool SortFastaRecords(const SortSettings& settings, SortIdReport& report);

// The preview of the file box's file.
struct SortIdPreview {
    std::string listing;  // the header lines without ">", each with CR LF
    long long count = 0;  // the number of header lines, 30000 for a file over 1,000,000 bytes
    // True when the whole file was listed: the count label then shows
    // "Raw order: <n>  Done"; a longer file leaves it as it was.
    bool whole = true;
};

// Lists the header lines of the file at path (a line whose first byte after
// leading blanks is ">"; trailing blanks stay), each cut to a readable length
// (ShownText, model/text.h). A file over 1,000,000 bytes is listed up to its
// 10th header line, then three lines saying it was cut; it is read no further
// than that line's shown part. A path with no readable file behind it gives an
// empty, whole listing. While a whole file is read, parsed shows "Raw order:
// <n>  parsed".
SortIdPreview PreviewSortIds(const std::string& path, ProgressSink* parsed = nullptr);
// The count label's text at the end of a whole listing.
std::string PreviewDoneLabel(long long count);

// A classification, as read from the page when "==>Class" is clicked.
struct ClassifySettings {
    std::string inputPath;  // the file box
    std::string keywords;   // the keyword box, one keyword per line, blanks included
    long long idCount = 0;  // the preview's count: the progress maximum while reading
};

// Writes, per non-empty keyword, the input path + keyword + ".class.fas"
// holding every record whose header line contains the keyword (ASCII case
// ignored), and logs the keyword. A class file that cannot be written (a
// keyword holding "/" never names a file elsewhere: it is not written) logs
// "<keyword> (not written)" and the run ends with an "Error:" status. An input
// that is missing or cannot be read ends with "Error: Cannot open <path>:
// <reason>" and writes nothing; an empty file box does nothing. True when
// every class file was written.
bool ClassifyByKeywords(const ClassifySettings& settings, SortIdReport& report);

}  // namespace tulvarine
