#include "platform/radio_groups.h"

#include <QAbstractButton>
#include <QPalette>

#include "model/genetic_codes.h"
#include "platform/controls.h"

namespace tulvarine::platform {

int GeneticCodeIndex(const std::array<QAbstractButton*, 10>& radios) {
    for (std::size_t i = 0; i < 9; ++i)
        if (IsControlChecked(radios[i])) return kGeneticCodeIndices[i];
    return kGeneticCodeIndices[9];
}

void ColourByCheckState(std::span<QAbstractButton* const> group) {
    for (QAbstractButton* button : group) {
        const QColor colour = button->isChecked() ? QColor(0, 0, 255) : QColor(0, 0, 0);
        QPalette palette = button->palette();
        palette.setColor(QPalette::WindowText, colour);
        palette.setColor(QPalette::ButtonText, colour);
        button->setPalette(palette);
    }
}

}  // namespace tulvarine::platform
