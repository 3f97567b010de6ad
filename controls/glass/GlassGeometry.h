// The glass button's look as data: its rounded paths as segment lists, the
// six layers with their boxes, colours and alphas, and the caption's layout.
// The painter only translates this into drawing calls, so every number that
// shapes the button is decided and tested here.
//
// Angles follow the vector library the look was designed with: degrees,
// clockwise from the positive x axis, y pointing down. Pixel centres lie on
// integer coordinates, so a 1-pixel pen on x = 0 covers exactly column 0.
#pragma once

#include "base/Color.h"
#include "controls/glass/GlassButtonModel.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace kalmo {

// 0xAARRGGBB.
using Argb = std::uint32_t;

// Resolves a system colour to a plain 0x00BBGGRR value.
using SystemColorResolver = std::function<ColorValue(ColorValue)>;

Argb ColorBytesToArgb(std::uint8_t alpha, ColorValue color);
Argb ColorToOpaqueArgb(ColorValue color, const SystemColorResolver& resolve);

struct PointF {
    float x = 0;
    float y = 0;
    bool operator==(const PointF&) const = default;
};

struct RectF {
    float x = 0;
    float y = 0;
    float width = 0;
    float height = 0;
    bool operator==(const RectF&) const = default;
};

struct PathSegment {
    enum class Kind { Arc, Line, Ellipse };
    Kind kind = Kind::Line;
    RectF box;              // Arc: square bounding the full circle; Ellipse: its bounds
    float startAngle = 0;   // Arc only, clockwise degrees
    float sweepAngle = 0;   // Arc only, clockwise degrees
    PointF from;            // Line only
    PointF to;              // Line only
};

// One figure; closed figures join their last point to their first.
struct GlassPath {
    std::vector<PathSegment> segments;
    bool closed = false;
};

GlassPath RoundRectPath(int x, int y, int w, int h, int r);
GlassPath TopRoundedRectPath(int x, int y, int w, int h, int r);
GlassPath GlowEllipsePath(int width, int height);

struct GlassLayers {
    GlassPath outerOutline;
    Argb outerPen = 0;

    GlassPath body;
    Argb bodyFill = 0;

    bool glow = false;
    GlassPath glowClip;
    GlassPath glowEllipse;
    Argb glowCentre = 0;   // at the ellipse's centre
    Argb glowSurround = 0; // on its boundary

    bool sheen = false;
    GlassPath sheenPath;
    RectF sheenGradient;   // vertical gradient, repeating beyond this rectangle
    Argb sheenTop = 0;
    Argb sheenBottom = 0;

    GlassPath innerOutline;
    Argb innerPen = 0;
};

// The layers for the button's current state; normalise the state first.
GlassLayers BuildGlassLayers(const GlassButtonModel& button, const SystemColorResolver& resolve);

enum class TextAlign { Near, Centre, Far };

struct RectI {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const RectI&) const = default;
};

struct CaptionLayout {
    bool draw = false;        // false: nothing to draw
    std::string text;         // with escaped line breaks expanded
    std::string fontName;
    int pointSize = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    Argb color = 0;
    RectI box;                // the caption is aligned inside this box, wrapping allowed
    TextAlign horizontal = TextAlign::Centre;
    TextAlign vertical = TextAlign::Centre;
    bool focusOutline = false;
    GlassPath focusPath;
    Argb focusPen = 0;
};

// pixelsPerInch converts the font's pixel height to whole points; focused is
// whether the button holds the keyboard focus right now.
CaptionLayout BuildCaptionLayout(const GlassButtonModel& button, int pixelsPerInch, bool focused,
                                 const SystemColorResolver& resolve);

// Every backslash followed by n or N becomes a line feed and a carriage return.
std::string ExpandCaptionLineBreaks(const std::string& caption);

// A negative height is pixels of character height; the size is rounded to the
// nearest point, halves away from zero.
int FontPointSize(int height, int pixelsPerInch);

// Top-left corner for the plain-text fallback: the measured single line centred in the button.
struct PointI {
    int x = 0;
    int y = 0;
    bool operator==(const PointI&) const = default;
};
PointI FallbackCaptionOrigin(int width, int height, int textWidth, int textHeight);

} // namespace kalmo
