#include "tools/cmp2seq_routines.h"

#include <cerrno>
#include <cstdio>

#include "model/file_bytes.h"
#include "model/line_reader.h"
#include "model/output_file.h"
#include "model/paths.h"
#include "model/text.h"
#include "tools/aligners.h"

namespace tulvarine {

namespace {
constexpr char kPairFileName[] = "2seq.fas";
constexpr char kAlignedFileName[] = "2seq_align.fas";
constexpr std::string_view kLineEnd = "\r\n";
}  // namespace

bool SaveCodonTable(const PairComparison& comparison, const std::string& path, RunReport& report) {
    if (!WriteWholeFile(path, CodonTableText(comparison))) {
        report.Status("Info:    Save failure!");
        return false;
    }
    report.Info("Save successfully!");
    return true;
}

std::string PairFastaText(std::string_view box1, std::string_view box2) {
    std::string text = ">Seq1";
    text += kLineEnd;
    text += WithCrLfLineEnds(box1);
    text += kLineEnd;
    text += ">Seq2";
    text += kLineEnd;
    text += WithCrLfLineEnds(box2);
    text += kLineEnd;
    return text;
}

std::optional<AlignedPair> ReadAlignedPair(const std::string& path) {
    LineReader reader;
    std::string_view line;
    if (!reader.Open(path) || !reader.NextContaining('>', line)) return std::nullopt;
    AlignedPair pair;
    std::string header(line), residues;
    auto store = [&] {
        (header.find(">Seq1") != std::string::npos ? pair.sequence1 : pair.sequence2) = std::move(residues);
        residues.clear();
    };
    while (reader.Next(line)) {
        if (line.find('>') != std::string_view::npos) {
            store();
            header.assign(line);
        } else {
            residues.append(line);
        }
    }
    store();
    return pair;
}

std::optional<AlignedPair> AlignSequencePair(const PairAlignmentSettings& settings, RunReport& report) {
    const std::string folder = settings.workFolder.empty() ? std::string("tmp") : settings.workFolder;
    const std::string input = JoinPath(folder, kPairFileName), output = JoinPath(folder, kAlignedFileName);
    std::string error;
    if (settings.workFolder.empty()) error = "the work folder cannot be created";
    if (!error.empty() || !WriteWholeFile(input, PairFastaText(settings.box1, settings.box2), {}, &error)) {
        report.Error(WithReason("Cannot write " + input, error));
        return std::nullopt;
    }
    // An output left by an earlier run must never pass for this run's.
    if (std::remove(output.c_str()) != 0 && errno != ENOENT) {
        report.Error(WithReason("Cannot remove " + output, ErrorText(errno)));
        return std::nullopt;
    }
    const ToolRun run = AlignFile(Aligner::kMuscle, settings.muscle, input, output, settings.programFolder);
    std::optional<AlignedPair> aligned = ReadAlignedPair(output);
    if (!aligned) {
        // The message users know, with why after it.
        const std::string why = run.placed ? "the aligner's result holds no record" : run.failure;
        report.Status("Error:    Alignment failed! " + why);
    }
    return aligned;
}

std::optional<std::string> DroppedSequenceText(const std::string& path, RunReport& report) {
    LineReader reader;
    if (!reader.Open(path)) {
        report.Error(WithReason("Cannot open " + path, ReadFailureReason(path)));
        return std::nullopt;
    }
    std::string text;
    bool inRecord = false;
    std::string_view line;
    while (reader.Next(line)) {
        if (TrimBlanks(line).starts_with('>')) {
            if (inRecord) break;  // the second record begins
            inRecord = true;
            text.clear();  // lines before the first header are no sequence
            continue;
        }
        if (!text.empty()) text += '\n';
        text.append(line);
    }
    if (reader.ReadFailed()) {
        report.Error(WithReason("Cannot read " + path, ErrorText(EIO)));
        return std::nullopt;
    }
    std::string residues = text;
    RemoveLineBreaksAndBlanks(residues);
    if (residues.empty()) {  // the box keeps what the user typed
        report.Error("No sequence in " + path);
        return std::nullopt;
    }
    return text;
}

}  // namespace tulvarine
