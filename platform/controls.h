// Control reads and writes for workers. Each call runs on the GUI thread and
// waits for it, so a worker sees its own writes in order; from the GUI thread
// the call runs directly. A control that no longer exists reads as empty or
// unchecked and ignores writes.
//
// Texts are bytes (see box_text.h): a box shows LF line breaks, and a box filled
// with bytes that are not UTF-8 gives those same bytes back.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/text.h"

class QAbstractButton;
class QListWidget;
class QTabWidget;
class QWidget;

namespace tulvarine::platform {

// The text of an edit box, rich box, label, button or combo box (its current entry).
std::string ControlText(QWidget* control);
// Replaces the text of such a control; labels show it as plain text.
void SetControlText(QWidget* control, std::string_view text);

void SetControlEnabled(QWidget* control, bool enabled);
bool IsControlChecked(QAbstractButton* button);

// List items show each line of their text cut to a readable length (ShownLines,
// model/text.h): a list shows, it is never read back as data.
void AddListItem(QListWidget* list, std::string_view text);
void AddListItems(QListWidget* list, const TextArray& texts);
void ClearList(QListWidget* list);
// Replaces every item of list without the list's selection signals: a handler
// of the user's selection does not fire. When data is given, item i carries
// data[i] as its item data (Qt::UserRole).
void ReplaceListItems(QListWidget* list, const TextArray& texts, const std::vector<int>& data = {});
// Replaces the text of item row (from 0); nothing when there is no such item.
void SetListItemText(QListWidget* list, int row, std::string_view text);
int ListItemCount(QListWidget* list);

void SetControlVisible(QWidget* control, bool visible);
void FocusControl(QWidget* control);

// Progress shown while a worker goes on: returns at once, and the change is
// made when the GUI thread gets to it, in the order of the calls.
// Makes row the current item of list when that item still shows text, without
// the list's selection signals.
void PostListCurrentRow(QListWidget* list, int row, std::string_view text);

// Shows page index of an inner tab control.
void SelectTabPage(QTabWidget* tabs, int index);

// Writes the text of box to path (created or emptied) with CR LF line ends;
// false unless every byte reached the file.
[[nodiscard]] bool SaveControlTextToFile(QWidget* box, const std::string& path);
// Shows the whole file at path in box; a file that cannot be read leaves the
// box empty and gives false.
[[nodiscard]] bool LoadFileIntoControl(QWidget* box, const std::string& path);

}  // namespace tulvarine::platform
