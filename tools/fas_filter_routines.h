// The work of the "Fas-Filter" page, without a window: extraction or removal of
// records by ID, codon positions, the length filter and the alignment
// statistics, each on the page's one input file. The gap filter is in
// tools/fas_filter_gap_routines.h.
//
// An empty input box makes a routine do nothing and say nothing (the page's
// boxes may simply not be filled in yet); an input that is missing or cannot
// be read ("Error:        Cannot read <path>: <reason>"), and an output that
// cannot be written, end with an "Error:" status.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "tools/run_report.h"

namespace tulvarine {

// "Cannot create <path>!": the status of every output the page cannot write.
std::string CannotCreateMessage(std::string_view path);

// Whether a run may read the input box's path: false for an empty box (nothing
// chosen yet: nothing is said) and, with "Error:        Cannot read <path>:
// <reason>", for an input that is missing, unreadable or no regular file.
bool InputReadable(RunReport& report, const std::string& path);

// The query-ID filter, as read from the page when its Run is clicked.
struct IdFilterSettings {
    std::string inputPath;
    std::string ids;                 // the ID box: one ID per line
    bool reverseComplement = false;  // write the kept records reverse-complemented
    bool remove = false;             // write the records that match none (else those that match one)
};

// Writes the input path + ".extr.fas" (or ".remv.fas" with remove) through
// FastaStream. The progress text is the stream's ("extracting ...", "Done!
// Outfile = ..."); the status ends "Extraction Complete!" or "Deletion
// Complete!". Does nothing when the ID box is empty. True when the output was
// written.
bool ExtractRecordsById(const IdFilterSettings& settings, RunReport& report);

// The IDs of a file as the ID box shows them: each line followed by a line
// break. False when the file cannot be read (ids is then left as it was).
bool ReadIdFile(const std::string& path, std::string& ids);

// The codon-position filter.
struct CodonFilterSettings {
    std::string inputPath;
    std::array<bool, 3> write{true, true, true};  // first, second, third position
    std::array<std::string, 3> outputPaths;       // an empty path is not written
};

// The output paths that choosing the input puts in the three boxes.
std::array<std::string, 3> CodonOutputPaths(const std::string& inputPath);

// Reads the input (SequenceSet::ReadFasta) and writes each chosen position's
// FASTA text to its path. The progress text becomes "Done!" when every chosen
// file was written. True when every chosen file was written.
bool ExtractCodonPositions(const CodonFilterSettings& settings, RunReport& report);

// The length filter.
struct LengthFilterSettings {
    std::string inputPath;
    long long minimum = 150;  // bytes, inclusive
    long long maximum = 15000;
};

// Writes to the input path + ".lenflt.fas" every record whose sequence (its
// lines joined as read, blanks included) is minimum..maximum bytes long: its
// header line as read and its sequence on one line. Every line holding ">"
// starts a record; lines before the first are skipped; an input without one
// is one record with an empty header and no sequence. The progress text after
// each record is "<header>    passed    <kept>/<seen>", the header cut to a
// readable length (ShownText, model/text.h). True when written.
bool FilterByLength(const LengthFilterSettings& settings, RunReport& report);

// What the statistics show beside the RunReport.
class StatisticsReport : public RunReport {
public:
    // The whole report text so far (CR LF line breaks).
    virtual void ShowStatistics(const std::string& text) = 0;
    // Shows or hides the note that bad sequences were found.
    virtual void ShowBadSequenceNote(bool shown) = 0;
    // Progress of the five figures: 0 when starting, then 1 to 5.
    virtual void FiguresDone(int count) = 0;
};

// Reads the alignment at inputPath and reports its number of records,
// alignment length, gap-free columns, mean pair identity and bad sequences,
// one figure per line. True when the input was read.
bool ComputeAlignmentStatistics(const std::string& inputPath, StatisticsReport& report);

}  // namespace tulvarine
