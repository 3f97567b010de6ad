// Mouse rules in client pixels: click, drag, release inside a selection,
// double click, wheel, gutter, pointer shape and web addresses.
#include "EditingTestSupport.h"

#include "controls/memo/MemoWebAddress.h"

namespace kalmo {
namespace {

using testing::Lines;

constexpr ShiftState Shift = ssShift;

class MouseTest : public testing::EditorTest {
protected:
    // The middle of the cell of view column `column`, view row `row`.
    int xOf(int column) const { return memo.textArea().Left + column * memo.CharWidth() + 3; }
    int yOf(int row) const { return memo.textArea().Top + row * memo.LineHeight() + 7; }
    void click(int column, int row, ShiftState shift = 0)
    {
        memo.MouseDown(TMouseButton::mbLeft, shift, xOf(column), yOf(row));
        memo.MouseUp(TMouseButton::mbLeft, shift, xOf(column), yOf(row));
    }
    void drag(int column, int row) { memo.MouseMove(0, true, xOf(column), yOf(row)); }
};

struct FocusView : MemoView {
    int focusRequests = 0;
    std::vector<std::string> opened;
    void takeFocus() override { ++focusRequests; }
    void openUrl(const std::string& url) override { opened.push_back(url); }
};

TEST_F(MouseTest, ClickPlacesTheCaretWithoutRaisingActiveLineChange)
{
    fill({"abc  ", "de", "fgh"});
    FocusView view;
    memo.setView(&view);
    std::vector<int> events;
    memo.OnActiveLineChange = [&](TCustomCodeMemo&, int line) { events.push_back(line); };
    click(5, 1);
    EXPECT_EQ(caret(), (TMemoPos{5, 1}));
    EXPECT_EQ(lines(), (Lines{"abc", "de   ", "fgh"})) << "the left line is trimmed, the clicked one filled";
    EXPECT_EQ(memo.ActiveLineIndex(), 1);
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(view.focusRequests, 1);
    click(1, 9);
    EXPECT_EQ(memo.CaretLine(), 2) << "below the text is the last line";
    memo.setView(nullptr);
}

TEST_F(MouseTest, DragSelectsWithoutFillingAndIgnoresTheFirstMove)
{
    fill({"abcdef", "gh", "ijkl"});
    memo.MouseDown(TMouseButton::mbLeft, 0, xOf(1), yOf(0));
    drag(4, 2); // the first move after a press is ignored
    EXPECT_TRUE(memo.SelectionEmpty());
    drag(9, 1);
    EXPECT_EQ(caret(), (TMemoPos{2, 1}));
    EXPECT_EQ(lines()[1], "gh");
    EXPECT_EQ(memo.SelText(), "bcdef\r\ngh");
    memo.MouseMove(0, true, memo.textArea().Left - 10, yOf(2));
    EXPECT_EQ(caret(), (TMemoPos{0, 2}));
    memo.MouseUp(TMouseButton::mbLeft, 0, xOf(0), yOf(2));
    drag(3, 0);
    EXPECT_EQ(caret(), (TMemoPos{0, 2})) << "after the release moves do nothing";
}

TEST_F(MouseTest, ShiftClickExtendsTheSelection)
{
    fill({"abcdef", "ghij"});
    click(1, 0);
    click(3, 1, Shift);
    EXPECT_EQ(memo.SelText(), "bcdef\r\nghi");
}

TEST_F(MouseTest, ReleaseInsideTheSelectionPlacesTheCaretUnlessDragged)
{
    fill({"abcdef"});
    memo.setSelection(1, 0, 5, 0);
    memo.MouseDown(TMouseButton::mbLeft, 0, xOf(3), yOf(0));
    EXPECT_EQ(memo.SelText(), "bcde") << "a press inside keeps the selection";
    memo.MouseUp(TMouseButton::mbLeft, 0, xOf(3), yOf(0));
    EXPECT_TRUE(memo.SelectionEmpty());
    EXPECT_EQ(caret(), (TMemoPos{3, 0}));

    memo.setSelection(1, 0, 5, 0);
    memo.MouseDown(TMouseButton::mbLeft, 0, xOf(3), yOf(0));
    memo.MouseMove(0, true, xOf(3) + 5, yOf(0));
    memo.MouseUp(TMouseButton::mbLeft, 0, xOf(3) + 5, yOf(0));
    EXPECT_EQ(memo.SelText(), "bcde") << "a drag drops nowhere and changes nothing";
}

TEST_F(MouseTest, DoubleClickSelectsTheWordAroundTheCaret)
{
    fill({"say \"hello world\" now"});
    for (const auto& [column, word] : std::vector<std::pair<int, std::string>>{{7, "hello"}, {0, "say"}, {3, ""}}) {
        click(column, 0);
        memo.DblClick(xOf(column), yOf(0));
        EXPECT_EQ(memo.SelText(), word) << column;
        EXPECT_EQ(memo.CaretCol(), column);
    }
}

TEST_F(MouseTest, WheelScrollsByFourWithoutMovingTheCaret)
{
    fill(testing::numberedLines(30));
    memo.MouseWheel(1);
    EXPECT_EQ(memo.FirstVisibleLine(), 4);
    memo.MouseWheel(2);
    EXPECT_EQ(memo.FirstVisibleLine(), 12);
    memo.MouseWheel(2);
    EXPECT_EQ(memo.FirstVisibleLine(), 24) << "near the end the last lines fill the upper half";
    memo.MouseWheel(1);
    EXPECT_EQ(memo.FirstVisibleLine(), 24) << "the last line is in view";
    memo.MouseWheel(-1);
    EXPECT_EQ(memo.FirstVisibleLine(), 20) << "the wheel leaves the end position going up";
    memo.setFirstVisibleLine(3);
    memo.MouseWheel(-1);
    EXPECT_EQ(memo.FirstVisibleLine(), 0);
    EXPECT_EQ(caret(), (TMemoPos{0, 0}));

    fill({"a", "b"});
    caretAt(1, 1);
    memo.MouseWheel(-1);
    EXPECT_EQ(caret(), (TMemoPos{1, 1})) << "all lines fit: nothing happens";
}

TEST_F(MouseTest, GutterClickMovesTheCaretLineAndReportsIt)
{
    fill({"ab", "cd", "ef"});
    std::vector<int> clicked;
    memo.OnGutterClick = [&](TCustomCodeMemo&, int line) { clicked.push_back(line); };
    memo.MouseDown(TMouseButton::mbLeft, 0, 10, yOf(2));
    EXPECT_EQ(memo.CaretLine(), 2);
    memo.MouseDown(TMouseButton::mbLeft, 0, 10, yOf(7));
    EXPECT_EQ(clicked, std::vector<int>{2}) << "rows without a line report nothing";
}

TEST_F(MouseTest, RightPressTakesTheFocusAndLeavesTheCaret)
{
    fill({"abc"});
    FocusView view;
    memo.setView(&view);
    memo.MouseDown(TMouseButton::mbRight, 0, xOf(2), yOf(0));
    EXPECT_EQ(view.focusRequests, 1);
    EXPECT_EQ(caret(), (TMemoPos{0, 0}));
    memo.setView(nullptr);
}

TEST(MemoMouse, WebAddressesShowTheHandAndOpenOnAClick)
{
    TCustomCodeMemo memo;
    applyHelpMemoLayout(memo, {"See www.example.com, or HTTP://x.y now"});
    memo.SetBounds(600, 200);
    memo.SetFontCell(7, 14);
    FocusView view;
    memo.setView(&view);
    const TRect area = memo.textArea();
    const auto x = [&](int column) { return area.Left + column * 7 + 3; };
    const int y = area.Top + 5;
    EXPECT_EQ(memo.CursorAt(x(1), y), TCursorShape::crIBeam);
    EXPECT_EQ(memo.CursorAt(x(6), y), TCursorShape::crHandPoint);
    EXPECT_EQ(memo.CursorAt(x(19), y), TCursorShape::crIBeam) << "the comma ends the address";
    EXPECT_EQ(memo.CursorAt(x(6), y + 3 * 14), TCursorShape::crIBeam) << "no line there";
    EXPECT_EQ(memo.CursorAt(area.Right + 1, y), TCursorShape::crArrow);

    memo.MouseDown(TMouseButton::mbLeft, 0, x(26), y);
    EXPECT_EQ(view.opened, std::vector<std::string>{"HTTP://x.y"});
    std::string handled;
    memo.OnURLClick = [&](TCustomCodeMemo&, const std::string& url) { handled = url; };
    memo.MouseDown(TMouseButton::mbLeft, 0, x(8), y);
    EXPECT_EQ(handled, "www.example.com");
    EXPECT_EQ(view.opened.size(), 1u);
    memo.setView(nullptr);
}

TEST(MemoWebAddress, RunsSeparateAddressesFromPlainText)
{
    EXPECT_EQ(webAddressRuns("go to 'mailto:a@b' now"),
              (std::vector<TTextRun>{{0, 7, false}, {7, 10, true}, {17, 5, false}}));
    EXPECT_EQ(webAddressRuns("wwwx.example ftp:/x"), (std::vector<TTextRun>{{0, 19, false}}));
    EXPECT_TRUE(webAddressRuns("").empty());
}

} // namespace
} // namespace kalmo
