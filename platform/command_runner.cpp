#include "platform/command_runner.h"

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <string.h>
#include <sys/ioctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include "model/text.h"

extern char** environ;

namespace tulvarine::platform {

namespace {

// The process groups that runs started (each child leads one, its process id
// the group's), kept while a process of theirs runs, the leader or not: a
// helper that ignores SIGTERM outlives its leader. A group's id cannot be
// taken again while any process of it is there (a zombie included), so a kept
// group is safe to signal; one found ended is forgotten at once and never
// signalled again.
struct Registry {
    std::mutex mutex;
    std::condition_variable emptied;
    std::set<pid_t> groups;  // guarded by mutex
    bool closed = false;     // guarded by mutex: the program is ending
};

Registry& Groups() {
    static auto* registry = new Registry;  // never freed: reapers may outlive main
    return *registry;
}

class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    ~Fd() { Reset(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int Get() const { return fd_; }
    bool Valid() const { return fd_ >= 0; }
    void Reset() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_;
};

// How long what a finished child left in its group has to end after SIGTERM,
// and then after SIGKILL; the exit routine's wait between the two signals;
// how often a group is looked at meanwhile (no call tells when it has ended).
constexpr std::chrono::milliseconds kLeftGrace{250};
constexpr std::chrono::milliseconds kKilledWait{1000};
constexpr std::chrono::milliseconds kEndGrace{1000};
constexpr std::chrono::milliseconds kLookAgain{10};

// True when the process named pid (a name under /proc) belongs to group and
// still runs: a zombie has ended, however late it is reaped (an orphan waits
// for the system's first process).
bool RunsInGroup(const char* pid, pid_t group) {
    const Fd stat(::open((std::string("/proc/") + pid + "/stat").c_str(), O_RDONLY | O_CLOEXEC));
    char text[512];
    const ssize_t count = stat.Valid() ? ::read(stat.Get(), text, sizeof text) : -1;
    if (count <= 0) return false;
    // "pid (name) state ppid pgrp ...": the name may hold blanks and brackets.
    const std::string_view line(text, static_cast<std::size_t>(count));
    const std::size_t nameEnd = line.rfind(')');
    if (nameEnd == std::string_view::npos || nameEnd + 3 >= line.size()) return false;
    const char state = line[nameEnd + 2];
    std::string_view rest = line.substr(nameEnd + 4);  // from the parent's id on
    rest.remove_prefix(std::min(rest.size(), rest.find(' ') + 1));
    pid_t pgrp = 0;
    const bool read = std::from_chars(rest.data(), rest.data() + rest.size(), pgrp).ec == std::errc();
    return read && pgrp == group && state != 'Z' && state != 'X';
}

// True while some process of group still runs; true too when /proc cannot
// tell, so a group is never given up unseen.
bool GroupRuns(pid_t group) {
    DIR* proc = ::opendir("/proc");
    if (proc == nullptr) return true;
    bool runs = false;
    for (const dirent* entry = ::readdir(proc); entry != nullptr && !runs; entry = ::readdir(proc))
        runs = entry->d_name[0] >= '1' && entry->d_name[0] <= '9' && RunsInGroup(entry->d_name, group);
    ::closedir(proc);
    return runs;
}

// Sends signal (0 only looks) to group while it is kept, and forgets the
// group once none of its processes runs. True while one does.
// registry.mutex held.
bool SignalKeptGroup(Registry& registry, pid_t group, int signal) {
    if (registry.groups.count(group) == 0) return false;
    if ((::killpg(group, signal) == 0 || errno != ESRCH) && GroupRuns(group)) return true;
    registry.groups.erase(group);
    if (registry.groups.empty()) registry.emptied.notify_all();
    return false;
}

void SignalEachKeptGroup(Registry& registry, int signal) {
    const std::vector<pid_t> groups(registry.groups.begin(), registry.groups.end());
    for (const pid_t group : groups) SignalKeptGroup(registry, group, signal);
}

bool SignalGroup(pid_t group, int signal) {
    Registry& registry = Groups();
    std::lock_guard lock(registry.mutex);
    return SignalKeptGroup(registry, group, signal);
}

// True once no process of group runs; false when one still does after limit.
bool WaitUntilEnded(pid_t group, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (SignalGroup(group, 0)) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(kLookAgain);
    }
    return true;
}

// The inherited environment with each "NAME=value" of overrides put in place.
std::vector<std::string> ChildEnvironment(const std::vector<std::string>& overrides) {
    std::vector<std::string> entries;
    for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
        const std::string_view text(*entry);
        const std::string_view name = text.substr(0, text.find('=') + 1);  // "NAME="
        const bool replaced = std::any_of(overrides.begin(), overrides.end(), [&](const std::string& o) {
            return !name.empty() && name.back() == '=' && std::string_view(o).starts_with(name);
        });
        if (!replaced) entries.emplace_back(text);
    }
    entries.insert(entries.end(), overrides.begin(), overrides.end());
    return entries;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    pointers.reserve(texts.size() + 1);
    for (std::string& text : texts) pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

// Starts the child with its output going to pipeWriteEnd; false when it cannot start.
bool Spawn(const Command& command, int pipeWriteEnd, pid_t& pid) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    if (command.outputFile.empty())
        posix_spawn_file_actions_adddup2(&actions, pipeWriteEnd, 1);
    else  // opened before the change of folder, so a relative name means the caller's folder
        posix_spawn_file_actions_addopen(&actions, 1, command.outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0666);
    posix_spawn_file_actions_adddup2(&actions, pipeWriteEnd, 2);
    if (!command.workingFolder.empty())
        posix_spawn_file_actions_addchdir_np(&actions, command.workingFolder.c_str());

    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    // A group of its own, so the exit routine can end the child with all it started;
    // default signal handling and no blocked signal, whatever the calling thread has.
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    posix_spawnattr_setpgroup(&attributes, 0);
    sigset_t signals;
    sigemptyset(&signals);
    posix_spawnattr_setsigmask(&attributes, &signals);
    sigfillset(&signals);
    posix_spawnattr_setsigdefault(&attributes, &signals);

