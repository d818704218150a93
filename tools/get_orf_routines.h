// The work of the "getORF" page, without a window: open reading frames of one
// pasted cDNA sequence, and of every record of a cDNA FASTA file.
#pragma once

#include <string>

#include "model/genetic_codes.h"
#include "model/sequence_set.h"
#include "tools/run_report.h"

namespace tulvarine {

// The pasted sequence, as read from the page when its Run is clicked.
struct PastedOrfSettings {
    std::string sequence;   // the input box; a pasted ">" line becomes sequence too
    GeneticCode code = GeneticCode::kStandard;
    int cutoff = 90;        // the shortest ORF, in nucleotides
    OrfMode mode = kLongestOrf;
    std::string reference;  // the reference protein of kMostSimilarOrf, line breaks removed
};

// The text of the output box: ">ORF-Longest" and the longest ORF, every ORF as
// records "ORF-1", "ORF-2"..., or ">ORF-Sim" and the ORF most like the reference.
std::string FindOrfsInPastedSequence(const PastedOrfSettings& settings);

// A cDNA FASTA file, as read from the page when its Run is clicked.
struct OrfFileSettings {
    std::string cdnaPath;
    OrfMode mode = kLongestOrf;  // for a file without a protein map
    bool byProteinMap = false;   // each record's ORF most like its own protein
    std::string proteinPath;     // the protein FASTA file of byProteinMap
    std::string mapPath;         // the cDNA-to-protein ID map of byProteinMap
    GeneticCode code = GeneticCode::kStandard;
    int cutoff = 90;
    std::string reference;  // of kMostSimilarOrf, line breaks removed
};

// Writes the ORFs of every record to the cDNA path plus ".orfs.long.fas",
// ".orfs.all.fas", ".orfs.sim1.fas" or, by protein map, ".orfs.sim2.fas". The
// progress text shows each ID as it is read, then "i/n"; the end is
// "Info: Saved into <file>" or an "Error:" status that says what failed and
// why. True when the output was written.
[[nodiscard]] bool FindOrfsInFile(const OrfFileSettings& settings, RunReport& report);

// The text of a box as a reference protein: line breaks go, blanks stay.
std::string WithoutLineBreaks(std::string text);

}  // namespace tulvarine
