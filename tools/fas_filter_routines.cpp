#include "tools/fas_filter_routines.h"

#include <vector>

#include "model/fasta_cuts.h"
#include "model/fasta_stream.h"
#include "model/file_bytes.h"
#include "model/line_ends.h"
#include "model/line_reader.h"
#include "model/numbers.h"
#include "model/ordered_batches.h"
#include "model/output_file.h"
#include "model/sequence_set.h"
#include "model/slab_memory.h"
#include "model/text.h"

namespace tulvarine {

namespace {

bool CannotRead(RunReport& report, const std::string& path) {
    report.Error(CannotReadText(path));
    return false;
}



// The label says why, the status pane which file.
bool CannotCreate(RunReport& report, const std::string& path, const std::string& reason) {
    report.SetText(WithReason("Error! Cannot write " + GetFileNameFromPath(path), reason));
    report.Status(ErrorMessage(CannotCreateMessage(path)));
    return false;
}

// What the length filter makes of one stretch of its input.
struct LengthStretch {
    std::string kept;                  // the output text of the records kept
    std::vector<std::string> headers;  // of every record, in order, as the label shows them
    std::vector<bool> passed;
    bool ok = true;
};

// Filters the records of bytes [begin, end) of path. A stretch after the first
// starts at a header line; only an input with no header line at all (whole)
// is one record with an empty header.
void FilterStretch(const std::string& path, std::size_t begin, std::size_t end, bool whole,
                   const LengthFilterSettings& settings, LengthStretch& stretch) {
    LineReader reader;
    if (!reader.OpenRange(path, begin, end)) {
        stretch.ok = false;
        return;
    }
    std::string_view line;
    bool atEnd = !reader.NextContaining('>', line);
    if (atEnd && !whole) {
        stretch.ok = !reader.ReadFailed();
        return;
    }
    std::string header(atEnd ? std::string_view() : line);
    std::string& text = stretch.kept;
    ReserveLarge(text, reader.BytesLeft() + header.size() + 2);  // the kept text is never larger
    for (;;) {
        // The record goes straight into the output text, and is taken back if it fails.
        const std::size_t recordStart = text.size();
        text.append(header).append("\r\n");
        const std::size_t sequenceStart = text.size();
        if (!atEnd)
            while (!(atEnd = !reader.Next(line)) && line.find('>') == std::string_view::npos) text.append(line);
        const auto length = static_cast<long long>(text.size() - sequenceStart);
        const bool pass = settings.minimum <= length && length <= settings.maximum;
        if (pass)
            text.append("\r\n");
        else
            text.resize(recordStart);
        stretch.headers.push_back(ShownText(header));
        stretch.passed.push_back(pass);
        if (atEnd) break;
        header.assign(line);
    }
    stretch.ok = !reader.ReadFailed();
}

}  // namespace

std::string CannotCreateMessage(std::string_view path) { return "Cannot create " + std::string(path) + "!"; }

bool InputReadable(RunReport& report, const std::string& path) {
    if (path.empty()) return false;
    return ReadFailureReason(path).empty() || CannotRead(report, path);
}

bool ExtractRecordsById(const IdFilterSettings& settings, RunReport& report) {
    if (!InputReadable(report, settings.inputPath) || settings.ids.empty()) return false;
    report.SetText("Start extracting...");
    FastaStream stream;
    if (!stream.Open(settings.inputPath)) {
        report.SetText("Error! Cannot open such file!");
        report.Error(WithReason("Cannot open " + settings.inputPath, ReadFailureReason(settings.inputPath)));
        return false;
    }
    const TextArray ids = SplitLines(settings.ids);  // one ID per line
    const std::string output = settings.inputPath + (settings.remove ? ".remv.fas" : ".extr.fas");
    const bool written = settings.remove ? stream.RemoveByIds(ids, settings.reverseComplement, output, &report)
                                         : stream.ExtractByIds(ids, settings.reverseComplement, output, &report);
    if (!written) {
        if (!stream.OutputError().empty()) return CannotCreate(report, output, stream.OutputError());
        return CannotRead(report, settings.inputPath);  // the stream's text says so too
    }
    report.Info(settings.remove ? "Deletion Complete!" : "Extraction Complete!");
    return true;
}

bool ReadIdFile(const std::string& path, std::string& ids) {
    LineReader reader;
    if (!reader.Open(path)) return false;
    std::string text;
    std::string_view line;
    while (reader.Next(line)) text.append(line).push_back('\n');
    if (reader.ReadFailed()) return false;
    ids = std::move(text);
    return true;
}

std::array<std::string, 3> CodonOutputPaths(const std::string& inputPath) {
    return {inputPath + ".1st.fas", inputPath + ".2nd.fas", inputPath + ".3rd.fas"};
}

bool ExtractCodonPositions(const CodonFilterSettings& settings, RunReport& report) {
    if (!InputReadable(report, settings.inputPath)) return false;
    report.Info("Extracting, please wait...");
    SequenceSet set;
    if (!set.ReadFasta(settings.inputPath)) return CannotRead(report, settings.inputPath);
    std::string failedPath, failure;
    for (std::size_t k = 0; k < 3; ++k) {
        const std::string& path = settings.outputPaths[k];
        if (!settings.write[k] || path.empty()) continue;  // an empty box asks for no file
        const std::string text = k == 0 ? set.GetFirstPositions() : k == 1 ? set.GetSecondPositions() : set.GetThirdPositions();
        std::string error;
        if (!WriteWholeFile(path, text, {settings.inputPath}, &error) && failedPath.empty()) {
            failedPath = path;  // the others are still written
            failure = error;
        }
    }
    if (!failedPath.empty()) return CannotCreate(report, failedPath, failure);
    report.SetText("Done!");
    report.Info("Extraction Complete!");
    return true;
}

bool FilterByLength(const LengthFilterSettings& settings, RunReport& report) {
    const std::string& input = settings.inputPath;
    if (!InputReadable(report, input)) return false;
    std::size_t size = 0;
    {
        LineReader probe;
        if (!probe.Open(input)) return CannotRead(report, input);
        size = probe.FileSize();
    }
    const std::string output = input + ".lenflt.fas";
    OutputFile out;
    if (!out.Open(output, {input})) return CannotCreate(report, output, out.Error());

    // Stretches are filtered on several threads and written in file order.
    const std::vector<std::size_t> cuts = ParallelReadCuts(input, size);
    bool ok = true;
    long long kept = 0, seen = 0;
    RunOrderedBatches<LengthStretch>(
        cuts.size(), 1,
        [&](std::size_t first, std::size_t, LengthStretch& stretch) {
            const std::size_t end = first + 1 < cuts.size() ? cuts[first + 1] : std::size_t(-1);
            FilterStretch(input, cuts[first], end, cuts.size() == 1, settings, stretch);
        },
        [&](std::size_t, std::size_t, LengthStretch& stretch) {
            ok = ok && stretch.ok;
            if (!ok) return;
            out.Write(stretch.kept);
            for (std::size_t i = 0; i < stretch.headers.size(); ++i) {
                kept += stretch.passed[i];
                ++seen;
                report.SetText(stretch.headers[i] + "    passed    " + IntToText(kept) + "/" + IntToText(seen));
            }
        });
    if (!ok) {
        out.Discard();  // part of the records would look like all of them
        return CannotRead(report, input);
    }
    if (!out.Close()) return CannotCreate(report, output, out.Error());
    report.Info("Filtering Complete!");
    return true;
}

bool ComputeAlignmentStatistics(const std::string& inputPath, StatisticsReport& report) {
    if (!InputReadable(report, inputPath)) return false;
    SequenceSet set;
    // What the box held stays when the file cannot be read.
    if (!set.ReadFasta(inputPath)) return CannotRead(report, inputPath);
    std::string text;
    int done = 0;
    report.ShowStatistics(text);
    report.FiguresDone(done);
    auto add = [&](std::string_view label, const std::string& value, bool lineBreak) {
        text.append(label).append(value);
        if (lineBreak) text += "\r\n";
        report.ShowStatistics(text);
        report.FiguresDone(++done);
    };
    add("No. of sequences:                ", IntToText(set.Count()), true);
    add("Total alignment length:          ", IntToText(static_cast<long long>(set.AlignmentLength())), true);
    add("Total block length:              ", IntToText(set.CountGapFreeColumns({})), true);
    add("Mean identity score:             ", FloatToText(set.MeanPairIdentity()), true);
    const std::string bad = set.FindBadSequences();
    report.ShowBadSequenceNote(!bad.empty());
    add("Potentially bad sequences:       ", bad.empty() ? "No" : bad, false);
    report.Info("Calculation complete!");
    return true;
}

}  // namespace tulvarine
