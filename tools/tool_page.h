// The page kit: what every tool page of the main window is built on.
//
// A page is a settings struct read from its controls on the GUI thread when
// Run is clicked, worker routines over those settings (tools/*_routines.h: no
// Qt, no widget, testable without a window), and thin glue: a ToolPage that
// connects its controls, reads the settings, and starts the routines through
// StartRun. Workers show what they do through a RunReport (tools/page_report.h)
// and the platform layer, never by touching a widget.
//
// Pages are made by the main window (CreateToolPages) and live as long as it.
#pragma once

#include <QObject>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QWidget;
namespace Ui {
class MainWindow;
}

namespace tulvarine {

namespace platform {
class CommonDialog;
}

// What a page needs of the main window.
struct ToolPageContext {
    QWidget* window;                     // parent of the page's dialogs
    Ui::MainWindow& ui;                  // every control, by its layout name
    platform::CommonDialog& fileDialog;  // 通用对话框1, shared by every page
};

class ToolPage : public QObject {
    Q_OBJECT

public:
    // tab is the page of the main tab control that this page runs.
    ToolPage(const ToolPageContext& context, QWidget* tab);

    QWidget* Tab() const { return tab_; }
    // The main window calls this each time the page's tab is shown.
    virtual void OnShown() {}

protected:
    // Starts one run of routine on a worker thread. The status message of an
    // earlier run is cleared and run is disabled at once (a quick second click
    // cannot start a second run); run is enabled again when routine ends, on
    // every way out. An exception that escapes routine shows as an "Error:"
    // status message. GUI thread.
    void StartRun(QWidget* run, std::function<void()> routine);

    // The shared file dialog as an open dialog in the program folder, with
    // filter ("Fasta File (*.fa*)|*.fa*"): the chosen path, or nothing when the
    // user cancelled.
    std::optional<std::string> ChooseFileToOpen(std::string_view filter);
    // The same, writing the chosen path into box (a cancel leaves box as it was).
    std::optional<std::string> ChooseFileInto(QWidget* box, std::string_view filter);
    // The shared dialog as a save dialog in the program folder. Its filter stays
    // as its last user left it; filterWhenUnset is used when none was ever set.
    std::optional<std::string> ChooseFileToSave(std::string_view filterWhenUnset = {});
    // The same with filter set first, for a page whose save always offers one kind of file.
    std::optional<std::string> ChooseFileToSaveAs(std::string_view filter);
    // The folder browser titled title (files are listed too): the chosen folder
    // goes into box, a cancel empties box.
    void ChooseFolderInto(QWidget* box, const std::string& title);
    // Asks for a file name (ChooseFileToSave) and writes the text of box there
    // with CR LF line ends as a run of button (StartRun), so that the window
    // never waits for the file. The status then shows savedMessage, or an
    // "Error:" naming the file and saying why. Nothing when the user cancels.
    void SaveBoxToChosenFile(QWidget* button, QWidget* box, std::string_view filterWhenUnset,
                             const std::string& savedMessage);
    // Reads the file at path as a run of button (StartRun) with read(path,
    // text) and shows the text in box; then shown runs on the GUI thread, when
    // given. A file that read cannot read leaves box as it was, and the
    // status names the file and says why.
    void ReadFileIntoBox(QWidget* button, QWidget* box, const std::string& path,
                         bool (*read)(const std::string& path, std::string& text), std::function<void()> shown = {});

    Ui::MainWindow& ui_;

private:
    QWidget* window_;
    platform::CommonDialog& fileDialog_;
    QWidget* tab_;
};

// Makes every tool page; the main window keeps them.
std::vector<std::unique_ptr<ToolPage>> CreateToolPages(const ToolPageContext& context);

}  // namespace tulvarine
