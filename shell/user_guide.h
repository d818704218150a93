// The user guide documents beside the executable, and how the program shows them.
#pragma once

#include <string>

class QLocale;

namespace tulvarine {

inline constexpr char kUserGuidePdf[] = "/User_guide.pdf";
inline constexpr char kUserGuideDoc[] = "/User_guide.doc";
inline constexpr char kUserGuideDocChinese[] = "/User_guide-中文版.doc";

// The language code of the guide: 1 for a Chinese locale, 0 for any other.
int UserGuideLanguageCode(const QLocale& locale);
// "/User_guide-中文版.doc" for the codes 1 and 3, "/User_guide.doc" otherwise.
std::string UserGuideDocumentName(int languageCode);

// Opens a file-manager window on the folder of path with the file selected;
// false, showing nothing, when no file exists at path or the desktop refused.
// The edit flag (select the name for renaming) has no counterpart on Linux
// file managers and is ignored.
[[nodiscard]] bool ShowFileInExplorer(const std::string& path, bool edit);

}  // namespace tulvarine
