#include "tools/tool_page.h"

#include <QWidget>

#include "platform/controls.h"
#include "platform/file_dialogs.h"
#include "platform/folders.h"
#include "platform/status_bar.h"
#include "platform/worker.h"

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

std::optional<bool> ToolPage::SaveBoxToChosenFile(QWidget* box, std::string_view filterWhenUnset) {
    const std::optional<std::string> path = ChooseFileToSave(filterWhenUnset);
    if (!path) return std::nullopt;
    return platform::SaveControlTextToFile(box, *path);
}

}  // namespace tulvarine
