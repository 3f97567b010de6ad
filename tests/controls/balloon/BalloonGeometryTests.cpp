// The balloon's region and paint figures for every pointer position, worked
// out by hand for a 200 x 100 client with E = 20 and I = 15 (E and I differ
// so that a swapped term shows), plus the rounded-body rows and line ends.
#include "controls/balloon/BalloonGeometry.h"

#include <gtest/gtest.h>

#include <ostream>

namespace kalmo {

void PrintTo(const BalloonPoint& p, std::ostream* os) { *os << '(' << p.x << ", " << p.y << ')'; }
void PrintTo(const BalloonSpan& s, std::ostream* os) { *os << "row " << s.y << ": " << s.left << ".." << s.right; }
void PrintTo(const BalloonRect& r, std::ostream* os)
{
    *os << '(' << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ')';
}

namespace {

constexpr int R = 200;
constexpr int B = 100;
constexpr int E = 20;
constexpr int I = 15;

// A case named after the position of its pointer.
template <typename Case>
std::string positionName(const testing::TestParamInfo<Case>& info)
{
    static constexpr const char* names[] = {"TopLeft",    "LeftTop",     "TopRight",     "RightTop", "BottomLeft",
                                            "LeftBottom", "BottomRight", "RightBottom", "None"};
    return names[info.param.position];
}

struct RegionCase {
    TBalloonPosition position;
    BalloonRect body;
    BalloonTriangle pointer;
};

class RegionGeometry : public testing::TestWithParam<RegionCase> {};

TEST_P(RegionGeometry, BodyAndPointerFollowThePosition)
{
    const RegionCase& c = GetParam();
    const BalloonRegionGeometry g = balloonRegionGeometry(c.position, R, B, E, I);
    EXPECT_EQ(g.body, c.body);
    EXPECT_EQ(g.ellipse, E);
    ASSERT_TRUE(g.hasPointer);
    EXPECT_EQ(g.pointer, c.pointer);
}

INSTANTIATE_TEST_SUITE_P(AllPointerPositions, RegionGeometry,
    testing::Values(
        RegionCase{bpTopLeft, {0, 15, 200, 100}, {{{20, 0}, {20, 15}, {35, 15}}}},
        RegionCase{bpLeftTop, {15, 0, 200, 100}, {{{0, 20}, {15, 20}, {15, 35}}}},
        RegionCase{bpTopRight, {0, 15, 200, 100}, {{{180, 0}, {180, 15}, {165, 15}}}},
        RegionCase{bpRightTop, {0, 0, 185, 100}, {{{200, 20}, {184, 20}, {184, 35}}}},
        RegionCase{bpBottomLeft, {0, 0, 200, 85}, {{{20, 100}, {20, 84}, {35, 84}}}},
        RegionCase{bpLeftBottom, {15, 0, 200, 100}, {{{0, 80}, {15, 80}, {15, 65}}}},
        RegionCase{bpBottomRight, {0, 0, 200, 85}, {{{180, 100}, {180, 84}, {165, 84}}}},
        RegionCase{bpRightBottom, {0, 0, 185, 100}, {{{200, 80}, {184, 80}, {184, 65}}}}),
    positionName<RegionCase>);

struct PaintCase {
    TBalloonPosition position;
    BalloonRect body;
    BalloonTriangle pointer;
    BalloonPoint seamFrom;
    BalloonPoint seamTo;
};

class PaintGeometry : public testing::TestWithParam<PaintCase> {};

TEST_P(PaintGeometry, BodyPointerAndSeamFollowThePosition)
{
    const PaintCase& c = GetParam();
    const BalloonPaintGeometry g = balloonPaintGeometry(c.position, R, B, E, I);
    EXPECT_EQ(g.body, c.body);
    EXPECT_EQ(g.ellipse, E);
    ASSERT_TRUE(g.hasPointer);
    EXPECT_EQ(g.pointer, c.pointer);
    EXPECT_EQ(g.seamFrom, c.seamFrom);
    EXPECT_EQ(g.seamTo, c.seamTo);
}

INSTANTIATE_TEST_SUITE_P(AllPointerPositions, PaintGeometry,
    testing::Values(
        PaintCase{bpTopLeft, {0, 15, 199, 99}, {{{20, 1}, {20, 15}, {34, 15}}}, {34, 15}, {20, 15}},
        PaintCase{bpLeftTop, {15, 0, 199, 99}, {{{0, 20}, {15, 20}, {15, 35}}}, {15, 20}, {15, 34}},
        PaintCase{bpTopRight, {0, 15, 199, 99}, {{{179, 1}, {179, 15}, {165, 15}}}, {166, 15}, {180, 15}},
        PaintCase{bpRightTop, {0, 0, 184, 99}, {{{199, 20}, {183, 20}, {183, 35}}}, {183, 20}, {183, 35}},
        PaintCase{bpBottomLeft, {0, 0, 199, 84}, {{{20, 99}, {20, 83}, {35, 83}}}, {34, 83}, {20, 83}},
        PaintCase{bpLeftBottom, {15, 0, 199, 99}, {{{1, 79}, {15, 79}, {15, 65}}}, {15, 79}, {15, 65}},
        PaintCase{bpBottomRight, {0, 0, 199, 84}, {{{179, 99}, {179, 83}, {166, 83}}}, {166, 83}, {180, 83}},
        PaintCase{bpRightBottom, {0, 0, 184, 99}, {{{198, 79}, {183, 79}, {183, 65}}}, {183, 79}, {183, 65}}),
    positionName<PaintCase>);

TEST(BalloonGeometry, NoneIsTheRoundedBodyAlone)
{
    const BalloonRegionGeometry region = balloonRegionGeometry(bpNone, R, B, E, I);
    EXPECT_EQ(region.body, (BalloonRect{0, 0, 200, 100}));
    EXPECT_FALSE(region.hasPointer);

    const BalloonPaintGeometry paint = balloonPaintGeometry(bpNone, R, B, E, I);
    EXPECT_EQ(paint.body, (BalloonRect{0, 0, 199, 99}));
    EXPECT_FALSE(paint.hasPointer);
}

// The Help window's outline at the size it ends up with (696 x 334).
TEST(BalloonGeometry, HelpWindowPointerHangsBelowTheBodyNearTheRightCorner)
{
    const BalloonRegionGeometry region = balloonRegionGeometry(bpBottomRight, 696, 334, 20, 15);
    EXPECT_EQ(region.body, (BalloonRect{0, 0, 696, 319}));
    EXPECT_EQ(region.pointer, (BalloonTriangle{{{676, 334}, {676, 318}, {661, 318}}}));

    const BalloonPaintGeometry paint = balloonPaintGeometry(bpBottomRight, 696, 334, 20, 15);
    EXPECT_EQ(paint.body, (BalloonRect{0, 0, 695, 318}));
    EXPECT_EQ(paint.pointer, (BalloonTriangle{{{675, 333}, {675, 317}, {662, 317}}}));
    EXPECT_EQ(paint.seamFrom, (BalloonPoint{662, 317}));
    EXPECT_EQ(paint.seamTo, (BalloonPoint{676, 317}));
}

TEST(RoundRectRegionRows, CornersAreCutAndTheMiddleIsFull)
{
    const std::vector<BalloonSpan> rows = roundRectRegionRows({0, 0, 40, 30}, 20);
    ASSERT_EQ(rows.size(), 30u);
    EXPECT_EQ(rows.front(), (BalloonSpan{0, 7, 33}));
    EXPECT_EQ(rows.back(), (BalloonSpan{29, 7, 33}));
    EXPECT_EQ(rows[15], (BalloonSpan{15, 0, 40}));
    for (const BalloonSpan& row : rows) {
        EXPECT_EQ(row.left, 40 - row.right) << "row " << row.y << " is not symmetric";
        const BalloonSpan& mirror = rows[static_cast<std::size_t>(29 - row.y)];
        EXPECT_EQ(row.left, mirror.left) << "row " << row.y << " is not mirrored top to bottom";
    }
}

TEST(RoundRectRegionRows, OffsetRectangleKeepsItsEdges)
{
    const std::vector<BalloonSpan> rows = roundRectRegionRows({10, 15, 50, 45}, 20);
    ASSERT_EQ(rows.size(), 30u);
    EXPECT_EQ(rows.front(), (BalloonSpan{15, 17, 43}));
    EXPECT_EQ(rows[15], (BalloonSpan{30, 10, 50}));
}

TEST(RoundRectRegionRows, DegenerateEllipsesAndRectangles)
{
    for (const BalloonSpan& row : roundRectRegionRows({0, 0, 10, 4}, 0))
        EXPECT_EQ(row, (BalloonSpan{row.y, 0, 10}));

    // An ellipse wider than the body rounds it completely but leaves every row.
    const std::vector<BalloonSpan> pill = roundRectRegionRows({0, 0, 10, 6}, 50);
    ASSERT_EQ(pill.size(), 6u);
    EXPECT_GT(pill.front().left, 0);
    EXPECT_LT(pill.front().right, 10);

    EXPECT_TRUE(roundRectRegionRows({5, 5, 5, 20}, 20).empty());
    EXPECT_TRUE(roundRectRegionRows({0, 30, 10, 20}, 20).empty());
}

TEST(LastPixelOfLine, LeavesOutTheEndPoint)
{
    struct Case {
        BalloonPoint from, to, last;
    };
    const Case cases[] = {
        {{34, 15}, {20, 15}, {21, 15}},
        {{166, 83}, {180, 83}, {179, 83}},
        {{15, 20}, {15, 34}, {15, 33}},
        {{15, 79}, {15, 65}, {15, 66}},
        {{0, 0}, {1, 0}, {0, 0}},
    };
    for (const Case& c : cases) {
        const auto last = lastPixelOfLine(c.from, c.to);
        ASSERT_TRUE(last.has_value());
        EXPECT_EQ(*last, c.last);
    }
    EXPECT_FALSE(lastPixelOfLine({7, 7}, {7, 7}).has_value());
}

} // namespace
} // namespace kalmo
