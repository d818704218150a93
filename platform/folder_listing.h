// Listing the FASTA files of a folder ("<folder>/*.fa*"). No Qt: worker
// routines call it.
#pragma once

#include <string>

#include "model/text.h"

namespace tulvarine::platform {

// The plain files of folder whose names match "*.fa*" ignoring case, as the
// shell matches it (a name that starts with "." is not matched), sorted by
// name ignoring case (Linux has no file-system order, and the order decides
// what batch runs do first and how merges are concatenated). An empty folder
// text or a missing folder lists nothing.
TextArray ListFastaFiles(const std::string& folder);

}  // namespace tulvarine::platform
