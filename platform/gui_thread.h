// Runs work on the user-interface thread. Workers never touch a widget: every
// control read or write they make goes through here and runs on the GUI thread.
#pragma once

#include <functional>

namespace tulvarine::platform {

// True on the thread that runs the application's event loop.
bool OnGuiThread();

// Runs fn on the GUI thread and waits until it has run (directly when called
// there), like a message sent to a window. Returns false, without running fn,
// when there is no application any more (the program is ending). An exception
// thrown by fn (no memory for a text) is thrown again here, in the caller.
// Never call it from the GUI thread while holding a lock a worker may wait for.
bool CallOnGuiThread(const std::function<void()>& fn);

// Queues fn to run on the GUI thread and returns at once; dropped when the
// program is ending. An exception thrown by fn is shown as a failure
// (ShowingFailure, status_bar.h).
void PostToGuiThread(std::function<void()> fn);

// The program is ending: calls queued and made from now on are dropped (their
// callers see false), so no worker reaches a control the GUI thread is about
// to free. Calls made on the GUI thread itself still run.
void RefuseGuiCalls();
// Start-up: workers' calls run again.
void AcceptGuiCalls();

}  // namespace tulvarine::platform
