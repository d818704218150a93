// The two rules every page applies to its radio and check groups, and the
// ten-radio genetic-code group of the Translation and getORF pages.
#pragma once

#include <QObject>

#include <array>
#include <span>

#include "model/genetic_codes.h"

class QAbstractButton;

namespace tulvarine::platform {

// The genetic code chosen in a group of ten radios laid out in the fixed order
// of the codes: the first checked one among the first nine gives its code;
// none of them checked gives the tenth's (the tenth is never tested). Any thread.
GeneticCode CheckedGeneticCode(const std::array<QAbstractButton*, 10>& radios);

// Draws every member of a group blue when it is checked and black otherwise,
// in layout order. GUI thread.
void ColourByCheckState(std::span<QAbstractButton* const> group);

// Ten genetic-code radios in the fixed order of the codes: a click on any of
// them draws the group anew (ColourByCheckState). Lives as long as its parent.
class GeneticCodeGroup : public QObject {
public:
    GeneticCodeGroup(const std::array<QAbstractButton*, 10>& radios, QObject* parent);
    // The chosen code (CheckedGeneticCode).
    GeneticCode Chosen() const { return CheckedGeneticCode(radios_); }

private:
    std::array<QAbstractButton*, 10> radios_;
};

}  // namespace tulvarine::platform
