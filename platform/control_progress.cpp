#include "platform/control_progress.h"

#include "model/text.h"
#include "platform/controls.h"

namespace tulvarine::platform {

ControlProgress::ControlProgress(QWidget* control, std::chrono::milliseconds interval, std::function<bool()> wanted)
    : control_(control), wanted_(std::move(wanted)), delivery_(interval) {}

void ControlProgress::SetText(const std::string& text) {
    delivery_.Set([control = control_, wanted = wanted_, text = ShownLines(text)] {
        if (control && (!wanted || wanted())) SetControlText(control, text);
    });
}

}  // namespace tulvarine::platform
