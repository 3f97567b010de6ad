// The About window's stored layout: window size, control places and the
// texts, fonts and colours of its controls. TForm3 applies it in one place.
#pragma once

#include "app/layouts/CloseButtonLayout.h"
#include "app/layouts/ControlPlace.h"
#include "base/Color.h"

#include <array>

namespace kalmo::layout::about {

constexpr int clientWidth = 638;
constexpr int clientHeight = 477;
constexpr const char* caption = "About";
constexpr const char* fontName = "Verdana";
constexpr int fontPixels = 16;

// The picture is one pixel left and two up of the client area, as stored.
constexpr ControlBounds Image1{-1, -2, 640, 480};
constexpr ControlBounds Label1{24, 24, 91, 18};
constexpr ControlBounds Label2{24, 56, 47, 13};
constexpr ControlBounds Image2{540, 8, 90, 32};
constexpr ControlBounds GlassButton1{24, 424, 100, 32};

// Bottom to top: the labels, the logo and the button lie over the picture.
constexpr std::array<ControlPlace, 5> controls{{
    {"Image1", Image1},
    {"Label1", Label1},
    {"Label2", Label2},
    {"Image2", Image2},
    {"GlassButton1", GlassButton1},
}};

constexpr const char* Label1Caption = "Langmill";
constexpr int Label1FontPixels = 16;
constexpr int Label2FontPixels = 11;

constexpr const char* versionPrefix = "Version: ";
constexpr const char* versionFormat = "%d.%d.%d.%d";

// The glow is light blue, stored as 16760205.
constexpr CloseButtonLayout closeButton{"CLOSE", "Tahoma", 19, clSilver, clBlack, false, 0x00FFBD8D};

} // namespace kalmo::layout::about
