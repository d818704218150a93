#include "platform/latest_delivery.h"

#include <QCoreApplication>
#include <QTimer>

#include <mutex>

#include "platform/gui_thread.h"
#include "platform/status_bar.h"

namespace tulvarine::platform {

using Clock = std::chrono::steady_clock;

// Shared with the deliveries queued on the GUI thread, which may run after the
// sender is gone.
struct LatestDelivery::State {
    std::chrono::milliseconds interval;
    std::mutex mutex;
    std::function<void()> pending;  // guarded by mutex, as are the two below
    bool deliveryQueued = false;
    Clock::time_point lastDelivery{};
};

namespace {
// GUI thread: runs the pending call, if any.
void Deliver(const std::shared_ptr<LatestDelivery::State>& state) {
    std::function<void()> show;
    {
        std::lock_guard lock(state->mutex);
        state->deliveryQueued = false;
        show.swap(state->pending);
        if (!show) return;
        state->lastDelivery = Clock::now();
    }
    show();
}
}  // namespace

LatestDelivery::LatestDelivery(std::chrono::milliseconds interval) : state_(std::make_shared<State>()) {
    state_->interval = interval;
}

LatestDelivery::~LatestDelivery() {
    ShowingFailure([this] { Flush(); });
}

void LatestDelivery::Set(std::function<void()> show) {
    std::chrono::milliseconds wait{0};
    {
        std::lock_guard lock(state_->mutex);
        state_->pending = std::move(show);
        if (state_->deliveryQueued) return;  // the queued delivery takes this call
        state_->deliveryQueued = true;
        const auto due = state_->lastDelivery + state_->interval;
        const auto now = Clock::now();
        if (due > now) wait = std::chrono::ceil<std::chrono::milliseconds>(due - now);
    }
    PostToGuiThread([state = state_, wait] {
        QTimer::singleShot(wait, QCoreApplication::instance(), [state] { ShowingFailure([&] { Deliver(state); }); });
    });
}

void LatestDelivery::Flush() {
    CallOnGuiThread([this] { Deliver(state_); });
}

}  // namespace tulvarine::platform
