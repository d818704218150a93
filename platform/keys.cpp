#include "platform/keys.h"

namespace tulvarine::platform {

int VirtualKeyCode(int qtKey) {
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) return qtKey;
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return kKeyF1 + (qtKey - Qt::Key_F1);
    return 0;
}

int ShiftState(Qt::KeyboardModifiers modifiers) {
    int state = 0;
    if (modifiers & Qt::ControlModifier) state += kShiftStateCtrl;
    if (modifiers & Qt::ShiftModifier) state += kShiftStateShift;
    if (modifiers & Qt::AltModifier) state += kShiftStateAlt;
    return state;
}

}  // namespace tulvarine::platform
