// Colour values as the controls store them: 0x00BBGGRR, or a system colour
// index when the high byte is 0xFF. Kept in this form in core so that stored
// layout values compare exactly; the widget layer converts them in one place.
#pragma once

#include <cstdint>

namespace kalmo {

using ColorValue = std::uint32_t;

constexpr ColorValue clNone = 0x1FFFFFFF;

constexpr ColorValue clWindow = 0xFF000005;
constexpr ColorValue clWindowText = 0xFF000008;
constexpr ColorValue clHighlight = 0xFF00000D;
constexpr ColorValue clBtnFace = 0xFF00000F;

constexpr ColorValue clBlack = 0x00000000;
constexpr ColorValue clWhite = 0x00FFFFFF;
constexpr ColorValue clSilver = 0x00C0C0C0;
constexpr ColorValue clGray = 0x00808080;
constexpr ColorValue clMedGray = 0x00A4A0A0;
constexpr ColorValue clNavy = 0x00800000;
constexpr ColorValue clBlue = 0x00FF0000;
constexpr ColorValue clRed = 0x000000FF;
constexpr ColorValue clYellow = 0x0000FFFF;

constexpr bool isSystemColor(ColorValue color) { return (color >> 24) == 0xFF; }
constexpr int systemColorIndex(ColorValue color) { return static_cast<int>(color & 0xFF); }

constexpr int redOf(ColorValue color) { return static_cast<int>(color & 0xFF); }
constexpr int greenOf(ColorValue color) { return static_cast<int>((color >> 8) & 0xFF); }
constexpr int blueOf(ColorValue color) { return static_cast<int>((color >> 16) & 0xFF); }
constexpr ColorValue rgbColor(int red, int green, int blue)
{
    return static_cast<ColorValue>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}

} // namespace kalmo
