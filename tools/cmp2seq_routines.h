// The work of the "Cmp-2Seq" page beside the comparison itself
// (model/pair_comparison.h), without a window: the codon table of "Save2TxT",
// the alignment of the pair with MUSCLE before it is compared, and the text a
// file dropped onto a sequence box puts there.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/pair_comparison.h"
#include "tools/run_report.h"

namespace tulvarine {

// The status and balloon texts of a codon-mode run whose sequences cannot be
// read as codons (no "Error:" prefix).
inline constexpr std::string_view kCodonLengthMessage = "ERROR! Codon length is not in multiples of 3!";
inline constexpr std::string_view kCodonLengthBalloon = "ERROR! Codon length are not in multiples of 3!";

// Writes the codon table of comparison (CodonTableText) to path and says so:
// "Info:        Save successfully!", or "Info:    Save failure!" when the file
// could not be written (no half file is left under its name).
[[nodiscard]] bool SaveCodonTable(const PairComparison& comparison, const std::string& path, RunReport& report);

// "Align and Compare", as read from the page when the button is clicked.
struct PairAlignmentSettings {
    std::string box1;           // the text of box 1 as it stands (UTF-8, LF line breaks)
    std::string box2;           // the text of box 2
    std::string workFolder;     // where 2seq.fas and 2seq_align.fas go; empty when none could be made
    std::string muscle;         // the aligner's program file; empty when it is missing
    std::string programFolder;  // the aligner runs there
};

// The two aligned sequences, each on one line; a record the aligner did not
// give back is empty.
struct AlignedPair {
    std::string sequence1;
    std::string sequence2;
};

// The pair as the aligner reads it: ">Seq1", the text of box 1 with CR LF line
// breaks, then ">Seq2" and box 2 the same way, each line ended by CR LF.
std::string PairFastaText(std::string_view box1, std::string_view box2);

// The records of an aligner's output, found by their headers: the record whose
// header holds ">Seq1" goes to sequence 1, any other to sequence 2 (a later one
// replaces an earlier), lines joined without separators. Nothing when the file
// holds no header line or cannot be read.
std::optional<AlignedPair> ReadAlignedPair(const std::string& path);

// Writes the pair into the work folder, removes the aligner's output of an
// earlier run, aligns with MUSCLE and reads the result back. Nothing, with an
// "Error:" status, when the pair cannot be written ("Cannot write ...") or no
// record comes back ("Error:    Alignment failed! <why>": the aligner is
// missing, failed or wrote nothing; why says which, as "muscle ended by signal
// SIGFPE (arithmetic fault)"). Blocks while the aligner runs: worker threads only.
std::optional<AlignedPair> AlignSequencePair(const PairAlignmentSettings& settings, RunReport& report);

// What a file dropped onto a sequence box puts there: the sequence lines of its
// first FASTA record (a file without a header line: all its lines), joined by
// LF. Nothing, with an "Error:" status that says why, when the file cannot be
// read or those lines hold nothing but blanks ("No sequence in <path>").
std::optional<std::string> DroppedSequenceText(const std::string& path, RunReport& report);

}  // namespace tulvarine
