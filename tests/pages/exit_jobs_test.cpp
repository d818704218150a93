// The program ends while its pages work: Exit confirmed in the window, or a
// terminating signal. Each case runs the real program (its start routine, its
// window and its end) in a child process of this test, with stand-in aligners
// that take their time; the test then looks at what the child left behind.
// In one case a worker never returns: the program still ends, with status 0
// as for any confirmed Exit, and leaves nothing behind.
// A plain main: the checks span the child's whole end.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "model/program_end.h"
#include "platform/folders.h"
#include "platform/status_bar.h"
#include "platform/worker.h"
#include "shell/main_window.h"
#include "shell/program_main.h"
#include "support/wait_limit.h"
#include "ui_main_window.h"

extern char** environ;

using namespace tulvarine;
namespace fs = std::filesystem;

namespace {

int g_failures = 0;

void Check(bool condition, const std::string& what) {
    if (condition) return;
    std::fprintf(stderr, "FAIL: %s\n", what.c_str());
    ++g_failures;
}

// The file's bytes; empty when it cannot be read (a process gone from /proc).
std::string ReadText(const fs::path& path) {
    try {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    } catch (const std::exception&) {
        return {};
    }
}

void WriteText(const fs::path& path, const std::string& text, bool executable = false) {
    std::ofstream(path, std::ios::binary) << text;
    if (executable) fs::permissions(path, fs::perms::owner_all, fs::perm_options::add);
}

// The processes of group (zombies have ended).
std::vector<int> LiveMembers(int group) {
    std::vector<int> members;
    for (const auto& entry : fs::directory_iterator("/proc")) {
        const std::string pid = entry.path().filename().string();
        if (pid.find_first_not_of("0123456789") != std::string::npos) continue;
        const std::string stat = ReadText(entry.path() / "stat");
        const std::size_t close = stat.rfind(')');  // "pid (name) state ppid pgrp ..."
        if (close == std::string::npos) continue;
        char state = 0;
        int parent = 0, pgrp = 0;
        if (std::sscanf(stat.c_str() + close + 1, " %c %d %d", &state, &parent, &pgrp) == 3 && pgrp == group &&
            state != 'Z')
            members.push_back(std::stoi(stat));
    }
    return members;
}

// Sleeps until done() holds, false when it does not in time. Once the
// program has ended, nothing more happens to its processes but the ends it
// gave them, so these waits share one limit: a fault that leaves processes
// running fails every case within it, not after a limit per case.
bool SleepAfterEndsUntil(const std::function<bool()>& done) {
    using namespace std::chrono;
    static const auto deadline = steady_clock::now() + testing::kWaitLimit;
    return testing::SleepUntil(done, std::max(duration_cast<milliseconds>(deadline - steady_clock::now()), 0ms));
}

// Names under folder, at any depth, that the program made for its own use.
std::vector<std::string> Leftovers(const fs::path& folder) {
    std::vector<std::string> found;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with(".tulvarine-") || name.starts_with("tulvarine-")) found.push_back(entry.path().string());
    }
    return found;
}

// A stand-in aligner: notes its process group, then takes its time, with
// children of its own as real aligners have, one of which ignores SIGTERM; it
// would write its result at the end. That child renames the note into place
// once it ignores the signal, so whoever sees the note can read it whole and
// knows a plain SIGTERM to the group no longer ends everything.
std::string SlowAligner(const fs::path& marks, const std::string& result) {
    const std::string note = (marks / "group.part").string(), placed = (marks / "group").string();
    return "#!/bin/sh\n"
           "for a; do case \"$a\" in -o=*) out=\"${a#-o=}.best.fas\";; -output) next=1;; *) [ -n \"$next\" ] && "
           "out=\"$a\"; next=;; esac; done\n"
           "sleep 600 &\n"
           "echo $$ > '" + note + "'\n"
           "sh -c \"trap '' TERM; mv '" + note + "' '" + placed + "'; exec sleep 600\" &\n"
           "wait\n"
           "printf '" + result + "' > \"$out\"\n";
}

