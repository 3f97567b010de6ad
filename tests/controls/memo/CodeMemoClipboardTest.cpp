// Selected text, copy, cut, paste, delete selection, select all, the
// selection offsets and the right-click menu as data.
#include "EditingTestSupport.h"

namespace kalmo {
namespace {

using testing::EditorTest;
using testing::Lines;

struct SelTextCase {
    const char* name;
    int fromCol, fromLine, toCol, toLine;
    std::string text;
    std::pair<int, int> offsets;
    friend void PrintTo(const SelTextCase& c, std::ostream* out) { *out << c.name; }
};

class SelTextTest : public EditorTest, public ::testing::WithParamInterface<SelTextCase> {};

TEST_P(SelTextTest, SelectedTextAndOffsets)
{
    const SelTextCase& c = GetParam();
    fill({"abcdef", "gh", "ijkl"});
    memo.setSelection(c.fromCol, c.fromLine, c.toCol, c.toLine);
    EXPECT_EQ(memo.SelText(), c.text);
    EXPECT_EQ(memo.SelectionOffsets(), c.offsets);
}

INSTANTIATE_TEST_SUITE_P(
    Selections, SelTextTest,
    ::testing::Values(SelTextCase{"Empty", 2, 1, 2, 1, "", {10, 10}},
                      SelTextCase{"OneLine", 1, 0, 4, 0, "bcd", {1, 4}},
                      SelTextCase{"BackwardsOverLines", 2, 2, 4, 0, "ef\r\ngh\r\nij", {4, 14}},
                      SelTextCase{"WholeLinesToColumnZero", 0, 1, 0, 2, "gh\r\n", {8, 12}},
                      SelTextCase{"ColumnsBeyondTheEnd", 5, 1, 9, 1, "", {13, 13}}),
    [](const ::testing::TestParamInfo<SelTextCase>& info) { return std::string(info.param.name); });

struct PasteCase {
    const char* name;
    std::string clipboardText;
    Lines after;
    TMemoPos caretAfter;
    friend void PrintTo(const PasteCase& c, std::ostream* out) { *out << c.name; }
};

class PasteTest : public EditorTest, public ::testing::WithParamInterface<PasteCase> {};

TEST_P(PasteTest, EveryKindOfLineBreakSplitsLines)
{
    const PasteCase& c = GetParam();
    fill({"abcd"});
    caretAt(2, 0);
    clipboard.SetText(c.clipboardText);
    memo.PasteFromClipboard();
    EXPECT_EQ(lines(true), c.after);
    EXPECT_EQ(caret(), c.caretAfter);
    EXPECT_TRUE(memo.SelectionEmpty());
    for (int line = 0; line <= c.caretAfter.Line; ++line) {
        EXPECT_TRUE(memo.Lines().LineProp(line).Modified) << line;
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, PasteTest,
                         ::testing::Values(PasteCase{"NoBreak", "XY", {"abXYcd"}, {4, 0}},
                                           PasteCase{"CrLf", "X\r\nY", {"abX", "Ycd"}, {1, 1}},
                                           PasteCase{"LoneLineFeeds", "X\nY\nZ", {"abX", "Y", "Zcd"}, {1, 2}},
                                           PasteCase{"LoneCarriageReturn", "X\rY", {"abX", "Ycd"}, {1, 1}},
                                           PasteCase{"TrailingBreak", "X\n", {"abX", "cd"}, {0, 1}},
                                           PasteCase{"Tabs", "\tX", {"ab    Xcd"}, {7, 0}}),
                         [](const ::testing::TestParamInfo<PasteCase>& info) { return std::string(info.param.name); });

TEST_F(EditorTest, PasteWithoutTextOrClipboardDoesNothing)
{
    fill({"ab"});
    memo.PasteFromClipboard();
    EXPECT_EQ(lines(), Lines{"ab"});
    memo.SetClipboard(nullptr);
    memo.PasteFromClipboard();
    memo.CopyToClipboard();
    EXPECT_EQ(lines(), Lines{"ab"});
    EXPECT_FALSE(memo.CanUndo());
}

// Empty clipboard text inserts nothing and so records nothing: an undo step
// that changes nothing would only swallow an Alt+Backspace. Over a selection
// the paste still removes it, and that removal is the one step recorded.
TEST_F(EditorTest, PasteOfEmptyTextRecordsOnlyWhatItChanged)
{
    struct Case {
        const char* name;
        TMemoPos caret;
        TMemoPos selectionEnd;
        Lines after;
        int undoSteps;
    };
    const Case cases[] = {
        {"AtTheCaret", {1, 0}, {1, 0}, {"abc", "de"}, 0},
        {"InVirtualSpace", {6, 1}, {6, 1}, {"abc", "de"}, 0},
        {"OverASelection", {1, 0}, {1, 1}, {"ae"}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fill({"abc", "de"});
        caretAt(c.caret.Col, c.caret.Line);
        memo.setSelection(c.caret.Col, c.caret.Line, c.selectionEnd.Col, c.selectionEnd.Line);
        clipboard.SetText("");
        memo.PasteFromClipboard();
        EXPECT_EQ(lines(), c.after);
        EXPECT_EQ(memo.UndoCount(), c.undoSteps);
    }
}

TEST_F(EditorTest, CopyOfAnEmptySelectionLeavesEmptyText)
{
    fill({"ab"});
    clipboard.SetText("old");
    memo.CopyToClipboard();
    EXPECT_TRUE(clipboard.HasText());
    EXPECT_EQ(clipboard.text, "");
}

TEST_F(EditorTest, CutCopiesThenDeletes)
{
    fill({"abc", "def"});
    memo.setSelection(1, 0, 1, 1);
    memo.CutToClipboard();
    EXPECT_EQ(clipboard.text, "bc\r\nd");
    EXPECT_EQ(lines(), Lines{"aef"});
    EXPECT_EQ(caret(), (TMemoPos{1, 0}));
}

TEST_F(EditorTest, CutWithoutAClipboardKeepsTheText)
{
    fill({"abc"});
    memo.SetClipboard(nullptr);
    memo.setSelection(0, 0, 2, 0);
    memo.CutToClipboard();
    EXPECT_EQ(lines(), Lines{"abc"});
}

TEST_F(EditorTest, SelectionLeftOutsideTheStoreIsReset)
{
    fill({"abc", "def"});
    memo.setSelection(0, 0, 2, 7);
    memo.DeleteSelection(true);
    EXPECT_EQ(lines(), (Lines{"abc", "def"}));
    EXPECT_EQ(memo.SelToLine(), 0);
    EXPECT_EQ(memo.SelToCol(), 0);
}

TEST_F(EditorTest, SelectAllLeavesTheCaretAlone)
{
    fill({"abc", "de"});
    caretAt(1, 0);
    memo.SelectAll();
    EXPECT_EQ(memo.SelText(), "abc\r\nde");
    EXPECT_EQ(caret(), (TMemoPos{1, 0}));
}

TEST_F(EditorTest, DeletingEveryLineLeavesOneLineWithTheCaret)
{
    fill(testing::numberedLines(50));
    memo.SelectAll();
    memo.DeleteSelection(true);
    EXPECT_EQ(lines(), Lines{""});
    EXPECT_EQ(caret(), (TMemoPos{0, 0}));
    EXPECT_EQ(memo.Lines().MaxLineLength(), 0);
    memo.Undo();
    EXPECT_EQ(lines(), testing::numberedLines(50));
}

TEST_F(EditorTest, InsertTextReplacesTheSelection)
{
    fill({"abcdef"});
    memo.setSelection(4, 0, 1, 0);
    memo.InsertText("X\r\nY");
    EXPECT_EQ(lines(), (Lines{"aX", "Yef"}));
    EXPECT_EQ(memo.UndoCount(), 2);
}

// The menu of an editable memo follows the history, the selection and the clipboard.
TEST_F(EditorTest, MenuItemsAreGrayedByWhatTheyCanDo)
{
    fill({"abc"});
    const auto grayed = [this] {
        std::vector<bool> flags;
        for (const TMemoMenuItem& item : memo.ContextMenuItems()) {
            flags.push_back(item.grayed);
        }
        return flags;
    };
    EXPECT_EQ(grayed(), (std::vector<bool>{true, true, false, true, true, true, true, false, false}));
    clipboard.SetText("x");
    memo.setSelection(0, 0, 2, 0);
    memo.MenuCommand(memo_command::Cut);
    EXPECT_EQ(lines(), Lines{"c"});
    EXPECT_EQ(grayed(), (std::vector<bool>{false, true, false, true, true, false, true, false, false}));
    memo.MenuCommand(memo_command::Undo);
    EXPECT_EQ(grayed(), (std::vector<bool>{true, false, false, false, false, false, false, false, false}));
    memo.MenuCommand(memo_command::DeleteSelection);
    EXPECT_EQ(lines(), Lines{"c"});
    memo.MenuCommand(memo_command::Paste);
    EXPECT_EQ(lines(), Lines{"abc"});
    memo.MenuCommand(memo_command::SelectAll);
    memo.MenuCommand(memo_command::Copy);
    EXPECT_EQ(clipboard.text, "abc");
}

TEST(MemoContextMenu, HelpTextOffersCopyAndSelectAllOnly)
{
    TCustomCodeMemo memo;
    StringClipboard clipboard;
    clipboard.SetText("on the clipboard");
    applyHelpMemoLayout(memo, {"Help line one", "Help line two"});
    memo.SetBounds(400, 300);
    memo.SetFontCell(7, 14);
    memo.SetClipboard(&clipboard);
    memo.setSelection(0, 0, 4, 0);

    const std::vector<TMemoMenuItem> expected{
        {"Undo", 5, true, false},
        {"Redo", 6, true, false},
        {"", 0, false, true},
        {"Copy\tCtrl-C", 1, false, false},
        {"Cut\tCtrl-X", 2, false, false},
        {"Paste\tCtrl-V", 3, true, false},
        {"Delete", 7, false, false},
        {"", 0, false, true},
        {"Select All\tCtrl-A", 4, false, false},
    };
    EXPECT_EQ(memo.ContextMenuItems(), expected);
    EXPECT_FALSE(memo.WantsContextMenuAt(45)) << "the gutter width counts even with the gutter hidden";
    EXPECT_TRUE(memo.WantsContextMenuAt(46));

    memo.MenuCommand(memo_command::Cut);
    memo.MenuCommand(memo_command::DeleteSelection);
    EXPECT_EQ(memo.Lines().Line(0), "Help line one") << "enabled, but nothing happens on a read-only memo";
    memo.MenuCommand(memo_command::Copy);
    EXPECT_EQ(clipboard.text, "Help");
}

} // namespace
} // namespace kalmo
