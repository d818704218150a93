// A whole FASTA file in memory: one record per header, in file order. The
// record at index i is the pair sequences()[i], headers()[i]. A set is made,
// used and destroyed by one worker thread.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/sequence.h"
#include "model/sequence_header.h"
#include "model/slab_memory.h"
#include "model/text.h"

namespace tulvarine {

class ProgressSink;

// The FASTA text of a translated set, and whether its output file was written.
struct TranslatedSet {
    std::string fasta;
    bool fileWritten = false;  // true when an output file was asked for and written whole
    std::string error;         // why the output file was not written
};

// What SequenceSet::WriteOrfs writes for each record.
enum OrfMode : int { kLongestOrf = 1, kAllOrfs = 2, kMostSimilarOrf = 3 };

class SequenceSet {
public:
    SequenceSet() = default;
    // Copies are deep and live on the heap: independent of this set.
    SequenceSet(const SequenceSet& other)
        : sequences_(other.sequences_), headers_(other.headers_), sourcePath_(other.sourcePath_) {}
    SequenceSet& operator=(const SequenceSet& other);
    SequenceSet(SequenceSet&&) noexcept = default;
    SequenceSet& operator=(SequenceSet&&) noexcept = default;

    // Replaces the content with the records of the FASTA file at path. Lines are
    // trimmed of blanks; a trimmed line that begins with ">" opens a record, the
    // other lines after it form its sequence (line breaks and blanks removed);
    // lines before the first header are skipped. When display is given, its text
    // is set to the ID of each header as it is read (cut to a readable length,
    // ShownText in model/text.h). False (and an empty set)
    // when the file cannot be opened or read to its end. The set remembers path
    // as its source: no output of the set may replace it.
    [[nodiscard]] bool ReadFasta(const std::string& path, ProgressSink* display = nullptr);

    // The sequence of the first record whose header matches name under mode
    // (SequenceHeader::Matches, which drops a leading ">" from the caller's
    // name); the empty text when none matches.
    std::string FindSequence(std::string& name, SequenceHeader::MatchMode mode = SequenceHeader::kExact) const;

    int Count() const { return static_cast<int>(headers_.size()); }
    // The length of the first sequence (the set is taken to be an alignment); 0 when empty.
    std::size_t AlignmentLength() const { return sequences_.empty() ? 0 : sequences_.front().Length(); }

    SequenceSet Copy() const { return *this; }
    void Release();

    // Translates every record (frame 1, forward) as ">name\r\nprotein\r\n", the
    // name being GetPart(nameMode) of its header. Writes the text to outputPath
    // when one is given (through OutputFile, never over the set's source), and
    // sets progress to "i/n" after each record.
    TranslatedSet Translate(GeneticCode code = GeneticCode::kStandard,
                            SequenceHeader::Part nameMode = SequenceHeader::kWhole,
                            const std::string& outputPath = {}, ProgressSink* progress = nullptr) const;

    // Writes the ORF file of the whole set (OrfMode), setting progress to "i/n"
    // after each record. Returns false, with *error set to the reason when error
    // is given, when the file could not be created or written whole (or would
    // replace the set's source).
    [[nodiscard]] bool WriteOrfs(const std::string& outputPath, GeneticCode code, int cutoff,
                                 std::string_view reference, OrfMode mode = kLongestOrf,
                                 ProgressSink* progress = nullptr, std::string* error = nullptr) const;

    // The residues at one codon position of every record, as FASTA text in
    // record order: ">", the whole header and a CRLF, then the first (second,
    // third) residue of each whole codon and a CRLF. One or two bytes left over
    // at the end are ignored; gaps and any other bytes are taken like residues.
    // When progress is given it shows "<ID>    <i>/<n>" for each record, the ID
    // cut to a readable length (ShownText in model/text.h).
    std::string GetFirstPositions(ProgressSink* progress = nullptr) const { return GetCodonPositions(0, progress); }
    std::string GetSecondPositions(ProgressSink* progress = nullptr) const { return GetCodonPositions(1, progress); }
    std::string GetThirdPositions(ProgressSink* progress = nullptr) const { return GetCodonPositions(2, progress); }

    // Alignment statistics. Columns are 1..AlignmentLength(); the gap is "-"
    // alone; a record shorter than a column has no character there (not a gap).
    // A record's name is its whole header.

    // The number of gap-free columns: counted on the first kept record, its
    // columns at which no kept record holds a gap (columns past AlignmentLength()
    // count when they are not gaps themselves). A record is left out when its
    // name contains one of the texts of exclusions, ASCII case ignored (so "s1"
    // also leaves out "s10"). 0 when no record is kept.
    int CountGapFreeColumns(const TextArray& exclusions) const;

    // The mean, over all pairs of records, of the share of identical bytes (case
    // heeded) among the columns where neither record has a gap; a pair without
    // such a column counts as 0. 0 for fewer than two records.
    float MeanPairIdentity() const;

    // The names of the records whose presence shortens the gap-free block far
    // more than is typical, joined by "," in the order they were judged, each
    // cut to a readable length (ShownText in model/text.h); the empty text when
    // there are none. A name scores the gap-free columns left
    // without its records and those already judged bad. The first pass scores
    // every record (a repeated name once per record), later passes every name
    // still in play once; while the highest score reaches 1.6 times the median
    // of the pass, the first name with that score is judged bad and a new pass
    // begins. Records
    // are left out by their whole name, ASCII case ignored: scoring "s1" leaves
    // "s10" in.
    std::string FindBadSequences() const;

    const std::vector<Sequence>& Sequences() const { return sequences_; }
    const std::vector<SequenceHeader>& Headers() const { return headers_; }
    // The file the set was read from; empty for a set not read from a file.
    const std::string& SourcePath() const { return sourcePath_; }

private:
    // The FASTA text of the residues at offset 0, 1 or 2 of every codon.
    std::string GetCodonPositions(std::size_t offset, ProgressSink* progress) const;

    std::unique_ptr<SlabMemory> memory_;  // the headers and residues read by ReadFasta; outlives both arrays
    std::vector<Sequence> sequences_;
    std::vector<SequenceHeader> headers_;
    std::string sourcePath_;
};

// "i/n", the progress text of the per-record operations.
std::string RecordProgressText(std::size_t i, std::size_t n);

}  // namespace tulvarine
