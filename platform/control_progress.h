// A progress sink that shows the model's progress texts in a control (a label
// or box), set from a worker thread.
//
// Frequent texts are coalesced: at most one text per interval reaches the
// control (about 20 a second by default), and the last text set always arrives.
// Each line of a text is cut to a readable length (ShownLines, model/text.h).
#pragma once

#include <QPointer>
#include <QWidget>

#include <chrono>
#include <functional>
#include <string>

#include "model/progress.h"
#include "platform/latest_delivery.h"

namespace tulvarine::platform {

class ControlProgress final : public ProgressSink {
public:
    // wanted, when given, is asked on the GUI thread before each text is
    // shown: a text it refuses is dropped (a newer run has taken the control).
    explicit ControlProgress(QWidget* control,
                             std::chrono::milliseconds interval = std::chrono::milliseconds(50),
                             std::function<bool()> wanted = {});

    // Any thread; returns at once.
    void SetText(const std::string& text) override;
    // Shows the last text now and waits. Call it before writing the same
    // control directly (for example "Done!"), so that no late progress text overwrites it.
    void Flush() { delivery_.Flush(); }

private:
    QPointer<QWidget> control_;
    std::function<bool()> wanted_;
    LatestDelivery delivery_;  // delivers the last text when the sink goes
};

}  // namespace tulvarine::platform
