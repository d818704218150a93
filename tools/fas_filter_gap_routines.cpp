#include "tools/fas_filter_gap_routines.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "model/fasta_cuts.h"
#include "model/fasta_stream.h"
#include "model/file_bytes.h"
#include "model/line_reader.h"
#include "model/numbers.h"
#include "model/ordered_batches.h"
#include "model/output_file.h"
#include "model/slab_memory.h"
#include "model/text.h"
#include "tools/fas_filter_routines.h"

namespace tulvarine {

namespace {

int BarSteps(std::size_t count) { return int(std::min<std::size_t>(count, INT_MAX)); }

std::string Number(std::size_t value) { return IntToText(static_cast<long long>(value)); }

// The records of one stretch of the input: header lines as read, and the
// sequences one after another in one text (no record of its own on the heap).
struct AlignmentStretch {
    std::vector<std::string> headers;
    std::vector<std::pair<std::size_t, std::size_t>> rows;  // offset and length in bytes
    std::string bytes;
    bool ok = true;
};

// Reads the records of bytes [begin, end) of path. A stretch after the first
// starts at a header line.
void ReadStretch(const std::string& path, std::size_t begin, std::size_t end, AlignmentStretch& stretch) {
    LineReader reader;
    if (!reader.OpenRange(path, begin, end)) {
        stretch.ok = false;
        return;
    }
    ReserveLarge(stretch.bytes, reader.BytesLeft());  // residues never take more than the stretch
    std::string_view line;
    bool found;
    while ((found = reader.NextContaining('>', line)) && line.front() != '>') {
    }
    auto startRecord = [&](std::string_view header) {
        stretch.headers.emplace_back(header);
        stretch.rows.emplace_back(stretch.bytes.size(), 0);
    };
    if (found) startRecord(line);
    while (found && reader.Next(line)) {
        if (!line.empty() && line.front() == '>') {
            startRecord(line);
            continue;
        }
        std::string& bytes = stretch.bytes;
        const std::size_t start = bytes.size();
        bytes.append(line);
        // Most lines hold no blank: one search for each kind of blank.
        if (line.find(' ') != std::string_view::npos || line.find(kFullWidthBlank.front()) != std::string_view::npos) {
            std::string piece(line);
            RemoveBlanks(piece);
            bytes.replace(start, std::string::npos, piece);
        }
        stretch.rows.back().second += bytes.size() - start;
    }
    stretch.ok = !reader.ReadFailed();
}

// An alignment as the gap filter reads it, held in the texts of its stretches.
class GapAlignment {
public:
    // Reads path, showing "loading <header><separator><n>" for each record. False
    // when the file cannot be read to its end or holds no header line.
    bool Read(const std::string& path, std::string_view separator, ProgressSink& progress);

