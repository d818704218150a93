#include "platform/file_dialogs.h"

#include <QFileDialog>

#include <deque>

#include "model/text.h"
#include "platform/gui_thread.h"

namespace tulvarine::platform {

namespace {
// Touched on the GUI thread only (dialogs open there).
std::deque<std::optional<std::string>> g_answers;
DialogRequest g_lastRequest;

QString ToQString(const std::string& text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

// Records request; true with *answer set when a queued answer stands in for the dialog.
bool TakeQueuedAnswer(DialogRequest request, std::optional<std::string>* answer) {
    Q_ASSERT(OnGuiThread());
    g_lastRequest = std::move(request);
    if (g_answers.empty()) return false;
    *answer = std::move(g_answers.front());
    g_answers.pop_front();
    return true;
}

std::optional<std::string> FromDialog(const QString& chosen) {
    if (chosen.isEmpty()) return std::nullopt;
    return chosen.toStdString();
}
}  // namespace

std::string QtNameFilters(const std::string& filter) {
    const TextArray parts = SplitText(filter, "|");
    std::string out;
    for (std::size_t i = 0; i < parts.size(); i += 2) {
        std::string description(TrimBlanks(parts[i]));
        std::string patterns = i + 1 < parts.size() ? parts[i + 1] : "*";
        ReplaceAll(patterns, ";", " ");
        ReplaceAll(patterns, "*.*", "*");  // "*.*" means every file, dotted or not
        // Qt reads the patterns from the parentheses, so they must be ours.
        if (const auto open = description.rfind('('); open != std::string::npos && description.back() == ')')
            description = std::string(TrimTrailingBlanks(description.substr(0, open)));
        if (!out.empty()) out += ";;";
        out += description + " (" + patterns + ")";
    }
    return out;
}

std::optional<std::string> CommonDialog::ShowOpen(QWidget* parent) {
    std::optional<std::string> answer;
    if (TakeQueuedAnswer({DialogRequest::kOpen, filter_, initialFolder_, {}}, &answer)) return answer;
    return FromDialog(QFileDialog::getOpenFileName(parent, QString(), ToQString(initialFolder_),
                                                   ToQString(QtNameFilters(filter_))));
}

std::optional<std::string> CommonDialog::ShowSave(QWidget* parent) {
    std::optional<std::string> answer;
    if (TakeQueuedAnswer({DialogRequest::kSave, filter_, initialFolder_, {}}, &answer)) return answer;
    return FromDialog(QFileDialog::getSaveFileName(parent, QString(), ToQString(initialFolder_),
                                                   ToQString(QtNameFilters(filter_))));
}

std::string BrowseForFolder(QWidget* parent, const std::string& title, const std::string& startFolder) {
    std::optional<std::string> answer;
    if (TakeQueuedAnswer({DialogRequest::kFolder, {}, startFolder, title}, &answer)) return answer.value_or("");
    // No ShowDirsOnly: the files of a folder are listed as well.
    return QFileDialog::getExistingDirectory(parent, ToQString(title), ToQString(startFolder), {}).toStdString();
}

namespace dialog_answers {
void QueueFileName(std::string path) { g_answers.emplace_back(std::move(path)); }
void QueueCancel() { g_answers.emplace_back(std::nullopt); }
int Pending() { return int(g_answers.size()); }
void Clear() { g_answers.clear(); }
DialogRequest LastRequest() { return g_lastRequest; }
}  // namespace dialog_answers

}  // namespace tulvarine::platform
