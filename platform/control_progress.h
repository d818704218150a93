// A progress sink that shows the model's progress texts in a control (a label
// or box), set from a worker thread; and the same for a progress bar.
//
// Frequent texts are coalesced: at most one text per interval reaches the
// control (about 20 a second by default), and the last text set always arrives.
#pragma once

#include <chrono>
#include <memory>
#include <string>

#include "model/progress.h"

class QProgressBar;
class QWidget;

namespace tulvarine::platform {

class ControlProgress final : public ProgressSink {
public:
    explicit ControlProgress(QWidget* control,
                             std::chrono::milliseconds interval = std::chrono::milliseconds(50));
    // Delivers the last text, waiting for it to be shown.
    ~ControlProgress() override;
    ControlProgress(const ControlProgress&) = delete;
    ControlProgress& operator=(const ControlProgress&) = delete;

    // Any thread; returns at once.
    void SetText(const std::string& text) override;
    // Shows the last text now and waits. Call it before writing the same control
    // directly (for example "Done!"), so that no late progress text overwrites it.
    void Flush();

    struct State;

private:
    std::shared_ptr<State> state_;
};

// A progress bar moved from a worker thread, coalesced as ControlProgress: a
// worker may move it once per column or record, and the last range and
// position always arrive.
class BarProgress final {
public:
    explicit BarProgress(QProgressBar* bar, std::chrono::milliseconds interval = std::chrono::milliseconds(50));
    // Delivers the last range and position, waiting for them to be shown.
    ~BarProgress();
    BarProgress(const BarProgress&) = delete;
    BarProgress& operator=(const BarProgress&) = delete;

    // Any thread; both return at once. SetRange puts the bar back to 0.
    void SetRange(int maximum);
    void SetPosition(int position);
    // Shows the last range and position now and waits.
    void Flush();

    struct State;

private:
    std::shared_ptr<State> state_;
};

}  // namespace tulvarine::platform
