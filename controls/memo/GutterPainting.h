// What the gutter painter draws, computed as data: the line-number text and
// its x offset, and the colour bands of the gutter's horizontal gradient.
// The widget only turns these into QPainter calls.
#pragma once

#include "base/Color.h"
#include "controls/memo/MemoSettings.h"

#include <string>
#include <vector>

namespace kalmo {

struct GutterNumber {
    std::string Text;
    int X = 0; // from the gutter's left edge
};

// The number shown for line `lineIndex`: the line plus LineNumberStart,
// zero-padded to DigitCount when ShowLeadingZeros is set, then NumberSuffix;
// right-aligned on an 8-pixel digit grid (24, 16, 8, 0 for 1, 2, 3, 4+ characters).
GutterNumber gutterNumber(const TMemoGutter& gutter, int lineIndex);

struct GradientBand {
    TRect Rect;
    ColorValue Color = clBlack;
};

// The horizontal gradient from `from` to `to` over `area` in `steps` bands
// (0 counts as 1). Both colours must already be plain RGB values: the widget
// resolves system colours before asking. The last band stays one step short of `to`.
std::vector<GradientBand> gradientBands(ColorValue from, ColorValue to, const TRect& area, int steps = 48);

} // namespace kalmo
