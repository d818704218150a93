// Start-up and shutdown of the program.
#pragma once

namespace tulvarine {

// Runs the program on the QApplication the caller made: sets the current folder
// to the program folder, creates the globals, registers ReleaseGlobals to run
// when the application ends, creates and shows the main window and runs the
// message loop until the main window has closed (Exit confirmed) or a
// terminating signal came. Then every job is stopped and every outside program
// ended, within about 2 s; returns 0 when all work has ended. When some work
// does not end in time, the process ends there (exit code 0), after the
// temporary files and scratch folders are removed.
int ProgramMain();

}  // namespace tulvarine
