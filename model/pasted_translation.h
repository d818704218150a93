// Translation of the text pasted into a box: a bare sequence, or FASTA text as
// soon as a ">" occurs anywhere in it.
#pragma once

#include <string>
#include <string_view>

#include "model/genetic_codes.h"

namespace tulvarine {

struct PastedTranslation {
    enum Outcome {
        kTranslated,
        kWorkFileNotWritten,  // the FASTA text could not be written to the work file
        kWorkFileNotRead,     // ... or not read back from it
    };
    Outcome outcome = kTranslated;
    // A bare sequence gives its protein alone (line breaks and blanks dropped
    // first); FASTA text gives ">" header CRLF protein CRLF for every record.
    // Empty unless translated.
    std::string text;
    // Why the work file failed, in the system's words (may be empty).
    std::string error;
};

// Translates input (frame 1, forward) under the genetic code. FASTA text is
// written to workFile and read back, so that it is read exactly as a FASTA file
// is; the work file is removed again whatever happens.
PastedTranslation TranslatePastedText(std::string_view input, GeneticCode code, const std::string& workFile);

}  // namespace tulvarine
