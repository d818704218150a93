#include <signal.h>
#include <time.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <future>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "platform/command_runner.h"
#include "support/temp_dir.h"

namespace tulvarine::platform {
namespace {

using namespace std::chrono_literals;
using testing::ReadBytes;
using testing::TempDir;

// A test child: the shell builds it; the runner itself never uses one.
Command Shell(std::string script) { return Command{"/bin/sh", {"-c", std::move(script)}, {}, {}, {}}; }

double Seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

// True while pid is a process that has not ended (a zombie counts as ended).
bool Alive(const std::string& pid) {
    std::ifstream stat("/proc/" + pid + "/stat");
    std::string field;
    for (int i = 0; i < 3 && stat >> field; ++i) {
    }
    return stat.good() && field != "Z" && field != "X";
}

TEST(RunCommandCaptureOutput, NothingToStartGivesTheEmptyTextAtOnce) {
    int status = 0;
    EXPECT_EQ(RunCommandCaptureOutput(Command{}, {}, &status), "");
    EXPECT_EQ(status, -1);
    status = 0;
    EXPECT_EQ(RunCommandCaptureOutput(Command{"/no/such/program", {"x"}, {}, {}, {}}, {}, &status), "");
    EXPECT_EQ(status, -1);
    TempDir dir;  // an output file that cannot be created: the child does not start
    EXPECT_EQ(RunCommandCaptureOutput(Command{"/bin/echo", {"x"}, dir.Path("missing/out"), {}, {}}, {}, &status), "");
    EXPECT_EQ(status, -1);
}

TEST(RunCommandCaptureOutput, ReturnsEveryByteOfOutputAndErrorInOrder) {
    // 100 000 NUL bytes (many reads), then text on both channels just before the end.
    int status = -1;
    const std::string output = RunCommandCaptureOutput(
        Shell("head -c 100000 /dev/zero; printf 'a'; printf 'b' >&2; printf 'c\\0d'; exit 3"), {}, &status);
    ASSERT_EQ(output.size(), 100005u);
    EXPECT_EQ(output.find_first_not_of('\0'), 100000u);
    EXPECT_EQ(output.substr(100000), std::string("abc\0d", 5));
    EXPECT_EQ(status, 3);

    RunCommandCaptureOutput(Shell("kill -9 $$"), {}, &status);
    EXPECT_EQ(status, -1);
}

TEST(RunCommandCaptureOutput, PassesEachArgumentWholeAndRunsNoShell) {
    TempDir dir;
    const std::string marker = dir.Path("ran");
    const std::string args[] = {"a b", "$(touch " + marker + ")", "`touch " + marker + "`", "x;touch " + marker,
                                "*", "'\"&|>", "two\nlines"};
    Command printArgs{"printf", {"[%s]"}, {}, {}, {}};  // found on PATH
    std::string expected;
    for (const std::string& arg : args) {
        printArgs.arguments.push_back(arg);
        expected += "[" + arg + "]";
    }
    EXPECT_EQ(RunCommandCaptureOutput(printArgs), expected);
    EXPECT_FALSE(std::filesystem::exists(marker));
}

TEST(RunCommandCaptureOutput, WorkingFolderOutputFileAndEnvironment) {
    TempDir dir;
    const std::string folder = dir.Path("with blank");
    std::filesystem::create_directory(folder);
    Command command = Shell("pwd; printf '%s' \"$TULVARINE_PROBE\" >&2");
    command.workingFolder = folder;
    command.environment = {"TULVARINE_PROBE=set for the child"};
    command.outputFile = dir.Path("out.txt");
    dir.Write("out.txt", "older and longer text");

    EXPECT_EQ(RunCommandCaptureOutput(command), "set for the child");  // standard error only
    EXPECT_EQ(ReadBytes(dir.Path("out.txt")), folder + "\n");
}

TEST(RunCommandCaptureOutput, HandlerSeesThePiecesAndCanEndTheReading) {
    std::string seen;
    const std::string output = RunCommandCaptureOutput(Shell("printf one; sleep 0.1; printf two"),
                                                       [&](std::string_view piece) {
                                                           seen += piece;
                                                           return false;
                                                       });
    EXPECT_EQ(output, "onetwo");
    EXPECT_EQ(seen, "onetwo");

    // Ending at the first piece returns at once: the child is not waited for,
    // and the piece that ended the reading is not kept.
    const auto start = std::chrono::steady_clock::now();
    int status = 0;
    EXPECT_EQ(RunCommandCaptureOutput(Shell("printf first; sleep 5; printf late"),
                                      [](std::string_view) { return true; }, &status),
              "");
    EXPECT_LT(Seconds(std::chrono::steady_clock::now() - start), 2.0);
    EXPECT_EQ(status, -1);
}

TEST(RunCommandCaptureOutput, EndsWithTheChildNotWithItsDescendants) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(RunCommandCaptureOutput(Shell("(sleep 5; printf late) & printf early")), "early");
    EXPECT_LT(Seconds(std::chrono::steady_clock::now() - start), 2.0);
}

TEST(RunCommandCaptureOutput, WaitsWithoutUsingTheProcessor) {
    timespec before{}, after{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &before);
    RunCommandCaptureOutput(Shell("sleep 0.5; printf x"));
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &after);
    const double busy = double(after.tv_sec - before.tv_sec) + double(after.tv_nsec - before.tv_nsec) * 1e-9;
    EXPECT_LT(busy, 0.05);
}

TEST(EndRunningCommands, EndsEveryChildWithItsProcessGroupAndRefusesNewOnes) {
    TempDir dir;
    const std::string pids = dir.Path("pids");
    // The child starts a grandchild, records both, and would run for a minute.
    auto running = std::async(std::launch::async, [&] {
        return RunCommandCaptureOutput(Shell("sleep 60 & echo $$ $! > '" + pids + "'; wait"));
    });
    for (int i = 0; i < 500 && ReadBytes(pids).find('\n') == std::string::npos; ++i)
        std::this_thread::sleep_for(10ms);
    std::string child, grandchild;
    std::istringstream(ReadBytes(pids)) >> child >> grandchild;
    ASSERT_FALSE(grandchild.empty());
    ASSERT_TRUE(Alive(grandchild));

    const auto start = std::chrono::steady_clock::now();
    EndRunningCommands();
    ASSERT_EQ(running.wait_for(5s), std::future_status::ready);
    EXPECT_LT(Seconds(std::chrono::steady_clock::now() - start), 2.0);
    for (int i = 0; i < 100 && Alive(grandchild); ++i) std::this_thread::sleep_for(10ms);
    EXPECT_FALSE(Alive(child));
    EXPECT_FALSE(Alive(grandchild));

    int status = 0;
    EXPECT_EQ(RunCommandCaptureOutput(Shell("printf x"), {}, &status), "");
    EXPECT_EQ(status, -1);
    AcceptCommands();
    EXPECT_EQ(RunCommandCaptureOutput(Shell("printf x")), "x");
}

}  // namespace
}  // namespace tulvarine::platform
