#include "platform/control_progress.h"

#include <QCoreApplication>
#include <QPointer>
#include <QProgressBar>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <mutex>
#include <utility>

#include "platform/controls.h"
#include "platform/gui_thread.h"

namespace tulvarine::platform {

using Clock = std::chrono::steady_clock;

namespace {

// The latest value set by a worker for one control, shared with the
// deliveries queued on the GUI thread, which may run after the sink is gone.
template <class Control, class Value>
struct Latest {
    QPointer<Control> control;
    std::chrono::milliseconds interval{};
    std::mutex mutex;
    Value pending{};  // guarded by mutex, as are the three below
    bool hasPending = false;
    bool deliveryQueued = false;
    Clock::time_point lastDelivery{};
};

// GUI thread: shows the pending value, if any.
template <class State, class Show>
void Deliver(const std::shared_ptr<State>& state, Show show) {
    decltype(state->pending) value;
    {
        std::lock_guard lock(state->mutex);
        state->deliveryQueued = false;
        if (!state->hasPending) return;
        value = std::exchange(state->pending, {});
        state->hasPending = false;
        state->lastDelivery = Clock::now();
    }
    if (state->control) show(state->control.data(), value);
}

// Any thread: makes change to the pending value and queues one delivery
// unless one is queued already (it will take the new value).
template <class State, class Change, class Show>
void Set(const std::shared_ptr<State>& state, Change change, Show show) {
    std::chrono::milliseconds wait{0};
    {
        std::lock_guard lock(state->mutex);
        change(state->pending);
        state->hasPending = true;
        if (state->deliveryQueued) return;
        state->deliveryQueued = true;
        const auto due = state->lastDelivery + state->interval;
        const auto now = Clock::now();
        if (due > now) wait = std::chrono::ceil<std::chrono::milliseconds>(due - now);
    }
    PostToGuiThread([state, wait, show] {
        QTimer::singleShot(wait, QCoreApplication::instance(), [state, show] { Deliver(state, show); });
    });
}

void ShowText(QWidget* control, const std::string& text) { SetControlText(control, text); }

struct BarValue {
    int maximum = -1;  // -1: the range is left as it is
    int position = 0;
};

void ShowBar(QProgressBar* bar, const BarValue& value) {
    if (value.maximum >= 0) bar->setRange(0, value.maximum);
    bar->setValue(std::clamp(value.position, 0, bar->maximum()));
}

}  // namespace

struct ControlProgress::State : Latest<QWidget, std::string> {};
struct BarProgress::State : Latest<QProgressBar, BarValue> {};

ControlProgress::ControlProgress(QWidget* control, std::chrono::milliseconds interval)
    : state_(std::make_shared<State>()) {
    state_->control = control;
    state_->interval = interval;
}

ControlProgress::~ControlProgress() { Flush(); }

void ControlProgress::SetText(const std::string& text) {
    Set(state_, [&text](std::string& pending) { pending = text; }, ShowText);
}

void ControlProgress::Flush() {
    CallOnGuiThread([this] { Deliver(state_, ShowText); });
}

BarProgress::BarProgress(QProgressBar* bar, std::chrono::milliseconds interval) : state_(std::make_shared<State>()) {
    state_->control = bar;
    state_->interval = interval;
}

BarProgress::~BarProgress() { Flush(); }

void BarProgress::SetRange(int maximum) {
    Set(state_, [maximum](BarValue& pending) { pending = {maximum, 0}; }, ShowBar);
}

void BarProgress::SetPosition(int position) {
    Set(state_, [position](BarValue& pending) { pending.position = position; }, ShowBar);
}

void BarProgress::Flush() {
    CallOnGuiThread([this] { Deliver(state_, ShowBar); });
}

}  // namespace tulvarine::platform
