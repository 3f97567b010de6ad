// The CLOSE glass button of the About and Help windows as stored: caption,
// font, colours, transparency and glow, one record per window.
#pragma once

#include "base/Color.h"

namespace kalmo::layout {

struct CloseButtonLayout {
    const char* caption;
    const char* fontName; // bold, at fontPixels
    int fontPixels;
    ColorValue fontColor;
    ColorValue backColor;
    bool forceTransparent;
    ColorValue glowColor;
};

} // namespace kalmo::layout
