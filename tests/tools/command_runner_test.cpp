#include <signal.h>
#include <time.h>

#include <filesystem>
#include <fstream>
#include <future>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "platform/command_runner.h"
#include "support/temp_dir.h"
#include "support/wait_limit.h"

namespace tulvarine::platform {
namespace {

using testing::ReadBytes;
using testing::TempDir;

// A test child: the shell builds it; the runner itself never uses one.
Command Shell(std::string script) { return Command{"/bin/sh", {"-c", std::move(script)}, {}, {}, {}}; }

// True while pid is a process that has not ended (a zombie has ended).
bool Alive(const std::string& pid) {
    std::ifstream stat("/proc/" + pid + "/stat");
    std::string field;
    for (int i = 0; i < 3 && stat >> field; ++i) {
    }
    return stat.good() && field != "Z";
}

// Shell text that starts a child ignoring SIGTERM in the background and goes
// on once that child has written its process id to pidFile: it ignores the
// signal from then on.
std::string StartTermIgnoringHelper(const std::string& pidFile) {
    return "sh -c \"trap '' TERM; echo \\$\\$ > '" + pidFile + ".part'; mv '" + pidFile + ".part' '" + pidFile +
           "'; exec sleep 600\" & until [ -e '" + pidFile + "' ]; do sleep 0.01; done; ";
}

// The process id written to pidFile; empty when there is none.
std::string PidIn(const std::string& pidFile) {
    std::string pid;
    std::ifstream(pidFile) >> pid;
    return pid;
}

// Ends pid when it is still there, so a failed check leaves nothing running.
void KillLeftOver(const std::string& pid) {
    if (!pid.empty() && Alive(pid)) ::kill(std::stoi(pid), SIGKILL);
}

TEST(RunCommandCaptureOutput, NothingStartedGivesTheEmptyText) {
    TempDir dir;
    for (const Command& command : {Command{}, Command{"/no/such/program", {}, {}, {}, {}},
                                   Command{"/bin/echo", {"x"}, dir.Path("missing/out"), {}, {}}}) {
        CommandEnd end;
        end.started = true;
        EXPECT_EQ(RunCommandCaptureOutput(command, {}, &end), "") << command.program;
        EXPECT_FALSE(end.started);
        EXPECT_EQ(DescribeCommandEnd("/opt/tools/muscle", end), "muscle could not be started");
    }
}

TEST(RunCommandCaptureOutput, EveryByteOfOutputAndErrorInOrderAndTheExitCode) {
    CommandEnd end;
    const std::string output = RunCommandCaptureOutput(
        Shell("head -c 100000 /dev/zero; printf 'a'; printf 'b' >&2; printf 'c\\0d'; exit 3"), {}, &end);
    EXPECT_EQ(output, std::string(100000, '\0') + std::string("abc\0d", 5));
    EXPECT_TRUE(end.started);
    EXPECT_EQ(end.exitCode, 3);
    EXPECT_EQ(end.signal, 0);
}

TEST(DescribeCommandEnd, NamesTheSignalOrTheExitCodeWithTheLastErrorLine) {
    CommandEnd end;
    RunCommandCaptureOutput(Shell("echo started; kill -FPE $$"), {}, &end);
    EXPECT_EQ(DescribeCommandEnd("/opt/tools/muscle", end), "muscle ended by signal SIGFPE (arithmetic fault)");
    RunCommandCaptureOutput(Shell("kill -9 $$"), {}, &end);
    EXPECT_EQ(DescribeCommandEnd("muscle", end), "muscle ended by signal SIGKILL (killed)");

    // Progress rewritten in place, then the error, then blank lines.
    RunCommandCaptureOutput(Shell("printf 'aligning 10%%\\raligning 90%%\\r\\n' >&2; "
                                  "printf 'ERROR: sequence 2 is empty\\r\\n\\n  \\n' >&2; exit 2"),
                            {}, &end);
    EXPECT_EQ(DescribeCommandEnd("mafft", end), "mafft exited with code 2: ERROR: sequence 2 is empty");
    RunCommandCaptureOutput(Shell("head -c 5000 /dev/zero | tr '\\0' x; exit 1"), {}, &end);
    EXPECT_EQ(DescribeCommandEnd("prank", end), "prank exited with code 1: " + std::string(200, 'x'));
    RunCommandCaptureOutput(Shell("echo all fine"), {}, &end);
    EXPECT_EQ(DescribeCommandEnd("prank", end), "");
}

// An error line first, else the last line; a warning only when nothing else was said.
TEST(TellingOutputLine, AnErrorElseTheLastLineNeverAWarningBesideOthers) {
    const auto telling = [](std::string lines) {
        CommandEnd end;
        end.lastLines = std::move(lines);
        return TellingOutputLine(end);
    };
    EXPECT_EQ(telling("reading\nWarning: cannot guess the type\nalignment FAILED for s2\nbye\n"),
              "alignment FAILED for s2");
    EXPECT_EQ(telling("Warning: names changed.\n10 ATGGC\ncodon length is not a multiple of three!\n"),
              "codon length is not a multiple of three!");
    EXPECT_EQ(telling("muscle 5.1\n\n---Fatal error---\nExpected '>' in FASTA\nmore\n"),
              "---Fatal error--- Expected '>' in FASTA");
    EXPECT_EQ(telling("start\nERROR:\n"), "ERROR:");
    EXPECT_EQ(telling("Warning: one\n  Warning: Only 0 sequence found.  \n\n"), "Warning: Only 0 sequence found.");
    EXPECT_EQ(telling("\n \n"), "");
}

TEST(RunCommandCaptureOutput, PassesEachArgumentWholeThroughNoShell) {
    TempDir dir;
    const std::string marker = dir.Path("ran");
    Command printArgs{"printf", {"[%s]"}, {}, {}, {}};  // found on PATH
    std::string expected;
    for (const std::string& arg : {std::string("a b"), "$(touch " + marker + ")", "`touch " + marker + "`",
                                   "x;touch " + marker, std::string("*"), std::string("'\"&|>\nx")}) {
        printArgs.arguments.push_back(arg);
        expected += "[" + arg + "]";
    }
    EXPECT_EQ(RunCommandCaptureOutput(printArgs), expected);
    EXPECT_FALSE(std::filesystem::exists(marker));
}

TEST(RunCommandCaptureOutput, WorkingFolderOutputFileAndEnvironment) {
    TempDir dir;
    std::filesystem::create_directory(dir.Path("with blank"));
    dir.Write("out.txt", "older and longer text");
    Command command = Shell("pwd; printf '%s' \"$PROBE\" >&2");
    command.workingFolder = dir.Path("with blank");
    command.environment = {"PROBE=set for the child"};
    command.outputFile = dir.Path("out.txt");
    EXPECT_EQ(RunCommandCaptureOutput(command), "set for the child");  // standard error only
    EXPECT_EQ(ReadBytes(dir.Path("out.txt")), dir.Path("with blank") + "\n");
}

TEST(RunCommandCaptureOutput, HandlerSeesEachPieceAndCanStopWithoutWaiting) {
    std::string seen;
    EXPECT_EQ(RunCommandCaptureOutput(Shell("printf one; sleep 0.1; printf two"),
                                      [&](std::string_view piece) { seen += piece; return false; }),
              "onetwo");
    EXPECT_EQ(seen, "onetwo");

    // A child that sleeps on after its first piece: the runner returns while it still runs.
    TempDir dir;
    const std::string pid = dir.Path("pid");
    CommandEnd end;
    auto stopped = std::async(std::launch::async, [&] {
        return RunCommandCaptureOutput(Shell("echo $$ > '" + pid + "'; printf first; exec sleep 600"),
                                       [](std::string_view) { return true; }, &end);
    });
    ASSERT_EQ(stopped.wait_for(testing::kWaitLimit), std::future_status::ready);
    EXPECT_EQ(stopped.get(), "");  // the piece that stopped the reading is not kept
    EXPECT_TRUE(end.leftRunning);
    std::string child;
    std::istringstream(ReadBytes(pid)) >> child;
    ASSERT_FALSE(child.empty());
    EXPECT_TRUE(Alive(child));  // not waited for
    ::kill(std::stoi(child), SIGKILL);
}

TEST(RunCommandCaptureOutput, WaitsForTheChildAloneWithoutUsingTheProcessor) {
    timespec before{}, after{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &before);
    // A descendant holding the pipe is not waited for: its "late" never comes.
    EXPECT_EQ(RunCommandCaptureOutput(Shell("(sleep 5; printf late) & sleep 0.3; printf early")), "early");
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &after);
    EXPECT_LT(double(after.tv_sec - before.tv_sec) + double(after.tv_nsec - before.tv_nsec) * 1e-9, 0.05);
}

TEST(EndRunningCommands, EndsEveryChildWithItsProcessGroupAndRefusesNewOnes) {
    TempDir dir;
    const std::string pids = dir.Path("pids");
    auto running = std::async(std::launch::async, [&] {
        return RunCommandCaptureOutput(Shell("sleep 60 & echo $$ $! > '" + pids + "'; wait"));
    });
    ASSERT_TRUE(testing::SleepUntil([&] { return ReadBytes(pids).find('\n') != std::string::npos; }));
    std::string child, grandchild;
    std::istringstream(ReadBytes(pids)) >> child >> grandchild;
    ASSERT_TRUE(Alive(grandchild));

    EndRunningCommands();
    ASSERT_EQ(running.wait_for(testing::kWaitLimit), std::future_status::ready);
    EXPECT_FALSE(Alive(child));
    EXPECT_TRUE(testing::SleepUntil([&] { return !Alive(grandchild); }));
    EXPECT_EQ(RunCommandCaptureOutput(Shell("printf x")), "");
    AcceptCommands();
    EXPECT_EQ(RunCommandCaptureOutput(Shell("printf x")), "x");
}

TEST(RunCommandCaptureOutput, EndsWhatTheChildLeftInItsGroupBeforeReturning) {
    TempDir dir;
    const std::string pidFile = dir.Path("helper");
    CommandEnd end;
    EXPECT_EQ(RunCommandCaptureOutput(Shell(StartTermIgnoringHelper(pidFile) + "printf done"), {}, &end), "done");
    EXPECT_EQ(end.exitCode, 0);
    const std::string helper = PidIn(pidFile);
    ASSERT_FALSE(helper.empty());
    const bool gone = testing::SleepUntil([&] { return !Alive(helper); });
    KillLeftOver(helper);
    EXPECT_TRUE(gone) << "a child that ignores SIGTERM outlived the run";
}

TEST(EndRunningCommands, EndsAGroupWhoseLeaderHasEndedWhileAMemberIgnoresTerm) {
    TempDir dir;
    const std::string pidFile = dir.Path("helper");
    // The leader ends on SIGTERM; the helper it started does not.
    auto running = std::async(std::launch::async, [&] {
        return RunCommandCaptureOutput(Shell(StartTermIgnoringHelper(pidFile) + "sleep 600 & wait"));
    });
    EXPECT_TRUE(testing::SleepUntil([&] { return !PidIn(pidFile).empty(); }));
    const std::string helper = PidIn(pidFile);

    EndRunningCommands();
    const bool gone = testing::SleepUntil([&] { return !Alive(helper); });
    KillLeftOver(helper);
    EXPECT_TRUE(gone) << "a child that ignores SIGTERM outlived the program's end";
    EXPECT_EQ(running.wait_for(testing::kWaitLimit), std::future_status::ready);
    AcceptCommands();
}

}  // namespace
}  // namespace tulvarine::platform
