// The program-wide state that the tool pages share, below both the shell and
// the pages: the shell creates it at start-up (InitGlobals) and frees it at
// exit (ReleaseGlobals); handlers and workers change only the contents.
//
// Values that workers share are Guarded (reached under a lock) or atomic; the
// formats belong to the GUI thread.
#pragma once

#include <atomic>
#include <memory>

#include "model/named_attribute_map.h"
#include "model/text.h"
#include "platform/guarded.h"
#include "platform/merge_table.h"
#include "platform/rich_box.h"

namespace tulvarine {

using platform::CharFormat;

// File names listed from the folder of the batch alignment.
extern std::unique_ptr<Guarded<TextArray>> g_AlignFolderFiles;
// The default format of the two sequence boxes of "Cmp-2Seq".
extern std::unique_ptr<CharFormat> g_SeqBoxFormat;
// IDs listed by the Sort-ID preview: the progress maximum of sorting and classifying.
extern std::atomic<int> g_SortIdCount;
// The manual merge's table and its sources.
extern std::unique_ptr<Guarded<MergeTableContents>> g_MergeTable;
// Red and blue underlined marking of the "Cmp-2Seq" comparison.
extern std::unique_ptr<CharFormat> g_RedMarkFormat;
extern std::unique_ptr<CharFormat> g_BlueMarkFormat;
// Codon to amino acid of the genetic code last loaded by the codon counting.
extern std::unique_ptr<Guarded<NamedAttributeMap>> g_CodonAminoMap;
// File names listed from the folder of the format conversion.
extern std::unique_ptr<Guarded<TextArray>> g_FormatFolderFiles;
// True once the main window has been created. GUI thread.
extern bool g_MainWindowReady;

// Creates the shared state with its start values; frees it again.
void CreateSharedState();
void ReleaseSharedState();

}  // namespace tulvarine
