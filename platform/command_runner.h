// Running an outside program (an aligner, the format converter) and capturing
// what it writes. No Qt: the runner serves plain worker threads that have no
// event loop.
//
// The program is started directly with an argument list, never through a
// shell: no file or folder name is ever read as shell code, and none needs
// quoting.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tulvarine::platform {

// One start of a program.
struct Command {
    std::string program;                   // a path, or a bare name looked up on PATH
    std::vector<std::string> arguments;    // after the program name, each passed whole
    std::string outputFile;                // when set, receives standard output (created or emptied)
    std::string workingFolder;             // the child's current folder; empty keeps the caller's
    std::vector<std::string> environment;  // "NAME=value" entries set for the child over the inherited ones
};

// How one start of a program ended.
struct CommandEnd {
    bool started = false;      // false: it could not be started (or the program is ending)
    int exitCode = -1;         // its exit code, when it exited by itself
    int signal = 0;            // the signal that ended it, when one did
    bool leftRunning = false;  // the handler ended the reading and the child was left running
    std::string lastLines;     // the last lines it wrote to the pipe (its error output), at most 4 KiB
};

// Why a run that did not end well failed, in a user's words, naming the
// program by its file name: "muscle ended by signal SIGFPE (arithmetic fault)",
// "mafft exited with code 1: <its telling line>", "prank could not be started".
// Empty when it exited with code 0.
std::string DescribeCommandEnd(std::string_view program, const CommandEnd& end);
// The line of end.lastLines that best tells what went wrong: the first one
// that speaks of an error ("error", "fatal", "cannot", "failed" and the like;
// with the line after it when it is a heading such as "---Fatal error---"),
// else the last that holds more than blanks and is no warning. A warning names
// no cause: it is taken only when the tool wrote nothing else. Lines trimmed
// and cut to 200 bytes. Empty when there is none.
std::string TellingOutputLine(const CommandEnd& end);

// Sees each piece of captured output in arrival order. Returning true ends the
// reading: that piece is not kept, and the child is not stopped (it goes on
// with a closed pipe and is reaped in the background; what it leaves running
// in its group is ended once it ends, as below).
using OutputHandler = std::function<bool(std::string_view piece)>;

// Starts command in a process group of its own, standard input from /dev/null,
// standard output and error into one pipe (standard error only, when
// outputFile is set), and blocks until the child has ended, without using the
// processor while it waits. Descendants that outlive the child are not waited
// for: what is left in its group (helpers it started) is ended before this
// returns, SIGTERM and, after a short grace, SIGKILL, until the group is empty.
//
// Returns every captured byte in arrival order, NUL bytes included; the empty
// text at once when program is empty or the child cannot start. end (when
// given) receives how the child ended.
//
// Blocks: call it from worker threads only. Any number of calls may run at once.
std::string RunCommandCaptureOutput(const Command& command, const OutputHandler& handler = {},
                                    CommandEnd* end = nullptr);

// The exit routine's part: ends every process group a child was started in
// while it holds a process, its leader still running or not (SIGTERM, then
// SIGKILL to the groups still holding one after a second), and refuses new
// starts from then on. Any thread; safe to call twice.
void EndRunningCommands();
// Accepts starts again after EndRunningCommands: the start-up routine calls it
// (tests start and end the program's globals many times in one process).
void AcceptCommands();

}  // namespace tulvarine::platform
