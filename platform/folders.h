// The program folder and the work folder "tmp". Paths are UTF-8 bytes joined
// with "/". (The listing of FASTA files is in platform/folder_listing.h.)
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

}  // namespace tulvarine::platform
