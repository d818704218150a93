#include "tools/tool_page.h"

#include <QApplication>
#include <QWidget>

#include <algorithm>

#include "model/file_bytes.h"
#include "model/program_end.h"
#include "platform/controls.h"
#include "platform/file_dialogs.h"
#include "platform/folders.h"
#include "platform/gui_thread.h"
#include "platform/status_bar.h"
#include "platform/worker.h"
#include "tools/run_report.h"

namespace tulvarine {

ToolPage::ToolPage(const ToolPageContext& context, QWidget* tab)
    : ui_(context.ui), window_(context.window), fileDialog_(context.fileDialog), tab_(tab) {}

void ToolPage::StartRun(const RunControls& controls, std::function<void()> routine, std::function<void()> afterRun) {
    Launch(controls, std::move(routine), std::move(afterRun), false);
}

void ToolPage::Launch(const RunControls& controls, std::function<void()> routine, std::function<void()> afterRun,
                      bool inTurn) {
    // A corrected run must never show its "Done!" beside the error of the last one.
    if (controls.clearsStatus) platform::ShowStatusMessage("");
    std::vector<QPointer<QWidget>> disabled{controls.run};
    disabled.insert(disabled.end(), controls.held.begin(), controls.held.end());
    // Disabling the focused button moves the focus on: it comes back at the end.
    QPointer<QWidget> focus;
    if (std::find(disabled.begin(), disabled.end(), QApplication::focusWidget()) != disabled.end())
        focus = QApplication::focusWidget();
    for (const QPointer<QWidget>& control : disabled) control->setEnabled(false);
    std::function<void()> end = [page = QPointer<ToolPage>(this), disabled, focus, inTurn, afterRun = std::move(afterRun)] {
        if (page) page->EndRun(disabled, focus, inTurn, afterRun);
    };
    const bool started = platform::StartWorker([routine = std::move(routine), end] {
        // Posted however routine ends; dropped once the program ends.
        struct PostEnd {
            const std::function<void()>& end;
            ~PostEnd() {
                platform::ShowingFailure([&] { platform::PostToGuiThread(end); });
            }
        } postEnd{end};
        routine();
    });
    // No thread for the run (told as an "Error:"): the controls come back at
    // once, unless the program is ending.
    if (!started && !StopRequested()) end();
}

bool ToolPage::StartRunInTurn(const RunControls& controls, std::function<void()> routine,
                              std::function<void()> afterRun) {
    if (runInTurn_) return false;
    runInTurn_ = true;
    Launch(controls, std::move(routine), std::move(afterRun), true);
    return true;
}

void ToolPage::RequestRunInTurn(std::function<void()> start) {
    if (runInTurn_) {
        startAfterTurn_ = std::move(start);
        return;
    }
    start();
}

void ToolPage::EndRun(const std::vector<QPointer<QWidget>>& controls, const QPointer<QWidget>& focus, bool inTurn,
                      const std::function<void()>& afterRun) {
    for (const QPointer<QWidget>& control : controls)
        if (control) control->setEnabled(true);
    if (focus) focus->setFocus();
    if (afterRun) afterRun();
    if (!inTurn) return;
    runInTurn_ = false;
    if (std::function<void()> start = std::exchange(startAfterTurn_, nullptr)) start();
}

std::optional<std::string> ToolPage::ChooseFileToOpen(std::string_view filter) {
    fileDialog_.SetFilter(std::string(filter));
    fileDialog_.SetInitialFolder(platform::ProgramFolder());
    return fileDialog_.ShowOpen(window_);
}

std::optional<std::string> ToolPage::ChooseFileInto(QWidget* box, std::string_view filter) {
    std::optional<std::string> path = ChooseFileToOpen(filter);
    if (path) platform::SetControlText(box, *path);
    return path;
}

std::optional<std::string> ToolPage::ChooseFileToSave(std::string_view filterWhenUnset) {
    if (fileDialog_.Filter().empty() && !filterWhenUnset.empty()) fileDialog_.SetFilter(std::string(filterWhenUnset));
    fileDialog_.SetInitialFolder(platform::ProgramFolder());
    return fileDialog_.ShowSave(window_);
}

std::optional<std::string> ToolPage::ChooseFileToSaveAs(std::string_view filter) {
    fileDialog_.SetFilter(std::string(filter));
    fileDialog_.SetInitialFolder(platform::ProgramFolder());
    return fileDialog_.ShowSave(window_);
}

void ToolPage::ChooseFolderInto(QWidget* box, const std::string& title) {
    platform::SetControlText(box, platform::BrowseForFolder(window_, title));
}

void ToolPage::SaveBoxToChosenFile(QWidget* button, QWidget* box, std::string_view filterWhenUnset,
                                   const SaveMessages& messages) {
    const std::optional<std::string> path = ChooseFileToSave(filterWhenUnset);
    if (!path) return;
    StartRun(button, [box, path = *path, messages] {
        platform::ShowStatusMessage(platform::SaveControlTextToFile(box, path) ? messages.saved : messages.failed);
    });
}

void ToolPage::ReadFileIntoBox(QWidget* button, QWidget* box, const std::string& path,
                               bool (*read)(const std::string& path, std::string& text), std::function<void()> shown) {
    StartRun(
        {button, {}},
        [box, path, read] {
            std::string text;
            if (!read(path, text)) {
                platform::ShowStatusMessage(ErrorMessage(CannotReadText(path)));
                return;
            }
            platform::SetControlText(box, text);
        },
        std::move(shown));
}

}  // namespace tulvarine
