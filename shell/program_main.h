// Start-up and shutdown of the program.
#pragma once

namespace tulvarine {

// Runs the program on the QApplication the caller made: sets the current folder
// to the program folder, creates the globals, registers ReleaseGlobals to run
// when the application ends, creates and shows the main window and runs the
// message loop until the main window has closed. Returns 0.
int ProgramMain();

}  // namespace tulvarine
