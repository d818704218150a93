#include "platform/end_signals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QSocketNotifier>

#include <cerrno>
#include <iterator>

namespace tulvarine::platform {

namespace {

constexpr int kEndSignals[] = {SIGTERM, SIGINT, SIGHUP};

// The pipe's write end, for the handler; -1 while no EndSignals object lives.
volatile sig_atomic_t g_wakeFd = -1;

void OnEndSignal(int) {
    const int saved = errno;  // the interrupted code may be reading errno
    const char byte = 1;
    if (g_wakeFd >= 0) (void)!::write(g_wakeFd, &byte, 1);
    errno = saved;
}

}  // namespace

struct EndSignals::State {
    int ends[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> notifier;
    struct sigaction before[std::size(kEndSignals)] = {};
};

EndSignals::EndSignals(std::function<void()> onSignal) : state_(std::make_unique<State>()) {
    if (::pipe2(state_->ends, O_CLOEXEC | O_NONBLOCK) != 0) return;
    state_->notifier = std::make_unique<QSocketNotifier>(state_->ends[0], QSocketNotifier::Read);
    QObject::connect(state_->notifier.get(), &QSocketNotifier::activated,
                     [readFd = state_->ends[0], onSignal = std::move(onSignal)] {
                         char bytes[16];
                         while (::read(readFd, bytes, sizeof bytes) > 0) {
                         }
                         onSignal();
                     });
    g_wakeFd = state_->ends[1];
    struct sigaction action {};
    action.sa_handler = OnEndSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < std::size(kEndSignals); ++i) {
        ::sigaction(kEndSignals[i], nullptr, &state_->before[i]);
        // A signal ignored from the start stays ignored (nohup).
        if (state_->before[i].sa_handler != SIG_IGN) ::sigaction(kEndSignals[i], &action, nullptr);
    }
}

EndSignals::~EndSignals() {
    if (g_wakeFd >= 0) {
        for (std::size_t i = 0; i < std::size(kEndSignals); ++i)
            ::sigaction(kEndSignals[i], &state_->before[i], nullptr);
    }
    g_wakeFd = -1;
    state_->notifier.reset();
    for (const int fd : state_->ends)
        if (fd >= 0) ::close(fd);
}

}  // namespace tulvarine::platform