    std::vector<std::string> argumentTexts;
    argumentTexts.reserve(command.arguments.size() + 1);
    argumentTexts.push_back(command.program);
    argumentTexts.insert(argumentTexts.end(), command.arguments.begin(), command.arguments.end());
    std::vector<std::string> environmentTexts = ChildEnvironment(command.environment);
    const std::vector<char*> argv = Pointers(argumentTexts);
    const std::vector<char*> envp = Pointers(environmentTexts);

    const int result = posix_spawnp(&pid, command.program.c_str(), &actions, &attributes, argv.data(), envp.data());
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return result == 0;
}

// Waits for the child to end and reaps it, noting how it ended in end; then
// ends what it left running in its group: SIGTERM, and SIGKILL after a short
// grace to what still runs, until nothing does. A group that outlasts even
// the wait after SIGKILL (a process stuck in the kernel) stays kept for the
// exit routine and the next start.
void Reap(pid_t pid, CommandEnd& end) {
    siginfo_t info{};
    while (::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOWAIT) != 0 && errno == EINTR) {
    }
    // Asked while the unreaped child still holds the group's id.
    SignalGroup(pid, SIGTERM);
    int status = 0;
    pid_t reaped = 0;
    while ((reaped = ::waitpid(pid, &status, 0)) < 0 && errno == EINTR) {
    }
    if (reaped == pid && WIFEXITED(status)) end.exitCode = WEXITSTATUS(status);
    if (reaped == pid && WIFSIGNALED(status)) end.signal = WTERMSIG(status);
    if (!WaitUntilEnded(pid, kLeftGrace) && SignalGroup(pid, SIGKILL)) WaitUntilEnded(pid, kKilledWait);
}

constexpr std::size_t kReadSize = 64 * 1024;
constexpr std::size_t kLastBytes = 4096;

// The last few lines of text (at most kLastBytes): a progress line rewritten
// in place with CR counts as its last state.
std::string LastLines(std::string_view text) {
    std::string lines;
    for (std::size_t i = text.size() > kLastBytes ? text.size() - kLastBytes : 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' && i + 1 < text.size() && text[i + 1] != '\n') {
            const std::size_t lineEnd = lines.find_last_of('\n');
            lines.erase(lineEnd == std::string::npos ? 0 : lineEnd + 1);  // the line starts again
        } else if (c != '\r' && c != '\0') {
            lines.push_back(c);
        }
    }
    return lines;
}

