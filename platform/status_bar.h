// The two panes of the main window's status bar: pane 0 shows the version,
// pane 1 is the message channel of every page ("Info:    ..." / "Error:    ...").
#pragma once

#include <string>
#include <string_view>

class QStatusBar;

namespace tulvarine::platform {

// Gives bar its two panes; the panes receive every later status text. GUI thread.
void AttachStatusPanes(QStatusBar* bar);

// Sets the text of pane 0 or 1 from any thread (waits for the GUI thread);
// each line is cut to a readable length (ShownLines, model/text.h).
void SetStatusPaneText(int pane, std::string_view text);
std::string StatusPaneText(int pane);

// A status message: the text of pane 1.
inline void ShowStatusMessage(std::string_view text) { SetStatusPaneText(1, text); }

}  // namespace tulvarine::platform
