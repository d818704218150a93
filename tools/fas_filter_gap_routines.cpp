#include "tools/fas_filter_gap_routines.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <utility>

#include "model/fasta_stream.h"
#include "model/file_bytes.h"
#include "model/line_reader.h"
#include "model/numbers.h"
#include "model/output_file.h"
#include "model/text.h"
#include "tools/fas_filter_routines.h"

namespace tulvarine {

namespace {

void AppendWithoutBlanks(std::string& sequence, std::string_view line) {
    // Most lines hold no blank: one search for each kind, then a plain copy.
    if (line.find(' ') == std::string_view::npos && line.find(kFullWidthBlank.front()) == std::string_view::npos) {
        sequence += line;
        return;
    }
    std::string piece(line);
    RemoveBlanks(piece);
    sequence += piece;
}

// The number of records with a gap at each column, up to columns. Counted row
// by row: a column at a time would touch every record for each byte.
std::vector<std::uint32_t> GapCounts(const GapAlignment& alignment, std::size_t columns) {
    std::vector<std::uint32_t> gaps(columns, 0);
    std::uint32_t* counts = gaps.data();
    for (const std::string& sequence : alignment.sequences) {
        const char* bytes = sequence.data();
        const std::size_t size = std::min(sequence.size(), columns);
        for (std::size_t c = 0; c < size; ++c) counts[c] += bytes[c] == '-';
    }
    return gaps;
}

int BarSteps(std::size_t count) { return int(std::min<std::size_t>(count, INT_MAX)); }

// The kept stretches of a column mask, copied with one memcpy each.
class KeptRuns {
public:
    explicit KeptRuns(const std::vector<bool>& kept) : columns_(kept.size()) {
        for (std::size_t c = 0; c < kept.size();) {
            if (!kept[c]) {
                ++c;
                continue;
            }
            const std::size_t begin = c;
            while (c < kept.size() && kept[c]) ++c;
            runs_.emplace_back(begin, c);
        }
    }
    // The kept bytes of sequence into out; bytes past the mask are kept.
    void Apply(std::string_view sequence, std::string& out) const {
        out.clear();
        for (const auto& [begin, end] : runs_) {
            if (begin >= sequence.size()) break;
            out.append(sequence.substr(begin, end - begin));
        }
        if (sequence.size() > columns_) out.append(sequence.substr(columns_));
    }

private:
    std::size_t columns_;
    std::vector<std::pair<std::size_t, std::size_t>> runs_;
};

std::size_t ReplaceEveryGap(std::string& sequence) {
    std::size_t replaced = 0;
    for (char& c : sequence) {
        const bool gap = c == '-';
        replaced += gap;
        c = gap ? 'N' : c;
    }
    return replaced;
}

bool OutputFailed(ProgressSink& progress, const std::string& output, const OutputFile& out) {
    progress.SetText(WithReason("Error! Cannot write " + GetFileNameFromPath(output), out.Error()));
    return false;
}

// Reads the input for a filter, saying in the label why it cannot be used.
bool ReadForFilter(const std::string& path, std::string_view separator, GapAlignment& alignment,
                   ProgressSink& progress) {
    if (ReadGapAlignment(path, separator, alignment, progress)) return true;
    const std::string reason = ReadFailureReason(path);
    progress.SetText(reason.empty() ? "Error! No header line in " + GetFileNameFromPath(path)
                                    : "Error! Cannot read " + GetFileNameFromPath(path) + ": " + reason);
    return false;
}

// Writes every record, its sequence made by filter (which may also show
// progress), with "Saving <header>" after each; the bar counts the records.
template <class Filter>
bool WriteFiltered(const GapAlignment& alignment, const std::string& input, const std::string& output,
                   GapFilterReport& report, bool moveBar, Filter filter) {
    OutputFile out;
    if (!out.Open(output, {input})) return OutputFailed(report, output, out);
    const std::size_t n = alignment.headers.size();
    if (moveBar) report.StartBar(BarSteps(n));
    std::string row;
    for (std::size_t j = 0; j < n && out.Ok(); ++j) {
        filter(j, row);
        const std::string& header = alignment.headers[j];
        out.Write(header);
        out.Write("\r\n");
        out.Write(row);
        out.Write("\r\n");
        report.SetText("Saving " + header);
        if (moveBar) report.MoveBar(BarSteps(j + 1));
    }
    if (!out.Close()) return OutputFailed(report, output, out);
    return true;
}

}  // namespace

float GapThresholdOf(std::string_view text) { return text.empty() ? 0.25f : static_cast<float>(TextToDouble(text)); }

std::string GapFilterOutputPath(const GapFilterSettings& settings) {
    return settings.inputPath + (settings.region == GapRegion::kAllColumns ? ".cut.all.fas" : ".cut.end.fas");
}

bool ReadGapAlignment(const std::string& path, std::string_view separator, GapAlignment& alignment,
                      ProgressSink& progress) {
    alignment = {};
    LineReader reader;
    if (!reader.Open(path)) return false;
    std::string_view line;
    bool found;
    while ((found = reader.NextContaining('>', line)) && line.front() != '>') {
    }
    if (!found) return false;
    auto startRecord = [&](std::string_view header) {
        alignment.headers.emplace_back(header);
        alignment.sequences.emplace_back();
        progress.SetText("loading " + alignment.headers.back() + std::string(separator) +
                         IntToText(static_cast<long long>(alignment.headers.size())));
    };
    startRecord(line);
    while (reader.Next(line)) {
        if (!line.empty() && line.front() == '>')
            startRecord(line);
        else
            AppendWithoutBlanks(alignment.sequences.back(), line);
    }
    return !reader.ReadFailed();
}

bool IsGapRich(std::size_t gaps, std::size_t records, float threshold) {
    return static_cast<double>(gaps) / static_cast<double>(records) - static_cast<double>(threshold) > 1e-7;
}

std::vector<bool> KeptColumnsOfAll(const GapAlignment& alignment, float threshold, GapFilterReport& report) {
    std::size_t columns = 0;
    for (const std::string& sequence : alignment.sequences) columns = std::max(columns, sequence.size());
    const std::vector<std::uint32_t> gaps = GapCounts(alignment, columns);
    const std::size_t n = alignment.sequences.size();
    const std::string total = "/" + IntToText(static_cast<long long>(columns));
    std::vector<bool> kept(columns);
    report.StartBar(BarSteps(columns));
    for (std::size_t c = 0; c < columns; ++c) {
        kept[c] = !IsGapRich(gaps[c], n, threshold);
        report.SetText("Parsing position  " + IntToText(static_cast<long long>(c + 1)) + total);
        report.MoveBar(BarSteps(c + 1));
    }
    return kept;
}

std::vector<bool> KeptColumnsAtEnds(const GapAlignment& alignment, float threshold, ProgressSink& progress) {
    const std::size_t length = alignment.sequences.empty() ? 0 : alignment.sequences.front().size();
    const std::vector<std::uint32_t> gaps = GapCounts(alignment, length);
    const std::size_t n = alignment.sequences.size();
    std::vector<bool> kept(length, true);
    // Columns are 1-based here, as the labels show them; a column already taken
    // from the left counts as holding no gap.
    auto gapRich = [&](std::size_t c) {
        progress.SetText("Parsing position  " + IntToText(static_cast<long long>(c)));
        return c >= 1 && c <= length && IsGapRich(kept[c - 1] ? gaps[c - 1] : 0, n, threshold);
    };
    std::size_t c = 1;
    for (; gapRich(c); ++c) kept[c - 1] = false;
    for (c = length; gapRich(c); --c) kept[c - 1] = false;
    return kept;
}

std::string KeepColumns(std::string_view sequence, const std::vector<bool>& kept) {
    std::string out;
    KeptRuns(kept).Apply(sequence, out);
    return out;
}

std::size_t ReplaceEndGaps(std::string& sequence, std::size_t length) {
    std::size_t replaced = 0;
    const std::size_t limit = std::min(length, sequence.size());
    for (std::size_t k = 0; k < limit && sequence[k] == '-'; ++k, ++replaced) sequence[k] = 'N';
    if (length <= sequence.size())  // a shorter record has no byte at length: its trailing scan stops at once
        for (std::size_t k = length; k > 0 && sequence[k - 1] == '-'; --k, ++replaced) sequence[k - 1] = 'N';
    return replaced;
}

GapFilterResult CutGapsAllColumns(const GapFilterSettings& settings, GapFilterReport& report) {
    GapAlignment alignment;
    if (!ReadForFilter(settings.inputPath, "  No. = ", alignment, report)) return GapFilterResult::kInputFailed;
    const bool remove = settings.treatment != GapTreatment::kReplace;
    const bool replace = settings.treatment != GapTreatment::kRemove;
    const KeptRuns kept(remove ? KeptColumnsOfAll(alignment, settings.threshold, report) : std::vector<bool>());
    const std::string output = GapFilterOutputPath(settings);
    const bool written =
        WriteFiltered(alignment, settings.inputPath, output, report, true, [&](std::size_t j, std::string& row) {
            if (remove)
                kept.Apply(alignment.sequences[j], row);
            else
                row = alignment.sequences[j];
            if (replace)
                report.SetText("Seq " + IntToText(static_cast<long long>(j + 1)) + "-" +
                               IntToText(static_cast<long long>(ReplaceEveryGap(row))) + "  replaced");
        });
    if (!written) return GapFilterResult::kOutputFailed;
    report.SetText("Done! Output = " + GetFileNameFromPath(output));
    return GapFilterResult::kWritten;
}

GapFilterResult CutGapsEndColumns(const GapFilterSettings& settings, GapFilterReport& report) {
    GapAlignment alignment;
    if (!ReadForFilter(settings.inputPath, " No.=", alignment, report)) return GapFilterResult::kInputFailed;
    const bool remove = settings.treatment != GapTreatment::kReplace;
    const bool replace = settings.treatment != GapTreatment::kRemove;
    const std::vector<bool> mask = remove ? KeptColumnsAtEnds(alignment, settings.threshold, report) : std::vector<bool>();
    const KeptRuns kept(mask);
    // The first record's length once the columns are gone: the reach of the end scans.
    const std::size_t length =
        remove ? std::size_t(std::count(mask.begin(), mask.end(), true)) : alignment.sequences.front().size();
    const std::string output = GapFilterOutputPath(settings);
    const bool written =
        WriteFiltered(alignment, settings.inputPath, output, report, false, [&](std::size_t j, std::string& row) {
            if (remove)
                kept.Apply(alignment.sequences[j], row);
            else
                row = alignment.sequences[j];
            if (replace)
                report.SetText("Replacing sequence  " + IntToText(static_cast<long long>(j + 1)) + "-" +
                               IntToText(static_cast<long long>(ReplaceEndGaps(row, length))));
        });
    if (!written) return GapFilterResult::kOutputFailed;
    report.SetText("Done! Output = " + output);
    return GapFilterResult::kWritten;
}

bool CutGapColumns(const GapFilterSettings& settings, GapFilterReport& report) {
    if (settings.inputPath.empty()) return false;
    report.Info("Cutting started, please wait...");
    const GapFilterResult result = settings.region == GapRegion::kAllColumns ? CutGapsAllColumns(settings, report)
                                                                             : CutGapsEndColumns(settings, report);
    switch (result) {
    case GapFilterResult::kWritten: report.Info("Cut alignment successfully!"); return true;
    case GapFilterResult::kInputFailed: report.Info("Cut alignment failed!"); return false;
    case GapFilterResult::kOutputFailed: report.Error(CannotCreateMessage(GapFilterOutputPath(settings))); return false;
    }
    return false;
}

}  // namespace tulvarine
