// The program folder, the work folder "tmp" and the listing of FASTA files in
// a folder. Paths are UTF-8 bytes joined with "/".
#pragma once

#include <string>

#include "model/text.h"

namespace tulvarine::platform {

// The folder of the executable, without a trailing "/"; "tools", the user guide
// and Updates.txt are found there.
std::string ProgramFolder();
// Tests point the program at a folder of their own; an empty path undoes it.
void OverrideProgramFolderForTests(const std::string& folder);

// The folder for intermediate files, created when missing: the program folder
// + "/tmp" when it can be created and written, otherwise
// $XDG_CACHE_HOME/tulvarine/tmp (~/.cache/tulvarine/tmp). Empty when neither
// can be made.
std::string WorkFolder();

// The plain files of folder whose names match "*.fa*" ignoring case, sorted by
// name ignoring case. An empty folder text or a missing folder lists nothing.
TextArray ListFastaFiles(const std::string& folder);

}  // namespace tulvarine::platform
