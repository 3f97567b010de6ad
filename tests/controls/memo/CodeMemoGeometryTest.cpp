// The memo's geometry: text area, gutter, spans and scroll bars for given bounds and cells.
#include "MemoTestSupport.h"

#include <gtest/gtest.h>

namespace kalmo {
namespace {

using testing::CountingView;
using testing::numberedLines;
using testing::setUpViewerPane;

struct TextAreaCase {
    const char* name;
    int width, height;
    TBorderStyle border;
    bool ctl3D;
    bool gutter;
    TScrollStyle bars;
    int lineCount;   // enough lines show the vertical bar
    int longestLine; // a long line shows the horizontal bar
    int charWidth, lineHeight;
    TRect area;
    int rowSpan, colSpan;
};

class TextAreaTest : public ::testing::TestWithParam<TextAreaCase> {};

TEST_P(TextAreaTest, FollowsBorderGutterAndShowingBars)
{
    const TextAreaCase& c = GetParam();
    TCustomCodeMemo memo;
    memo.SetBorderStyle(c.border);
    memo.SetCtl3D(c.ctl3D);
    memo.Gutter().SetVisible(c.gutter);
    memo.SetScrollBars(c.bars);
    memo.SetBounds(c.width, c.height);
    memo.SetFontCell(c.charWidth, c.lineHeight);
    memo.ClearText();
    std::vector<std::string> lines = numberedLines(c.lineCount);
    lines.push_back(std::string(static_cast<std::size_t>(c.longestLine), 'w'));
    memo.Lines().AppendLines(lines);
    memo.LinesChanged();

    EXPECT_EQ(memo.textArea(), c.area);
    EXPECT_EQ(memo.RowSpan(), c.rowSpan);
    EXPECT_EQ(memo.ColSpan(), c.colSpan);
}

constexpr auto single = TBorderStyle::bsSingle;
constexpr auto none = TBorderStyle::bsNone;
constexpr auto both = TScrollStyle::ssBoth;

INSTANTIATE_TEST_SUITE_P(
    Panes, TextAreaTest,
    ::testing::Values(
        TextAreaCase{"UpperPaneFewLines", 488, 193, single, false, true, both, 3, 10, 7, 14, {48, 1, 487, 192}, 13, 62},
        TextAreaCase{"UpperPaneWithVerticalBar", 488, 193, single, false, true, both, 100, 10, 7, 14,
                     {48, 1, 470, 192}, 13, 60},
        TextAreaCase{"UpperPaneWithBothBars", 488, 193, single, false, true, both, 100, 300, 7, 14,
                     {48, 1, 470, 175}, 12, 60},
        TextAreaCase{"LowerPane", 488, 199, single, false, true, both, 3, 10, 7, 14, {48, 1, 487, 198}, 14, 62},
        TextAreaCase{"HelpText", 667, 266, none, false, false, TScrollStyle::ssVertical, 40, 300, 8, 16,
                     {2, 0, 650, 266}, 16, 80},
        TextAreaCase{"ThreeDimensionalFrame", 488, 193, single, true, true, TScrollStyle::ssNone, 3, 10, 7, 14,
                     {49, 2, 486, 191}, 13, 62},
        TextAreaCase{"FontNotMeasured", 488, 193, single, false, true, both, 100, 300, 0, 0, {48, 1, 487, 192}, 0,
                     0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CodeMemoGeometry, CellsAndGutterOfTheViewerPane)
{
    TCustomCodeMemo memo;
    setUpViewerPane(memo, numberedLines(3));
    EXPECT_EQ(memo.cellRect(0, 0), (TRect{48, 2, 55, 16}));
    EXPECT_EQ(memo.cellRect(2, 3), (TRect{62, 44, 69, 58}));
    EXPECT_EQ(memo.gutterRect(), (TRect{1, 1, 46, 192}));
}

class ScrollBarTest : public ::testing::Test {
protected:
    void fill(int lineCount, int longestLine = 10)
    {
        std::vector<std::string> lines = numberedLines(lineCount);
        lines.back() = std::string(static_cast<std::size_t>(longestLine), 'w');
        setUpViewerPane(memo, lines);
        memo.setView(&view);
        memo.OnTopLeftChanged = [this](TCustomCodeMemo&) { ++topLeftChanges; };
    }

    TCustomCodeMemo memo;
    CountingView view;
    int topLeftChanges = 0;
};

TEST_F(ScrollBarTest, VerticalBarSpansTheLinesWithAPageOfRowSpan)
{
    fill(100);
    memo.setFirstVisibleLine(40);
    memo.UpdateScrollBars();
    const TScrollBarState& bar = memo.VertScrollBar();
    EXPECT_TRUE(bar.Visible);
    EXPECT_EQ(bar.Min, 0);
    EXPECT_EQ(bar.Max, 99);
    EXPECT_EQ(bar.PageSize, 13);
    EXPECT_EQ(bar.Position, 40);
    EXPECT_FALSE(memo.HorzScrollBar().Visible);
}

TEST_F(ScrollBarTest, AllLinesFittingHidesTheBarAndResetsTheTopLine)
{
    fill(8);
    memo.setFirstVisibleLine(5);
    memo.UpdateScrollBars();
    EXPECT_FALSE(memo.VertScrollBar().Visible);
    EXPECT_EQ(memo.VertScrollBar().PageSize, 0);
    EXPECT_EQ(memo.FirstVisibleLine(), 0);
}

TEST_F(ScrollBarTest, HorizontalBarAppearsForALongLineAndShrinksTheRows)
{
    fill(20, 300);
    memo.LinesChanged();
    const TScrollBarState& bar = memo.HorzScrollBar();
    EXPECT_TRUE(bar.Visible);
    EXPECT_EQ(bar.Max, 300);
    EXPECT_EQ(bar.PageSize, memo.ColSpan() + 1);
    EXPECT_EQ(memo.ColSpan(), 60);
    EXPECT_EQ(memo.RowSpan(), 12);
    EXPECT_EQ(memo.VertScrollBar().PageSize, 12) << "the vertical bar was sized after the re-run";
}

TEST_F(ScrollBarTest, HorizontalBarHidesWhenLinesFitAndResetsTheColumn)
{
    fill(5, 300);
    memo.LinesChanged();
    ASSERT_TRUE(memo.HorzScrollBar().Visible);
    memo.Lines().PutLine(4, "short");
    memo.setFirstVisibleCol(7);
    memo.UpdateScrollBars();
    EXPECT_FALSE(memo.HorzScrollBar().Visible);
    EXPECT_EQ(memo.FirstVisibleCol(), 0);
}

TEST_F(ScrollBarTest, StyleAndChangeTrackingDecideWhatIsComputed)
{
    fill(100, 300);
    memo.LinesChanged();
    ASSERT_TRUE(memo.VertScrollBar().Visible);
    memo.SetChangeTracking(false);
    memo.SetScrollBars(TScrollStyle::ssHorizontal);
    EXPECT_FALSE(memo.VertScrollBar().Visible);
    EXPECT_TRUE(memo.HorzScrollBar().Visible) << "nothing but the style is applied while tracking is off";
    memo.SetChangeTracking(true);
    memo.SetScrollBars(TScrollStyle::ssNone);
    EXPECT_FALSE(memo.HorzScrollBar().Visible);
}

TEST_F(ScrollBarTest, ThumbStaysInsideItsTrackWhileTheViewMayShowEmptyRows)
{
    fill(100);
    memo.ScrollToLine(95);
    memo.UpdateScrollBars();
    EXPECT_EQ(memo.FirstVisibleLine(), 94);
    EXPECT_EQ(memo.VertScrollBar().Position, 87);
}

struct ScrollUseCase {
    const char* name;
    TScrollCode code;
    int thumb;
    int expectedFirstVisible;
};

class VerticalScrollUseTest : public ScrollBarTest, public ::testing::WithParamInterface<ScrollUseCase> {};

TEST_P(VerticalScrollUseTest, MovesTheTopLine)
{
    fill(100);
    memo.UpdateScrollBars();
    memo.SetEnabled(true);
    memo.ScrollToLine(50);
    topLeftChanges = 0;
    memo.scrollVertically(GetParam().code, GetParam().thumb);
    EXPECT_EQ(memo.FirstVisibleLine(), GetParam().expectedFirstVisible);
    EXPECT_EQ(topLeftChanges, 1);
}

INSTANTIATE_TEST_SUITE_P(Codes, VerticalScrollUseTest,
                         ::testing::Values(ScrollUseCase{"ArrowUp", TScrollCode::scLineUp, 0, 49},
                                           ScrollUseCase{"ArrowDown", TScrollCode::scLineDown, 0, 51},
                                           ScrollUseCase{"PageUp", TScrollCode::scPageUp, 0, 36},
                                           ScrollUseCase{"PageDown", TScrollCode::scPageDown, 0, 64},
                                           ScrollUseCase{"Thumb", TScrollCode::scThumbPosition, 70, 70},
                                           ScrollUseCase{"ThumbPastTheEnd", TScrollCode::scThumbPosition, 400, 99}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ScrollBarTest, DisabledMemoIgnoresItsBars)
{
    fill(100, 300);
    memo.LinesChanged();
    ASSERT_FALSE(memo.Enabled());
    memo.scrollVertically(TScrollCode::scPageDown);
    memo.scrollHorizontally(TScrollCode::scLineDown);
    EXPECT_EQ(memo.FirstVisibleLine(), 0);
    EXPECT_EQ(memo.FirstVisibleCol(), 0);
    EXPECT_EQ(topLeftChanges, 0);
}

TEST_F(ScrollBarTest, HorizontalBarMovesOneColumnPerClickAndStopsAtZero)
{
    fill(20, 300);
    memo.LinesChanged();
    memo.SetEnabled(true);
    memo.scrollHorizontally(TScrollCode::scPageDown);
    memo.scrollHorizontally(TScrollCode::scLineDown);
    EXPECT_EQ(memo.FirstVisibleCol(), 2);
    memo.scrollHorizontally(TScrollCode::scPageUp);
    memo.scrollHorizontally(TScrollCode::scPageUp);
    memo.scrollHorizontally(TScrollCode::scLineUp);
    EXPECT_EQ(memo.FirstVisibleCol(), 0);
    EXPECT_EQ(topLeftChanges, 4);
}

TEST_F(ScrollBarTest, ResizeRecomputesBarsAndKeepsTheCaretInView)
{
    fill(100);
    memo.PlaceCaret(1, 12);
    memo.SetBounds(488, 100);
    EXPECT_EQ(memo.RowSpan(), 6);
    EXPECT_EQ(memo.VertScrollBar().PageSize, 6);
    EXPECT_GE(memo.CaretLine(), memo.FirstVisibleLine());
    EXPECT_LE(memo.CaretLine(), memo.FirstVisibleLine() + memo.RowSpan() - 1);
}

} // namespace
} // namespace kalmo
