// A progress bar moved from a worker thread. Maximum and position go to the
// bar together, coalesced (latest_delivery.h). A position above the maximum
// shows a full bar; with a maximum of 0 the bar is empty at position 0 and
// full beyond it: never the busy animation a bar of range 0..0 would show.
//
// Used by one worker at a time.
#pragma once

#include <QPointer>
#include <QProgressBar>

#include <cstdint>

#include "platform/latest_delivery.h"

namespace tulvarine::platform {

class ControlProgressBar {
public:
    explicit ControlProgressBar(QProgressBar* bar);

    void SetMaximum(std::int64_t maximum);
    void SetPosition(std::int64_t position);
    // Shows the last values now and waits.
    void Flush() { delivery_.Flush(); }

private:
    void Show();

    QPointer<QProgressBar> bar_;
    std::int64_t maximum_ = 0, position_ = 0;
    LatestDelivery delivery_;
};

}  // namespace tulvarine::platform