// ---- the child: the real program, driven through its window ----

MainWindow* TheMainWindow() {
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* main = qobject_cast<MainWindow*>(top)) return main;
    return nullptr;
}

// Calls then() on the GUI thread once path exists.
void WhenExists(const fs::path& path, std::function<void()> then) {
    if (fs::exists(path)) {
        then();
        return;
    }
    QTimer::singleShot(20, [path, then = std::move(then)]() mutable { WhenExists(path, std::move(then)); });
}

// Calls then() on the GUI thread once done() holds there.
void WhenTrue(std::function<bool()> done, std::function<void()> then) {
    if (done()) return then();
    QTimer::singleShot(20, [done = std::move(done), then = std::move(then)]() mutable {
        WhenTrue(std::move(done), std::move(then));
    });
}

// Closes the window and answers "Yes" in the "Exit" window.
void ExitConfirmed(MainWindow* window) {
    QTimer::singleShot(0, [] {
        if (QWidget* exit = QApplication::activeModalWidget())
            exit->findChild<QPushButton*>(QStringLiteral("按钮_extr_scan"))->click();
    });
    window->close();
}

// A worker that makes a scratch folder of the program's own, marks that it
// has, and then never returns, whatever the end of the program asks: the
// program has to end without it.
void StartStuckWorker(const fs::path& root) {
    platform::StartWorker([root] {
        const std::string scratch = tulvarine::Leftovers::Make([&root] {
            std::string pattern = (root / "tmp" / "tulvarine-stuck-XXXXXX").string();
            return ::mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
        });
        if (!scratch.empty()) WriteText(fs::path(scratch) / "part", "what the worker would have used");
        WriteText(root / "marks" / "stuck", scratch);
        for (;;) std::this_thread::sleep_for(std::chrono::hours(1));
    });
}

// Starts the case's work in the window; then() ends the program.
void StartWork(const std::string& name, const fs::path& root, const std::function<void()>& then) {
    MainWindow* window = TheMainWindow();
    if (window == nullptr) std::_Exit(3);
    Ui::MainWindow& ui = window->Controls();
    const fs::path marks = root / "marks";
    if (name == "align-format" || name == "signal" || name == "stuck-worker") {
        ui.编辑框_align_folder->setText(QString::fromStdString((root / "in").string()));
        ui.单选框align_prank_dna->click();
        ui.按钮_align_run1->click();
        if (name != "stuck-worker") return WhenExists(marks / "group", then);
        StartStuckWorker(root);
        WhenExists(marks / "stuck", [marks, then] { WhenExists(marks / "group", then); });
    } else if (name == "broken-pipe") {
        // While an alignment runs, the test sends SIGPIPE, then reads the start
        // of the sorted output through a FIFO and quits, as `head -c 10` does.
        ui.编辑框_align_folder->setText(QString::fromStdString((root / "in").string()));
        ui.单选框align_prank_dna->click();
        ui.按钮_align_run1->click();
        WhenExists(marks / "go", [&ui, root, marks, then] {
            ui.编辑框_Sort_File_Name->setText(QString::fromStdString((root / "sort" / "reads.fa").string()));
            ui.单选框_Sort_auto->click();
            ui.按钮_Sort_Run->click();
            WhenTrue([&ui] { return ui.按钮_Sort_Run->isEnabled(); }, [&ui, marks, then] {
                const bool aligning = !ui.按钮_align_run1->isEnabled();
                WriteText(marks / "status.part", platform::StatusPaneText(1) + (aligning ? "\naligning" : ""));
                fs::rename(marks / "status.part", marks / "status");
                then();
            });
        });
    } else if (name == "cmp2seq") {
        ui.超级编辑框1->setPlainText("ATGAAACCCGGGTTTAAA");
        ui.超级编辑框2->setPlainText("ATGAAACCCTTTAAA");
        ui.按钮_Comp_alignCMP->click();
        WhenExists(marks / "group", then);
    } else if (name == "sort-id") {
        ui.编辑框_Sort_File_Name->setText(QString::fromStdString((root / "in" / "big.fa").string()));
        ui.单选框_Sort_auto->click();
        ui.按钮_Sort_Run->click();
        QTimer::singleShot(0, then);  // the sort has just begun
    }
}

