// The gap filter of the "Fas-Filter" page, without a window: the columns of
// an aligned FASTA file whose share of gaps ("-" alone) is above a threshold
// are removed, their gaps replaced by "N", or both; over every column, or only
// over the runs of such columns at the two ends of the alignment.
//
// Columns to remove are marked in a mask: the records' own bytes ("*" of a
// protein alignment included) are never used as marks.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tools/run_report.h"

namespace tulvarine {

// An alignment as the gap filter reads it: a line whose first byte is ">" is a
// header line (kept as read); the other lines, with every blank removed, form
// its sequence; lines before the first header line are skipped.
struct GapAlignment {
    std::vector<std::string> headers;
    std::vector<std::string> sequences;
};

enum class GapRegion { kAllColumns, kEndColumns };

// What the filter does with the gap-rich columns.
enum class GapTreatment { kRemove = 1, kReplace = 2, kRemoveThenReplace = 3 };

struct GapFilterSettings {
    std::string inputPath;  // empty: nothing is done
    float threshold = 0.25f;  // the largest share of gaps a kept column may hold
    GapRegion region = GapRegion::kEndColumns;
    GapTreatment treatment = GapTreatment::kRemoveThenReplace;
};

// The threshold typed into the page's box: 0.25 for an empty box, otherwise
// its leading number (0 when it holds none).
float GapThresholdOf(std::string_view text);

// The output path: the input path + ".cut.all.fas" or ".cut.end.fas".
std::string GapFilterOutputPath(const GapFilterSettings& settings);

// What the gap filter shows beside the RunReport: a progress bar.
class GapFilterReport : public RunReport {
public:
    // A new stage of maximum steps; the bar goes back to 0.
    virtual void StartBar(int maximum) = 0;
    virtual void MoveBar(int position) = 0;
};

// Reads path into alignment, showing "loading <header><separator><n>" for each
// record. False when the file cannot be read to its end or holds no header line.
bool ReadGapAlignment(const std::string& path, std::string_view separator, GapAlignment& alignment,
                      ProgressSink& progress);

// A column is gap-rich when its gaps / records - threshold > 1e-7 (in double).
bool IsGapRich(std::size_t gaps, std::size_t records, float threshold);

// For each column up to the longest sequence, true when it is kept: every
// gap-rich column goes. Shows "Parsing position  <i>/<columns>" per column.
std::vector<bool> KeptColumnsOfAll(const GapAlignment& alignment, float threshold, GapFilterReport& report);

// For each column of the first sequence, true when it is kept: the unbroken
// runs of gap-rich columns from either end inwards go; the scans stop at the
// ends of the first sequence. Shows "Parsing position  <c>" per column looked at.
std::vector<bool> KeptColumnsAtEnds(const GapAlignment& alignment, float threshold, ProgressSink& progress);

// The bytes of sequence at the kept columns (bytes past the mask are kept).
std::string KeepColumns(std::string_view sequence, const std::vector<bool>& kept);

// Replaces the leading and the trailing run of gaps among the first length
// bytes of sequence by "N" (a sequence shorter than length keeps its trailing
// gaps). Returns the number of gaps replaced.
std::size_t ReplaceEndGaps(std::string& sequence, std::size_t length);

// How a gap-filter run ended.
enum class GapFilterResult { kWritten, kInputFailed, kOutputFailed };

// The every-column filter: writes the output path with each header line as read
// and its filtered sequence on one line. The progress shows the loading, the
// columns, "Seq <j>-<gaps replaced>  replaced" for each record and "Saving
// <header>", then "Done! Output = <file name>"; the bar follows each stage.
GapFilterResult CutGapsAllColumns(const GapFilterSettings& settings, GapFilterReport& report);

// The end-column filter: as CutGapsAllColumns, but only the end runs of
// gap-rich columns go, and only the leading and trailing gaps of each record
// become "N". Ends with "Done! Output = <output path>".
GapFilterResult CutGapsEndColumns(const GapFilterSettings& settings, GapFilterReport& report);

// The whole run: "Cutting started, please wait...", the chosen filter, then
// "Cut alignment successfully!", "Cut alignment failed!" (the input cannot be
// read or holds no header line) or "Cannot create <output>!". Nothing for an
// empty input path. True when the output was written.
bool CutGapColumns(const GapFilterSettings& settings, GapFilterReport& report);

}  // namespace tulvarine