// Words with which tools say that something went wrong, lower case.
constexpr std::string_view kErrorWords[] = {"error",    "fatal",  "cannot", "can't",  "could not",
                                            "couldn't", "unable", "failed", "failure"};

// What a line says (in any case of letters): nothing of trouble, a warning,
// an error heading that says nothing more ("---Fatal error---": what went
// wrong follows on the next line), or what went wrong.
enum class Trouble { kNone, kWarning, kHeading, kTold };

Trouble TroubleIn(std::string_view line) {
    std::string folded(line);
    for (char& c : folded)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    // "Warning: cannot ..." is still a warning: the tool went on.
    if (folded.find("warning") != std::string::npos) return Trouble::kWarning;
    bool error = false;
    for (const std::string_view word : kErrorWords) {
        for (std::size_t at = folded.find(word); at != std::string::npos; at = folded.find(word, at)) {
            error = true;
            folded.replace(at, word.size(), word.size(), ' ');
        }
    }
    if (!error) return Trouble::kNone;
    const bool saysMore = std::any_of(folded.begin(), folded.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    });
    return saysMore ? Trouble::kTold : Trouble::kHeading;
}

// line without its leading and trailing blanks, cut to a length a status line can show.
std::string_view Shown(std::string_view line) {
    constexpr std::size_t kLongest = 200;
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!line.empty() && blank(line.back())) line.remove_suffix(1);
    while (!line.empty() && blank(line.front())) line.remove_prefix(1);
    return ShownPart(line, kLongest);
}
// The signal's name, and what it means for a program it ended.
std::string SignalText(int signal) {
    const char* name = ::sigabbrev_np(signal);
    std::string text = name != nullptr ? std::string("SIG") + name : "number " + std::to_string(signal);
    const char* meaning = nullptr;
    switch (signal) {
    case SIGFPE: meaning = "arithmetic fault"; break;
    case SIGSEGV: meaning = "memory access fault"; break;
    case SIGBUS: meaning = "bus error"; break;
    case SIGILL: meaning = "illegal instruction"; break;
    case SIGABRT: meaning = "aborted"; break;
    case SIGKILL: meaning = "killed"; break;
    case SIGTERM: meaning = "asked to end"; break;
    case SIGINT: meaning = "interrupted"; break;
    case SIGPIPE: meaning = "broken pipe"; break;
    case SIGXCPU: meaning = "processor time limit"; break;
    case SIGXFSZ: meaning = "file size limit"; break;
    default: break;
    }
    if (meaning != nullptr) text.append(" (").append(meaning).append(")");
    return text;
}

}  // namespace

std::string DescribeCommandEnd(std::string_view program, const CommandEnd& end) {
    const std::size_t slash = program.rfind('/');
    std::string name(slash == std::string_view::npos ? program : program.substr(slash + 1));
    if (!end.started) return name + " could not be started";
    if (end.signal != 0) return name + " ended by signal " + SignalText(end.signal);
    if (end.leftRunning) return name + " was left running";
    if (end.exitCode == 0) return {};
    std::string text = name + " exited with code " + std::to_string(end.exitCode);
    const std::string telling = TellingOutputLine(end);
    if (!telling.empty()) text.append(": ").append(telling);
    return text;
}

std::string TellingOutputLine(const CommandEnd& end) {
    std::string lastShown, lastWarning, heading;
    for (std::string_view rest = end.lastLines; !rest.empty();) {
        const std::size_t lineEnd = rest.find('\n');
        const std::string_view line = Shown(rest.substr(0, lineEnd));
        rest.remove_prefix(lineEnd == std::string_view::npos ? rest.size() : lineEnd + 1);
        if (line.empty()) continue;
        if (!heading.empty()) return heading + " " + std::string(line);
        switch (TroubleIn(line)) {
        case Trouble::kTold: return std::string(line);
        case Trouble::kHeading: heading = line; break;
        case Trouble::kWarning: lastWarning = line; break;
        case Trouble::kNone: lastShown = line; break;
        }
    }
    if (!heading.empty()) return heading;
    // A warning names no cause: it tells only when the tool said nothing else.
    return lastShown.empty() ? lastWarning : lastShown;
}

