// Value types of the memo's input rules that the widget also needs: mouse
// buttons, pointer shapes and the right-click menu as data.
#pragma once

#include <string>

namespace kalmo {

enum class TMouseButton { mbLeft, mbRight, mbMiddle };
enum class TCursorShape { crIBeam, crArrow, crHandPoint };

// One entry of the memo's built-in context menu; command 0 for separators.
struct TMemoMenuItem {
    std::string text;
    int command;
    bool grayed;
    bool separator;
    friend bool operator==(const TMemoMenuItem&, const TMemoMenuItem&) = default;
};

// The numbers the menu's entries send back through MenuCommand.
namespace memo_command {
constexpr int Copy = 1;
constexpr int Cut = 2;
constexpr int Paste = 3;
constexpr int SelectAll = 4;
constexpr int Undo = 5;
constexpr int Redo = 6;
constexpr int DeleteSelection = 7;
} // namespace memo_command

} // namespace kalmo
