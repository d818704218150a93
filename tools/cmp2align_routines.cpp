#include "tools/cmp2align_routines.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "model/file_bytes.h"
#include "model/line_reader.h"
#include "model/numbers.h"
#include "model/output_file.h"

namespace tulvarine {

namespace {

constexpr char kNoSequence[] = "Error:    No sequence in alignment file!";
constexpr char kSaved[] = "Info:    Save successful!";
constexpr char kNotSaved[] = "Info:    Save failure!";

constexpr char kSharedTitle[] = " IDs shared between the 2 alignments:";
constexpr char kCountingTitle[] = "==>Counting the alignment matrix for each alignment:";
constexpr char kSameTitle[] = "==>Identifying the same columns between the 2 alignment:";

// The report's sections, in line numbers.
struct ReportLayout {
    std::size_t ids, first, second, same, counts, total;
};
ReportLayout LayoutOf(const AlignmentComparison& comparison) {
    ReportLayout layout{};
    layout.ids = 1;                                                      // after the title
    layout.first = layout.ids + comparison.SharedCount() + 2;            // an empty line, a title
    layout.second = layout.first + comparison.ColumnCount(Alignment::kFirst) + 1;
    layout.same = layout.second + comparison.ColumnCount(Alignment::kSecond) + 3;  // two empty lines, a title
    layout.counts = layout.same + comparison.SameColumns().size();
    layout.total = layout.counts + 4;  // three counts and the empty last line
    return layout;
}

// The column a report line describes, if it describes one.
struct ColumnLine {
    Alignment alignment;
    std::size_t column;
};
std::optional<ColumnLine> ColumnAt(const AlignmentComparison& comparison, const ReportLayout& at, std::size_t line) {
    if (line >= at.first && line < at.second - 1) return ColumnLine{Alignment::kFirst, line - at.first + 1};
    if (line >= at.second && line < at.same - 3) return ColumnLine{Alignment::kSecond, line - at.second + 1};
    if (line >= at.same && line < at.counts)
        return ColumnLine{Alignment::kSecond, comparison.SameColumns()[line - at.same].second};
    return std::nullopt;
}

std::string CannotRead(const std::string& path) { return ErrorMessage(CannotReadText(path)); }

}  // namespace

ComparisonResult::ComparisonResult(AlignmentComparison comparison, TextArray inputs)
    : comparison_(std::move(comparison)), inputs_(std::move(inputs)) {
    const std::size_t columns = std::max(comparison_.LongestColumnString(Alignment::kFirst),
                                         comparison_.LongestColumnString(Alignment::kSecond));
    longestLine_ = std::max({columns, std::string_view(kSameTitle).size(), ReportLine(0).size()});
    for (std::size_t i = 0; i < comparison_.SharedCount(); ++i)
        longestLine_ = std::max(longestLine_, comparison_.SharedId(i).size());
}

std::size_t ComparisonResult::ReportLineCount() const { return LayoutOf(comparison_).total; }

std::string ComparisonResult::ReportLine(std::size_t line) const {
    const ReportLayout at = LayoutOf(comparison_);
    const AlignmentComparison& c = comparison_;
    if (line == 0) return "==>There are " + IntToText((long long)c.SharedCount()) + kSharedTitle;
    if (line < at.first - 2) return std::string(c.SharedId(line - at.ids));
    if (line == at.first - 1) return kCountingTitle;
    if (const std::optional<ColumnLine> column = ColumnAt(c, at, line))
        return c.ColumnString(column->alignment, column->column);
    if (line == at.same - 1) return kSameTitle;
    if (line == at.counts) return "Same columns: " + IntToText((long long)c.SameColumns().size());
    if (line == at.counts + 1) return "Raw 1 columns: " + IntToText((long long)c.ColumnCount(Alignment::kFirst));
    if (line == at.counts + 2) return "Raw 2 columns: " + IntToText((long long)c.ColumnCount(Alignment::kSecond));
    return {};  // the empty lines between the sections and at the end
}

TextArray ComparisonResult::ShortReportLines() const {
    const ReportLayout at = LayoutOf(comparison_);
    TextArray lines;
    for (std::size_t line = 0; line < at.total; ++line) {
        if (line == at.first) line = at.same - 3;  // past both alignments' columns
        if (line == at.same) line = at.counts;     // past the same columns
        lines.push_back(ReportLine(line));
    }
    return lines;
}

std::string ComparisonResult::ReportText() const {
    std::string text;
    const std::size_t lines = ReportLineCount();
    for (std::size_t line = 0; line < lines; ++line) {
        if (line > 0) text += "\r\n";
        text += ReportLine(line);
    }
    return text;
}

std::string ComparisonResult::ProportionCaption() const {
    const std::size_t columns = comparison_.ColumnCount(Alignment::kFirst) + comparison_.ColumnCount(Alignment::kSecond);
    if (columns == 0) return "Proportion Conserved Columns: NA";
    const auto proportion = float(double(comparison_.SameColumns().size()) * 200.0 / double(columns));
    return "Proportion Conserved Columns: " + FloatToText(proportion) + "%";
}

char ComparisonResult::GridResidue(std::size_t row, std::size_t column) const {
    if (row == 0 || column == 0) return '\0';
    return AsciiUpper(comparison_.FirstCharacter(row - 1, comparison_.SameColumns()[column - 1].first));
}

std::string ComparisonResult::GridText(std::size_t row, std::size_t column) const {
    if (row > 0 && column == 0) return ShownText(comparison_.SharedId(row - 1));
    const char residue = GridResidue(row, column);
    return residue ? std::string(1, residue) : std::string();
}

std::string ComparisonResult::ConservedColumnsText() const {
    const std::size_t columns = GridColumns();
    std::string text;
    text.reserve((GridRows() - 1) * (columns + 64));
    for (std::size_t row = 1; row < GridRows(); ++row) {
        text.append(comparison_.SharedId(row - 1)).append("\r\n");
        for (std::size_t column = 1; column < columns; ++column)
            if (const char residue = GridResidue(row, column)) text += residue;
        text += "\r\n";
    }
    return text;
}

bool CompareAlignments(const AlignmentComparisonSettings& settings, AlignmentComparisonReport& report) {
    if (settings.firstPath.empty() || settings.secondPath.empty()) return false;  // nothing chosen yet
    std::vector<AlignmentRecord> first, second;
    if (!ReadAlignmentRecords(settings.firstPath, first)) {
        report.Status(CannotRead(settings.firstPath));
        return false;
    }
    if (!ReadAlignmentRecords(settings.secondPath, second)) {
        report.Status(CannotRead(settings.secondPath));
        return false;
    }
    if (!HoldsSequence(first) || !HoldsSequence(second)) {
        report.Status(kNoSequence);
        return false;
    }
    report.ShowComparison(std::make_shared<const ComparisonResult>(
        AlignmentComparison(std::move(first), std::move(second)), TextArray{settings.firstPath, settings.secondPath}));
    return true;
}

bool LoadAlignmentView(const std::string& path, LineSink& view, RunReport& report) {
    LineReader reader;
    if (!reader.Open(path)) {
        report.Status(CannotRead(path));
        return false;
    }
    std::string_view line;
    while (reader.Next(line)) view.AppendLine(line);
    if (reader.ReadFailed()) {
        report.Status(CannotRead(path));
        return false;
    }
    return true;
}

bool SaveConservedColumns(const ComparisonResult* result, const std::string& path, RunReport& report) {
    // An empty name would be a file in whatever folder the program runs in.
    const bool saved = !path.empty() && WriteWholeFile(path, result ? result->ConservedColumnsText() : std::string(),
                                                       result ? result->Inputs() : TextArray{});
    report.Status(saved ? kSaved : kNotSaved);
    return saved;
}

}  // namespace tulvarine
