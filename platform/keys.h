// Key codes as the handlers take them: virtual key codes (65 = "A",
// 112 = F1) and a shift state that adds 1 for Ctrl, 2 for Shift, 4 for Alt.
#pragma once

#include <Qt>

namespace tulvarine::platform {

inline constexpr int kKeyA = 65;
inline constexpr int kKeyF1 = 112;
inline constexpr int kShiftStateCtrl = 1, kShiftStateShift = 2, kShiftStateAlt = 4;

// The virtual key code of a Qt key: letters and digits keep their ASCII codes,
// F1 to F24 become 112 to 135; other keys give 0.
int VirtualKeyCode(int qtKey);
int ShiftState(Qt::KeyboardModifiers modifiers);

}  // namespace tulvarine::platform
