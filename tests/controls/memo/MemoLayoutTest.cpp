// The stored memo layouts and the gutter's painting steps.
#include "controls/memo/GutterPainting.h"
#include "testing/CaseNames.h"
#include "MemoTestSupport.h"

#include <gtest/gtest.h>

namespace kalmo {
namespace {

TEST(MemoLayout, ViewerPaneSettings)
{
    TCustomCodeMemo memo;
    applyViewerPaneLayout(memo);
    EXPECT_TRUE(memo.ActiveLineSettings().ShowActiveLine());
    EXPECT_TRUE(memo.ActiveLineSettings().ActiveLineAtCursor());
    EXPECT_FALSE(memo.ActiveLineSettings().ShowActiveLineIndicator());
    EXPECT_EQ(memo.ActiveLineIndex(), -1) << "settings written while loading have no side effects";
    EXPECT_EQ(memo.BkColor(), clMedGray);
    EXPECT_EQ(memo.Font(), (TMemoFont{"COURIER NEW", -11, clBlack, false}));
    EXPECT_EQ(memo.Gutter().GutterColor(), clSilver);
    EXPECT_EQ(memo.Gutter().GutterColorTo(), clMedGray);
    EXPECT_EQ(memo.Gutter().LineNumberStart(), 0);
    EXPECT_TRUE(memo.Gutter().Visible());
    EXPECT_EQ(memo.Gutter().GutterWidth(), 45);
    EXPECT_FALSE(memo.ShowRightMargin());
    EXPECT_EQ(memo.RightMarginColor(), 0x00E2E2E2u);
    EXPECT_FALSE(memo.UrlAware());
    EXPECT_TRUE(memo.ReadOnly());
    EXPECT_FALSE(memo.Enabled());
    EXPECT_EQ(memo.BorderStyle(), TBorderStyle::bsSingle);
    EXPECT_FALSE(memo.Ctl3D());
    EXPECT_EQ(memo.ScrollBars(), TScrollStyle::ssBoth);
    ASSERT_EQ(memo.Lines().LineCount(), 1);
    EXPECT_EQ(memo.Lines().Line(0), "");
}

TEST(MemoLayout, HelpMemoSettings)
{
    TCustomCodeMemo memo;
    applyHelpMemoLayout(memo, {"Help", "", "\tindented"});
    EXPECT_EQ(memo.ScrollBars(), TScrollStyle::ssVertical);
    EXPECT_EQ(memo.BorderStyle(), TBorderStyle::bsNone);
    EXPECT_FALSE(memo.Gutter().Visible());
    EXPECT_EQ(memo.RightMargin(), 100);
    EXPECT_TRUE(memo.ShowRightMargin());
    EXPECT_TRUE(memo.ReadOnly());
    EXPECT_TRUE(memo.Enabled());
    EXPECT_FALSE(memo.ActiveLineSettings().ShowActiveLine());
    EXPECT_EQ(memo.Font(), (TMemoFont{"Verdana", -13, clBlack, false}));
    EXPECT_EQ(memo.BkColor(), clWhite);
    ASSERT_EQ(memo.Lines().LineCount(), 3) << "the layout's lines replace the construction line";
    EXPECT_EQ(memo.Lines().Line(2), "    indented");
}

TEST(MemoLayout, SetterRulesClampAndIgnore)
{
    TCustomCodeMemo memo;
    TMemoGutter& gutter = memo.Gutter();
    gutter.SetGutterMargin(30);
    EXPECT_EQ(gutter.GutterMargin(), 45);
    gutter.SetLineNumberStart(-3);
    EXPECT_EQ(gutter.LineNumberStart(), 0);
    gutter.SetGutterWidth(0);
    EXPECT_EQ(gutter.GutterWidth(), 45);
    memo.SetTabSize(-1);
    EXPECT_EQ(memo.TabSize(), 4);
    memo.SetFontCell(-7, 14);
    EXPECT_EQ(memo.CharWidth(), 0);
}

TEST(MemoLayout, SettingsRepaintWhenTheyChange)
{
    TCustomCodeMemo memo;
    testing::CountingView view;
    memo.setView(&view);
    memo.SetBkColor(clWhite);
    EXPECT_EQ(view.invalidations, 0) << "same value";
    memo.SetBkColor(clMedGray);
    memo.Gutter().SetGutterColor(clSilver);
    memo.ActiveLineSettings().SetActiveLineColor(clRed);
    EXPECT_EQ(view.invalidations, 3);
}

struct GutterNumberCase {
    int line;
    int lineNumberStart;
    bool leadingZeros;
    const char* suffix;
    const char* text;
    int x;
};

class GutterNumberTest : public ::testing::TestWithParam<GutterNumberCase> {};

TEST_P(GutterNumberTest, TextAndOffsetOnTheDigitGrid)
{
    const GutterNumberCase& c = GetParam();
    TCustomCodeMemo memo;
    memo.Gutter().SetLineNumberStart(c.lineNumberStart);
    memo.Gutter().SetShowLeadingZeros(c.leadingZeros);
    memo.Gutter().SetNumberSuffix(c.suffix);
    const GutterNumber number = gutterNumber(memo.Gutter(), c.line);
    EXPECT_EQ(number.Text, c.text);
    EXPECT_EQ(number.X, c.x);
}

INSTANTIATE_TEST_SUITE_P(Cases, GutterNumberTest,
                         ::testing::Values(GutterNumberCase{0, 0, false, "", "0", 24},
                                           GutterNumberCase{0, 1, false, "", "1", 24},
                                           GutterNumberCase{7, 0, false, "", "7", 24},
                                           GutterNumberCase{42, 0, false, "", "42", 16},
                                           GutterNumberCase{123, 0, false, "", "123", 8},
                                           GutterNumberCase{1234, 0, false, "", "1234", 0},
                                           GutterNumberCase{12345, 0, false, "", "12345", 0},
                                           GutterNumberCase{7, 0, true, "", "0007", 0},
                                           GutterNumberCase{12345, 0, true, "", "12345", 0},
                                           GutterNumberCase{7, 0, false, ":", "7:", 16}),
                         testing_support::NameFrom<&GutterNumberCase::text>{});

TEST(GutterGradient, ViewerPaneBandsRunFromSilverTowardsMediumGrey)
{
    const TRect area{1, 1, 45, 192};
    const std::vector<GradientBand> bands = gradientBands(clSilver, clMedGray, area);
    ASSERT_EQ(bands.size(), 48u);
    EXPECT_EQ(bands.front().Color, clSilver);
    EXPECT_EQ(bands.front().Rect, (TRect{1, 1, 2, 192}));
    // 47 of 48 steps: red and green 0xC0 - 31, blue 0xC0 - 27; one step short of the target.
    EXPECT_EQ(bands.back().Color, rgbColor(0xA1, 0xA1, 0xA5));
    EXPECT_EQ(bands.back().Rect, (TRect{44, 1, 45, 192}));
    for (std::size_t i = 1; i < bands.size(); ++i) {
        EXPECT_LE(bands[i].Rect.Left, bands[i - 1].Rect.Right) << "no gap before band " << i;
    }
}

TEST(GutterGradient, ZeroStepsDrawOneBand)
{
    const std::vector<GradientBand> bands = gradientBands(clBlack, clWhite, TRect{0, 0, 10, 5}, 0);
    ASSERT_EQ(bands.size(), 1u);
    EXPECT_EQ(bands[0].Color, clBlack);
    EXPECT_EQ(bands[0].Rect, (TRect{0, 0, 10, 5}));
}

} // namespace
} // namespace kalmo