    std::size_t Count() const { return rows_.size(); }
    const std::string& Header(std::size_t j) const { return headers_[j]; }
    std::span<char> Sequence(std::size_t j) {
        return {stretches_[rows_[j].stretch].data() + rows_[j].offset, rows_[j].length};
    }
    std::span<const char> Sequence(std::size_t j) const {
        return {stretches_[rows_[j].stretch].data() + rows_[j].offset, rows_[j].length};
    }
    std::size_t LongestSequence() const {
        std::size_t longest = 0;
        for (const Row& row : rows_) longest = std::max(longest, row.length);
        return longest;
    }

private:
    struct Row {
        std::size_t stretch, offset, length;
    };
    std::vector<std::string> stretches_;
    std::vector<std::string> headers_;
    std::vector<Row> rows_;
};

bool GapAlignment::Read(const std::string& path, std::string_view separator, ProgressSink& progress) {
    std::size_t size = 0;
    {
        LineReader probe;
        if (!probe.Open(path)) return false;
        size = probe.FileSize();
    }
    // Stretches are read on several threads and joined in file order.
    const std::vector<std::size_t> cuts = ParallelReadCuts(path, size);
    bool ok = true;
    RunOrderedBatches<AlignmentStretch>(
        cuts.size(), 1,
        [&](std::size_t first, std::size_t, AlignmentStretch& stretch) {
            ReadStretch(path, cuts[first], first + 1 < cuts.size() ? cuts[first + 1] : std::size_t(-1), stretch);
        },
        [&](std::size_t, std::size_t, AlignmentStretch& stretch) {
            ok = ok && stretch.ok;
            if (!ok) return;
            for (std::size_t i = 0; i < stretch.headers.size(); ++i) {
                headers_.push_back(std::move(stretch.headers[i]));
                rows_.push_back({stretches_.size(), stretch.rows[i].first, stretch.rows[i].second});
                progress.SetText("loading " + ShownText(headers_.back()) + std::string(separator) + Number(headers_.size()));
            }
            stretches_.push_back(std::move(stretch.bytes));
        });
    return ok && !headers_.empty();
}

bool IsGapRich(std::size_t gaps, std::size_t records, float threshold) {
    return static_cast<double>(gaps) / static_cast<double>(records) - static_cast<double>(threshold) > 1e-7;
}

// The number of records with a gap at each column, up to columns. Counted row
// by row (a column at a time would touch every record for each byte), batches
// of rows on several threads.
std::vector<std::uint32_t> GapCounts(const GapAlignment& alignment, std::size_t columns) {
    std::vector<std::uint32_t> total(columns, 0);
    RunOrderedBatches<std::vector<std::uint32_t>>(
        alignment.Count(), RecordBatchSize(alignment.Count()),
        [&](std::size_t first, std::size_t last, std::vector<std::uint32_t>& gaps) {
            gaps.assign(columns, 0);
            std::uint32_t* counts = gaps.data();
            for (std::size_t j = first; j < last; ++j) {
                const std::span<const char> sequence = alignment.Sequence(j);
                const char* bytes = sequence.data();
                const std::size_t size = std::min(sequence.size(), columns);
                for (std::size_t c = 0; c < size; ++c) counts[c] += bytes[c] == '-';
            }
        },
        [&](std::size_t, std::size_t, std::vector<std::uint32_t>& gaps) {
            for (std::size_t c = 0; c < columns; ++c) total[c] += gaps[c];
        });
    return total;
}

// The columns kept, as stretches [begin, end) in order; columns at and past
// the end of the last stretch are kept when keepPast is set.
struct KeptColumns {
    std::vector<std::pair<std::size_t, std::size_t>> runs;
    std::size_t masked = 0;  // columns the runs speak for
    bool keepPast = true;

    static KeptColumns All() { return {{}, 0, true}; }
    static KeptColumns Of(const std::vector<bool>& kept) {
        KeptColumns columns{{}, kept.size(), true};
        for (std::size_t c = 0; c < kept.size();) {
            const std::size_t begin = c;
            while (c < kept.size() && kept[c]) ++c;
            if (c > begin) columns.runs.emplace_back(begin, c);
            while (c < kept.size() && !kept[c]) ++c;
        }
        return columns;
    }

