#include "tools/tool_page.h"

#include <QWidget>

#include "model/file_bytes.h"
#include "model/output_file.h"
#include "model/text.h"
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

void ToolPage::StartRun(QWidget* run, std::function<void()> routine) {
    // A corrected run must never show its "Done!" beside the error of the last one.
    platform::ShowStatusMessage("");
    run->setEnabled(false);
    platform::StartWorker([run, routine = std::move(routine)] {
        const platform::DisabledWhileRunning running(run);
        routine();
    });
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
                                   const std::string& savedMessage) {
    const std::optional<std::string> path = ChooseFileToSave(filterWhenUnset);
    if (!path) return;
    StartRun(button, [path = *path, text = WithCrLfLineEnds(platform::ControlText(box)), savedMessage] {
        std::string error;
        const bool saved = WriteWholeFile(path, text, {}, &error);
        platform::ShowStatusMessage(saved ? savedMessage : ErrorMessage(WithReason("Cannot write " + path, error)));
    });
}

void ToolPage::ReadFileIntoBox(QWidget* button, QWidget* box, const std::string& path,
                               bool (*read)(const std::string& path, std::string& text), std::function<void()> shown) {
    StartRun(button, [box, path, read, shown = std::move(shown)] {
        std::string text;
        if (!read(path, text)) {
            platform::ShowStatusMessage(ErrorMessage(WithReason("Cannot read " + path, ReadErrorReason(path))));
            return;
        }
        platform::SetControlText(box, text);
        if (shown) platform::CallOnGuiThread(shown);
    });
}

}  // namespace tulvarine
