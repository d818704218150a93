// The gap filter of the "Fas-Filter" page, without a window: the columns of
// an aligned FASTA file whose share of gaps ("-" alone) is above a threshold
// are removed, their gaps replaced by "N", or both; over every column, or only
// over the runs of such columns at the two ends of the alignment.
//
// Columns to remove are marked in a mask: the records' own bytes ("*" of a
// protein alignment included) are never used as marks.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "tools/run_report.h"

namespace tulvarine {

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

// Replaces the leading and the trailing run of gaps among the first length
// bytes of sequence by "N" (a sequence shorter than length keeps its trailing
// gaps). Returns the number of gaps replaced.
std::size_t ReplaceEndGaps(std::span<char> sequence, std::size_t length);

// How a gap-filter run ended.
enum class GapFilterResult { kWritten, kInputFailed, kOutputFailed };

// The every-column filter. The input: a line whose first byte is ">" is a
// header line (kept as read); the other lines, with every blank removed, form
// its sequence; lines before the first header line are skipped. Writes the
// output path with each header line as read and its filtered sequence on one
// line. A column is gap-rich when gaps / records - threshold > 1e-7; past its
// end a record has no gap. The progress shows "loading <header>  No. = <n>",
// "Parsing position  <i>/<columns>", "Seq <j>-<gaps replaced>  replaced" and
// "Saving <header>", then "Done! Output = <file name>"; the bar follows each stage.
// Headers in the progress are cut to a readable length (ShownText, model/text.h).
GapFilterResult CutGapsAllColumns(const GapFilterSettings& settings, GapFilterReport& report);

// The end-column filter: as CutGapsAllColumns, but only the unbroken runs of
// gap-rich columns from either end of the first record inwards go (the scans
// stop at its ends), and only the leading and trailing gaps of each record
// become "N" (ReplaceEndGaps). The progress shows "loading <header> No.=<n>",
// "Parsing position  <c>", "Replacing sequence  <j>-<gaps replaced>" and
// "Saving <header>", then "Done! Output = <output path>"; the bar is not used.
GapFilterResult CutGapsEndColumns(const GapFilterSettings& settings, GapFilterReport& report);

// The whole run: "Cutting started, please wait...", the chosen filter, then
// "Cut alignment successfully!", "Cut alignment failed!" (the input cannot be
// read to its end or holds no header line) or "Cannot create <output>!".
// Nothing for an empty input path; an input that is missing or cannot be
// opened as a regular file is named at once (InputReadable) and nothing
// starts. True when the output was written.
bool CutGapColumns(const GapFilterSettings& settings, GapFilterReport& report);

}  // namespace tulvarine
