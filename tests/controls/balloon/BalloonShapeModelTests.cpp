// The balloon component's properties, its after-load plan and the rule for
// which presses drag the window.
#include "controls/balloon/BalloonShapeModel.h"

#include <gtest/gtest.h>

#include <functional>

namespace kalmo {
namespace {

TEST(BalloonShapeModel, StartsWithTheConstructionValues)
{
    const BalloonShapeModel model;
    EXPECT_FALSE(model.Reshape());
    EXPECT_EQ(model.BalloonPosition(), bpTopLeft);
    EXPECT_EQ(model.BalloonEllips(), 20);
    EXPECT_EQ(model.BalloonIndent(), 15);
    EXPECT_EQ(model.BalloonColor(), clWhite);
    EXPECT_EQ(model.BorderColor(), clBlack);
    EXPECT_EQ(model.BorderWidth(), 1);
    EXPECT_FALSE(model.DragBalloon());
    EXPECT_EQ(model.Version(), "1.3.0.0");
    EXPECT_FALSE(model.Shaped());
}

TEST(BalloonShapeModel, VersionCannotBeWritten)
{
    BalloonShapeModel model;
    model.SetVersion("9.9.9.9");
    EXPECT_EQ(model.Version(), "1.3.0.0");
}

struct SizeProperty {
    const char* name;
    std::function<void(BalloonShapeModel&, int)> set;
    std::function<int(const BalloonShapeModel&)> get;
};

class PositiveSizeProperty : public testing::TestWithParam<SizeProperty> {};

TEST_P(PositiveSizeProperty, StoresPositiveValuesAndIgnoresTheRest)
{
    const SizeProperty& p = GetParam();
    BalloonShapeModel model;
    p.set(model, 7);
    EXPECT_EQ(p.get(model), 7);
    for (int ignored : {0, -5, -2147483647 - 1}) {
        p.set(model, ignored);
        EXPECT_EQ(p.get(model), 7) << "after writing " << ignored;
    }
    p.set(model, 1);
    EXPECT_EQ(p.get(model), 1);
}

INSTANTIATE_TEST_SUITE_P(
    SizeProperties, PositiveSizeProperty,
    testing::Values(
        SizeProperty{"BalloonEllips", &BalloonShapeModel::SetBalloonEllips, &BalloonShapeModel::BalloonEllips},
        SizeProperty{"BalloonIndent", &BalloonShapeModel::SetBalloonIndent, &BalloonShapeModel::BalloonIndent},
        SizeProperty{"BorderWidth", &BalloonShapeModel::SetBorderWidth, &BalloonShapeModel::BorderWidth}),
    [](const testing::TestParamInfo<SizeProperty>& info) { return std::string(info.param.name); });

TEST(BalloonShapeModel, PositionOutsideTheEnumerationIsIgnored)
{
    BalloonShapeModel model;
    model.SetBalloonPosition(bpNone);
    EXPECT_EQ(model.BalloonPosition(), bpNone);
    model.SetBalloonPosition(static_cast<TBalloonPosition>(9));
    EXPECT_EQ(model.BalloonPosition(), bpNone);
}

BalloonShapeModel helpWindowBalloon()
{
    BalloonShapeModel model;
    model.SetReshape(true);
    model.SetBalloonPosition(bpBottomRight);
    model.SetBalloonEllips(20);
    model.SetBalloonIndent(15);
    model.SetDragBalloon(true);
    return model;
}

TEST(BalloonShapeModel, ApplyWithReshapeOffLeavesTheWindowAlone)
{
    BalloonShapeModel model = helpWindowBalloon();
    model.SetReshape(false);
    EXPECT_FALSE(model.ApplyBalloonShape({680, 318}).has_value());
    EXPECT_FALSE(model.Shaped());
    EXPECT_FALSE(model.PressMovesWindow(HitArea::OwnSurface));
}

// The frame goes but the outer size stays, then the caption's height comes
// off: the client gains the frame on every side and the caption cancels out.
TEST(BalloonShapeModel, ApplyPlansTheHelpWindowsShape)
{
    BalloonShapeModel model = helpWindowBalloon();
    const auto plan = model.ApplyBalloonShape({680, 318});
    ASSERT_TRUE(plan.has_value());
    EXPECT_TRUE(model.Shaped());
    EXPECT_TRUE(plan->installPaintHook);
    EXPECT_TRUE(plan->removeBorder);
    EXPECT_TRUE(plan->installDragHook);
    EXPECT_EQ(plan->heightReduction, 23);
    EXPECT_EQ(plan->clientSize, (BalloonSize{696, 334}));
    EXPECT_EQ(plan->region, balloonRegionGeometry(bpBottomRight, 696, 334, 20, 15));
}

TEST(BalloonShapeModel, ClientSizeFollowsTheFrameGiven)
{
    EXPECT_EQ(shapedClientSize({680, 318}, WindowFrame{19, 4}), (BalloonSize{688, 326}));
    EXPECT_EQ(shapedClientSize({680, 318}, WindowFrame{23, 0}), (BalloonSize{680, 318}));
}

TEST(BalloonShapeModel, SecondApplyDoesNothing)
{
    BalloonShapeModel model = helpWindowBalloon();
    ASSERT_TRUE(model.ApplyBalloonShape({680, 318}).has_value());
    EXPECT_FALSE(model.ApplyBalloonShape({696, 334}).has_value());
    EXPECT_TRUE(model.Shaped());
}

TEST(BalloonShapeModel, PaintReadsTheCurrentProperties)
{
    BalloonShapeModel model = helpWindowBalloon();
    ASSERT_TRUE(model.ApplyBalloonShape({680, 318}).has_value());
    model.SetBalloonColor(clYellow);
    model.SetBorderColor(clNavy);
    model.SetBorderWidth(3);
    model.SetBalloonPosition(bpLeftTop);

    const BalloonPaintPlan plan = model.PaintBalloon({696, 334});
    EXPECT_EQ(plan.brushColor, clYellow);
    EXPECT_EQ(plan.seamColor, clYellow);
    EXPECT_EQ(plan.penColor, clNavy);
    EXPECT_EQ(plan.penWidth, 3);
    EXPECT_EQ(plan.geometry, balloonPaintGeometry(bpLeftTop, 696, 334, 20, 15));
}

TEST(BalloonShapeModel, OnlyTheOwnSurfaceOfADraggableShapedWindowDrags)
{
    struct Case {
        bool reshape;
        bool drag;
        HitArea area;
        bool moves;
    };
    const Case cases[] = {
        {true, true, HitArea::OwnSurface, true},
        {true, true, HitArea::ChildControl, false},
        {true, false, HitArea::OwnSurface, false},
        {false, true, HitArea::OwnSurface, false},
    };
    for (const Case& c : cases) {
        BalloonShapeModel model = helpWindowBalloon();
        model.SetReshape(c.reshape);
        model.SetDragBalloon(c.drag);
        model.ApplyBalloonShape({680, 318});
        EXPECT_EQ(model.PressMovesWindow(c.area), c.moves)
            << "reshape " << c.reshape << " drag " << c.drag << " child " << (c.area == HitArea::ChildControl);
    }
}

TEST(BalloonShapeModel, DragSwitchIsReadAtEachPress)
{
    BalloonShapeModel model = helpWindowBalloon();
    model.ApplyBalloonShape({680, 318});
    model.SetDragBalloon(false);
    EXPECT_FALSE(model.PressMovesWindow(HitArea::OwnSurface));
    model.SetDragBalloon(true);
    EXPECT_TRUE(model.PressMovesWindow(HitArea::OwnSurface));
}

} // namespace
} // namespace kalmo
