// The work of the "Cmp-2Align" page, without a window: the comparison of two
// alignment files with its report, proportion label and grid of conserved
// columns, the save of that grid, and the file views of the two "scan" buttons.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "model/alignment_comparison.h"
#include "model/text.h"
#include "tools/run_report.h"

namespace tulvarine {

// The comparison, as read from the page when its Run is clicked.
struct AlignmentComparisonSettings {
    std::string firstPath;   // the path box of alignment 1
    std::string secondPath;  // the path box of alignment 2
};

// What a finished comparison shows, made when it is shown: the report is
// thousands of lines of thousands of numbers for large alignments, so its
// lines are written out only when a view or a copy asks for them.
// Read-only: views and a save may read it from any thread.
class ComparisonResult {
public:
    // inputs: the files compared, which a save never replaces.
    ComparisonResult(AlignmentComparison comparison, TextArray inputs);

    const AlignmentComparison& Comparison() const { return comparison_; }
    const TextArray& Inputs() const { return inputs_; }

    // The report box line by line. The report ends with a line break, so its
    // last line is empty, as in an edit box.
    std::size_t ReportLineCount() const;
    std::string ReportLine(std::size_t line) const;
    // The whole report, lines ended by CR LF.
    std::string ReportText() const;
    // The length in bytes of the longest report line.
    std::size_t LongestReportLine() const { return longestLine_; }
    // The report lines that do not describe a column (those are thousands of
    // bytes of digits and "-" in a large comparison): titles, IDs and counts.
    TextArray ShortReportLines() const;

    // The caption of the proportion label: "Proportion Conserved Columns: 66.6667%",
    // or "...: NA" when neither alignment has a column.
    std::string ProportionCaption() const;

    // The grid: a first row without data, then one row per shared record; a
    // first column of IDs, then one column per same column.
    std::size_t GridRows() const { return comparison_.SharedCount() + 1; }
    std::size_t GridColumns() const { return comparison_.SameColumns().size() + 1; }
    // The residue of a grid cell, upper-cased (ASCII letters only); '\0' for a
    // cell without one (the first row and column, a sequence that is too short).
    char GridResidue(std::size_t row, std::size_t column) const;
    // The text of a cell: the ID in the first column (cut to a readable length,
    // ShownText in model/text.h; the save keeps it whole), else the residue or nothing.
    std::string GridText(std::size_t row, std::size_t column) const;

    // What "SaveAlign" writes: each shared record's ID and its residues at the
    // same columns, each line ended by CR LF.
    std::string ConservedColumnsText() const;

private:
    AlignmentComparison comparison_;
    TextArray inputs_;
    std::size_t longestLine_ = 0;
};

// A page's report of the comparison.
class AlignmentComparisonReport : public RunReport {
public:
    // Shows a finished comparison: report, proportion label and grid at once.
    virtual void ShowComparison(std::shared_ptr<const ComparisonResult> result) = 0;
};

// Compares the two files. An empty path box stops the run without a word; a
// file that is missing or cannot be read ("Error:        Cannot read <path>:
// <reason>"), or that holds no sequence ("Error:    No sequence in alignment
// file!"), stops it with an "Error:" message before anything is shown. True
// when the comparison was shown.
bool CompareAlignments(const AlignmentComparisonSettings& settings, AlignmentComparisonReport& report);

// Where the lines of a file view go.
class LineSink {
public:
    virtual ~LineSink() = default;
    virtual void AppendLine(std::string_view line) = 0;
};

// Shows the file at path in view, line by line (without line ends). A file
// that cannot be read shows an "Error:" saying why; the view keeps what was
// read. True when the whole file was shown.
bool LoadAlignmentView(const std::string& path, LineSink& view, RunReport& report);

// Writes the conserved columns of result to path (an empty file when there is
// no result: the grid of no run) and says "Info:    Save successful!" or
// "Info:    Save failure!". The compared files are never written over.
bool SaveConservedColumns(const ComparisonResult* result, const std::string& path, RunReport& report);

}  // namespace tulvarine
