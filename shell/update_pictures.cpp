#include "shell/update_pictures.h"

#include <QPainter>

namespace tulvarine {

void DrawWaitingDisc(QPainter& painter, int filledSteps) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::white, 1));
    painter.setBrush(Qt::white);
    painter.drawEllipse(kWaitingDiscBox);
    painter.setPen(QPen(kWaitingFill, 1));
    painter.setBrush(kWaitingFill);
    if (filledSteps >= kWaitingSteps) {
        painter.drawEllipse(kWaitingDiscBox);
    } else if (filledSteps > 0) {
        // Qt counts angles in sixteenths of a degree, counter-clockwise from 3 o'clock.
        constexpr int kTwelveOClock = 90 * 16;
        painter.drawPie(kWaitingDiscBox, kTwelveOClock, -filledSteps * 45 * 16);
    }
    painter.restore();
}

QImage InformationPicture() { return QImage(":/tulvarine/information.jpg"); }

}  // namespace tulvarine
