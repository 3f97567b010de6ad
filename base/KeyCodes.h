// The key codes and modifier flags that the controls' key tables speak, the
// one rule for the character a key types, and the key scheme. The widget
// layer translates Qt keys into these once (QtKeys.h).
#pragma once

#include <cstdint>

namespace kalmo {

using KeyCode = int;

namespace vk {
constexpr KeyCode Backspace = 8;
constexpr KeyCode Tab = 9;
constexpr KeyCode Enter = 13;
constexpr KeyCode Shift = 16;
constexpr KeyCode Control = 17;
constexpr KeyCode Alt = 18;
constexpr KeyCode Escape = 27;
constexpr KeyCode Space = 32;
constexpr KeyCode PageUp = 33;
constexpr KeyCode PageDown = 34;
constexpr KeyCode End = 35;
constexpr KeyCode Home = 36;
constexpr KeyCode Left = 37;
constexpr KeyCode Up = 38;
constexpr KeyCode Right = 39;
constexpr KeyCode Down = 40;
constexpr KeyCode Insert = 45;
constexpr KeyCode Delete = 46;
constexpr KeyCode Digit0 = 48;  // '0'..'9' are 48..57
constexpr KeyCode LetterA = 65; // 'A'..'Z' are 65..90
constexpr KeyCode F1 = 112;
constexpr KeyCode F2 = 113;
constexpr KeyCode F3 = 114;
constexpr KeyCode F4 = 115;
} // namespace vk

// Modifier state held while a key or mouse button is pressed.
enum ShiftFlag : std::uint8_t {
    ssShift = 1,
    ssAlt = 2,
    ssCtrl = 4,
};
using ShiftState = std::uint8_t;

constexpr bool hasShift(ShiftState state) { return (state & ssShift) != 0; }
constexpr bool hasCtrl(ShiftState state) { return (state & ssCtrl) != 0; }
constexpr bool hasAlt(ShiftState state) { return (state & ssAlt) != 0; }

// A menu shortcut: key code in the low byte plus 0x4000 Ctrl, 0x2000 Shift, 0x8000 Alt.
using ShortCut = std::uint16_t;
constexpr ShortCut shortCut(KeyCode key, ShiftState state)
{
    return static_cast<ShortCut>((key & 0xFF) | (hasCtrl(state) ? 0x4000 : 0) | (hasShift(state) ? 0x2000 : 0)
                                 | (hasAlt(state) ? 0x8000 : 0));
}

// The character a key press delivers, as the platform's character messages
// do: the one rule for every control and for `kalmo script`. Only the text a
// keyboard layout attaches to a key is left to the caller (LayoutText).
struct KeyCharacter {
    enum class Kind { Nothing, Character, LayoutText };
    Kind kind = Kind::Nothing;
    char32_t character = 0; // with Kind::Character
};

constexpr KeyCharacter keyCharacter(KeyCode key, ShiftState state)
{
    constexpr KeyCharacter nothing{};
    constexpr KeyCharacter layoutText{KeyCharacter::Kind::LayoutText};
    const auto typed = [](char32_t ch) { return KeyCharacter{KeyCharacter::Kind::Character, ch}; };
    // Alt makes a system character that the controls never see; Ctrl+Alt is
    // AltGr, where the layout decides.
    if (hasAlt(state))
        return hasCtrl(state) ? layoutText : nothing;
    const bool ctrl = hasCtrl(state);
    switch (key) {
    case vk::Enter: return typed(ctrl ? U'\n' : U'\r');
    case vk::Backspace: return typed(ctrl ? char32_t{127} : U'\b');
    case vk::Tab: return ctrl ? nothing : typed(U'\t');
    case vk::Escape: return typed(char32_t{27});
    default: break;
    }
    // Ctrl with a letter is its control character (Ctrl+C is 3); with
    // anything else it types nothing.
    if (ctrl)
        return key >= vk::LetterA && key < vk::LetterA + 26 ? typed(static_cast<char32_t>(key - vk::LetterA + 1))
                                                             : nothing;
    return layoutText;
}

// "Classic" keeps every key as the program always had it; "Common" frees
// Ctrl+X/C/V/A/Z/Y for the focused control and exits with Ctrl+Q. The menu
// and the memo's key table both follow it.
enum class KeyScheme { Classic, Common };

} // namespace kalmo
