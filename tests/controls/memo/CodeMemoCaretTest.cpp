// The memo's caret: placing, moving, scrolling it into view.
#include "MemoTestSupport.h"

#include <gtest/gtest.h>

namespace kalmo {
namespace {

using testing::CountingView;
using testing::numberedLines;
using testing::setUpViewerPane;

// A viewer pane that records its active-line events.
class ViewerPaneTest : public ::testing::Test {
protected:
    void fill(const std::vector<std::string>& lines)
    {
        setUpViewerPane(memo, lines);
        memo.OnActiveLineChange = [this](TCustomCodeMemo&, int line) { activeLineEvents.push_back(line); };
    }

    TCustomCodeMemo memo;
    std::vector<int> activeLineEvents;
};

TEST_F(ViewerPaneTest, PlaceCaretMakesTheLineActiveAndPadsShortLines)
{
    fill({"first", "", "third"});
    memo.PlaceCaret(1, 1);
    EXPECT_EQ(memo.CaretCol(), 1);
    EXPECT_EQ(memo.CaretLine(), 1);
    EXPECT_EQ(memo.ActiveLineIndex(), 1);
    EXPECT_EQ(activeLineEvents, std::vector<int>{1});
    EXPECT_EQ(memo.Lines().Line(1), " ");

    memo.PlaceCaret(1, 2);
    EXPECT_EQ(memo.Lines().Line(1), "") << "the padding goes when the caret leaves";
    EXPECT_EQ(activeLineEvents, (std::vector<int>{1, 2}));
}

TEST_F(ViewerPaneTest, PlaceCaretOnTheCaretLineRaisesNothing)
{
    fill({"first", "second"});
    memo.PlaceCaret(1, 0);
    EXPECT_TRUE(activeLineEvents.empty());
    EXPECT_EQ(memo.ActiveLineIndex(), -1);
}

TEST_F(ViewerPaneTest, PlaceCaretBeyondTheEndGoesToTheLastLine)
{
    fill({"first", "second"});
    memo.PlaceCaret(1, 40);
    EXPECT_EQ(memo.CaretLine(), 1);
    EXPECT_EQ(memo.ActiveLineIndex(), 1);
    EXPECT_EQ(activeLineEvents, std::vector<int>{1});
}

TEST_F(ViewerPaneTest, PlaceCaretOnAnEmptyStoreAddsTheLineItNeeds)
{
    for (int line : {0, 5}) {
        fill({});
        ASSERT_EQ(memo.Lines().LineCount(), 0);
        memo.PlaceCaret(1, line);
        EXPECT_EQ(memo.Lines().LineCount(), 1) << "line " << line;
        EXPECT_EQ(memo.Lines().Line(0), " ");
        EXPECT_EQ(memo.CaretLine(), 0);
    }
}

TEST_F(ViewerPaneTest, LeavingALineTrimsTrailingBlanksAndWidensTabs)
{
    fill({" x  ", "a\tb \t", "keep", "\t"});
    memo.PlaceCaret(1, 0);
    memo.PlaceCaret(1, 1);
    memo.PlaceCaret(1, 2);
    EXPECT_EQ(memo.Lines().Line(0), " x");
    EXPECT_EQ(memo.Lines().Line(1), "a    b");
    EXPECT_EQ(memo.Lines().Line(3), "\t") << "a line the caret never visited keeps its tab";
}

TEST_F(ViewerPaneTest, UnicodeLinesArePaddedAndTrimmedByCharacters)
{
    fill({"\xC3\xA9t\xC3\xA9", "next"});
    memo.PlaceCaret(5, 0);
    EXPECT_EQ(memo.Lines().Line(0), "\xC3\xA9t\xC3\xA9  ");
    EXPECT_EQ(memo.Lines().LineLength(0), 5);
    memo.PlaceCaret(1, 1);
    EXPECT_EQ(memo.Lines().Line(0), "\xC3\xA9t\xC3\xA9");
}

TEST_F(ViewerPaneTest, DownOnTheLastLineRaisesTheEventWithTheSameLine)
{
    fill({"one", "ab"});
    memo.PlaceCaret(4, 1);
    activeLineEvents.clear();
    memo.SetCaretLine(memo.CaretLine() + 1);
    EXPECT_EQ(activeLineEvents, std::vector<int>{1});
    EXPECT_EQ(memo.CaretLine(), 1);
    EXPECT_EQ(memo.Lines().Line(1), "ab  ") << "the text stays as it was";
}

TEST_F(ViewerPaneTest, ClearTextLeavesNoLinesAndMovesTheActiveLineHome)
{
    fill(numberedLines(30));
    memo.PlaceCaret(1, 20);
    memo.setSelection(0, 3, 4, 5);
    activeLineEvents.clear();
    memo.ClearText();
    EXPECT_EQ(memo.Lines().LineCount(), 0);
    EXPECT_EQ(memo.CaretCol(), 0);
    EXPECT_EQ(memo.CaretLine(), 0);
    EXPECT_EQ(memo.FirstVisibleLine(), 0);
    EXPECT_EQ(memo.FirstVisibleCol(), 0);
    EXPECT_TRUE(memo.SelectionEmpty());
    EXPECT_EQ(memo.ActiveLineIndex(), 0);
    EXPECT_EQ(activeLineEvents, std::vector<int>{0});

    activeLineEvents.clear();
    memo.ClearText();
    EXPECT_TRUE(activeLineEvents.empty()) << "the caret was already home";
    EXPECT_EQ(memo.Lines().LineCount(), 0);
}

TEST_F(ViewerPaneTest, ScrollToLineAppliesTheEndOfTextRule)
{
    fill(numberedLines(100));
    ASSERT_EQ(memo.RowSpan(), 13);
    int topLeftChanges = 0;
    memo.OnTopLeftChanged = [&topLeftChanges](TCustomCodeMemo&) { ++topLeftChanges; };

    memo.ScrollToLine(50);
    EXPECT_EQ(memo.FirstVisibleLine(), 50);
    memo.ScrollToLine(95);
    EXPECT_EQ(memo.FirstVisibleLine(), 94);
    memo.ScrollToLine(-3);
    EXPECT_EQ(memo.FirstVisibleLine(), 94);
    EXPECT_EQ(topLeftChanges, 2);
}

TEST_F(ViewerPaneTest, ScrollToLineWhenAllLinesFitSendsTheCaretHome)
{
    fill(numberedLines(5));
    memo.PlaceCaret(2, 3);
    int topLeftChanges = 0;
    memo.OnTopLeftChanged = [&topLeftChanges](TCustomCodeMemo&) { ++topLeftChanges; };
    memo.ScrollToLine(2);
    EXPECT_EQ(memo.CaretLine(), 0);
    EXPECT_EQ(memo.CaretCol(), 0);
    EXPECT_EQ(memo.FirstVisibleLine(), 0);
    EXPECT_EQ(topLeftChanges, 0);
}

// The mirrored upper pane only gets SetActiveLineIndex; its caret stays put,
// so the end-of-text rule leaves the active line above the view.
TEST_F(ViewerPaneTest, ActiveLineNearTheEndScrollsDifferentlyWithAndWithoutTheCaret)
{
    fill(numberedLines(100));
    memo.SetActiveLineIndex(90);
    EXPECT_EQ(memo.ActiveLineIndex(), 90);
    EXPECT_EQ(memo.FirstVisibleLine(), 94);
    EXPECT_EQ(memo.CaretLine(), 0);

    TCustomCodeMemo lower;
    setUpViewerPane(lower, numberedLines(100));
    lower.SetCaretLine(90);
    EXPECT_EQ(lower.ActiveLineIndex(), 90);
    EXPECT_EQ(lower.FirstVisibleLine(), 90);
}

struct ViewMoveCase {
    const char* name;
    int firstVisible; // before
    int target;
    int expectedFirstVisible;
};

class ActiveLineScrollTest : public ::testing::TestWithParam<ViewMoveCase> {};

TEST_P(ActiveLineScrollTest, PlaceCaretScrollsOnlyWhenTheLineIsOutOfView)
{
    const ViewMoveCase& c = GetParam();
    TCustomCodeMemo memo;
    setUpViewerPane(memo, numberedLines(100));
    memo.PlaceCaret(1, c.firstVisible);
    memo.ScrollToLine(c.firstVisible);
    ASSERT_EQ(memo.FirstVisibleLine(), c.firstVisible);
    memo.PlaceCaret(1, c.target);
    EXPECT_EQ(memo.FirstVisibleLine(), c.expectedFirstVisible);
    EXPECT_EQ(memo.ActiveLineIndex(), c.target);
}

INSTANTIATE_TEST_SUITE_P(Cases, ActiveLineScrollTest,
                         ::testing::Values(ViewMoveCase{"InsideTheView", 10, 20, 10},
                                           ViewMoveCase{"PartlyVisibleLastRow", 10, 23, 11},
                                           ViewMoveCase{"FarBelow", 10, 60, 60},
                                           ViewMoveCase{"Above", 10, 4, 4}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CodeMemoCaret, HelpMemoOnlyStoresTheActiveLine)
{
    TCustomCodeMemo memo;
    applyHelpMemoLayout(memo, numberedLines(40));
    memo.SetBounds(667, 266);
    memo.SetFontCell(8, 16);
    CountingView view;
    memo.setView(&view);
    memo.SetActiveLineIndex(35);
    EXPECT_EQ(memo.ActiveLineIndex(), 35);
    EXPECT_EQ(memo.FirstVisibleLine(), 0);
    EXPECT_EQ(view.total(), 0);
}

TEST(CodeMemoCaret, ReadOnlyRepaintsAndMovesNothing)
{
    TCustomCodeMemo memo;
    CountingView view;
    memo.setView(&view);
    memo.SetReadOnly(true);
    EXPECT_TRUE(memo.ReadOnly());
    EXPECT_EQ(view.total(), 0);
}

TEST(CodeMemoCaret, EventsFollowTheOrderOfACaretMove)
{
    TCustomCodeMemo memo;
    memo.ClearText();
    memo.Lines().AppendLines({"abc", "def"});
    memo.ActiveLineSettings().SetActiveLineAtCursor(true);
    std::vector<std::string> events;
    memo.OnStatusChange = [&events](TCustomCodeMemo&) { events.push_back("status"); };
    memo.OnCursorChange = [&events](TCustomCodeMemo&) { events.push_back("cursor"); };
    memo.OnColumnChange = [&events](TCustomCodeMemo&, int x) { events.push_back("column " + std::to_string(x)); };
    memo.OnActiveLineChange = [&events](TCustomCodeMemo&, int y) { events.push_back("line " + std::to_string(y)); };

    memo.SetCaretLine(1);
    memo.SetCaretCol(2);
    memo.SetCaretCol(2);
    EXPECT_EQ(events, (std::vector<std::string>{"status", "cursor", "line 1", "status", "cursor", "column 2"}));
}

TEST(CodeMemoCaret, NegativeColumnGoesToTheEndOfThePreviousLine)
{
    TCustomCodeMemo memo;
    memo.ClearText();
    memo.Lines().AppendLines({"abcd", "ef"});
    memo.PlaceCaret(0, 1);
    memo.SetCaretCol(-1);
    EXPECT_EQ(memo.CaretLine(), 0);
    EXPECT_EQ(memo.CaretCol(), 4);

    memo.PlaceCaret(1, 0);
    memo.SetCaretCol(-1);
    EXPECT_EQ(memo.CaretLine(), 0);
    EXPECT_EQ(memo.CaretCol(), 0);
}

TEST(CodeMemoCaret, WithoutAutoExpandTheColumnStopsAtTheLineEnd)
{
    TCustomCodeMemo memo;
    memo.Lines().PutLine(0, "ab");
    memo.SetAutoExpand(false);
    memo.SetCaretCol(6);
    EXPECT_EQ(memo.CaretCol(), 2);
    EXPECT_EQ(memo.Lines().Line(0), "ab");
}

TEST(CodeMemoCaret, SelectionCollapsesOnTheCaretAndExtendsToIt)
{
    TCustomCodeMemo memo;
    memo.ClearText();
    memo.Lines().AppendLines({"abcdef", "ghijkl"});
    int selectionEvents = 0;
    memo.OnSelectionChange = [&selectionEvents](TCustomCodeMemo&) { ++selectionEvents; };

    memo.PlaceCaret(2, 0);
    memo.CollapseSelection();
    EXPECT_EQ(selectionEvents, 0) << "collapsing an empty selection is silent";
    memo.SetCaretLine(1);
    memo.SetCaretCol(4);
    memo.ExtendSelection();
    EXPECT_EQ(selectionEvents, 1);
    EXPECT_EQ(memo.SelFromCol(), 2);
    EXPECT_EQ(memo.SelFromLine(), 0);
    EXPECT_EQ(memo.SelToCol(), 4);
    EXPECT_EQ(memo.SelToLine(), 1);
    EXPECT_EQ(memo.AnchorCol(), 4);
    EXPECT_EQ(memo.AnchorLine(), 1);

    memo.CollapseSelection();
    EXPECT_EQ(selectionEvents, 2);
    EXPECT_TRUE(memo.SelectionEmpty());
    EXPECT_EQ(memo.SelFromCol(), 4);
}

TEST(CodeMemoCaret, TurningActiveLineAtCursorOnFollowsTheCaret)
{
    TCustomCodeMemo memo;
    memo.ClearText();
    memo.Lines().AppendLines({"a", "b", "c"});
    memo.SetCaretLine(2);
    EXPECT_EQ(memo.ActiveLineIndex(), -1);
    memo.ActiveLineSettings().SetActiveLineAtCursor(true);
    EXPECT_EQ(memo.ActiveLineIndex(), 2);
}

// Before the font is measured there is no view to scroll; the strict mode
// must not chase a caret column it can never reach.
TEST(CodeMemoCaret, StrictModeWithoutMeasuredCellsDoesNotRecurse)
{
    TCustomCodeMemo memo;
    memo.SetScrollBars(TScrollStyle::ssNone);
    memo.SetScrollMode(TScrollMode::smStrict);
    memo.Lines().AppendLines({"abc", "def"});
    memo.PlaceCaret(5, 2);
    EXPECT_EQ(memo.CaretCol(), 5);
    EXPECT_EQ(memo.CaretLine(), 2);
}

TEST(CodeMemoCaret, StrictModeKeepsTheCaretInsideTheView)
{
    TCustomCodeMemo memo;
    memo.SetScrollBars(TScrollStyle::ssNone);
    memo.SetScrollMode(TScrollMode::smStrict);
    memo.SetBounds(488, 193);
    memo.SetFontCell(7, 14);
    memo.Lines().AppendLines(numberedLines(40));
    ASSERT_EQ(memo.ColSpan(), 62);
    memo.SetCaretCol(70);
    EXPECT_EQ(memo.CaretCol(), memo.FirstVisibleCol() + memo.ColSpan() - 1);
    memo.SetCaretLine(30);
    EXPECT_EQ(memo.CaretLine(), memo.RowSpan() - 1);
    EXPECT_EQ(memo.FirstVisibleLine(), 0);
}

TEST(CodeMemoCaret, HorizontalScrollingKeepsMargins)
{
    TCustomCodeMemo memo;
    memo.SetBounds(488, 193);
    memo.SetFontCell(7, 14);
    memo.Lines().PutLine(0, std::string(200, 'x'));
    memo.SetCaretCol(100);
    EXPECT_EQ(memo.FirstVisibleCol(), 100 - memo.ColSpan() + 3);
    memo.SetCaretCol(10);
    EXPECT_EQ(memo.FirstVisibleCol(), 8);
}

} // namespace
} // namespace kalmo