int RunProgram(const std::string& name, const fs::path& root, int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    platform::OverrideProgramFolderForTests((root / "program").string());
    QTimer::singleShot(0, [name, root] {
        StartWork(name, root, [name] {
            if (name != "signal") ExitConfirmed(TheMainWindow());  // the test sends the signal
        });
    });
    return ProgramMain();
}

// ---- the test: one child per case ----

// A folder for one case: the program folder with its stand-in tools, inputs,
// a folder for the marks the tools leave, and the temporary folder of the child.
fs::path MakeCase(const fs::path& base, const std::string& name) {
    const fs::path root = base / name;
    for (const char* folder : {"program/tools", "in", "marks", "tmp"}) fs::create_directories(root / folder);
    const std::string result = ">a\\nACGT\\n";
    WriteText(root / "program/tools/prank", SlowAligner(root / "marks", result), true);
    WriteText(root / "program/tools/muscle", SlowAligner(root / "marks", result), true);
    for (const char* file : {"1.fas", "2.fas"}) WriteText(root / "in" / file, ">a\nACGTACGT\n>b\nACGAACGT\n");
    if (name == "broken-pipe") {
        // Far more than a pipe holds, so the writer waits for its reader.
        fs::create_directories(root / "sort");
        std::string records;
        for (int i = 0; i < 4000; ++i) records += ">r" + std::to_string(i) + "\n" + std::string(300, "ACGT"[i % 4]) + "\n";
        WriteText(root / "sort" / "reads.fa", records);
        ::mkfifo((root / "sort" / "reads.fa.auto.sort.1.fas").c_str(), 0600);
    }
    if (name == "sort-id") {
        std::string records;
        for (long i = 0; i < 400000; ++i)
            records += ">seq" + std::to_string((i * 7919) % 400000) + " a record\n" + std::string(120, "ACGT"[i % 4]) + "\n";
        WriteText(root / "in" / "big.fa", records);
    }
    return root;
}