    // Calls use(piece) for each kept piece of sequence, in order.
    template <class Sequence, class Use>
    void ForEach(Sequence sequence, Use use) const {
        for (const auto& [begin, end] : runs) {
            if (begin >= sequence.size()) return;
            use(sequence.subspan(begin, std::min(end, sequence.size()) - begin));
        }
        if (keepPast && sequence.size() > masked) use(sequence.subspan(masked));
    }
};

// Every column that is not gap-rich is kept. Shows "Parsing position  i/columns" per column.
KeptColumns KeptColumnsOfAll(const GapAlignment& alignment, float threshold, GapFilterReport& report) {
    const std::size_t columns = alignment.LongestSequence();
    const std::vector<std::uint32_t> gaps = GapCounts(alignment, columns);
    const std::string total = "/" + Number(columns);
    std::vector<bool> kept(columns);
    report.StartBar(BarSteps(columns));
    for (std::size_t c = 0; c < columns; ++c) {
        kept[c] = !IsGapRich(gaps[c], alignment.Count(), threshold);
        report.SetText("Parsing position  " + Number(c + 1) + total);
        report.MoveBar(BarSteps(c + 1));
    }
    return KeptColumns::Of(kept);
}

// The columns [left, right) of the first record that are left once the
// unbroken runs of gap-rich columns at its two ends are gone (0-based).
// Shows "Parsing position  c" for each column looked at.
std::pair<std::size_t, std::size_t> KeptColumnsAtEnds(const GapAlignment& alignment, float threshold,
                                                      ProgressSink& progress) {
    const std::size_t length = alignment.Sequence(0).size();
    const std::vector<std::uint32_t> gaps = GapCounts(alignment, length);
    // Columns are 1-based here, as the label shows them; a column already taken
    // from the left counts as holding no gap, and the scans stop at the ends.
    std::size_t left = 0;
    auto gapRich = [&](std::size_t c) {
        progress.SetText("Parsing position  " + Number(c));
        return c >= 1 && c <= length && IsGapRich(c <= left ? 0 : gaps[c - 1], alignment.Count(), threshold);
    };
    while (gapRich(left + 1)) ++left;
    std::size_t right = length;
    while (gapRich(right)) --right;
    return {left, std::max(left, right)};
}

std::size_t ReplaceEveryGap(std::span<char> sequence) {
    std::size_t replaced = 0;
    for (char& c : sequence) {
        const bool gap = c == '-';
        replaced += gap;
        c = gap ? 'N' : c;
    }
    return replaced;
}

// Runs replace(j) on every record, on several threads, and shows label(j, its
// result) in record order; the bar counts the records when moveBar is set.
template <class Replace>
void ReplaceInEveryRecord(GapAlignment& alignment, GapFilterReport& report, bool moveBar,
                          std::string (*label)(std::size_t, std::size_t), Replace replace) {
    const std::size_t n = alignment.Count();
    if (moveBar) report.StartBar(BarSteps(n));
    RunOrderedBatches<std::vector<std::size_t>>(
        n, RecordBatchSize(n),
        [&](std::size_t first, std::size_t last, std::vector<std::size_t>& replaced) {
            for (std::size_t j = first; j < last; ++j) replaced.push_back(replace(j));
        },
        [&](std::size_t first, std::size_t last, std::vector<std::size_t>& replaced) {
            for (std::size_t j = first; j < last; ++j) {
                report.SetText(label(j + 1, replaced[j - first]));
                if (moveBar) report.MoveBar(BarSteps(j + 1));
            }
        });
}

std::string EveryGapLabel(std::size_t record, std::size_t gaps) {
    return "Seq " + Number(record) + "-" + Number(gaps) + "  replaced";
}

std::string EndGapLabel(std::size_t record, std::size_t gaps) {
    return "Replacing sequence  " + Number(record) + "-" + Number(gaps);
}

bool OutputFailed(ProgressSink& progress, const std::string& output, const OutputFile& out) {
    progress.SetText(WithReason("Error! Cannot write " + GetFileNameFromPath(output), out.Error()));
    return false;
}

// Writes each header line as read and the kept columns of its sequence on one
// line, showing "Saving <header>" for each record.
bool WriteKept(const GapAlignment& alignment, const KeptColumns& kept, const std::string& input,
               const std::string& output, GapFilterReport& report, bool moveBar) {
    OutputFile out;
    if (!out.Open(output, {input})) return OutputFailed(report, output, out);
    const std::size_t n = alignment.Count();
    if (moveBar) report.StartBar(BarSteps(n));
    for (std::size_t j = 0; j < n && out.Ok(); ++j) {
        out.Write(alignment.Header(j));
        out.Write("\r\n");
        kept.ForEach(alignment.Sequence(j),
                     [&](std::span<const char> piece) { out.Write(std::string_view(piece.data(), piece.size())); });
        out.Write("\r\n");
        report.SetText("Saving " + ShownText(alignment.Header(j)));
        if (moveBar) report.MoveBar(BarSteps(j + 1));
    }
    if (!out.Close()) return OutputFailed(report, output, out);
    return true;
}

// Reads the input for a filter, saying in the label why it cannot be used.
bool ReadForFilter(const std::string& path, std::string_view separator, GapAlignment& alignment,
                   ProgressSink& progress) {
    if (alignment.Read(path, separator, progress)) return true;
    const std::string reason = ReadFailureReason(path);
    progress.SetText(reason.empty() ? "Error! No header line in " + GetFileNameFromPath(path)
                                    : "Error! Cannot read " + GetFileNameFromPath(path) + ": " + reason);
    return false;
}

}  // namespace

float GapThresholdOf(std::string_view text) { return text.empty() ? 0.25f : static_cast<float>(TextToDouble(text)); }

std::string GapFilterOutputPath(const GapFilterSettings& settings) {
    return settings.inputPath + (settings.region == GapRegion::kAllColumns ? ".cut.all.fas" : ".cut.end.fas");
}

std::size_t ReplaceEndGaps(std::span<char> sequence, std::size_t length) {
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
    const KeptColumns kept = remove ? KeptColumnsOfAll(alignment, settings.threshold, report) : KeptColumns::All();
    // Gaps are replaced in place, in the kept columns only: the others are not written.
    if (replace)
        ReplaceInEveryRecord(alignment, report, true, EveryGapLabel, [&](std::size_t j) {
            std::size_t replaced = 0;
            kept.ForEach(alignment.Sequence(j), [&](std::span<char> piece) { replaced += ReplaceEveryGap(piece); });
            return replaced;
        });
    const std::string output = GapFilterOutputPath(settings);
    if (!WriteKept(alignment, kept, settings.inputPath, output, report, true)) return GapFilterResult::kOutputFailed;
    report.SetText("Done! Output = " + GetFileNameFromPath(output));
    return GapFilterResult::kWritten;
}

GapFilterResult CutGapsEndColumns(const GapFilterSettings& settings, GapFilterReport& report) {
    GapAlignment alignment;
    if (!ReadForFilter(settings.inputPath, " No.=", alignment, report)) return GapFilterResult::kInputFailed;
    const bool remove = settings.treatment != GapTreatment::kReplace;
    const bool replace = settings.treatment != GapTreatment::kRemove;
    const std::size_t length = alignment.Sequence(0).size();
    const auto [left, right] =
        remove ? KeptColumnsAtEnds(alignment, settings.threshold, report) : std::pair<std::size_t, std::size_t>{0, length};
    std::vector<bool> mask(length, false);
    std::fill(mask.begin() + std::ptrdiff_t(left), mask.begin() + std::ptrdiff_t(right), true);
    const KeptColumns kept = KeptColumns::Of(mask);
    // Once the end columns are gone, a record's first right - left bytes are
    // its columns [left, right): the reach of the end scans.
    if (replace)
        ReplaceInEveryRecord(alignment, report, false, EndGapLabel, [&](std::size_t j) {
            const std::span<char> sequence = alignment.Sequence(j);
            if (left >= sequence.size()) return std::size_t(0);
            return ReplaceEndGaps(sequence.subspan(left, std::min(right, sequence.size()) - left), right - left);
        });
    const std::string output = GapFilterOutputPath(settings);
    if (!WriteKept(alignment, kept, settings.inputPath, output, report, false)) return GapFilterResult::kOutputFailed;
    report.SetText("Done! Output = " + output);
    return GapFilterResult::kWritten;
}

bool CutGapColumns(const GapFilterSettings& settings, GapFilterReport& report) {
    if (!InputReadable(report, settings.inputPath)) return false;
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
