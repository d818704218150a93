// A RunReport shown in the main window: status messages in the status bar's
// message pane, progress texts in one label of the page (coalesced, see
// platform/control_progress.h). Made and used by one worker run.
#pragma once

#include <string>

#include "platform/control_progress.h"
#include "platform/status_bar.h"
#include "tools/run_report.h"

class QWidget;

namespace tulvarine {

class PageReport : public RunReport {
public:
    // progressLabel may be null for a run that shows no progress.
    explicit PageReport(QWidget* progressLabel) : progress_(progressLabel) {}

    void Status(const std::string& text) override { platform::ShowStatusMessage(text); }
    void SetText(const std::string& text) override { progress_.SetText(text); }
    // Shows the last progress text now; call it before writing the label directly.
    void Flush() { progress_.Flush(); }

private:
    platform::ControlProgress progress_;
};

}  // namespace tulvarine
