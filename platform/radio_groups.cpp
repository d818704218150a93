#include "platform/radio_groups.h"

#include <QAbstractButton>
#include <QPalette>

#include "platform/controls.h"

namespace tulvarine::platform {

GeneticCode CheckedGeneticCode(const std::array<QAbstractButton*, 10>& radios) {
    for (std::size_t i = 0; i < 9; ++i)
        if (IsControlChecked(radios[i])) return kGeneticCodes[i];
    return kGeneticCodes[9];
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

GeneticCodeGroup::GeneticCodeGroup(const std::array<QAbstractButton*, 10>& radios, QObject* parent)
    : QObject(parent), radios_(radios) {
    // Every radio's click handler has the same body: the group drawn anew.
    for (QAbstractButton* radio : radios_)
        connect(radio, &QAbstractButton::clicked, this, [this] { ColourByCheckState(radios_); });
}

}  // namespace tulvarine::platform
