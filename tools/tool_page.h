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
#include <QPointer>

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
    // What one run holds disabled until it ends: its Run button, and the
    // controls that must not start anything meanwhile.
    struct RunControls {
        QWidget* run = nullptr;
        std::vector<QWidget*> held;
        bool clearsStatus = true;  // false for runs the page starts by itself (a comparison on a code change)
    };

    // Starts one run of routine on a worker thread. The status message of an
    // earlier run is cleared (unless controls say not to) and the controls are disabled at once (a quick
    // second click cannot start a second run); they are enabled again when
    // routine ends, on every way out, and a control that had the focus gets it
    // back. Then afterRun, when given, runs on the GUI thread. An exception
    // that escapes routine shows as an "Error:" status message. When the
    // program ends, routine is asked to stop (RunReport::StopRequested) and
    // afterRun never runs. GUI thread.
    void StartRun(const RunControls& controls, std::function<void()> routine, std::function<void()> afterRun = {});
    void StartRun(QWidget* run, std::function<void()> routine) { StartRun(RunControls{run, {}}, std::move(routine)); }

    // For a page whose runs take turns (one at a time): StartRun, unless a run
    // started this way is going on; then nothing starts and the result is false.
    bool StartRunInTurn(const RunControls& controls, std::function<void()> routine,
                        std::function<void()> afterRun = {});
    // Calls start now when no run started in turn is going on, else once that
    // run has ended. Only one such call waits at a time: a later request
    // replaces it. start runs on the GUI thread, so it reads the controls as
    // they are when it starts, and usually calls StartRunInTurn.
    void RequestRunInTurn(std::function<void()> start);
    // True while a run started in turn is going on. GUI thread.
    bool RunInTurnGoingOn() const { return runInTurn_; }

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
    // The page's own status messages of a save.
    struct SaveMessages {
        std::string saved;
        std::string failed;
    };
    // Asks for a file name (ChooseFileToSave) and writes the text of box there
    // with CR LF line ends as a run of button (StartRun), so that the window
    // never waits for the file (a pipe that no program reads is refused at
    // once). The status then shows messages.saved or messages.failed. Nothing
    // when the user cancels.
    void SaveBoxToChosenFile(QWidget* button, QWidget* box, std::string_view filterWhenUnset,
                             const SaveMessages& messages);
    // Reads the file at path as a run of button (StartRun) with read(path,
    // text) and shows the text in box; shown is the run's afterRun. A file
    // that read cannot read leaves box as it was, and the status names the
    // file and says why.
    void ReadFileIntoBox(QWidget* button, QWidget* box, const std::string& path,
                         bool (*read)(const std::string& path, std::string& text), std::function<void()> shown = {});

    Ui::MainWindow& ui_;

private:
    void Launch(const RunControls& controls, std::function<void()> routine, std::function<void()> afterRun,
                bool inTurn);
    // GUI thread: the run has ended; enables its controls and runs what follows it.
    void EndRun(const std::vector<QPointer<QWidget>>& controls, const QPointer<QWidget>& focus, bool inTurn,
                const std::function<void()>& afterRun);

    QWidget* window_;
    platform::CommonDialog& fileDialog_;
    QWidget* tab_;
    bool runInTurn_ = false;                  // GUI thread
    std::function<void()> startAfterTurn_;    // GUI thread: the one request waiting for its turn
};

// Makes every tool page; the main window keeps them.
std::vector<std::unique_ptr<ToolPage>> CreateToolPages(const ToolPageContext& context);

}  // namespace tulvarine
