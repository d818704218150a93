#include "platform/control_progress.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <mutex>

#include "platform/controls.h"
#include "platform/gui_thread.h"

namespace tulvarine::platform {

using Clock = std::chrono::steady_clock;

// Shared with the deliveries queued on the GUI thread, which may run after the
// sink is gone.
struct ControlProgress::State {
    QPointer<QWidget> control;
    std::chrono::milliseconds interval;
    std::mutex mutex;
    std::string pending;  // guarded by mutex, as are the three below
    bool hasPending = false;
    bool deliveryQueued = false;
    Clock::time_point lastDelivery{};
};

namespace {
// GUI thread: shows the pending text, if any.
void Deliver(const std::shared_ptr<ControlProgress::State>& state) {
    std::string text;
    {
        std::lock_guard lock(state->mutex);
        state->deliveryQueued = false;
        if (!state->hasPending) return;
        text.swap(state->pending);
        state->hasPending = false;
        state->lastDelivery = Clock::now();
    }
    if (state->control) SetControlText(state->control, text);
}
}  // namespace

ControlProgress::ControlProgress(QWidget* control, std::chrono::milliseconds interval)
    : state_(std::make_shared<State>()) {
    state_->control = control;
    state_->interval = interval;
}

ControlProgress::~ControlProgress() { Flush(); }

void ControlProgress::SetText(const std::string& text) {
    std::chrono::milliseconds wait{0};
    {
        std::lock_guard lock(state_->mutex);
        state_->pending = text;
        state_->hasPending = true;
        if (state_->deliveryQueued) return;  // the queued delivery takes this text
        state_->deliveryQueued = true;
        const auto due = state_->lastDelivery + state_->interval;
        const auto now = Clock::now();
        if (due > now) wait = std::chrono::ceil<std::chrono::milliseconds>(due - now);
    }
    PostToGuiThread([state = state_, wait] {
        QTimer::singleShot(wait, QCoreApplication::instance(), [state] { Deliver(state); });
    });
}

void ControlProgress::Flush() {
    CallOnGuiThread([this] { Deliver(state_); });
}

}  // namespace tulvarine::platform
