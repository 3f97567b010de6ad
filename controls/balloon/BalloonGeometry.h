// The balloon's outline as integer arithmetic: the window region (rounded
// body plus pointer triangle) and the painted figures (body, pointer, seam)
// for every pointer position. Kept apart from the component so that the
// tables can be checked pixel by pixel without a window system.
//
// Rectangles follow the convention the tables are written in: (left, top,
// right, bottom) covers the pixels left..right-1 and top..bottom-1. A line
// from A to B sets every pixel on the way except B itself.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace kalmo {

// The side of the body the pointer sticks out of, then the corner it sits
// next to. The order is the stored order of the layouts.
enum TBalloonPosition : std::uint8_t {
    bpTopLeft = 0,
    bpLeftTop = 1,
    bpTopRight = 2,
    bpRightTop = 3,
    bpBottomLeft = 4,
    bpLeftBottom = 5,
    bpBottomRight = 6,
    bpRightBottom = 7,
    bpNone = 8,
};

struct BalloonPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const BalloonPoint&, const BalloonPoint&) = default;
};

struct BalloonRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const BalloonRect&, const BalloonRect&) = default;
};

struct BalloonSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const BalloonSize&, const BalloonSize&) = default;
};

// One row of a region: pixels left..right-1 on row y.
struct BalloonSpan {
    int y = 0;
    int left = 0;
    int right = 0;
    friend bool operator==(const BalloonSpan&, const BalloonSpan&) = default;
};

using BalloonTriangle = std::array<BalloonPoint, 3>;

// What the window is cut to: a body with E x E rounded corners, united with
// the pointer triangle (filled by the winding rule) unless there is none.
struct BalloonRegionGeometry {
    BalloonRect body;
    int ellipse = 0;
    bool hasPointer = false;
    BalloonTriangle pointer{};
    friend bool operator==(const BalloonRegionGeometry&, const BalloonRegionGeometry&) = default;
};

// What is drawn on the surface, in this order: the rounded body, the
// pointer polygon, then the seam line in the fill colour over the body's
// outline where the pointer joins it.
struct BalloonPaintGeometry {
    BalloonRect body;
    int ellipse = 0;
    bool hasPointer = false;
    BalloonTriangle pointer{};
    BalloonPoint seamFrom;
    BalloonPoint seamTo;
    friend bool operator==(const BalloonPaintGeometry&, const BalloonPaintGeometry&) = default;
};

// R and B are the client width and height, E the corner ellipse, I the indent.
BalloonRegionGeometry balloonRegionGeometry(TBalloonPosition position, int R, int B, int E, int I);
BalloonPaintGeometry balloonPaintGeometry(TBalloonPosition position, int R, int B, int E, int I);

// The rows of a rectangle region whose corners are cut by an ellipse of
// ellipse x ellipse pixels, top to bottom. A pixel belongs to it when its
// centre lies inside the rounded outline. An ellipse larger than the
// rectangle is shrunk to fit, as a rounded rectangle cannot be rounder
// than its own size; an empty rectangle has no rows.
std::vector<BalloonSpan> roundRectRegionRows(const BalloonRect& rect, int ellipse);

// The last pixel a line from `from` to `to` sets, the end point being left
// out; none when the line has no length. Exact for the horizontal and
// vertical lines the seam uses.
std::optional<BalloonPoint> lastPixelOfLine(BalloonPoint from, BalloonPoint to);

} // namespace kalmo
