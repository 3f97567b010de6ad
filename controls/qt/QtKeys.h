// The one place where Qt keys and modifiers become the controls' key codes,
// and a key event the characters it types.
#pragma once

#include "base/KeyCodes.h"

#include <Qt>

#include <string>

class QKeyEvent;

namespace kalmo {

// 0 for a key the controls do not know.
KeyCode toKeyCode(int qtKey);
ShiftState toShiftState(Qt::KeyboardModifiers modifiers);

// What a key event types under keyCharacter's rule: its fixed character,
// nothing, or the text the keyboard layout attaches to the key less its
// control characters.
std::u32string typedText(const QKeyEvent& event);

} // namespace kalmo