std::string RunCommandCaptureOutput(const Command& command, const OutputHandler& handler, CommandEnd* end) {
    CommandEnd ended;
    if (end != nullptr) *end = ended;
    if (command.program.empty()) return {};

    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) return {};  // close-on-exec: no other child inherits this pipe
    Fd readEnd(ends[0]);
    Fd writeEnd(ends[1]);
    pid_t pid = 0;
    Registry& registry = Groups();
    {
        // Started and registered in one step, so the exit routine cannot miss it.
        std::lock_guard lock(registry.mutex);
        if (registry.closed) return {};
        SignalEachKeptGroup(registry, 0);  // forgets groups that ended unwatched
        if (!Spawn(command, writeEnd.Get(), pid)) return {};
        registry.groups.insert(pid);
    }
    ended.started = true;
    writeEnd.Reset();  // now the pipe breaks when the child and its descendants have ended
    ::fcntl(readEnd.Get(), F_SETFL, O_NONBLOCK);
    // Readable once the child has ended (glibc 2.36 declares pidfd_open without C linkage).
    const Fd exited(static_cast<int>(::syscall(SYS_pidfd_open, pid, 0)));

    std::string output;
    std::string last;  // the newest bytes, whether kept in output or not
    std::string buffer(kReadSize, '\0');
    bool pipeOpen = true;
    bool stopped = false;  // by the handler
    // Reads up to limit bytes of what is waiting now.
    const auto readWaiting = [&](std::size_t limit) {
        while (limit > 0 && !stopped) {
            const ssize_t count = ::read(readEnd.Get(), buffer.data(), std::min(limit, buffer.size()));
            if (count < 0 && errno == EINTR) continue;
            if (count == 0) pipeOpen = false;
            if (count <= 0) return;
            limit -= static_cast<std::size_t>(count);
            const std::string_view piece(buffer.data(), static_cast<std::size_t>(count));
            last.append(piece.substr(piece.size() > kLastBytes ? piece.size() - kLastBytes : 0));
            if (last.size() > 4 * kLastBytes) last.erase(0, last.size() - kLastBytes);
            if (handler && handler(piece))
                stopped = true;
            else
                output.append(piece);
        }
    };

    while (pipeOpen && !stopped) {
        pollfd waits[2] = {{readEnd.Get(), POLLIN, 0}, {exited.Get(), POLLIN, 0}};
        if (::poll(waits, exited.Valid() ? 2 : 1, -1) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (waits[0].revents != 0) readWaiting(SIZE_MAX);
        if (exited.Valid() && (waits[1].revents & POLLIN) != 0) {
            // The child is gone: what it wrote is in the pipe now. Descendants that
            // still hold the pipe are not waited for.
            int waiting = 0;
            if (pipeOpen && ::ioctl(readEnd.Get(), FIONREAD, &waiting) == 0 && waiting > 0)
                readWaiting(static_cast<std::size_t>(waiting));
            break;
        }
    }

    ended.lastLines = LastLines(last);
    if (stopped) {
        readEnd.Reset();
        std::thread([pid] {
            CommandEnd ignored;
            Reap(pid, ignored);
        }).detach();
        ended.leftRunning = true;
    } else {
        Reap(pid, ended);
    }
    if (end != nullptr) *end = std::move(ended);
    return output;
}

void EndRunningCommands() {
    Registry& registry = Groups();
    std::unique_lock lock(registry.mutex);
    registry.closed = true;
    SignalEachKeptGroup(registry, SIGTERM);
    const auto deadline = std::chrono::steady_clock::now() + kEndGrace;
    while (!registry.groups.empty() && std::chrono::steady_clock::now() < deadline) {
        registry.emptied.wait_for(lock, kLookAgain);
        SignalEachKeptGroup(registry, 0);
    }
    SignalEachKeptGroup(registry, SIGKILL);
}

void AcceptCommands() {
    Registry& registry = Groups();
    std::lock_guard lock(registry.mutex);
    registry.closed = false;
}

}  // namespace tulvarine::platform
