// The Help window's stored layout: window size and place, the memo's and
// the button's bounds and settings, the balloon's values and the help text.
// TForm4 applies it in one place.
#pragma once

#include "app/layouts/CloseButtonLayout.h"
#include "app/layouts/ControlPlace.h"
#include "base/Color.h"

#include <array>

namespace kalmo::layout::help {

constexpr int clientWidth = 680;
constexpr int clientHeight = 318;
constexpr int left = 0;
constexpr int top = 0;
constexpr const char* caption = "Help";
constexpr const char* fontName = "Tahoma";
constexpr int fontPixels = 11;

// CodeMemo1 is anchored left, top and right: it keeps its distance to the
// window's right edge when the window's width changes.
constexpr ControlBounds CodeMemo1{8, 8, 667, 266};
constexpr int CodeMemo1RightGap = clientWidth - (CodeMemo1.left + CodeMemo1.width);
constexpr ControlBounds GlassButton1{296, 280, 81, 23};

// The help text is anchored to the right edge as well as to the left and top.
constexpr std::array<ControlPlace, 2> controls{{
    {"CodeMemo1", CodeMemo1, true},
    {"GlassButton1", GlassButton1},
}};

// The glow is light blue, stored as 16760205.
constexpr CloseButtonLayout closeButton{"CLOSE", "Verdana", 13, clBlack, clWhite, true, 0x00FFBD8D};

constexpr int balloonEllips = 20;
constexpr int balloonIndent = 15;

// Lines 2 and 10 are empty.
constexpr std::array<const char*, 15> helpLines{
    "Quick Help",
    "",
    "From FILE menu choose \"Load Sourcefile\" or press CTRL-o.",
    "The file will be read and only the lines that need translations are shown.",
    "With your UP and DOWN arrowkeys you can navigate through the file. Any changes you make",
    "will be instanty changed.",
    "When you exit the program, the translated file will be saved in the same folder as the",
    "sourcefile with the same name, but TRANSLATED will be added to the name.",
    "Copy it to the correct language folder and you are done.",
    "",
    "From the View menu you can choose to show the sourcefiles. This can be handy sometimes.",
    "If for some reason a to be translated line is not shown correctly, press F1. This will",
    "allow you to edit the complete line.",
    "Press F2 will open the sourcewindow and give you a full texteditor (bottom editor).",
    "Press F2 again to leave this mode and return to line editing from the mainwindow.",
};

} // namespace kalmo::layout::help
