// The work of the "Translation" page, without a window: DNA to amino acids
// under one genetic code, for pasted text (manual mode) or for every FASTA
// file of a folder (batch mode).
#pragma once

#include <optional>
#include <string>

#include "model/genetic_codes.h"
#include "tools/run_report.h"

namespace tulvarine {

// The manual mode, as read from the page when its Run is clicked.
struct PastedTranslationSettings {
    std::string text;        // the input box: a bare sequence or FASTA text
    GeneticCode code = GeneticCode::kStandard;
    std::string workFolder;  // where FASTA text is written to be read back; empty when none could be made
};

// The translation to show in the output box; nothing for an empty text, and
// nothing with an "Error:" status when the work file could not be written or
// read back.
std::optional<std::string> TranslatePastedSequences(const PastedTranslationSettings& settings, RunReport& report);

// The batch mode, as read from the page when its Run is clicked.
struct FolderTranslationSettings {
    std::string inputFolder;   // as typed; empty: nothing to do
    std::string outputFolder;  // as typed; empty: the input folder + "_AA"
    GeneticCode code = GeneticCode::kStandard;
};

// What the batch mode shows beside the RunReport: the output folder it chose
// for an empty box, and the list of files processed.
class FolderTranslationReport : public RunReport {
public:
    virtual void OutputFolderChosen(const std::string& folder) = 0;
    virtual void ClearFiles() = 0;
    virtual void AddFile(const std::string& name) = 0;
};

// Translates every FASTA file of the input folder into a file of the same name
// in the output folder (one trailing "/" of each folder ignored; created when
// missing). The progress text shows each record's ID as it is read,
// then "i/n", and at the end "Done!" or "Failed: k of n". A file that cannot be
// read or written, or whose output would be one of the folder's inputs, is
// named in an "Error:" status and the batch goes on. Returns true when every
// file was translated.
[[nodiscard]] bool TranslateFolder(const FolderTranslationSettings& settings, FolderTranslationReport& report);

}  // namespace tulvarine
