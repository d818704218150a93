#include "platform/shared_state.h"

namespace tulvarine {

std::unique_ptr<Guarded<TextArray>> g_AlignFolderFiles;
std::unique_ptr<CharFormat> g_SeqBoxFormat;
std::atomic<int> g_SortIdCount{0};
std::unique_ptr<Guarded<MergeTableContents>> g_MergeTable;
std::unique_ptr<CharFormat> g_RedMarkFormat;
std::unique_ptr<CharFormat> g_BlueMarkFormat;
std::unique_ptr<Guarded<NamedAttributeMap>> g_CodonAminoMap;
std::unique_ptr<Guarded<TextArray>> g_FormatFolderFiles;
bool g_MainWindowReady = false;

namespace {
// The start value of the three formats until the main window sets them.
std::unique_ptr<CharFormat> StartFormat() {
    return std::make_unique<CharFormat>(CharFormat{"宋体", 9, 0, 0, CharFormat::kAutomaticColour});
}
}  // namespace

void CreateSharedState() {
    g_AlignFolderFiles = std::make_unique<Guarded<TextArray>>();
    g_SeqBoxFormat = StartFormat();
    g_MergeTable = std::make_unique<Guarded<MergeTableContents>>();
    g_RedMarkFormat = StartFormat();
    g_BlueMarkFormat = StartFormat();
    g_CodonAminoMap = std::make_unique<Guarded<NamedAttributeMap>>();
    g_FormatFolderFiles = std::make_unique<Guarded<TextArray>>();
}

void ReleaseSharedState() {
    g_AlignFolderFiles.reset();
    g_SeqBoxFormat.reset();
    g_MergeTable.reset();
    g_RedMarkFormat.reset();
    g_BlueMarkFormat.reset();
    g_CodonAminoMap.reset();
    g_FormatFolderFiles.reset();
}

}  // namespace tulvarine
