// What the "Update" window draws on its canvas: the waiting animation (a disc
// filling clockwise in eight steps) and the information sign shown once the
// check has ended.
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>

class QPainter;

namespace tulvarine {

// The disc of the waiting animation on the 130 x 82 canvas, and its fill colour.
inline constexpr QRect kWaitingDiscBox{35, 10, 60, 60};
inline const QColor kWaitingFill{52, 101, 167};
// Steps of one animation cycle, each 45 degrees of the disc.
inline constexpr int kWaitingSteps = 8;

// Draws a white disc and, over it, the slice of filledSteps x 45 degrees that
// grows clockwise from 12 o'clock (kWaitingSteps fills the whole disc).
void DrawWaitingDisc(QPainter& painter, int filledSteps);

// The information sign: a blue disc with a white letter i (314 x 300).
QImage InformationPicture();

}  // namespace tulvarine
