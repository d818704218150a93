#include "shell/user_guide.h"

#include <QFileInfo>
#include <QLocale>

#include "platform/desktop.h"

namespace tulvarine {

int UserGuideLanguageCode(const QLocale& locale) { return locale.language() == QLocale::Chinese ? 1 : 0; }

std::string UserGuideDocumentName(int languageCode) {
    return (languageCode == 1 || languageCode == 3) ? kUserGuideDocChinese : kUserGuideDoc;
}

bool ShowFileInExplorer(const std::string& path, bool /*edit*/) {
    if (!QFileInfo::exists(QString::fromStdString(path))) return false;
    return platform::ShowInFileManager(path);
}

}  // namespace tulvarine
