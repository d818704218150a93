// What long work needs to know about the end of the program: whether it has
// been asked to stop, and which of the program's own files and folders must go
// with it on every way out.
//
// The stop is asked for once, when the program ends (Exit, the window closed,
// a terminating signal): routines check StopRequested() between records, files
// and batches and return early; the one writer refuses to put an output in
// place from then on, so an interrupted run leaves no half file under a final
// name. Any thread; the checks are a relaxed atomic load, cheap enough for
// every record.
#pragma once

#include <functional>
#include <string>

namespace tulvarine {

// Asks every running operation to stop at its next step.
void RequestStop();
// True once RequestStop has been called (until ClearStopRequest).
bool StopRequested();
// Start-up: work may run again (tests start and end the program many times).
void ClearStopRequest();

// Temporary files and scratch folders the program makes for its own use, to be
// removed on every way out, even when their owners cannot finish.
class Leftovers {
public:
    // Runs make(), which creates a file or folder and returns its path (empty
    // when it made nothing), and keeps that path to remove at the end. Returns
    // the kept path, or the empty text when nothing was made: make is not even
    // called once RemoveAll has run, so nothing made afterwards can outlive the
    // process.
    static std::string Make(const std::function<std::string()>& make);
    // path has been removed or renamed by its owner: forget it.
    static void Forget(const std::string& path);
    // Removes every kept file and folder (folders with what they hold) and
    // makes no more from then on. For the program's last moment, when work
    // still runs that will never end by itself.
    static void RemoveAll();
    // Start-up: Make works again after RemoveAll.
    static void Reopen();
};

}  // namespace tulvarine
