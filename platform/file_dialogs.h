// The main window's shared file dialog (open and save kinds) and the folder
// browser. Dialogs open on the GUI thread only.
//
// Tests never see a dialog: they queue the answers (a path or a cancel) that
// the next dialogs give, and can read what the last dialog was asked to show.
#pragma once

#include <optional>
#include <string>

class QWidget;

namespace tulvarine::platform {

class CommonDialog {
public:
    // Filter pairs of description and patterns, all joined by "|":
    // "Fasta File (*.fa*)|*.fa*". It stays in force until set again.
    void SetFilter(std::string filter) { filter_ = std::move(filter); }
    const std::string& Filter() const { return filter_; }
    void SetInitialFolder(std::string folder) { initialFolder_ = std::move(folder); }

    // The chosen path, or nothing when the user cancelled.
    std::optional<std::string> ShowOpen(QWidget* parent);
    // The name exactly as typed: no extension is added.
    std::optional<std::string> ShowSave(QWidget* parent);

private:
    std::string filter_;
    std::string initialFolder_;
};

// A folder browser titled title that lists files too; the chosen folder, or
// the empty text when the user cancelled.
std::string BrowseForFolder(QWidget* parent, const std::string& title, const std::string& startFolder = {});

// Turns "Desc (*.a)|*.a|All Files (*.*)|*.*" into Qt's "Desc (*.a);;All Files (*)".
std::string QtNameFilters(const std::string& filter);

// The test seam.
struct DialogRequest {
    enum Kind { kOpen, kSave, kFolder } kind = kOpen;
    std::string filter;  // as given to CommonDialog::SetFilter
    std::string folder;  // initial folder
    std::string title;   // folder browser only
};
namespace dialog_answers {
// The next dialog gives path (empty for the folder browser's cancel) without showing.
void QueueFileName(std::string path);
void QueueCancel();
int Pending();
void Clear();
// What the last dialog, queued answer or not, was asked to show.
DialogRequest LastRequest();
}  // namespace dialog_answers

}  // namespace tulvarine::platform
