// Paths, layer values and caption layout of the glass button.
#include "controls/glass/GlassGeometry.h"

#include <cstdlib>

namespace kalmo {
namespace {

constexpr ColorValue focusOutlineColor = 0x00808080;
constexpr ColorValue disabledCaptionColor = 0x00808080;
constexpr std::uint8_t bodyAlpha = 127;
constexpr std::uint8_t glowAlpha = 173;
constexpr std::uint8_t sheenAlpha = 153;

Argb argbFromBytes(std::uint8_t alpha, ColorValue color)
{
    return (Argb{alpha} << 24) | (static_cast<Argb>(redOf(color)) << 16) | (static_cast<Argb>(greenOf(color)) << 8)
        | static_cast<Argb>(blueOf(color));
}

PathSegment arc(int x, int y, int side, float start)
{
    PathSegment s;
    s.kind = PathSegment::Kind::Arc;
    s.box = {static_cast<float>(x), static_cast<float>(y), static_cast<float>(side), static_cast<float>(side)};
    s.startAngle = start;
    s.sweepAngle = 90;
    return s;
}

PathSegment line(int x1, int y1, int x2, int y2)
{
    PathSegment s;
    s.kind = PathSegment::Kind::Line;
    s.from = {static_cast<float>(x1), static_cast<float>(y1)};
    s.to = {static_cast<float>(x2), static_cast<float>(y2)};
    return s;
}

// The one builder of the rounded shapes. A corner of radius 0 has no arc: the
// lines alone then make the plain rectangle.
GlassPath roundedPath(int x, int y, int w, int h, int r, bool roundBottom)
{
    GlassPath path;
    auto addArc = [&](int ax, int ay, float start) {
        if (r > 0)
            path.segments.push_back(arc(ax, ay, 2 * r, start));
    };
    addArc(x, y, 180);
    path.segments.push_back(line(x + r, y, x + w - r, y));
    addArc(x + w - 2 * r, y, 270);
    if (roundBottom) {
        path.segments.push_back(line(x + w, y + r, x + w, y + h - r));
        addArc(x + w - 2 * r, y + h - 2 * r, 0);
        path.segments.push_back(line(x + w - r, y + h, x + r, y + h));
        addArc(x, y + h - 2 * r, 90);
        path.segments.push_back(line(x, y + h - r, x, y + r));
    } else {
        path.segments.push_back(line(x + w, y + r, x + w, y + h));
        path.segments.push_back(line(x + w, y + h, x, y + h));
        path.segments.push_back(line(x, y + h, x, y + r));
    }
    path.closed = true;
    return path;
}

} // namespace

Argb ColorBytesToArgb(std::uint8_t alpha, ColorValue color)
{
    // The stored bytes as they are: a system colour index is not resolved here.
    return argbFromBytes(alpha, color);
}

Argb ColorToOpaqueArgb(ColorValue color, const SystemColorResolver& resolve)
{
    if (isSystemColor(color) && resolve)
        color = resolve(color);
    return argbFromBytes(255, color);
}

GlassPath RoundRectPath(int x, int y, int w, int h, int r)
{
    return roundedPath(x, y, w, h, r, true);
}

GlassPath TopRoundedRectPath(int x, int y, int w, int h, int r)
{
    return roundedPath(x, y, w, h, r, false);
}

GlassPath GlowEllipsePath(int width, int height)
{
    // Single precision and this order of operations give the ellipse the exact
    // box the look was tuned with.
    const float bw = static_cast<float>(width - 4);
    const float bh = static_cast<float>(height - 4);
    PathSegment e;
    e.kind = PathSegment::Kind::Ellipse;
    e.box.x = 1.0f - 0.35f * bw;
    e.box.y = 1.0f - 0.15f * bh;
    e.box.width = 1.7f * bw;
    e.box.height = 2.3f * bh;
    GlassPath path;
    path.segments.push_back(e);
    path.closed = true;
    return path;
}

GlassLayers BuildGlassLayers(const GlassButtonModel& button, const SystemColorResolver& resolve)
{
    const int w = button.Width();
    const int h = button.Height();
    const int r = button.CornerRadius();
    GlassLayers layers;

    layers.outerOutline = RoundRectPath(0, 0, w - 1, h - 1, r);
    layers.outerPen = ColorToOpaqueArgb(button.OuterBorderColor(), resolve);

    layers.body = RoundRectPath(1, 1, w - 3, h - 3, r);
    layers.bodyFill = ColorBytesToArgb(bodyAlpha, button.BackColor());

    layers.glow = button.GlowVisible();
    if (layers.glow) {
        layers.glowClip = layers.body;
        layers.glowEllipse = GlowEllipsePath(w, h);
        layers.glowCentre = ColorBytesToArgb(glowAlpha, button.GlowColor());
        layers.glowSurround = ColorBytesToArgb(0, button.GlowColor());
    }

    layers.sheen = w - 3 > 0 && (h - 3) / 2 > 0;
    if (layers.sheen) {
        const int hs = (h - 3) / 2 + 1;
        layers.sheenPath = TopRoundedRectPath(1, 1, w - 3, hs, r);
        layers.sheenGradient = {1, 1, static_cast<float>(w - 4), static_cast<float>(hs)};
        layers.sheenTop = ColorBytesToArgb(sheenAlpha, button.ShineColor());
        layers.sheenBottom = ColorBytesToArgb(sheenAlpha / 3, button.ShineColor());
    }

    layers.innerOutline = layers.body;
    layers.innerPen = ColorToOpaqueArgb(button.InnerBorderColor(), resolve);
    return layers;
}

std::string ExpandCaptionLineBreaks(const std::string& caption)
{
    std::string out;
    out.reserve(caption.size());
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '\\' && i + 1 < caption.size() && (caption[i + 1] == 'n' || caption[i + 1] == 'N')) {
            out += "\n\r";
            ++i;
        } else {
            out += caption[i];
        }
    }
    return out;
}

