// Two alignments of the same sequences, compared column by column.
//
// A column is described by the residues it aligns: for every shared record (the
// same header line in both files), in the order of the second alignment, its
// residue number at the column (how many of its characters up to and including
// the column are not "-"), or 0 where it has a "-"; written out "5-3-0-". Two
// alignments of the same sequences give the same description exactly where they
// align the same residues, whatever gaps stand before them.
//
// Descriptions are never held as text: each alignment is swept once, column
// after column, keeping a hash of every column and the running residue counts
// every 16 columns. A description is rebuilt from the nearest of those counts
// when it is asked for, and every hash match is confirmed on rebuilt values, so
// the result is exact. Memory: the sequences plus 8 bytes per 16 cells.
//
// Built once, then read-only: any number of threads may read a comparison.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tulvarine {

struct AlignmentRecord {
    std::string header;    // the header line, ">" included, blanks trimmed at both ends
    std::string sequence;  // the lines after it, each trimmed of blanks at both ends, joined
};

// Reads the records of an alignment file. Lines are trimmed of blanks at both
// ends; lines before the first one that starts with ">" are skipped; every line
// that starts with ">" opens a record, every other line is joined to the
// sequence of the record before it (an empty one adds nothing). False when the
// file cannot be opened or read to its end.
[[nodiscard]] bool ReadAlignmentRecords(const std::string& path, std::vector<AlignmentRecord>& records);

// The records written two lines each (header, sequence) hold at least two such
// lines: a sequence from which to take the alignment length. A last record with
// an empty sequence counts as one line, a header alone.
bool HoldsSequence(const std::vector<AlignmentRecord>& records);

enum class Alignment { kFirst = 0, kSecond = 1 };

class AlignmentComparison {
public:
    // The first and the second column holding the same description.
    struct SameColumn {
        std::size_t first;   // the first such column of the first alignment, from 1
        std::size_t second;  // the first such column of the second alignment, from 1
    };

    // Compares two alignments, both of which must HoldSequence (else throws
    // std::invalid_argument). A record with a header met before in the same
    // file is left out; a last record with an empty sequence too.
    AlignmentComparison(std::vector<AlignmentRecord> first, std::vector<AlignmentRecord> second);
    AlignmentComparison(AlignmentComparison&&) = default;
    AlignmentComparison& operator=(AlignmentComparison&&) = default;

    // The header lines found in both alignments, in the order of the second.
    std::size_t SharedCount() const { return shared_.size(); }
    std::string_view SharedId(std::size_t row) const { return shared_[row]; }

    // The columns of an alignment: the length of its first record's sequence,
    // shared or not.
    std::size_t ColumnCount(Alignment alignment) const { return Of(alignment).length; }
    // The description of a column (from 1) as text, "5-3-0-"; empty when no
    // record is shared. A sequence shorter than the column counts all its residues.
    std::string ColumnString(Alignment alignment, std::size_t column) const;
    // The length in bytes of the longest description of an alignment.
    std::size_t LongestColumnString(Alignment alignment) const { return Of(alignment).longest; }

    // Each description found in both alignments once, in the order in which
    // the second alignment first holds it.
    const std::vector<SameColumn>& SameColumns() const { return same_; }

    // The character of shared row (from 0) of the first alignment at column
    // (from 1); '\0' when its sequence is shorter.
    char FirstCharacter(std::size_t row, std::size_t column) const;

private:
    struct Side {
        std::vector<AlignmentRecord> records;
        std::vector<const std::string*> rows;  // the shared sequences, in shared order
        std::size_t length = 0;
        std::vector<std::uint64_t> checkpoints;  // [block * rows + row]: residues before the block
        std::vector<std::uint64_t> hashes;       // one per column
        std::size_t longest = 0;
    };

    class ColumnCursor;

    const Side& Of(Alignment alignment) const { return alignment == Alignment::kFirst ? first_ : second_; }
    static void Sweep(Side& side);
    void FindSameColumns();

    Side first_;
    Side second_;
    std::vector<std::string_view> shared_;
    std::vector<SameColumn> same_;
};

}  // namespace tulvarine
