// What the desktop does for the program: open a document or web address with
// the program the user associates with it, and show a file in the file manager.
// GUI thread. Failures are only returned, never shown.
#pragma once

#include <functional>
#include <string>

class QUrl;

namespace tulvarine::platform {

// Opens the file at path with its associated program.
[[nodiscard]] bool OpenDocument(const std::string& path);
// Opens an address (https://...) in the web browser.
[[nodiscard]] bool OpenWebAddress(const std::string& address);
// Opens a file-manager window on the folder of path with the file selected
// (org.freedesktop.FileManager1 over D-Bus); without that service, opens the
// folder. The file itself is not opened.
[[nodiscard]] bool ShowInFileManager(const std::string& path);

// The test seam: the two ways out to the desktop. An empty function restores
// the real one.
struct DesktopHooks {
    std::function<bool(const QUrl&)> openUrl;          // stands in for QDesktopServices::openUrl
    std::function<bool(const QUrl&)> fileManagerShow;  // stands in for FileManager1.ShowItems
};
void SetDesktopHooksForTests(DesktopHooks hooks);

}  // namespace tulvarine::platform
