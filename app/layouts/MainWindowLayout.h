// The main window's stored layout: the places of its labels, entry field,
// pictures and status bar. TForm1 applies it in one place.
#pragma once

#include "app/layouts/ControlPlace.h"

#include <array>

namespace kalmo::layout::main_window {

// Left, top, width, height in client pixels; later entries lie on top. The
// translation field and the status bar widen with the window.
constexpr std::array<ControlPlace, 9> controls{{
    {"StaticText1", {8, 8, 71, 17}},
    {"Label2", {8, 24, 37, 13}},
    {"StaticText2", {8, 59, 98, 17}},
    {"Label1", {8, 77, 37, 13}},
    {"StaticText3", {8, 101, 106, 17}},
    {"EntryEdit1", {8, 120, 453, 21}, true},
    {"Image1", {8, 154, 90, 32}},
    {"Image2", {404, 8, 57, 54}},
    {"StatusBar1", {0, 195, 469, 19}, true},
}};

} // namespace kalmo::layout::main_window
