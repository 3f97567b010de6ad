// The key-down and character tables and the editing commands they reach.
#include "EditingTestSupport.h"

namespace kalmo {
namespace {

using testing::EditorTest;
using testing::Lines;

constexpr char32_t Enter = 13;
constexpr ShiftState Ctrl = ssCtrl;
constexpr ShiftState Shift = ssShift;

struct KeyCase {
    const char* name;
    Lines before;
    TMemoPos caret;
    KeyCode key;
    ShiftState shift;
    Lines after;
    TMemoPos caretAfter;
    friend void PrintTo(const KeyCase& c, std::ostream* out) { *out << c.name; }
};

class KeyTableTest : public EditorTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(KeyTableTest, KeyChangesTextAndCaret)
{
    const KeyCase& c = GetParam();
    fill(c.before);
    caretAt(c.caret.Col, c.caret.Line);
    press(c.key, c.shift);
    EXPECT_EQ(lines(), c.after);
    EXPECT_EQ(caret(), c.caretAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyTableTest,
    ::testing::Values(
        KeyCase{"RightAtTheEndAppendsASpace", {"ab"}, {2, 0}, vk::Right, 0, {"ab "}, {3, 0}},
        KeyCase{"ShiftRightStopsAtTheEnd", {"ab"}, {2, 0}, vk::Right, Shift, {"ab"}, {2, 0}},
        // A selection never reaches into virtual space: beyond the end the
        // caret stays and the line is not filled.
        KeyCase{"ShiftRightInVirtualSpaceStaysWithoutFilling", {"ab", "cd"}, {4, 0}, vk::Right, Shift, {"ab", "cd"},
                {4, 0}},
        KeyCase{"LeftAtColumnZeroGoesToThePreviousEnd", {"abc", "d"}, {0, 1}, vk::Left, 0, {"abc", "d"}, {3, 0}},
        KeyCase{"LeftAtTheVeryStartStays", {"abc"}, {0, 0}, vk::Left, 0, {"abc"}, {0, 0}},
        KeyCase{"DownKeepsTheColumnBeyondTheEnd", {"abcdefghij", "ab"}, {8, 0}, vk::Down, 0, {"abcdefghij", "ab"}, {8, 1}},
        KeyCase{"ShiftDownCapsTheColumn", {"abcdefghij", "ab"}, {8, 0}, vk::Down, Shift, {"abcdefghij", "ab"}, {2, 1}},
        KeyCase{"CtrlUpDoesNotMove", {"ab", "cd"}, {1, 1}, vk::Up, Ctrl, {"ab", "cd"}, {1, 1}},
        KeyCase{"HomeGoesToColumnZero", {"  ab"}, {3, 0}, vk::Home, 0, {"  ab"}, {0, 0}},
        KeyCase{"EndIgnoresTrailingBlanks", {"ab  ", "c"}, {0, 0}, vk::End, 0, {"ab  ", "c"}, {2, 0}},
        KeyCase{"CtrlHomeGoesToTheStart", {"ab", "cde"}, {2, 1}, vk::Home, Ctrl, {"ab", "cde"}, {0, 0}},
        KeyCase{"CtrlEndGoesToTheEndOfTheText", {"ab", "cde"}, {1, 0}, vk::End, Ctrl, {"ab", "cde"}, {3, 1}},
        KeyCase{"TabAtColumnOneInsertsFourSpaces", {"ab"}, {1, 0}, vk::Tab, 0, {"a    b"}, {5, 0}},
        KeyCase{"TabInVirtualSpaceFillsFirst", {"ab"}, {4, 0}, vk::Tab, 0, {"ab      "}, {8, 0}},
        KeyCase{"ShiftTabMovesBackWithoutEditing", {"abcdefg"}, {5, 0}, vk::Tab, Shift, {"abcdefg"}, {1, 0}},
        KeyCase{"DeleteRemovesTheCharacterAtTheCaret", {"abc"}, {1, 0}, vk::Delete, 0, {"ac"}, {1, 0}},
        KeyCase{"DeleteAtTheEndJoinsKeepingInnerSpaces", {"ab", "  cd"}, {2, 0}, vk::Delete, 0, {"ab  cd"}, {2, 0}},
        KeyCase{"DeleteAtTheEndOfTheLastLineDoesNothing", {"ab"}, {2, 0}, vk::Delete, 0, {"ab"}, {2, 0}},
        KeyCase{"DeleteBeyondTheEndJoinsWithoutFilling", {"ab", "cd"}, {5, 0}, vk::Delete, 0, {"abcd"}, {5, 0}},
        KeyCase{"BackspaceRemovesTheCharacterBefore", {"abc"}, {2, 0}, vk::Backspace, 0, {"ac"}, {1, 0}},
        KeyCase{"BackspaceAtTheVeryStartDoesNothing", {"ab"}, {0, 0}, vk::Backspace, 0, {"ab"}, {0, 0}},
        KeyCase{"BackspaceAtColumnZeroJoins", {"ab", "cd"}, {0, 1}, vk::Backspace, 0, {"abcd"}, {2, 0}},
        KeyCase{"BackspaceJoinsOntoTheLastLine", {"x", "ab", "cd"}, {0, 2}, vk::Backspace, 0, {"x", "abcd"}, {2, 1}},
        KeyCase{"BackspaceInVirtualSpaceOnlyMovesLeft", {"ab", "cd"}, {5, 0}, vk::Backspace, 0, {"ab  ", "cd"}, {4, 0}},
        KeyCase{"CtrlBackspaceKeepsTheSpaceBeforeTheWord", {"ab cd"}, {5, 0}, vk::Backspace, Ctrl, {"ab "}, {3, 0}},
        KeyCase{"CtrlBackspaceAtAWordStartJoins", {"ab", "cd"}, {2, 1}, vk::Backspace, Ctrl, {"ab"}, {2, 0}},
        KeyCase{"CtrlRightStopsAtTheNextWord", {"ab  cd ef"}, {0, 0}, vk::Right, Ctrl, {"ab  cd ef"}, {4, 0}},
        KeyCase{"CtrlRightStopsAtTheEndOfTheText", {"ab cd  ", "x"}, {3, 0}, vk::Right, Ctrl, {"ab cd  ", "x"}, {5, 0}},
        KeyCase{"CtrlRightFromTheEndGoesToTheNextLine", {"ab", "cd"}, {2, 0}, vk::Right, Ctrl, {"ab", "cd"}, {0, 1}},
        KeyCase{"CtrlLeftStopsAtAWordStart", {"ab  cd ef"}, {6, 0}, vk::Left, Ctrl, {"ab  cd ef"}, {4, 0}},
        KeyCase{"CtrlLeftFromColumnZeroStopsAtThePreviousEnd", {"ab cd", "x"}, {0, 1}, vk::Left, Ctrl, {"ab cd", "x"}, {5, 0}},
        KeyCase{"CtrlZIsNoUndoKey", {"ab"}, {1, 0}, vk::LetterA + 25, Ctrl, {"ab"}, {1, 0}}),
    [](const ::testing::TestParamInfo<KeyCase>& info) { return std::string(info.param.name); });

struct EnterCase {
    const char* name;
    std::string line;
    int column;
    Lines after;
    TMemoPos caretAfter;
    friend void PrintTo(const EnterCase& c, std::ostream* out) { *out << c.name; }
};

class EnterTest : public EditorTest, public ::testing::WithParamInterface<EnterCase> {};

TEST_P(EnterTest, SplitsAndIndentsLikeTheLineAbove)
{
    const EnterCase& c = GetParam();
    fill({c.line});
    caretAt(c.column, 0);
    type({Enter});
    EXPECT_EQ(lines(), c.after);
    EXPECT_EQ(caret(), c.caretAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, EnterTest,
    ::testing::Values(EnterCase{"IndentedLine", "    abc def", 8, {"    abc", "    def"}, {4, 1}},
                      EnterCase{"BlankLineInside", "      ", 2, {"", "     "}, {5, 1}},
                      EnterCase{"BlankLineAtItsEnd", "      ", 6, {"", "      "}, {6, 1}},
                      EnterCase{"OneSpace", " ", 0, {"", " "}, {1, 1}},
                      EnterCase{"RestLosesTrailingAndLeadingBlanks", "ab   cd  ", 2, {"ab", "cd"}, {0, 1}},
                      EnterCase{"BeyondTheEnd", "ab", 5, {"ab", ""}, {0, 1}},
                      EnterCase{"UnicodeColumns", "añbé", 2, {"añ", "bé"}, {0, 1}}),
    [](const ::testing::TestParamInfo<EnterCase>& info) { return std::string(info.param.name); });

TEST_F(EditorTest, TypingInVirtualSpaceFillsWithSpaces)
{
    fill({"abcdefghij", "ab"});
    caretAt(8, 0);
    press(vk::Down);
    type(U"x");
    EXPECT_EQ(lines()[1], "ab      x");
    EXPECT_EQ(caret(), (TMemoPos{9, 1}));
}

TEST_F(EditorTest, TypingCountsColumnsInCharacters)
{
    fill({"añb"});
    caretAt(2, 0);
    type(U"é€");
    EXPECT_EQ(lines()[0], "añé€b");
    EXPECT_EQ(memo.Lines().LineLength(0), 5);
    EXPECT_EQ(caret(), (TMemoPos{4, 0}));
}

TEST_F(EditorTest, OverwriteReplacesTheCharacterUnderTheCaretOnly)
{
    fill({"abc"});
    caretAt(1, 0);
    press(vk::Insert);
    EXPECT_TRUE(memo.Overwrite());
    type(U"XYZ");
    EXPECT_EQ(lines()[0], "aXYZ") << "past the end it inserts";
    press(vk::Tab);
    EXPECT_EQ(lines()[0], "aXYZ    ") << "Tab only moves, filling the passed end";
    EXPECT_EQ(caret(), (TMemoPos{8, 0}));
}

TEST_F(EditorTest, OverwriteToggleCanBeRefused)
{
    fill({"abc"});
    memo.OnOverwriteToggle = [](TCustomCodeMemo&, bool& allow) { allow = false; };
    press(vk::Insert);
    EXPECT_FALSE(memo.Overwrite());
}

TEST_F(EditorTest, TypingOverASelectionReplacesIt)
{
    fill({"abcdef"});
    caretAt(4, 0);
    memo.setSelection(1, 0, 4, 0);
    type(U"X");
    EXPECT_EQ(lines()[0], "aXef");
    EXPECT_TRUE(memo.SelectionEmpty());
}

TEST_F(EditorTest, ShiftExtendsOnlyFromWhereTheLastSelectingMoveEnded)
{
    fill(testing::numberedLines(6));
    memo.PlaceCaret(1, 2);
    press(vk::Down, Shift);
    EXPECT_TRUE(memo.SelectionEmpty()) << "the first Shift+Down after PlaceCaret only collapses";
    press(vk::Down, Shift);
    EXPECT_EQ(memo.SelFromLine(), 3);
    EXPECT_EQ(memo.SelToLine(), 4);
    press(vk::Right, Shift);
    EXPECT_EQ(memo.SelToCol(), 2);
    press(vk::Right);
    EXPECT_TRUE(memo.SelectionEmpty());
}

TEST_F(EditorTest, CharactersWithoutAKeyDownAreIgnored)
{
    testing::setUpViewerPane(memo, {"ab"});
    memo.SetEnabled(true);
    memo.SetReadOnly(false);
    memo.KeyPress(U'x');
    EXPECT_EQ(lines()[0], "ab");
    memo.KeyDown(vk::Control, Ctrl);
    memo.KeyPress(U'x');
    EXPECT_EQ(lines()[0], "ab") << "Ctrl alone is not a key the memo sees";
    memo.KeyDown(vk::LetterA + ('X' - 'A'), 0);
    memo.KeyPress(U'x');
    EXPECT_EQ(lines()[0], "xab");
}

TEST_F(EditorTest, HandlersRunFirstAndMaySwallowTheInput)
{
    fill({"ab"});
    std::vector<KeyCode> seen;
    memo.OnKeyDown = [&](TCustomCodeMemo&, KeyCode& key, ShiftState) {
        seen.push_back(key);
        if (key == vk::Delete) {
            key = 0;
        }
    };
    memo.OnKeyPress = [](TCustomCodeMemo&, char32_t& ch) {
        if (ch == U'a') {
            ch = U'b';
        }
    };
    press(vk::Delete);
    EXPECT_EQ(lines()[0], "ab");
    type(U"a");
    EXPECT_EQ(lines()[0], "bab");
    EXPECT_EQ(seen.front(), vk::Delete);
}

TEST_F(EditorTest, ControlCharactersReachTheirCommandsAndNothingElse)
{
    fill({"ab", "cd", "ef"});
    caretAt(0, 1);
    type({25}); // Ctrl+Y
    EXPECT_EQ(lines(), (Lines{"ab", "ef"}));
    type({1}); // Ctrl+A
    EXPECT_EQ(memo.SelText(), "ab\r\nef");
    type({3}); // Ctrl+C
    EXPECT_EQ(clipboard.text, "ab\r\nef");
    type({24}); // Ctrl+X
    EXPECT_EQ(lines(), (Lines{""}));
    type({22}); // Ctrl+V
    EXPECT_EQ(lines(), (Lines{"ab", "ef"}));
    type({26, 8, 9, 27, 127}); // Ctrl+Z, Backspace, Tab, Escape, DEL
    EXPECT_EQ(lines(), (Lines{"ab", "ef"}));
}

TEST_F(EditorTest, OpeningBracketAndDotRequestTheCompletionDelay)
{
    fill({""});
    type(U"a");
    EXPECT_FALSE(memo.AutoCompletionPending());
    type(U"(");
    EXPECT_TRUE(memo.AutoCompletionPending());
    memo.AutoCompletionTimeout();
    EXPECT_FALSE(memo.AutoCompletionPending());
    EXPECT_EQ(lines()[0], "a(");
}

TEST_F(EditorTest, EditsMarkTheirLinesModified)
{
    fill({"ab", "cd", "ef"});
    EXPECT_FALSE(memo.AnyLineModified());
    caretAt(0, 1);
    type(U"x");
    EXPECT_TRUE(memo.Lines().LineProp(1).Modified);
    EXPECT_FALSE(memo.Lines().LineProp(0).Modified);
    EXPECT_TRUE(memo.AnyLineModified());
    memo.ClearText();
    memo.Lines().AppendLines({"new"});
    EXPECT_FALSE(memo.AnyLineModified()) << "a refill starts clean";
    memo.PlaceCaret(1, 0);
    EXPECT_FALSE(memo.AnyLineModified()) << "caret moves are no edits";
}

TEST_F(EditorTest, EditingCommandsOnAnEmptyStoreAddTheLineTheyNeed)
{
    for (KeyCode key : {vk::Delete, vk::Backspace, vk::Home, vk::End, vk::Tab}) {
        fill({});
        press(key);
        EXPECT_LE(memo.Lines().LineCount(), 1) << key;
    }
    fill({});
    type(U"a");
    EXPECT_EQ(lines(), Lines{"a"});
    fill({});
    type({Enter});
    EXPECT_EQ(lines(), (Lines{"", ""}));
}

// Page Up and Down move by the rows of the text area less one.
TEST_F(EditorTest, PageKeysMoveCaretAndViewByAPage)
{
    fill(testing::numberedLines(100));
    const int page = memo.textArea().Height() / memo.LineHeight() - 1;
    memo.PlaceCaret(0, 5);
    press(vk::PageDown);
    EXPECT_EQ(memo.CaretLine(), 5 + page);
    EXPECT_EQ(memo.FirstVisibleLine(), page);
    press(vk::PageUp);
    EXPECT_EQ(memo.CaretLine(), 5);
    EXPECT_EQ(memo.FirstVisibleLine(), 0);
    press(vk::PageDown, Ctrl);
    EXPECT_EQ(caret(), (TMemoPos{7, 99}));
    press(vk::PageUp, Ctrl);
    EXPECT_EQ(caret(), (TMemoPos{0, 0}));
}

TEST_F(EditorTest, PageDownWhenAllLinesFitDoesNotSendTheCaretToTheTop)
{
    fill({"a", "b", "c"});
    caretAt(0, 1);
    press(vk::PageDown);
    EXPECT_EQ(memo.CaretLine(), 2);
}

TEST_F(EditorTest, ReadOnlyMemoMovesAndCopiesButNeverEdits)
{
    const Lines text{"ab cd", "ef"};
    struct Action {
        const char* name;
        std::function<void(EditorTest&)> run;
    };
    const std::vector<Action> edits{
        {"typing", [](EditorTest& t) { t.type(U"x"); }},
        {"Enter", [](EditorTest& t) { t.type({Enter}); }},
        {"Backspace", [](EditorTest& t) { t.press(vk::Backspace); }},
        {"Ctrl+Backspace", [](EditorTest& t) { t.press(vk::Backspace, Ctrl); }},
        {"Delete", [](EditorTest& t) { t.press(vk::Delete); }},
        {"Shift+Delete", [](EditorTest& t) { t.press(vk::Delete, Shift); }},
        {"Shift+Insert", [](EditorTest& t) { t.press(vk::Insert, Shift); }},
        {"Tab", [](EditorTest& t) { t.press(vk::Tab); }},
        {"Ctrl+Y", [](EditorTest& t) { t.type({25}); }},
        {"Ctrl+V", [](EditorTest& t) { t.type({22}); }},
        {"Ctrl+X", [](EditorTest& t) { t.type({24}); }},
        {"menu cut", [](EditorTest& t) { t.memo.MenuCommand(memo_command::Cut); }},
        {"menu delete", [](EditorTest& t) { t.memo.MenuCommand(memo_command::DeleteSelection); }},
        {"menu paste", [](EditorTest& t) { t.memo.MenuCommand(memo_command::Paste); }},
    };
    for (const Action& action : edits) {
        fill(text);
        clipboard.SetText("pasted");
        memo.SetReadOnly(true);
        caretAt(3, 0);
        memo.setSelection(0, 0, 3, 0);
        action.run(*this);
        EXPECT_EQ(lines(true), text) << action.name;
        EXPECT_FALSE(memo.CanUndo()) << action.name;
    }
    fill(text);
    memo.SetReadOnly(true);
    press(vk::Insert);
    EXPECT_FALSE(memo.Overwrite());
    caretAt(0, 0);
    press(vk::Right, Shift);
    press(vk::Right, Shift);
    press(vk::Insert, Ctrl);
    EXPECT_EQ(clipboard.text, "ab");
    press(vk::Down);
    EXPECT_EQ(memo.CaretLine(), 1);
    type(U"\x03");
    EXPECT_EQ(clipboard.text, "") << "Ctrl+C copies the now empty selection";
    type({1});
    EXPECT_TRUE(memo.SelectionEmpty()) << "Ctrl+A selects nothing on a read-only memo";
}

TEST_F(EditorTest, DisabledMemoTakesNoInput)
{
    fill({"ab"});
    memo.SetEnabled(false);
    type(U"x");
    press(vk::Delete);
    memo.MouseDown(TMouseButton::mbLeft, 0, 200, 5);
    EXPECT_EQ(lines(), Lines{"ab"});
    EXPECT_EQ(caret(), (TMemoPos{0, 0}));
}

TEST_F(EditorTest, LongestLineCoversTheLongestLineAfterARefill)
{
    fill({"ab", std::string(90, 'x')});
    press(vk::Tab);
    EXPECT_EQ(memo.LongestLine(), 90) << "the first move after the refill passed the stale value";
    EXPECT_EQ(memo.HorzScrollBar().Max, 90);

    fill({"ab", "cd", std::string(90, 'x')});
    press(vk::Down);
    EXPECT_EQ(memo.LongestLine(), 90) << "a move to another line counts as well";
}

TEST_F(EditorTest, DownAfterEditingRaisesActiveLineChange)
{
    fill({"ab", "cd"});
    std::vector<int> events;
    memo.OnActiveLineChange = [&](TCustomCodeMemo&, int line) { events.push_back(line); };
    press(vk::Down);
    press(vk::Down);
    EXPECT_EQ(events, (std::vector<int>{1, 1})) << "Down on the last line raises it again";
}

// Lines removed at the end of a scrolled view used to leave it scrolled with
// every line fitting; the next caret move then sent SetCaretLine,
// SetActiveLineIndex and ScrollToLine round one another until the stack ran out.
struct MoveAfterRemovalCase {
    const char* name;
    std::function<void(EditorTest&)> move;
    friend void PrintTo(const MoveAfterRemovalCase& c, std::ostream* out) { *out << c.name; }
};

class MoveAfterRemovalTest : public EditorTest, public ::testing::WithParamInterface<MoveAfterRemovalCase> {};

TEST_P(MoveAfterRemovalTest, CaretMoveAfterLinesLeftAScrolledViewDoesNotRecurse)
{
    const std::vector<std::pair<const char*, std::function<void(EditorTest&)>>> removals{
        {"CtrlY", [](EditorTest& t) {
             for (int i = 0; i < 2; ++i) {
                 t.press(vk::LetterA + 24, Ctrl);
                 t.memo.KeyPress(25);
             }
         }},
        {"SelectionDelete", [](EditorTest& t) {
             for (int i = 0; i < 2; ++i) t.press(vk::Up, Shift);
             t.press(vk::Delete);
         }},
    };
    for (const auto& [removalName, remove] : removals) {
        SCOPED_TRACE(removalName);
        fill(testing::numberedLines(14));
        ASSERT_EQ(memo.RowSpan(), 13);
        press(vk::End, Ctrl);
        press(vk::Up);
        press(vk::Up);
        ASSERT_GT(memo.FirstVisibleLine(), 0);
        remove(*this);
        ASSERT_LT(memo.Lines().LineCount(), memo.RowSpan());
        EXPECT_EQ(memo.FirstVisibleLine(), 0);
        GetParam().move(*this);
        EXPECT_EQ(memo.FirstVisibleLine(), 0);
        EXPECT_GE(memo.CaretLine(), 0);
        EXPECT_LT(memo.CaretLine(), std::max(1, memo.Lines().LineCount()));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Moves, MoveAfterRemovalTest,
    ::testing::Values(
        MoveAfterRemovalCase{"Up", [](EditorTest& t) { t.press(vk::Up); }},
        MoveAfterRemovalCase{"CtrlHome", [](EditorTest& t) { t.press(vk::Home, Ctrl); }},
        MoveAfterRemovalCase{"PlaceCaret", [](EditorTest& t) { t.memo.PlaceCaret(1, 0); }},
        MoveAfterRemovalCase{"ScrollToLine", [](EditorTest& t) { t.memo.ScrollToLine(0); }},
        MoveAfterRemovalCase{"Refill", [](EditorTest& t) {
             t.memo.ClearText();
             t.memo.Lines().AppendLines(testing::numberedLines(3));
         }},
        MoveAfterRemovalCase{"Wheel", [](EditorTest& t) { t.memo.MouseWheel(-1); }}),
    [](const ::testing::TestParamInfo<MoveAfterRemovalCase>& info) { return std::string(info.param.name); });

} // namespace
} // namespace kalmo
