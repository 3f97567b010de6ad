// Every key of the program in one list, for the window that shows them: the
// menu's shortcuts from the table of menu commands, the Alt+letter keys of
// the menu bar from its table of menus, the main window's entry
// keys, and the lower pane's editing keys from the memo's own list. Reading
// those tables keeps the list from drifting away from the keys.
#pragma once

#include "controls/KeyCodes.h"
#include "job/MenuCommands.h"

#include <string>
#include <vector>

namespace kalmo {

struct KeyboardShortcut {
    std::string keys; // as shortCutText writes them
    std::string action;
    std::string where;
};

// "Ctrl+Shift+O", "F3", "Alt+Backspace": modifiers in the order Ctrl, Alt, Shift.
std::string shortCutText(ShortCut value);

inline constexpr const char* kMenuKeysPlace = "Menu, in every window";
inline constexpr const char* kMenuBarKeysPlace = "Main window";

// The keys under a scheme.
std::vector<KeyboardShortcut> keyboardShortcuts(KeyScheme scheme);

} // namespace kalmo