// True once the child has ended (it is left to be reaped).
bool HasEnded(pid_t child) {
    siginfo_t info{};
    return ::waitid(P_PID, id_t(child), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == child;
}

// As `head -c 10 < fifo`: waits for the child to write, reads ten bytes and
// quits. started() is called once the reader is there, so that the write can begin.
void ReadTheStartAndQuit(const fs::path& fifo, pid_t child, const std::function<void()>& started) {
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    Check(reader >= 0, "the FIFO opens for reading");
    if (reader < 0) return;
    started();
    pollfd wait{reader, POLLIN, 0};
    const auto written = [&] { return ::poll(&wait, 1, 0) == 1 && (wait.revents & POLLIN) != 0; };
    testing::SleepUntil([&] { return written() || HasEnded(child); });
    char start[10];
    Check(written() && ::read(reader, start, sizeof start) == sizeof start, "the sorted output reaches the FIFO");
    ::close(reader);
}

// Runs the case in a child process; its exit status, or -1 when it did not end in time.
int RunCase(const std::string& name, const fs::path& root, const char* self) {
    ::setenv("TMPDIR", (root / "tmp").string().c_str(), 1);
    ::setenv("TULVARINE_TEST_ROOT", root.string().c_str(), 1);
    const std::string caseArgument = "--case=" + name;
    char* const argv[] = {const_cast<char*>(self), const_cast<char*>(caseArgument.c_str()), nullptr};
    pid_t child = 0;
    if (::posix_spawn(&child, "/proc/self/exe", nullptr, nullptr, argv, environ) != 0) return -1;
    if (name == "signal") {
        Check(testing::SleepUntil([&] { return fs::exists(root / "marks" / "group"); }), name + ": the aligner started");
        ::kill(child, SIGTERM);
    }
    if (name == "broken-pipe") {
        Check(testing::SleepUntil([&] { return fs::exists(root / "marks" / "group"); }), name + ": the aligner started");
        ::kill(child, SIGPIPE);
        ReadTheStartAndQuit(root / "sort" / "reads.fa.auto.sort.1.fas", child, [&] { WriteText(root / "marks" / "go", ""); });
    }
    int status = 0;
    const bool ended = testing::SleepUntil([&] { return ::waitpid(child, &status, WNOHANG) == child; });
    if (!ended) {
        ::kill(child, SIGKILL);
        ::waitpid(child, &status, 0);
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

void CheckCase(const std::string& name, const fs::path& base, const char* self) {
    const fs::path root = MakeCase(base, name);
    const int status = RunCase(name, root, self);
    Check(status == 0, name + ": the program ended by itself, status " + std::to_string(status));

    const std::string group = ReadText(root / "marks" / "group");
    if (name == "stuck-worker")
        Check(!ReadText(root / "marks" / "stuck").empty(), name + ": the stuck worker made its scratch folder");
    if (name != "sort-id") {
        Check(!group.empty(), name + ": the stand-in aligner ran");
        const int leader = std::atoi(group.c_str());
        if (leader > 0) {
            Check(SleepAfterEndsUntil([&] { return LiveMembers(leader).empty(); }),
                  name + ": no process of the aligner's group lives");
            for (const int left : LiveMembers(leader)) ::kill(left, SIGKILL);  // none outlives the test
        }
    }
    for (const std::string& left : Leftovers(root)) Check(false, name + ": left behind " + left);
    // Nothing the interrupted work would have written is there, and with its
    // processes gone nothing can appear later.
    if (name == "align-format" || name == "signal" || name == "stuck-worker" || name == "broken-pipe")
        Check(fs::is_empty(root / "in_align_PrankDNA"), name + ": no aligned file appeared");
    if (name == "cmp2seq")
        Check(!fs::exists(root / "program/tmp/2seq_align.fas"), name + ": no alignment of the pair appeared");
    if (name == "broken-pipe") {
        const std::string status = ReadText(root / "marks" / "status");
        Check(status.starts_with("Error:") && status.find("Broken pipe") != std::string::npos,
              name + ": the Save failed with its reason (" + status + ")");
        Check(status.ends_with("\naligning"), name + ": the alignment went on");
        Check(fs::is_fifo(root / "sort" / "reads.fa.auto.sort.1.fas"), name + ": the FIFO stays");
    }
    if (name == "sort-id") {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(root / "in")) names.push_back(entry.path().filename().string());
        Check(names.size() == 3, name + ": nothing but the inputs in their folder (" + std::to_string(names.size()) +
                                     " entries)");
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::string first = argc > 1 ? argv[1] : "";
    if (first.starts_with("--case=")) {
        const char* root = std::getenv("TULVARINE_TEST_ROOT");
        return root == nullptr ? 2 : RunProgram(first.substr(7), root, argc, argv);
    }
    char folderPattern[] = "/tmp/tulvarine-exit-XXXXXX";
    if (::mkdtemp(folderPattern) == nullptr) return 1;
    const fs::path base = folderPattern;
    for (const char* name : {"align-format", "cmp2seq", "sort-id", "signal", "stuck-worker", "broken-pipe"})
        CheckCase(name, base, argv[0]);
    std::error_code ignored;
    fs::remove_all(base, ignored);
    std::fprintf(stderr, g_failures == 0 ? "PASS: exit_jobs_test\n" : "");
    return g_failures == 0 ? 0 : 1;
}