int FontPointSize(int height, int pixelsPerInch)
{
    if (pixelsPerInch <= 0)
        return 0;
    const long long scaled = static_cast<long long>(std::abs(height)) * 72;
    return static_cast<int>((2 * scaled + pixelsPerInch) / (2LL * pixelsPerInch));
}

PointI FallbackCaptionOrigin(int width, int height, int textWidth, int textHeight)
{
    return {(width - textWidth) / 2, (height - textHeight) / 2};
}

CaptionLayout BuildCaptionLayout(const GlassButtonModel& button, int pixelsPerInch, bool focused,
                                 const SystemColorResolver& resolve)
{
    const int w = button.Width();
    const int h = button.Height();
    CaptionLayout layout;

    layout.focusOutline = focused && button.ShowFocusRect();
    if (layout.focusOutline) {
        // Small radii would go negative here; a square corner is the sensible reading.
        const int radius = button.CornerRadius() > 2 ? button.CornerRadius() - 2 : 0;
        layout.focusPath = RoundRectPath(4, 4, w - 8, h - 8, radius);
        layout.focusPen = ColorToOpaqueArgb(focusOutlineColor, resolve);
    }

    if (!button.ShowCaption() || button.Caption().empty())
        return layout;
    layout.draw = true;
    layout.text = ExpandCaptionLineBreaks(button.Caption());

    const GlassFont& font = button.Font();
    layout.fontName = font.Name;
    layout.pointSize = FontPointSize(font.Height, pixelsPerInch);
    layout.bold = font.Bold;
    layout.italic = font.Italic;
    layout.underline = font.Underline;
    layout.color = ColorToOpaqueArgb(button.Enabled() ? font.Color : disabledCaptionColor, resolve);

    // No picture is placed beside the caption, so its width here is 0.
    const int pictureWidth = 0;
    layout.box = {2 + pictureWidth, 0, w - 2 - pictureWidth, h};
    switch (button.Layout()) {
    case blGlyphLeftAdjusted: layout.horizontal = TextAlign::Near; break;
    case blGlyphRightAdjusted: layout.horizontal = TextAlign::Far; break;
    case blGlyphTopAdjusted: layout.vertical = TextAlign::Near; break;
    case blGlyphBottomAdjusted: layout.vertical = TextAlign::Far; break;
    default: break;
    }
    return layout;
}

} // namespace kalmo
