// The words of `kalmo script` that need more than a table lookup: key
// presses with their modifiers, the character a key produces, and the
// escapes of clipboard text.
#pragma once

#include "base/KeyCodes.h"

#include <optional>
#include <string>

namespace kalmo {

struct ScriptKeyPress {
    KeyCode key = 0;
    ShiftState shift = 0;
};

// "NAME [Shift] [Ctrl] [Alt]"; nullopt for an unknown name or modifier.
std::optional<ScriptKeyPress> parsePaneKey(const std::string& argument);

// The character message a key press produces on a US keyboard, if any:
// keyCharacter's rule, with a US layout's text for letters and digits.
std::optional<char32_t> characterOfKey(const ScriptKeyPress& press);

// "\n", "\r", "\t" and "\\" in script text stand for LF, CR, tab and backslash.
std::string unescapeScriptText(const std::string& text);
std::string escapeScriptText(const std::string& text);

} // namespace kalmo
