// The two panes of the main window's status bar: pane 0 shows the version,
// pane 1 is the message channel of every page ("Info:    ..." / "Error:    ...").
#pragma once

#include <exception>
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

// Shows the "Error:" message that tells of failure: "Not enough memory for
// this run" for a std::bad_alloc, the text of any other std::exception. Never
// throws: a message that cannot be shown either (memory is short) is dropped.
void ShowFailureMessage(const std::exception_ptr& failure) noexcept;
// Runs fn, showing an exception it throws as a failure instead of passing it
// on: for work the window does on its own turns (timers, posted calls), where
// nobody waits to hear of it, and for destructors.
template <class Fn>
void ShowingFailure(Fn&& fn) noexcept {
    try {
        fn();
    } catch (...) {
        ShowFailureMessage(std::current_exception());
    }
}

}  // namespace tulvarine::platform
