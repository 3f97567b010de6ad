// Qt keys and modifiers as the controls' key codes; see QtKeys.h.
#include "controls/qt/QtKeys.h"

#include <QKeyEvent>

namespace kalmo {

KeyCode toKeyCode(int qtKey)
{
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return vk::LetterA + (qtKey - Qt::Key_A);
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return vk::Digit0 + (qtKey - Qt::Key_0);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return vk::F1 + (qtKey - Qt::Key_F1);
    switch (qtKey) {
    case Qt::Key_Backspace: return vk::Backspace;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return vk::Tab;
    case Qt::Key_Return:
    case Qt::Key_Enter: return vk::Enter;
    case Qt::Key_Shift: return vk::Shift;
    case Qt::Key_Control: return vk::Control;
    case Qt::Key_Alt: return vk::Alt;
    case Qt::Key_Escape: return vk::Escape;
    case Qt::Key_Space: return vk::Space;
    case Qt::Key_PageUp: return vk::PageUp;
    case Qt::Key_PageDown: return vk::PageDown;
    case Qt::Key_End: return vk::End;
    case Qt::Key_Home: return vk::Home;
    case Qt::Key_Left: return vk::Left;
    case Qt::Key_Up: return vk::Up;
    case Qt::Key_Right: return vk::Right;
    case Qt::Key_Down: return vk::Down;
    case Qt::Key_Insert: return vk::Insert;
    case Qt::Key_Delete: return vk::Delete;
    default: return 0;
    }
}

ShiftState toShiftState(Qt::KeyboardModifiers modifiers)
{
    ShiftState state = 0;
    if (modifiers & Qt::ShiftModifier)
        state |= ssShift;
    if (modifiers & Qt::ControlModifier)
        state |= ssCtrl;
    if (modifiers & Qt::AltModifier)
        state |= ssAlt;
    return state;
}

std::u32string typedText(const QKeyEvent& event)
{
    const KeyCharacter typed = keyCharacter(toKeyCode(event.key()), toShiftState(event.modifiers()));
    switch (typed.kind) {
    case KeyCharacter::Kind::Character: return std::u32string(1, typed.character);
    case KeyCharacter::Kind::LayoutText: break;
    case KeyCharacter::Kind::Nothing: return {};
    }
    // The layout's control characters are not typing: Delete's text is 127.
    std::u32string text;
    for (const char32_t ch : event.text().toUcs4())
        if (ch >= 0x20 && ch != 0x7F)
            text += ch;
    return text;
}

} // namespace kalmo
