// The glass button's rules without a screen: click tracking, hover, keys,
// property setters and the group rules.
#include "controls/glass/GlassButtonModel.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <vector>

namespace kalmo {
namespace {

class FakeHost : public GlassButtonHost {
public:
    void RequestRepaint() override { ++repaintRequests; }
    void RepaintNow() override { ++immediateRepaints; }
    void SetHoverTimerActive(bool active) override { timerActive = active; }
    bool PointerOverButton() override { return pointerOver; }
    bool CanTakeFocus() override { return canFocus; }
    void TakeFocus() override { ++focusRequests; }
    void NotifyGroup(const GlassButtonModel& sender) override
    {
        for (GlassButtonModel* sibling : siblings)
            if (sibling != &sender)
                sibling->GroupNotification(sender);
    }

    int repaintRequests = 0;
    int immediateRepaints = 0;
    int focusRequests = 0;
    bool timerActive = false;
    bool pointerOver = false;
    bool canFocus = true;
    std::vector<GlassButtonModel*> siblings;
};

class GlassButtonModelTest : public ::testing::Test {
protected:
    GlassButtonModelTest()
        : button(&host)
    {
        button.OnClick = [this](GlassButtonModel&) { ++clicks; };
        button.OnDblClick = [this](GlassButtonModel&) { ++doubleClicks; };
    }

