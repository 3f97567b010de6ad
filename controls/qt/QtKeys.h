// The one place where Qt keys and modifiers become the controls' key codes.
#pragma once

#include "base/KeyCodes.h"

#include <Qt>

namespace kalmo {

// 0 for a key the controls do not know.
KeyCode toKeyCode(int qtKey);
ShiftState toShiftState(Qt::KeyboardModifiers modifiers);

} // namespace kalmo
