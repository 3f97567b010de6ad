// The undo history: merging, the limit, the undo and redo frame, and every
// record kind undone and redone through the memo's own commands.
#include "EditingTestSupport.h"

#include <random>

namespace kalmo {
namespace {

using testing::EditorTest;
using testing::Lines;

constexpr char32_t Enter = 13;
constexpr ShiftState Ctrl = ssCtrl;
constexpr ShiftState Shift = ssShift;
constexpr ShiftState Alt = ssAlt;

class UndoTest : public EditorTest {
protected:
    void undo() { press(vk::Backspace, Alt); }
    void redo() { press(vk::Backspace, Alt | Shift); }
};

// Each edit, undone, gives back the text it started from (trailing blanks
// aside, which leaving a line trims anyway); redone, gives its result again.
struct EditCase {
    const char* name;
    Lines before;
    TMemoPos caret;
    std::function<void(UndoTest&)> edit;
    int undoSteps;
    friend void PrintTo(const EditCase& c, std::ostream* out) { *out << c.name; }
};

class UndoRoundTripTest : public UndoTest, public ::testing::WithParamInterface<EditCase> {};

TEST_P(UndoRoundTripTest, UndoRestoresAndRedoRepeats)
{
    const EditCase& c = GetParam();
    fill(c.before);
    const Lines original = lines(true);
    caretAt(c.caret.Col, c.caret.Line);
    c.edit(*this);
    const Lines edited = lines(true);
    ASSERT_NE(edited, original) << "the edit must change something";
    ASSERT_EQ(memo.UndoCount(), c.undoSteps);
    for (int step = 0; step < c.undoSteps; ++step) {
        undo();
    }
    EXPECT_EQ(lines(true), original);
    EXPECT_FALSE(memo.CanUndo());
    for (int step = 0; step < c.undoSteps; ++step) {
        redo();
    }
    EXPECT_EQ(lines(true), edited);
    EXPECT_EQ(memo.UndoCount(), c.undoSteps) << "undo and redo record nothing themselves";
}

INSTANTIATE_TEST_SUITE_P(
    Records, UndoRoundTripTest,
    ::testing::Values(
        EditCase{"Typing", {"ab"}, {1, 0}, [](UndoTest& t) { t.type(U"xyz"); }, 1},
        EditCase{"TypingWithEnterAndIndent", {"  ab cd"}, {5, 0}, [](UndoTest& t) { t.type(U"xy\rz"); }, 1},
        EditCase{"Tab", {"ab"}, {1, 0}, [](UndoTest& t) { t.press(vk::Tab); }, 1},
        EditCase{"TypingUnicode", {"añb"}, {3, 0}, [](UndoTest& t) { t.type(U"é€"); }, 1},
        EditCase{"DeleteRun", {"abcdef"}, {1, 0},
                 [](UndoTest& t) {
                     for (int i = 0; i < 3; ++i) t.press(vk::Delete);
                 },
                 1},
        EditCase{"BackspaceRunWithJoin", {"ab", "cd"}, {2, 1},
                 [](UndoTest& t) {
                     for (int i = 0; i < 3; ++i) t.press(vk::Backspace);
                 },
                 1},
        EditCase{"DeleteJoin", {"ab", "  cd", "e"}, {2, 0}, [](UndoTest& t) { t.press(vk::Delete); }, 1},
        EditCase{"DeleteJoinFromVirtualSpace", {"ab", "cd"}, {6, 0}, [](UndoTest& t) { t.press(vk::Delete); }, 1},
        EditCase{"WordBackspace", {"ab cd", "x"}, {5, 0}, [](UndoTest& t) { t.press(vk::Backspace, Ctrl); }, 1},
        EditCase{"DeleteLineInside", {"a", "b", "c"}, {0, 1}, [](UndoTest& t) { t.type({25}); }, 1},
        EditCase{"DeleteLastLine", {"a", "b", "c"}, {1, 2}, [](UndoTest& t) { t.type({25}); }, 1},
        EditCase{"DeleteOnlyLine", {"abc"}, {1, 0}, [](UndoTest& t) { t.type({25}); }, 1},
        EditCase{"DeleteSelectionOverLines", {"abcdef", "ghi", "jkl", "mno"}, {3, 0},
                 [](UndoTest& t) {
                     t.memo.setSelection(3, 0, 1, 3);
                     t.press(vk::Delete);
                 },
                 1},
        EditCase{"DeleteSelectionStartingInVirtualSpace", {"ab", "cdefgh"}, {5, 1},
                 [](UndoTest& t) {
                     t.press(vk::Up);
                     t.press(vk::Down, Shift); // selects from (5, 0), right of "ab"
                     t.press(vk::Delete);
                 },
                 1},
        EditCase{"PasteLines", {"abc", "d"}, {1, 0},
                 [](UndoTest& t) {
                     t.clipboard.SetText("X\r\nY\r\nZ");
                     t.press(vk::Insert, Shift);
                 },
                 1},
        EditCase{"PasteOverSelection", {"abcdef"}, {1, 0},
                 [](UndoTest& t) {
                     t.clipboard.SetText("XY");
                     t.memo.setSelection(1, 0, 4, 0);
                     t.type({22});
                 },
                 2},
        EditCase{"PasteInVirtualSpace", {"ab", "cdefgh"}, {5, 0},
                 [](UndoTest& t) {
                     t.clipboard.SetText("XY");
                     t.type({22});
                 },
                 1},
        EditCase{"PasteWithTabs", {"ab"}, {1, 0},
                 [](UndoTest& t) {
                     t.clipboard.SetText("x\ty");
                     t.type({22});
                 },
                 1},
        EditCase{"DeletionUndoneWhileOverwriting", {"abc"}, {1, 0},
                 [](UndoTest& t) {
                     t.press(vk::Delete);
                     t.press(vk::Insert);
                 },
                 1},
        // Enter trims the blank before the caret and re-indents the rest;
        // neither may leak into the undone or redone text.
        EditCase{"EnterAfterABlank", {"    foo bar"}, {8, 0}, [](UndoTest& t) { t.type({Enter}); }, 1},
        EditCase{"EnterBeforeTheIndent", {"  x"}, {0, 0}, [](UndoTest& t) { t.type({Enter}); }, 1},
        EditCase{"EnterInsideTheIndent", {"  x"}, {1, 0}, [](UndoTest& t) { t.type({Enter}); }, 1},
        EditCase{"EnterOnAPaddedLineThenLeavingIt", {"", "z"}, {0, 0},
                 [](UndoTest& t) {
                     t.press(vk::Right);
                     t.type({Enter});
                     t.press(vk::Down); // trims the new line's indent away
                 },
                 1},
        // The joined line's trailing blank is gone once undo leaves the line;
        // redo must still join after it.
        EditCase{"BackspaceJoinAfterATrailingBlank", {"a ", "b"}, {0, 1},
                 [](UndoTest& t) { t.press(vk::Backspace); }, 1},
        EditCase{"DeleteSelectionJoiningAfterTrailingBlanks", {"ab  ", "cd"}, {0, 1},
                 [](UndoTest& t) {
                     t.memo.setSelection(4, 0, 0, 1);
                     t.press(vk::Delete);
                 },
                 1},
        // Redone typing brings back a blank that leaving the line trimmed
        // before the join; the redone join still happens at the trimmed end.
        EditCase{"DeleteJoinAfterTypedBlankWasTrimmed", {"x", "", "ab"}, {0, 1},
                 [](UndoTest& t) {
                     t.type(U"a ");
                     t.press(vk::Up);
                     t.press(vk::Down);
                     t.press(vk::Delete);
                 },
                 2},
        // The undone deletion's blank is trimmed again before the redo.
        EditCase{"DeleteOfABlankThatIsTrimmedBeforeTheRedo", {"   ", ""}, {0, 1},
                 [](UndoTest& t) {
                     t.type(U"z");
                     t.press(vk::Up);
                     t.press(vk::Home);
                     t.press(vk::Delete);
                     t.press(vk::Down);
                 },
                 2},
        EditCase{"PastedLineBreakAfterBlanks", {"ab  cd"}, {4, 0},
                 [](UndoTest& t) {
                     t.clipboard.SetText("\r\n");
                     t.type({22});
                 },
                 1},
        EditCase{"OverwriteTyping", {"abcd"}, {1, 0},
                 [](UndoTest& t) {
                     t.press(vk::Insert);
                     t.type(U"xy");
                 },
                 1}),
    [](const ::testing::TestParamInfo<EditCase>& info) { return std::string(info.param.name); });

// An undo or redo puts the caret where the record says, not by a selecting
// move, so the first Shift move after it starts a selection afresh at the
// new caret: it selects nothing, and a character typed next deletes nothing.
struct ShiftAfterUndoCase {
    const char* name;
    Lines before;
    TMemoPos caret;
    std::function<void(UndoTest&)> edit;
    bool redoToo;
    KeyCode shiftKey;
    friend void PrintTo(const ShiftAfterUndoCase& c, std::ostream* out) { *out << c.name; }
};

class ShiftAfterUndoTest : public UndoTest, public ::testing::WithParamInterface<ShiftAfterUndoCase> {};

TEST_P(ShiftAfterUndoTest, FirstShiftMoveOnlyCollapsesAtTheNewCaret)
{
    const ShiftAfterUndoCase& c = GetParam();
    fill(c.before);
    caretAt(c.caret.Col, c.caret.Line);
    c.edit(*this);
    undo();
    if (c.redoToo) {
        redo();
    }
    press(c.shiftKey, Shift);
    EXPECT_TRUE(memo.SelectionEmpty());
    EXPECT_EQ((TMemoPos{memo.SelFromCol(), memo.SelFromLine()}), caret());
    Lines expected = lines();
    std::string& line = expected.at(static_cast<std::size_t>(memo.CaretLine()));
    line.resize(std::max(line.size(), static_cast<std::size_t>(memo.CaretCol())), ' ');
    line.insert(static_cast<std::size_t>(memo.CaretCol()), "z");
    type(U"z");
    EXPECT_EQ(lines(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Records, ShiftAfterUndoTest,
    ::testing::Values(
        ShiftAfterUndoCase{"UndoneBackwardSelectionDelete", {"ab cd"}, {4, 0},
                           [](UndoTest& t) {
                               for (int i = 0; i < 3; ++i) t.press(vk::Left, Shift);
                               t.press(vk::Delete);
                           },
                           false, vk::Right},
        ShiftAfterUndoCase{"RedoneBackwardSelectionDelete", {"ab cd"}, {4, 0},
                           [](UndoTest& t) {
                               for (int i = 0; i < 3; ++i) t.press(vk::Left, Shift);
                               t.press(vk::Delete);
                           },
                           true, vk::Right},
        ShiftAfterUndoCase{"UndoneTyping", {"abc"}, {1, 0}, [](UndoTest& t) { t.type(U"xy"); }, false, vk::Left},
        ShiftAfterUndoCase{"RedoneTyping", {"abc"}, {1, 0}, [](UndoTest& t) { t.type(U"xy"); }, true, vk::Left},
        ShiftAfterUndoCase{"UndoneBackspace", {"abcd"}, {3, 0}, [](UndoTest& t) { t.press(vk::Backspace); }, false,
                           vk::Right},
        ShiftAfterUndoCase{"UndoneDeleteLine", {"ab", "cd", "ef"}, {1, 1}, [](UndoTest& t) { t.type({25}); }, false,
                           vk::Down},
        ShiftAfterUndoCase{"UndonePaste", {"abcd"}, {2, 0},
                           [](UndoTest& t) {
                               t.clipboard.SetText("XY");
                               t.type({22});
                           },
                           false, vk::End},
        ShiftAfterUndoCase{"RedonePaste", {"abcd"}, {2, 0},
                           [](UndoTest& t) {
                               t.clipboard.SetText("XY");
                               t.type({22});
                           },
                           true, vk::Home}),
    [](const ::testing::TestParamInfo<ShiftAfterUndoCase>& info) { return std::string(info.param.name); });

// Random edits with caret moves in between, on a few short lines without
// tabs: undoing every step gives back the lines, redoing every step gives
// back the edited ones (both compared without trailing blanks, which leaving
// a line trims anyway).
TEST_F(UndoTest, AnyEditSequenceUndoesAndRedoesToTheSameLines)
{
    std::mt19937 random(20261210);
    const auto pick = [&](int count) { return static_cast<int>(random() % static_cast<unsigned>(count)); };
    const std::vector<std::string> words = {"", "ab", " cd", "  e f", "gh  ", "   ", " i j "};
    // Line feeds alone: the clipboard turns them into line breaks, and the
    // failure messages stay on one line each.
    const std::vector<std::string> pastes = {"x", " y ", "p\nq", "\n", "  r\n s\n"};
    for (int round = 0; round < 400; ++round) {
        Lines start;
        for (int n = 3 + pick(2); n > 0; --n) {
            start.push_back(words[static_cast<std::size_t>(pick(static_cast<int>(words.size())))]);
        }
        fill(start);
        memo.UndoList().Clear(); // a refill keeps the history of the round before
        if (memo.Overwrite()) {
            press(vk::Insert);
        }
        caretAt(0, 0);
        const Lines original = lines(true);
        std::string steps;
        for (int n = 1 + pick(20); n > 0; --n) {
            const int lineCount = memo.Lines().LineCount();
            switch (pick(22)) {
            case 0: steps += "a"; type(U"a"); break;
            case 1: steps += "_"; type(U" "); break;
            case 2: steps += "<Enter>"; type({Enter}); break;
            case 3: steps += "<Tab>"; press(vk::Tab); break;
            case 4: steps += "<BS>"; press(vk::Backspace); break;
            case 5: steps += "<Del>"; press(vk::Delete); break;
            case 6: steps += "<CtrlBS>"; press(vk::Backspace, Ctrl); break;
            case 7: steps += "<CtrlY>"; type({25}); break;
            case 8: {
                clipboard.SetText(pastes[static_cast<std::size_t>(pick(static_cast<int>(pastes.size())))]);
                steps += "<Paste " + ::testing::PrintToString(clipboard.text) + ">";
                type({22});
                break;
            }
            case 9: {
                const int fromLine = pick(lineCount);
                const int toLine = pick(lineCount);
                const int fromCol = pick(memo.Lines().LineLength(fromLine) + 3);
                const int toCol = pick(memo.Lines().LineLength(toLine) + 3);
                steps += "<Sel " + std::to_string(fromCol) + "," + std::to_string(fromLine) + "-"
                         + std::to_string(toCol) + "," + std::to_string(toLine) + " Del>";
                memo.setSelection(fromCol, fromLine, toCol, toLine);
                press(vk::Delete);
                break;
            }
            case 10: {
                const int line = pick(lineCount);
                const int column = pick(memo.Lines().LineLength(line) + 3);
                steps += "<Goto " + std::to_string(column) + "," + std::to_string(line) + ">";
                memo.PlaceCaret(column, line);
                break;
            }
            case 11: steps += "<Left>"; press(vk::Left); break;
            case 12: steps += "<Right>"; press(vk::Right); break;
            case 13: steps += "<Up>"; press(vk::Up); break;
            case 14: steps += "<Down>"; press(vk::Down); break;
            case 15: steps += "<End>"; press(vk::End); break;
            case 16: steps += "<Home>"; press(vk::Home); break;
            case 17: steps += "<CtrlLeft>"; press(vk::Left, Ctrl); break;
            case 18: steps += "<CtrlRight>"; press(vk::Right, Ctrl); break;
            case 19: steps += "<ShiftRight>"; press(vk::Right, Shift); break;
            case 20: steps += "<ShiftDown>"; press(vk::Down, Shift); break;
            default: steps += "<Insert>"; press(vk::Insert); break; // overwrite on or off
            }
        }
        const Lines edited = lines(true);
        int undone = 0;
        while (memo.CanUndo()) {
            undo();
            ++undone;
        }
        ASSERT_EQ(lines(true), original) << "round " << round << ", edited to " << ::testing::PrintToString(edited)
                                         << " by " << steps;
        for (; undone > 0; --undone) {
            redo();
        }
        ASSERT_EQ(lines(true), edited) << "round " << round << ", from " << ::testing::PrintToString(original)
                                       << " by " << steps;
    }
}

TEST_F(UndoTest, TypingWithEnterIsOneStepUndoneAndRedone)
{
    fill({"start"});
    caretAt(5, 0);
    type(U"abc\rde");
    EXPECT_EQ(lines(), (Lines{"startabc", "de"}));
    undo();
    EXPECT_EQ(lines(true), Lines{"start"});
    EXPECT_EQ(caret(), (TMemoPos{5, 0}));
    redo();
    EXPECT_EQ(lines(true), (Lines{"startabc", "de"}));
    EXPECT_EQ(caret(), (TMemoPos{2, 1}));
}

TEST_F(UndoTest, DeletedSelectionComesBackWithItsLineBreaksAndBounds)
{
    fill({"abcdef", "ghi", "jkl"});
    caretAt(0, 2);
    memo.setSelection(3, 0, 0, 2);
    press(vk::Delete);
    EXPECT_EQ(lines(), (Lines{"abcjkl"}));
    undo();
    EXPECT_EQ(lines(), (Lines{"abcdef", "ghi", "jkl"}));
    EXPECT_EQ(memo.SelText(), "def\r\nghi\r\n");
    EXPECT_EQ(caret(), (TMemoPos{0, 2}));
}

TEST_F(UndoTest, OnlyTheNewestHundredStepsAreKept)
{
    fill({""});
    for (int i = 0; i < 101; ++i) {
        type(U"x");
        press(vk::Left); // the next character no longer continues this one
    }
    EXPECT_EQ(memo.UndoCount(), 100);
    while (memo.CanUndo()) {
        undo();
    }
    EXPECT_EQ(lines(), Lines{"x"}) << "the oldest step fell out of the history";
}

TEST_F(UndoTest, UndoNeverDeletesASelection)
{
    fill({"xyz"});
    caretAt(3, 0);
    type(U"ab");
    memo.setSelection(0, 0, 3, 0);
    undo();
    EXPECT_EQ(lines(true), Lines{"xyz"});
    memo.setSelection(0, 0, 2, 0);
    redo();
    EXPECT_EQ(lines(true), Lines{"xyzab"});
}

TEST_F(UndoTest, TypingAfterAnUndoIsItselfUndoable)
{
    fill({""});
    type(U"ab");
    undo();
    press(vk::Right);
    press(vk::Right); // back where the undone typing ended
    type(U"c");
    EXPECT_EQ(memo.RedoCount(), 0);
    ASSERT_TRUE(memo.CanUndo());
    undo();
    EXPECT_EQ(lines(true), Lines{""});
}

TEST_F(UndoTest, UndoingWhileOverwritingStillInserts)
{
    fill({"abc"});
    caretAt(1, 0);
    press(vk::Delete);
    press(vk::Insert);
    undo();
    EXPECT_EQ(lines(), Lines{"abc"});
    EXPECT_TRUE(memo.Overwrite()) << "the flag survives the undo";
}

TEST_F(UndoTest, DeleteRunsMergeOnlyInOneDirectionAndPlace)
{
    fill({"abcdef"});
    caretAt(3, 0);
    press(vk::Delete);
    press(vk::Delete);
    press(vk::Backspace);
    EXPECT_EQ(memo.UndoCount(), 2);
    press(vk::Home);
    press(vk::Delete);
    EXPECT_EQ(memo.UndoCount(), 3);
}

TEST_F(UndoTest, HistoryChangesAreReported)
{
    fill({""});
    std::vector<std::pair<bool, bool>> reports;
    memo.OnUndoChange = [&](TCustomCodeMemo&, bool canUndo, bool canRedo) { reports.emplace_back(canUndo, canRedo); };
    type(U"a");
    type(U"b"); // merges: no change of the history's shape
    undo();
    redo();
    EXPECT_EQ(reports, (std::vector<std::pair<bool, bool>>{{true, false}, {false, true}, {true, false}}));
    undo();
    undo(); // nothing left: nothing happens
    EXPECT_EQ(reports.size(), 4u);
}

TEST_F(UndoTest, ReadOnlyMemoStillUndoesByKey)
{
    fill({"ab"});
    type(U"x");
    memo.SetReadOnly(true);
    undo();
    EXPECT_EQ(lines(), Lines{"ab"});
    redo();
    EXPECT_EQ(lines(), Lines{"xab"});
}

TEST_F(UndoTest, HistorySurvivesARefill)
{
    fill({"ab"});
    type(U"x");
    memo.ClearText();
    memo.Lines().AppendLines({"ab"});
    EXPECT_TRUE(memo.CanUndo());
}

} // namespace
} // namespace kalmo