    FakeHost host;
    GlassButtonModel button;
    int clicks = 0;
    int doubleClicks = 0;
};

TEST_F(GlassButtonModelTest, ConstructionValues)
{
    EXPECT_FALSE(button.AllowAllUp());
    EXPECT_EQ(button.AntiAlias(), aaClearType);
    EXPECT_EQ(button.BackColor(), clBlack);
    EXPECT_EQ(button.BackGroundSymbol(), bsNone);
    EXPECT_EQ(button.ButtonDirection(), bdRight);
    EXPECT_EQ(button.ButtonShape(), btsRectangle);
    EXPECT_EQ(button.Caption(), "");
    EXPECT_EQ(button.CornerRadius(), 4);
    EXPECT_FALSE(button.Down());
    EXPECT_TRUE(button.Enabled());
    EXPECT_EQ(button.Font().Name, "Tahoma");
    EXPECT_EQ(button.ForeColor(), clWhite);
    EXPECT_FALSE(button.ForceTransparent());
    EXPECT_EQ(button.GlowColor(), 16760205u);
    EXPECT_EQ(button.GroupIndex(), 0);
    EXPECT_EQ(button.InnerBorderColor(), clBlack);
    EXPECT_EQ(button.Layout(), blGlyphLeft);
    EXPECT_EQ(button.OuterBorderColor(), clWhite);
    EXPECT_EQ(button.ShineColor(), clWhite);
    EXPECT_TRUE(button.ShowCaption());
    EXPECT_FALSE(button.ShowFocusRect());
    EXPECT_FALSE(button.ShowHint());
    EXPECT_EQ(button.Style(), tasButton);
    EXPECT_FALSE(button.TabStop());
    EXPECT_EQ(button.ShortCutHintPos(), shpTop);
    EXPECT_EQ(button.Width(), 100);
    EXPECT_EQ(button.Height(), 32);
    EXPECT_EQ(button.ButtonState(), gsNormal);
    EXPECT_FALSE(button.HoverTimerActive());
}

TEST_F(GlassButtonModelTest, VersionIsFixedAndWritesAreIgnored)
{
    EXPECT_EQ(button.Version(), "1.0.1.0");
    button.SetVersion("9.9.9.9");
    EXPECT_EQ(button.Version(), "1.0.1.0");
}

TEST_F(GlassButtonModelTest, CornerRadiusIgnoresNegativeAndKeepsLargeValues)
{
    button.SetCornerRadius(-1);
    EXPECT_EQ(button.CornerRadius(), 4);
    EXPECT_EQ(host.repaintRequests, 0);
    button.SetCornerRadius(100);
    EXPECT_EQ(button.CornerRadius(), 100);
    EXPECT_EQ(host.repaintRequests, 1);
    button.SetCornerRadius(100);
    EXPECT_EQ(host.repaintRequests, 1);
}

TEST_F(GlassButtonModelTest, SettersRepaintOnlyOnChangeAndStyleNever)
{
    button.SetForeColor(clWhite);
    EXPECT_EQ(host.repaintRequests, 0);
    button.SetForeColor(clRed);
    EXPECT_EQ(host.repaintRequests, 1);
    button.SetCaption("CLOSE");
    EXPECT_EQ(host.repaintRequests, 2);
    button.SetStyle(tasCheck);
    EXPECT_EQ(host.repaintRequests, 2);
}

TEST_F(GlassButtonModelTest, DownStaysFalseOnUngroupedPushButton)
{
    button.SetDown(true);
    EXPECT_FALSE(button.Down());
    EXPECT_EQ(button.ButtonState(), gsNormal);
}

// Press at (10, 10), then move/release where the row says.
struct ReleaseCase {
    const char* name;
    std::vector<std::pair<int, int>> moves;
    int releaseX;
    int releaseY;
    int expectedClicks;
};

class ClickRuleTest : public GlassButtonModelTest, public ::testing::WithParamInterface<ReleaseCase> {};

TEST_P(ClickRuleTest, ClicksOnlyWhenReleasedInside)
{
    const ReleaseCase& c = GetParam();
    button.MouseDown(MouseButton::Left, 10, 10);
    for (auto [x, y] : c.moves)
        button.MouseMove(x, y);
    button.MouseUp(MouseButton::Left, c.releaseX, c.releaseY);
    EXPECT_EQ(clicks, c.expectedClicks);
    EXPECT_EQ(button.ButtonState(), gsNormal);
    EXPECT_FALSE(button.IsPressed());
    EXPECT_FALSE(button.IsTracking());
}

INSTANTIATE_TEST_SUITE_P(
    Releases, ClickRuleTest,
    ::testing::Values(ReleaseCase{"inside", {}, 10, 10, 1}, ReleaseCase{"lastColumn", {}, 99, 31, 1},
                      ReleaseCase{"originCorner", {}, 0, 0, 1},
                      ReleaseCase{"columnAtWidth", {}, 100, 10, 0}, ReleaseCase{"rowAtHeight", {}, 10, 32, 0},
                      ReleaseCase{"negative", {}, -1, 10, 0},
                      ReleaseCase{"outAndBackIn", {{150, 10}, {20, 20}}, 20, 20, 1},
                      ReleaseCase{"outAndReleasedOutside", {{150, 10}}, 150, 10, 0}),
    [](const auto& info) { return info.param.name; });

TEST_F(GlassButtonModelTest, HeldButtonFollowsThePointerInAndOut)
{
    button.MouseDown(MouseButton::Left, 10, 10);
    EXPECT_EQ(button.ButtonState(), gsPressed);
    EXPECT_TRUE(button.GlowVisible());
    const int afterPress = host.repaintRequests;
    EXPECT_GE(afterPress, 1);

    button.MouseMove(100, 10);
    EXPECT_EQ(button.ButtonState(), gsNormal);
    EXPECT_TRUE(button.GlowVisible()) << "the glow stays while held outside";
    EXPECT_EQ(host.repaintRequests, afterPress + 1);

    button.MouseMove(100, 10);
    EXPECT_EQ(host.repaintRequests, afterPress + 1) << "no repaint without a state change";

    button.MouseMove(50, 5);
    EXPECT_EQ(button.ButtonState(), gsPressed);
    button.MouseUp(MouseButton::Left, 50, 5);
    EXPECT_FALSE(button.GlowVisible());
}

TEST_F(GlassButtonModelTest, ClickRunsAfterStateIsBackToNormal)
{
    TGlassButtonState stateAtClick = gsPressed;
    bool pressedAtClick = true;
    button.OnClick = [&](GlassButtonModel& sender) {
        stateAtClick = sender.ButtonState();
        pressedAtClick = sender.IsPressed();
    };
    button.MouseDown(MouseButton::Left, 5, 5);
    button.MouseUp(MouseButton::Left, 5, 5);
    EXPECT_EQ(stateAtClick, gsNormal);
    EXPECT_FALSE(pressedAtClick);
}

TEST_F(GlassButtonModelTest, RightAndMiddleButtonsChangeNothing)
{
    for (MouseButton b : {MouseButton::Right, MouseButton::Middle}) {
        button.MouseDown(b, 10, 10);
        EXPECT_EQ(button.ButtonState(), gsNormal);
        EXPECT_FALSE(button.IsPressed());
        button.MouseUp(b, 10, 10);
    }
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(host.repaintRequests, 0);
}

TEST_F(GlassButtonModelTest, RightReleaseDoesNotEndALeftPress)
{
    button.MouseDown(MouseButton::Left, 10, 10);
    button.MouseUp(MouseButton::Right, 10, 10);
    EXPECT_TRUE(button.IsPressed());
    EXPECT_EQ(clicks, 0);
    button.MouseUp(MouseButton::Left, 10, 10);
    EXPECT_EQ(clicks, 1);
}

// Qt may or may not send a plain press before the double-click press.
TEST_F(GlassButtonModelTest, DoubleClickClicksOnce)
{
    for (bool plainPressFirst : {false, true}) {
        clicks = 0;
        doubleClicks = 0;
        button.MouseDown(MouseButton::Left, 10, 10);
        button.MouseUp(MouseButton::Left, 10, 10);
        if (plainPressFirst)
            button.MouseDown(MouseButton::Left, 10, 10);
        button.MouseDown(MouseButton::Left, 10, 10, true);
        EXPECT_TRUE(button.IsPressed());
        button.MouseUp(MouseButton::Left, 10, 10);
        EXPECT_EQ(clicks, 1) << "plain press first: " << plainPressFirst;
        EXPECT_EQ(doubleClicks, 1) << "plain press first: " << plainPressFirst;
        EXPECT_FALSE(button.IsPressed());
    }
}

TEST_F(GlassButtonModelTest, DisabledButtonIgnoresInputAndPaintsDisabled)
{
    button.SetEnabled(false);
    button.MouseDown(MouseButton::Left, 10, 10);
    button.MouseUp(MouseButton::Left, 10, 10);
    EXPECT_EQ(clicks, 0);
    button.NormalizeState();
    EXPECT_EQ(button.ButtonState(), gsDisabled);
    EXPECT_FALSE(button.GlowVisible());

    button.SetEnabled(true);
    button.NormalizeState();
    EXPECT_EQ(button.ButtonState(), gsNormal);
}

TEST_F(GlassButtonModelTest, DisablingWhileHeldEndsThePress)
{
    button.MouseDown(MouseButton::Left, 10, 10);
    button.SetEnabled(false);
    button.NormalizeState();
    EXPECT_FALSE(button.IsPressed());
    EXPECT_FALSE(button.GlowVisible());

    button.SetEnabled(true);
    button.NormalizeState();
    button.MouseUp(MouseButton::Left, 10, 10);
    EXPECT_EQ(clicks, 0) << "a release after re-enabling must not finish the old press";
    EXPECT_FALSE(button.GlowVisible());
}

TEST_F(GlassButtonModelTest, HoverRunsTheTimerWithoutRepainting)
{
    int entered = 0;
    int left = 0;
    button.OnMouseEnter = [&](GlassButtonModel&) { ++entered; };
    button.OnMouseLeave = [&](GlassButtonModel&) { ++left; };

    button.MouseEnter();
    EXPECT_TRUE(button.IsHot());
    EXPECT_TRUE(host.timerActive);
    button.HoverTimerTick(true);
    EXPECT_TRUE(host.timerActive);
    button.MouseLeave();
    EXPECT_FALSE(button.IsHot());
    EXPECT_FALSE(host.timerActive);
    EXPECT_EQ(host.repaintRequests, 0);
    EXPECT_EQ(entered, 1);
    EXPECT_EQ(left, 1);
}

TEST_F(GlassButtonModelTest, TimerTickOutsideStopsHoverWithoutLeaveEvent)
{
    int left = 0;
    button.OnMouseLeave = [&](GlassButtonModel&) { ++left; };
    button.MouseEnter();
    button.HoverTimerTick(false);
    EXPECT_FALSE(button.IsHot());
    EXPECT_FALSE(host.timerActive);
    EXPECT_EQ(host.repaintRequests, 1);
    EXPECT_EQ(left, 0);
}

TEST_F(GlassButtonModelTest, ReleaseResynchronisesHoverWithThePointer)
{
    host.pointerOver = true;
    button.MouseEnter();
    button.MouseDown(MouseButton::Left, 10, 10);
    button.MouseUp(MouseButton::Left, 10, 10);
    EXPECT_TRUE(button.IsHot());
    EXPECT_TRUE(host.timerActive);

    host.pointerOver = false;
    button.MouseDown(MouseButton::Left, 10, 10);
    button.MouseUp(MouseButton::Left, 200, 10);
    EXPECT_FALSE(button.IsHot());
    EXPECT_FALSE(host.timerActive);
}

TEST_F(GlassButtonModelTest, PressTakesFocusOnlyWithTabStop)
{
    button.MouseDown(MouseButton::Left, 1, 1);
    button.MouseUp(MouseButton::Left, 1, 1);
    EXPECT_EQ(host.focusRequests, 0);
    button.SetTabStop(true);
    button.MouseDown(MouseButton::Left, 1, 1);
    EXPECT_EQ(host.focusRequests, 1);
}

TEST_F(GlassButtonModelTest, SpaceAlwaysClicks)
{
    button.KeyPress(U'x');
    EXPECT_EQ(clicks, 0);
    button.KeyPress(U' ');
    button.KeyPress(U' ');
    EXPECT_EQ(clicks, 2) << "auto-repeat clicks each time";
}

TEST_F(GlassButtonModelTest, EnterClicksOnlyWithFocusAndNoModifier)
{
    EXPECT_FALSE(button.DialogKey(vk::Enter, 0));
    button.FocusChanged(true);
    EXPECT_FALSE(button.DialogKey(vk::Enter, ssShift));
    EXPECT_FALSE(button.DialogKey(vk::Enter, ssCtrl));
    EXPECT_FALSE(button.DialogKey(vk::Space, 0));
    EXPECT_EQ(clicks, 0);
    EXPECT_TRUE(button.DialogKey(vk::Enter, 0));
    EXPECT_EQ(clicks, 1);
    host.canFocus = false;
    EXPECT_FALSE(button.DialogKey(vk::Enter, 0));
}

TEST_F(GlassButtonModelTest, AcceleratorIgnoresCase)
{
    EXPECT_FALSE(button.DialogChar(U'c')) << "\"CLOSE\" has no accelerator";
    button.SetCaption("&Close");
    EXPECT_TRUE(button.DialogChar(U'c'));
    EXPECT_TRUE(button.DialogChar(U'C'));
    EXPECT_FALSE(button.DialogChar(U'l'));
    EXPECT_EQ(clicks, 2);
}

TEST(CaptionAccelerator, FindsTheCharacterAfterASingleAmpersand)
{
    const std::map<std::string, char32_t> cases = {
        {"CLOSE", 0},     {"&Close", U'C'}, {"Cl&ose", U'o'}, {"A&&B", 0},
        {"A&&B&c", U'c'}, {"End&", 0},      {"&\xC3\xA9t\xC3\xA9", U'\u00E9'},
    };
    for (const auto& [caption, expected] : cases)
        EXPECT_EQ(CaptionAccelerator(caption), expected) << caption;
}

TEST_F(GlassButtonModelTest, CheckStyleTogglesDownOnEachClick)
{
    button.SetStyle(tasCheck);
    button.MouseDown(MouseButton::Left, 1, 1);
    button.MouseUp(MouseButton::Left, 1, 1);
    EXPECT_TRUE(button.Down());
    button.NormalizeState();
    EXPECT_EQ(button.ButtonState(), gsPressed);
    EXPECT_TRUE(button.GlowVisible());
    button.MouseDown(MouseButton::Left, 1, 1);
    button.MouseUp(MouseButton::Left, 1, 1);
    EXPECT_FALSE(button.Down());
    EXPECT_EQ(clicks, 2);
}

TEST(GlassButtonGroup, GoingDownRaisesTheOtherAndSharesAllowAllUp)
{
    FakeHost host;
    GlassButtonModel a(&host), b(&host), other(&host);
    host.siblings = {&a, &b, &other};
    a.SetGroupIndex(1);
    b.SetGroupIndex(1);
    other.SetGroupIndex(2);
    other.SetDown(true);

    a.MouseDown(MouseButton::Left, 1, 1);
    a.MouseUp(MouseButton::Left, 1, 1);
    EXPECT_TRUE(a.Down());

    b.SetAllowAllUp(true);
    b.SetDown(true);
    EXPECT_TRUE(b.Down());
    EXPECT_FALSE(a.Down());
    EXPECT_TRUE(a.AllowAllUp());
    EXPECT_TRUE(other.Down()) << "another group is left alone";
    EXPECT_FALSE(other.AllowAllUp());
}

TEST(GlassButtonGroup, DownButtonStaysDownUnlessAllowAllUp)
{
    FakeHost host;
    GlassButtonModel button(&host);
    button.SetGroupIndex(3);
    button.SetDown(true);
    button.MouseDown(MouseButton::Left, 1, 1);
    button.MouseUp(MouseButton::Left, 1, 1);
    EXPECT_TRUE(button.Down());
    EXPECT_EQ(button.ButtonState(), gsLatched);
    button.SetAllowAllUp(true);
    button.SetDown(false);
    EXPECT_FALSE(button.Down());
}

TEST(GlassButtonGroup, DownWrittenBeforeGroupIndexWhileLoadingIsReapplied)
{
    FakeHost host;
    GlassButtonModel button(&host);
    button.BeginLoading();
    button.SetDown(true); // refused: no group yet
    button.SetGroupIndex(5);
    EXPECT_FALSE(button.Down());
    button.Loaded();
    EXPECT_TRUE(button.Down());
    EXPECT_EQ(button.ButtonState(), gsLatched);
}

} // namespace
} // namespace kalmo
