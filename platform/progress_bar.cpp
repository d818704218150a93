#include "platform/progress_bar.h"

#include <algorithm>
#include <climits>

namespace tulvarine::platform {

ControlProgressBar::ControlProgressBar(QProgressBar* bar) : bar_(bar) {}

void ControlProgressBar::SetMaximum(std::int64_t maximum) {
    maximum_ = maximum;
    Show();
}

void ControlProgressBar::SetPosition(std::int64_t position) {
    position_ = position;
    Show();
}

void ControlProgressBar::Show() {
    // The bar counts in int: larger counts are scaled down together.
    std::int64_t maximum = std::max<std::int64_t>(maximum_, 0), value = std::clamp<std::int64_t>(position_, 0, maximum);
    if (maximum == 0) {
        maximum = 1;
        value = position_ > 0 ? 1 : 0;
    }
    const std::int64_t scale = maximum / INT_MAX + 1;
    delivery_.Set([bar = bar_, maximum = int(maximum / scale), value = int(value / scale)] {
        if (!bar) return;
        bar->setRange(0, maximum);
        bar->setValue(value);
    });
}

}  // namespace tulvarine::platform
