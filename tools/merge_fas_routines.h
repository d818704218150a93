// The work of the "MergeFas" page, without a window.
//
// Batch mode: for each ID of a list, the sequences that carry it in the FASTA
// files of one folder, joined in file order into one wrapped record per ID.
// Manual mode: the records of a second file appended, per ID, to those of a
// first file in the shared merge table, which is then saved beside the first.
//
// Both read records the same way: every line trimmed of blanks; a line that is
// ">" followed by a non-space byte is a header, its ID the run of non-space
// bytes after ">"; other lines are appended to the current record with no
// separator; lines before the first header are skipped. Lines end at LF, CR LF
// or a lone CR, and NUL and Ctrl-Z bytes are dropped (LineReader).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "model/named_attribute_map.h"
#include "model/text.h"
#include "platform/guarded.h"
#include "platform/merge_table.h"
#include "tools/run_report.h"

namespace tulvarine {

// Every status message of this page has four blanks after its prefix.
inline std::string MergeInfo(std::string_view text) { return std::string("Info:    ").append(text); }
inline std::string MergeError(std::string_view text) { return std::string("Error:    ").append(text); }

// ---- batch mode ----

// The FASTA files of the folder box's folder (every trailing "/" ignored), in
// the order the merge joins them.
TextArray ListMergeFolderFiles(std::string folder);

// The ID of each header line of path as the ID box shows them: one per line,
// each followed by CR LF, duplicates kept. Lines are taken as read: a header
// with blanks before its ">" is not listed. Nothing, with an "Error:" status,
// when the file cannot be read.
std::optional<std::string> ListIdsOfMergeFile(const std::string& path, RunReport& report);

// The batch mode, as read from the page when its Save is clicked.
struct BatchMergeSettings {
    std::string folder;  // the folder box as typed
    std::string idList;  // the ID box: one ID per line; blank lines are skipped
};

// What the batch merge shows beside the RunReport.
class BatchMergeReport : public RunReport {
public:
    // Shows the progress bar at position 0 of maximum.
    virtual void ShowProgressBar(int maximum) = 0;
    virtual void SetProgressPosition(int position) = 0;
    virtual void HideProgressBar() = 0;
    // The file of the listing at index (0-based), named name, is being joined.
    virtual void FileStarted(std::size_t index, const std::string& name) = 0;
    // The ID list is empty: the user is sent back to it.
    virtual void FocusIdList() = 0;
};

// Writes folder + ".merged.1.fas" (the folder without trailing "/", so the
// output lies beside it): for every ID of the list, in list order,
// ">" + the ID as listed, CR LF, and the sequences of every record with that ID
// (ASCII case ignored) in the folder's files, in file order and record order,
// joined through LineWrapper (lines of 60; each further piece fills the last
// line and ends it) and ending with exactly one CR LF. An ID without records
// gets an empty line; an ID listed twice gets the same record twice. The
// progress label shows "f / n" while files are read, "i / n" while records
// are written, then "100% Done!". Returns false, with an "Error:" status and
// nothing written, when the list or the folder box is empty, the folder holds
// no FASTA file, a file cannot be read, or the output cannot be written.
bool MergeFolderById(const BatchMergeSettings& settings, BatchMergeReport& report);

// ---- manual mode ----

// ID to joined sequence, and the files that went into the table.
using MergeTable = Guarded<MergeTableContents>;

// What the manual merge shows beside the RunReport.
class ManualMergeReport : public RunReport {
public:
    // A new first file is in the table: its path shows, the merged list empties.
    virtual void FirstFileLoaded(const std::string& path) = 0;
    // Lines for the merged list, one per record merged, in order.
    virtual void RecordsMerged(const TextArray& lines) = 0;
};

// Replaces the table with the records of path (the first record of each ID
// wins); path becomes the table's one source. Returns false, with
// "Error:    Cannot open <path>: <reason>" and the table as it was, when path
// cannot be read.
bool LoadFirstMergeFasta(const std::string& path, MergeTable& table, ManualMergeReport& report);

// Appends each record of path to the table entry of its ID (which moves to the
// end) or adds it at the end; one line "<id>        added successfully" per
// record and the label "c/total" (total: the entries before the merge); path
// joins the table's sources. When path is empty or cannot be read: false, an
// "Error:" status as above, and the table as it was.
bool AddSecondMergeFasta(const std::string& path, MergeTable& table, ManualMergeReport& report);

// The manual mode's save, as read from the page when its Save is clicked.
struct MergeTableSaveSettings {
    std::string firstFile;   // the first-file box: the output is this + ".merged.2.fas"
    std::string secondFile;  // the second-file box, an input the output must not replace
};

// Writes every table entry, in order, as ">" + ID, CR LF, the sequence on one
// line, CR LF; the label shows "i/n". "Info:    Save successful!"; an output
// that would replace a source of the table or a file the boxes name, or that
// cannot be written, and an empty first-file box, write nothing and give an
// "Error:" status that says why.
bool SaveMergeTable(const MergeTableSaveSettings& settings, MergeTable& table, RunReport& report);

}  // namespace tulvarine
