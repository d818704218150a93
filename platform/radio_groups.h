// The two rules every page applies to its radio and check groups.
#pragma once

#include <array>
#include <span>

class QAbstractButton;

namespace tulvarine::platform {

// The genetic-code index chosen in a group of ten radios laid out in the fixed
// order of the codes: the first checked one among the first nine gives its
// code's index; none of them checked gives 11 (the tenth is never tested).
// Any thread.
int GeneticCodeIndex(const std::array<QAbstractButton*, 10>& radios);

// Draws every member of a group blue when it is checked and black otherwise,
// in layout order. GUI thread.
void ColourByCheckState(std::span<QAbstractButton* const> group);

}  // namespace tulvarine::platform
