// Every key of the program in one list, for the window that shows them: the
// menu's shortcuts from the table of menu commands, the Alt+letter keys of
// the menu bar from its table of menus, the main window's entry
// keys, and the lower pane's editing keys from the memo's own list. Reading
// those tables keeps the list from drifting away from the keys.
#pragma once

#include "base/KeyCodes.h"
#include "app/menu/MenuCommands.h"

#include <array>
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

// The source viewer's keys for the size of its panes' text, written as Qt's
// key sequences read them; the viewer acts on them and the list shows them.
enum class PaneTextStep { Larger, Smaller, Stored };

struct PaneTextSizeKey {
    const char* keys;
    PaneTextStep step;
    const char* action;
};

inline constexpr std::array<PaneTextSizeKey, 4> kPaneTextSizeKeys{{
    {"Ctrl++", PaneTextStep::Larger, "Larger text in the panes (also Ctrl with the mouse wheel)"},
    {"Ctrl+=", PaneTextStep::Larger, "Larger text in the panes"},
    {"Ctrl+-", PaneTextStep::Smaller, "Smaller text in the panes"},
    {"Ctrl+0", PaneTextStep::Stored, "The panes' text at its first size"},
}};

inline constexpr const char* kViewerKeysPlace = "Source viewer";

// The keys under a scheme.
std::vector<KeyboardShortcut> keyboardShortcuts(KeyScheme scheme);

} // namespace kalmo
