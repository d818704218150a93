// A FASTA file read record by record, to copy into a new file the records whose
// header line matches a list of IDs (ExtractByIds) or matches none (RemoveByIds).
//
// Records are cut differently from SequenceSet::ReadFasta: every line that holds
// a ">" anywhere starts a record and is its header line, kept as read; the lines
// after it up to the next such line are its sequence. Lines before the first
// header line are skipped. Only the current record is held in memory.
//
// A stream owns its open file and closes it when it goes; it is used by one
// thread at a time.
#pragma once

#include <string>
#include <string_view>

#include "model/line_reader.h"
#include "model/text.h"

namespace tulvarine {

class ProgressSink;

class FastaStream {
public:
    FastaStream() = default;
    // A copy opens the same file again, so each stream closes only its own.
    FastaStream(const FastaStream& other);
    FastaStream& operator=(const FastaStream&) = delete;
    FastaStream Copy() const { return FastaStream(*this); }

    // Opens path read-only; false when it cannot be opened.
    [[nodiscard]] bool Open(const std::string& path);
    void Close() { reader_.Close(); }
    bool IsOpen() const { return reader_.IsOpen(); }
    // Why the last output could not be written, in the system's words; empty
    // when it was written or the failure lay in the input.
    const std::string& OutputError() const { return outputError_; }

    // Writes to outputPath (created anew) every record whose header line matches
    // one of the IDs (see IdQueryList for the rule), in input order; with
    // reverseComplement the sequence is written reverse-complemented on one line,
    // otherwise as read, cut into lines of 60 (records over 100000 bytes stay on
    // one line, after the notice "Seq lenth too long. Please wait a moment!").
    // The header line is always written as read.
    //
    // Reading stops early once every ID has matched at least one record; an ID
    // that matches no record makes the whole file be read, so no record matching
    // another ID is lost. progress shows "extracting <header>    <written>/<IDs>"
    // after each record written (the header cut to a readable length, ShownText
    // in model/text.h) and "Done! Outfile = <file name>" at the end.
    //
    // Returns false, and leaves an "Error! ..." text in progress instead of the
    // "Done!" one, when the stream is not open, the input cannot be read to its
    // end, or the output cannot be created or written whole.
    [[nodiscard]] bool ExtractByIds(const TextArray& ids, bool reverseComplement, const std::string& outputPath,
                                    ProgressSink* progress = nullptr);

    // As ExtractByIds, but writes every record that matches none of the IDs and
    // reads the whole file; progress counts the records left out. With no header
    // line in the input, one empty record (a CRLF and a CRLF) is written.
    [[nodiscard]] bool RemoveByIds(const TextArray& ids, bool reverseComplement, const std::string& outputPath,
                                   ProgressSink* progress = nullptr);

private:
    [[nodiscard]] bool Filter(bool keepMatching, const TextArray& ids, bool reverseComplement,
                              const std::string& outputPath, ProgressSink* progress);

    std::string path_;
    std::string outputError_;
    LineReader reader_;
};

// The part of path after its last "/"; the whole path when it holds none.
std::string GetFileNameFromPath(std::string_view path);

}  // namespace tulvarine
