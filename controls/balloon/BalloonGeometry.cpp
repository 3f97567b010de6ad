// The geometry tables of the balloon outline, one switch per table so that
// each row can be read against its neighbours.
#include "controls/balloon/BalloonGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace kalmo {

BalloonRegionGeometry balloonRegionGeometry(TBalloonPosition position, int R, int B, int E, int I)
{
    BalloonRegionGeometry g;
    g.ellipse = E;
    g.hasPointer = position != bpNone;
    switch (position) {
    case bpTopLeft:
        g.body = {0, I, R, B};
        g.pointer = {{{E, 0}, {E, I}, {E + I, I}}};
        break;
    case bpLeftTop:
        g.body = {I, 0, R, B};
        g.pointer = {{{0, E}, {I, E}, {I, E + I}}};
        break;
    case bpTopRight:
        g.body = {0, I, R, B};
        g.pointer = {{{R - E, 0}, {R - E, I}, {R - E - I, I}}};
        break;
    case bpRightTop:
        g.body = {0, 0, R - I, B};
        g.pointer = {{{R, E}, {R - I - 1, E}, {R - I - 1, E + I}}};
        break;
    case bpBottomLeft:
        g.body = {0, 0, R, B - I};
        g.pointer = {{{E, B}, {E, B - I - 1}, {E + I, B - I - 1}}};
        break;
    case bpLeftBottom:
        g.body = {I, 0, R, B};
        g.pointer = {{{0, B - E}, {I, B - E}, {I, B - E - I}}};
        break;
    case bpBottomRight:
        g.body = {0, 0, R, B - I};
        g.pointer = {{{R - E, B}, {R - E, B - I - 1}, {R - E - I, B - I - 1}}};
        break;
    case bpRightBottom:
        g.body = {0, 0, R - I, B};
        g.pointer = {{{R, B - E}, {R - I - 1, B - E}, {R - I - 1, B - E - I}}};
        break;
    case bpNone:
        g.body = {0, 0, R, B};
        break;
    }
    return g;
}

// The painted figures sit one or two pixels inside the region on the right
// and bottom, and some rows differ by a pixel from their mirror images; the
// outline the users know is exactly this, so the rows are kept as they are.
BalloonPaintGeometry balloonPaintGeometry(TBalloonPosition position, int R, int B, int E, int I)
{
    BalloonPaintGeometry g;
    g.ellipse = E;
    g.hasPointer = position != bpNone;
    switch (position) {
    case bpTopLeft:
        g.body = {0, I, R - 1, B - 1};
        g.pointer = {{{E, 1}, {E, I}, {E + I - 1, I}}};
        g.seamFrom = {E + I - 1, I};
        g.seamTo = {E, I};
        break;
    case bpLeftTop:
        g.body = {I, 0, R - 1, B - 1};
        g.pointer = {{{0, E}, {I, E}, {I, E + I}}};
        g.seamFrom = {I, E};
        g.seamTo = {I, E + I - 1};
        break;
    case bpTopRight:
        g.body = {0, I, R - 1, B - 1};
        g.pointer = {{{R - E - 1, 1}, {R - E - 1, I}, {R - E - I, I}}};
        g.seamFrom = {R - E - I + 1, I};
        g.seamTo = {R - E, I};
        break;
    case bpRightTop:
        g.body = {0, 0, R - I - 1, B - 1};
        g.pointer = {{{R - 1, E}, {R - I - 2, E}, {R - I - 2, E + I}}};
        g.seamFrom = {R - I - 2, E};
        g.seamTo = {R - I - 2, E + I};
        break;
    case bpBottomLeft:
        g.body = {0, 0, R - 1, B - I - 1};
        g.pointer = {{{E, B - 1}, {E, B - I - 2}, {E + I, B - I - 2}}};
        g.seamFrom = {E + I - 1, B - I - 2};
        g.seamTo = {E, B - I - 2};
        break;
    case bpLeftBottom:
        g.body = {I, 0, R - 1, B - 1};
        g.pointer = {{{1, B - E - 1}, {I, B - E - 1}, {I, B - E - I}}};
        g.seamFrom = {I, B - E - 1};
        g.seamTo = {I, B - E - I};
        break;
    case bpBottomRight:
        g.body = {0, 0, R - 1, B - I - 1};
        g.pointer = {{{R - E - 1, B - 1}, {R - E - 1, B - I - 2}, {R - E - I + 1, B - I - 2}}};
        g.seamFrom = {R - E - I + 1, B - I - 2};
        g.seamTo = {R - E, B - I - 2};
        break;
    case bpRightBottom:
        g.body = {0, 0, R - I - 1, B - 1};
        g.pointer = {{{R - 2, B - E - 1}, {R - I - 2, B - E - 1}, {R - I - 2, B - E - I}}};
        g.seamFrom = {R - I - 2, B - E - 1};
        g.seamTo = {R - I - 2, B - E - I};
        break;
    case bpNone:
        g.body = {0, 0, R - 1, B - 1};
        break;
    }
    return g;
}

std::vector<BalloonSpan> roundRectRegionRows(const BalloonRect& rect, int ellipse)
{
    std::vector<BalloonSpan> rows;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return rows;
    const double rx = std::clamp(ellipse, 0, width) / 2.0;
    const double ry = std::clamp(ellipse, 0, height) / 2.0;
    rows.reserve(static_cast<std::size_t>(height));
    for (int y = rect.top; y < rect.bottom; ++y) {
        const double centre = y + 0.5;
        double dy = 0.0;
        if (centre < rect.top + ry)
            dy = rect.top + ry - centre;
        else if (centre > rect.bottom - ry)
            dy = centre - (rect.bottom - ry);
        int inset = 0;
        if (dy > 0.0 && ry > 0.0) {
            const double t = dy / ry;
            const double dx = rx * std::sqrt(std::max(0.0, 1.0 - t * t));
            inset = std::max(0, static_cast<int>(std::ceil(rx - dx - 0.5)));
        }
        if (rect.left + inset < rect.right - inset)
            rows.push_back({y, rect.left + inset, rect.right - inset});
    }
    return rows;
}

std::optional<BalloonPoint> lastPixelOfLine(BalloonPoint from, BalloonPoint to)
{
    const int dx = to.x - from.x;
    const int dy = to.y - from.y;
    const int steps = std::max(std::abs(dx), std::abs(dy));
    if (steps == 0)
        return std::nullopt;
    // One step back along the major axis; the minor axis follows the slope.
    const auto along = [steps](int delta) {
        return static_cast<int>(std::lround(static_cast<double>(delta) * (steps - 1) / steps));
    };
    return BalloonPoint{from.x + along(dx), from.y + along(dy)};
}

} // namespace kalmo
