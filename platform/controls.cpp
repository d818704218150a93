#include "platform/controls.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QSignalBlocker>
#include <QStringList>
#include <QTabWidget>
#include <QTextEdit>

#include "model/file_bytes.h"
#include "model/output_file.h"
#include "platform/box_text.h"
#include "platform/gui_thread.h"

namespace tulvarine::platform {

namespace {
// Set on a control whose text came from bytes that are not UTF-8, so that its
// text reads back as the same bytes.
constexpr char kLatin1Property[] = "tulvarineLatin1";

QString TextOf(QWidget* control) {
    if (auto* box = qobject_cast<QLineEdit*>(control)) return box->text();
    if (auto* box = qobject_cast<QPlainTextEdit*>(control)) return box->toPlainText();
    if (auto* box = qobject_cast<QTextEdit*>(control)) return box->toPlainText();
    if (auto* label = qobject_cast<QLabel*>(control)) return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(control)) return button->text();
    if (auto* combo = qobject_cast<QComboBox*>(control)) return combo->currentText();
    return {};
}

void SetTextOf(QWidget* control, const QString& text) {
    if (auto* box = qobject_cast<QLineEdit*>(control)) {
        box->setText(text);
    } else if (auto* box = qobject_cast<QPlainTextEdit*>(control)) {
        box->setPlainText(text);
    } else if (auto* box = qobject_cast<QTextEdit*>(control)) {
        box->setPlainText(text);
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        label->setTextFormat(Qt::PlainText);  // record names such as "<a>" are not markup
        label->setText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        button->setText(text);
    } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
        combo->setCurrentText(text);
    }
}
// List items from bytes, each line cut to a readable length, made on the calling
// thread so the GUI thread only adds them.
QStringList BoxTexts(const TextArray& texts) {
    QStringList items;
    items.reserve(qsizetype(texts.size()));
    for (const std::string& text : texts) items.push_back(ShownBoxText(text));
    return items;
}
}  // namespace

std::string ControlText(QWidget* control) {
    QPointer<QWidget> guard(control);
    std::string bytes;
    CallOnGuiThread([&] {
        if (!guard) return;
        bytes = BoxTextToBytes(TextOf(guard), guard->property(kLatin1Property).toBool());
    });
    return bytes;
}

void SetControlText(QWidget* control, std::string_view text) {
    QPointer<QWidget> guard(control);
    CallOnGuiThread([&] {
        if (!guard) return;
        bool latin1 = false;
        const QString shown = BytesToBoxText(text, &latin1);
        guard->setProperty(kLatin1Property, latin1);
        SetTextOf(guard, shown);
    });
}

void SetControlEnabled(QWidget* control, bool enabled) {
    QPointer<QWidget> guard(control);
    CallOnGuiThread([&] {
        if (guard) guard->setEnabled(enabled);
    });
}

bool IsControlChecked(QAbstractButton* button) {
    QPointer<QAbstractButton> guard(button);
    bool checked = false;
    CallOnGuiThread([&] { checked = guard && guard->isChecked(); });
    return checked;
}

void AddListItem(QListWidget* list, std::string_view text) {
    QPointer<QListWidget> guard(list);
    CallOnGuiThread([&] {
        if (guard) guard->addItem(ShownBoxText(text));
    });
}

void AddListItems(QListWidget* list, const TextArray& texts) {
    const QStringList items = BoxTexts(texts);
    QPointer<QListWidget> guard(list);
    CallOnGuiThread([&] {
        if (guard) guard->addItems(items);
    });
}

void ReplaceListItems(QListWidget* list, const TextArray& texts, const std::vector<int>& data) {
    const QStringList items = BoxTexts(texts);
    QPointer<QListWidget> guard(list);
    CallOnGuiThread([&] {
        if (!guard) return;
        const QSignalBlocker quiet(guard.data());
        guard->clear();
        guard->addItems(items);
        for (int row = 0; row < guard->count() && std::size_t(row) < data.size(); ++row)
            guard->item(row)->setData(Qt::UserRole, data[std::size_t(row)]);
    });
}

void SetControlVisible(QWidget* control, bool visible) {
    QPointer<QWidget> guard(control);
    CallOnGuiThread([&] {
        if (guard) guard->setVisible(visible);
    });
}

void FocusControl(QWidget* control) {
    QPointer<QWidget> guard(control);
    CallOnGuiThread([&] {
        if (guard) guard->setFocus();
    });
}

void PostListCurrentRow(QListWidget* list, int row, std::string_view text) {
    PostToGuiThread([guard = QPointer<QListWidget>(list), row, shown = ShownBoxText(text)] {
        if (!guard || row < 0 || row >= guard->count() || guard->item(row)->text() != shown) return;
        const QSignalBlocker quiet(guard.data());
        guard->setCurrentRow(row);
    });
}

void ClearList(QListWidget* list) {
    QPointer<QListWidget> guard(list);
    CallOnGuiThread([&] {
        if (guard) guard->clear();
    });
}

void SetListItemText(QListWidget* list, int row, std::string_view text) {
    QPointer<QListWidget> guard(list);
    CallOnGuiThread([&] {
        if (QListWidgetItem* item = guard ? guard->item(row) : nullptr) item->setText(ShownBoxText(text));
    });
}

int ListItemCount(QListWidget* list) {
    QPointer<QListWidget> guard(list);
    int count = 0;
    CallOnGuiThread([&] { count = guard ? guard->count() : 0; });
    return count;
}

void SelectTabPage(QTabWidget* tabs, int index) {
    QPointer<QTabWidget> guard(tabs);
    CallOnGuiThread([&] {
        if (guard) guard->setCurrentIndex(index);
    });
}

bool SaveControlTextToFile(QWidget* box, const std::string& path) {
    return WriteWholeFile(path, WithCrLfLineEnds(ControlText(box)));
}

bool LoadFileIntoControl(QWidget* box, const std::string& path) {
    std::string bytes;
    const bool read = ReadWholeFile(path, bytes);
    SetControlText(box, read ? bytes : std::string());
    return read;
}

}  // namespace tulvarine::platform
