// The glass button's paths, layer values and caption layout, checked against
// the About (100 x 32) and Help (81 x 23) buttons' known values.
#include "controls/glass/GlassGeometry.h"

#include <gtest/gtest.h>

namespace kalmo {
namespace {

using Kind = PathSegment::Kind;

TEST(GlassGeometry, RoundRectPathRunsClockwiseFromTheTopLeftCorner)
{
    const GlassPath p = RoundRectPath(1, 1, 97, 29, 4);
    ASSERT_EQ(p.segments.size(), 8u);
    EXPECT_TRUE(p.closed);

    struct ArcRow {
        std::size_t index;
        RectF box;
        float start;
    };
    for (const ArcRow& a : {ArcRow{0, {1, 1, 8, 8}, 180}, ArcRow{2, {90, 1, 8, 8}, 270},
                            ArcRow{4, {90, 22, 8, 8}, 0}, ArcRow{6, {1, 22, 8, 8}, 90}}) {
        const PathSegment& s = p.segments[a.index];
        EXPECT_EQ(s.kind, Kind::Arc) << a.index;
        EXPECT_EQ(s.box, a.box) << a.index;
        EXPECT_EQ(s.startAngle, a.start) << a.index;
        EXPECT_EQ(s.sweepAngle, 90) << a.index;
    }
    struct LineRow {
        std::size_t index;
        PointF from;
        PointF to;
    };
    for (const LineRow& l : {LineRow{1, {5, 1}, {94, 1}}, LineRow{3, {98, 5}, {98, 26}},
                             LineRow{5, {94, 30}, {5, 30}}, LineRow{7, {1, 26}, {1, 5}}}) {
        const PathSegment& s = p.segments[l.index];
        EXPECT_EQ(s.kind, Kind::Line) << l.index;
        EXPECT_EQ(s.from, l.from) << l.index;
        EXPECT_EQ(s.to, l.to) << l.index;
    }
}

TEST(GlassGeometry, TopRoundedRectPathHasSquareBottomCorners)
{
    const GlassPath p = TopRoundedRectPath(1, 1, 97, 15, 4);
    ASSERT_EQ(p.segments.size(), 6u);
    EXPECT_EQ(p.segments[0].kind, Kind::Arc);
    EXPECT_EQ(p.segments[2].kind, Kind::Arc);
    EXPECT_EQ(p.segments[2].startAngle, 270);
    EXPECT_EQ(p.segments[3].from, (PointF{98, 5}));
    EXPECT_EQ(p.segments[3].to, (PointF{98, 16}));
    EXPECT_EQ(p.segments[4].to, (PointF{1, 16}));
    EXPECT_EQ(p.segments[5].from, (PointF{1, 16}));
    EXPECT_EQ(p.segments[5].to, (PointF{1, 5}));
    EXPECT_TRUE(p.closed);
}

TEST(GlassGeometry, ZeroRadiusGivesAPlainRectangle)
{
    const GlassPath p = RoundRectPath(0, 0, 99, 31, 0);
    ASSERT_EQ(p.segments.size(), 4u);
    for (const PathSegment& s : p.segments)
        EXPECT_EQ(s.kind, Kind::Line);
    EXPECT_EQ(p.segments[0].from, (PointF{0, 0}));
    EXPECT_EQ(p.segments[1].to, (PointF{99, 31}));
}

struct GlowRow {
    int width;
    int height;
    RectF box;
    PointF centre;
};

class GlowEllipseTest : public ::testing::TestWithParam<GlowRow> {};

TEST_P(GlowEllipseTest, BoxAndCentreMatchTheButtonSize)
{
    const GlowRow& row = GetParam();
    const GlassPath p = GlowEllipsePath(row.width, row.height);
    ASSERT_EQ(p.segments.size(), 1u);
    const RectF& box = p.segments[0].box;
    EXPECT_EQ(p.segments[0].kind, Kind::Ellipse);
    EXPECT_NEAR(box.x, row.box.x, 1e-4);
    EXPECT_NEAR(box.y, row.box.y, 1e-4);
    EXPECT_NEAR(box.width, row.box.width, 1e-4);
    EXPECT_NEAR(box.height, row.box.height, 1e-4);
    EXPECT_NEAR(box.x + box.width / 2, row.centre.x, 1e-4);
    EXPECT_NEAR(box.y + box.height / 2, row.centre.y, 1e-4);
}

INSTANTIATE_TEST_SUITE_P(AboutAndHelp, GlowEllipseTest,
                         ::testing::Values(GlowRow{100, 32, {-32.6f, -3.2f, 163.2f, 64.4f}, {49, 29}},
                                           GlowRow{81, 23, {-25.95f, -1.85f, 130.9f, 43.7f}, {39.5f, 20}}),
                         [](const ::testing::TestParamInfo<GlowRow>& info) {
                             return info.index == 0 ? std::string("AboutButton") : std::string("HelpButton");
                         });

TEST(GlassColors, ConversionsToArgb)
{
    const SystemColorResolver resolve = [](ColorValue c) { return c == clBtnFace ? rgbColor(1, 2, 3) : clBlack; };
    EXPECT_EQ(ColorBytesToArgb(173, 16760205), 0xAD8DBDFFu);
    EXPECT_EQ(ColorBytesToArgb(127, clBlack), 0x7F000000u);
    // System colours keep their stored bytes here: only the opaque conversion resolves them.
    EXPECT_EQ(ColorBytesToArgb(255, clBtnFace), 0xFF0F0000u);
    EXPECT_EQ(ColorToOpaqueArgb(clBtnFace, resolve), 0xFF010203u);
    EXPECT_EQ(ColorToOpaqueArgb(clSilver, resolve), 0xFFC0C0C0u);
    EXPECT_EQ(ColorToOpaqueArgb(clRed, resolve), 0xFFFF0000u);
}

struct LayerRow {
    const char* name;
    int width;
    int height;
    ColorValue backColor;
    float sheenHeight;
    Argb bodyFill;
};

class GlassLayersTest : public ::testing::TestWithParam<LayerRow> {};

TEST_P(GlassLayersTest, BoxesColoursAndAlphas)
{
    const LayerRow& row = GetParam();
    GlassButtonModel button;
    button.SetSize(row.width, row.height);
    button.SetBackColor(row.backColor);
    const GlassLayers layers = BuildGlassLayers(button, nullptr);

    EXPECT_EQ(layers.outerOutline.segments[1].to, (PointF{float(row.width - 1 - 4), 0}));
    EXPECT_EQ(layers.outerOutline.segments[3].to, (PointF{float(row.width - 1), float(row.height - 1 - 4)}));
    EXPECT_EQ(layers.body.segments[3].to, (PointF{float(row.width - 2), float(row.height - 2 - 4)}));
    EXPECT_EQ(layers.outerPen, 0xFFFFFFFFu);
    EXPECT_EQ(layers.innerPen, 0xFF000000u);
    EXPECT_EQ(layers.bodyFill, row.bodyFill);

    ASSERT_TRUE(layers.sheen);
    EXPECT_EQ(layers.sheenGradient, (RectF{1, 1, float(row.width - 4), row.sheenHeight}));
    EXPECT_EQ(layers.sheenPath.segments[4].to, (PointF{1, 1 + row.sheenHeight}));
    EXPECT_EQ(layers.sheenTop, 0x99FFFFFFu);
    EXPECT_EQ(layers.sheenBottom, 0x33FFFFFFu);
    EXPECT_FALSE(layers.glow);
}

INSTANTIATE_TEST_SUITE_P(AboutAndHelp, GlassLayersTest,
                         ::testing::Values(LayerRow{"About", 100, 32, clBlack, 15, 0x7F000000u},
                                           LayerRow{"Help", 81, 23, clWhite, 11, 0x7FFFFFFFu}),
                         [](const auto& info) { return info.param.name; });

TEST(GlassLayers, GlowFollowsPressDownAndLatchedButNotHover)
{
    GlassButtonModel button;
    button.MouseEnter();
    EXPECT_FALSE(BuildGlassLayers(button, nullptr).glow);

    button.MouseDown(MouseButton::Left, 5, 5);
    button.MouseMove(500, 5);
    const GlassLayers held = BuildGlassLayers(button, nullptr);
    ASSERT_TRUE(held.glow);
    EXPECT_EQ(held.glowCentre, 0xAD8DBDFFu);
    EXPECT_EQ(held.glowSurround, 0x008DBDFFu);
    EXPECT_EQ(held.glowClip.segments.size(), held.body.segments.size());

    button.MouseUp(MouseButton::Left, 500, 5);
    EXPECT_FALSE(BuildGlassLayers(button, nullptr).glow);
}

TEST(GlassLayers, SheenNeedsFivePixelsOfHeightAndFourOfWidth)
{
    struct Row {
        int width;
        int height;
        bool sheen;
    };
    for (const Row& row : {Row{100, 4, false}, Row{100, 5, true}, Row{3, 32, false}, Row{4, 32, true}}) {
        GlassButtonModel button;
        button.SetSize(row.width, row.height);
        EXPECT_EQ(BuildGlassLayers(button, nullptr).sheen, row.sheen) << row.width << " x " << row.height;
    }
}

TEST(GlassCaption, LineBreakEscapes)
{
    EXPECT_EQ(ExpandCaptionLineBreaks("ONE\\nTWO\\NTHREE"), "ONE\n\rTWO\n\rTHREE");
    EXPECT_EQ(ExpandCaptionLineBreaks("A\\B\\"), "A\\B\\");
    EXPECT_EQ(ExpandCaptionLineBreaks("\\\\n"), "\\\n\r");
}

TEST(GlassCaption, FontPointSizeRoundsLikeTheFramework)
{
    EXPECT_EQ(FontPointSize(-19, 96), 14);
    EXPECT_EQ(FontPointSize(-13, 96), 10);
    EXPECT_EQ(FontPointSize(-11, 96), 8);
    EXPECT_EQ(FontPointSize(-2, 96), 2); // 1.5 rounds away from zero
    EXPECT_EQ(FontPointSize(-19, 0), 0);
}

TEST(GlassCaption, LayoutBoxColourAndAlignment)
{
    GlassButtonModel button;
    button.SetSize(81, 23);
    button.SetCaption("CLOSE");
    button.SetFont({"Verdana", -13, true, false, false, false, clBlack});
    CaptionLayout caption = BuildCaptionLayout(button, 96, false, nullptr);
    ASSERT_TRUE(caption.draw);
    EXPECT_EQ(caption.box, (RectI{2, 0, 79, 23}));
    EXPECT_EQ(caption.pointSize, 10);
    EXPECT_TRUE(caption.bold);
    EXPECT_EQ(caption.color, 0xFF000000u);
    EXPECT_EQ(caption.horizontal, TextAlign::Centre);
    EXPECT_EQ(caption.vertical, TextAlign::Centre);

    button.SetEnabled(false);
    EXPECT_EQ(BuildCaptionLayout(button, 96, false, nullptr).color, 0xFF808080u);

    button.SetLayout(blGlyphRightAdjusted);
    EXPECT_EQ(BuildCaptionLayout(button, 96, false, nullptr).horizontal, TextAlign::Far);

    button.SetShowCaption(false);
    EXPECT_FALSE(BuildCaptionLayout(button, 96, false, nullptr).draw);
}

TEST(GlassCaption, FocusOutlineOnlyWithShowFocusRect)
{
    GlassButtonModel button;
    EXPECT_FALSE(BuildCaptionLayout(button, 96, true, nullptr).focusOutline);
    button.SetShowFocusRect(true);
    EXPECT_FALSE(BuildCaptionLayout(button, 96, false, nullptr).focusOutline);
    const CaptionLayout caption = BuildCaptionLayout(button, 96, true, nullptr);
    ASSERT_TRUE(caption.focusOutline);
    EXPECT_EQ(caption.focusPen, 0xFF808080u);
    EXPECT_EQ(caption.focusPath.segments[0].box, (RectF{4, 4, 4, 4}));

    button.SetCornerRadius(1);
    for (const PathSegment& s : BuildCaptionLayout(button, 96, true, nullptr).focusPath.segments)
        EXPECT_EQ(s.kind, Kind::Line) << "a radius below 2 leaves square corners";
}

TEST(GlassCaption, FallbackOriginCentresTheMeasuredLine)
{
    EXPECT_EQ(FallbackCaptionOrigin(100, 32, 50, 19), (PointI{25, 6}));
    EXPECT_EQ(FallbackCaptionOrigin(81, 23, 100, 16), (PointI{-9, 3}));
}

} // namespace
} // namespace kalmo
