// Keys and the mouse over lines that mix ASCII with wide Chinese characters,
// Thai vowel and tone marks and combining accents: columns are display cells
// and the caret never stands inside a character.
#include "EditingTestSupport.h"

#include <functional>
#include <optional>

namespace kalmo {
namespace {

using testing::EditorTest;
using testing::Lines;

constexpr ShiftState Ctrl = ssCtrl;
constexpr ShiftState Shift = ssShift;

// Cells: a ' 显显 示示 ' ) ;  -- 9 cells, the wide pair at 2..5
const std::string chinese = "a'\u663e\u793a');";
// Cells: ก+ิ+่ ง ␠ ไ ท ย ␠ x -- 8 cells, the marks join the first consonant
const std::string thai = "\u0e01\u0e34\u0e48\u0e07 \u0e44\u0e17\u0e22 x";
// Cells: c a f e+◌́ ␠ 東東 京京 ␠ e n d -- 13 cells
const std::string accents = "cafe\u0301 \u6771\u4eac end";

class CellsTest : public EditorTest {
public:
    // The middle of the left half of view cell `column`, view row `row`.
    int xOf(int column) const { return memo.textArea().Left + column * memo.CharWidth() + 2; }
    int yOf(int row) const { return memo.textArea().Top + row * memo.LineHeight() + 7; }
    void click(int column, int row)
    {
        memo.MouseDown(TMouseButton::mbLeft, 0, xOf(column), yOf(row));
        memo.MouseUp(TMouseButton::mbLeft, 0, xOf(column), yOf(row));
    }
};

struct CellCase {
    const char* name;
    TMemoPos caret;
    std::function<void(CellsTest&)> act;
    TMemoPos caretAfter;
    std::string selected;
    // The lines after the act, when it edits; the edit must undo and redo.
    std::optional<Lines> edited;
    friend void PrintTo(const CellCase& c, std::ostream* out) { *out << c.name; }
};

class CellMoveTest : public CellsTest, public ::testing::WithParamInterface<CellCase> {};

TEST_P(CellMoveTest, CaretSelectionAndUndoCountCells)
{
    const CellCase& c = GetParam();
    const Lines before{chinese, thai, accents};
    fill(before);
    caretAt(c.caret.Col, c.caret.Line);
    c.act(*this);
    EXPECT_EQ(caret(), c.caretAfter);
    EXPECT_EQ(memo.SelText(), c.selected);
    if (!c.edited) {
        EXPECT_EQ(lines(true), before);
        return;
    }
    const Lines after = lines(true);
    EXPECT_EQ(after, *c.edited);
    while (memo.CanUndo()) {
        memo.Undo();
    }
    EXPECT_EQ(lines(true), before) << "undo gives back the lines";
    while (memo.CanRedo()) {
        memo.Redo();
    }
    EXPECT_EQ(lines(true), after) << "redo makes the edit again";
}

auto keys(std::vector<std::pair<KeyCode, ShiftState>> presses)
{
    return [presses](CellsTest& t) {
        for (const auto& [key, shift] : presses) {
            t.press(key, shift);
        }
    };
}

auto typing(std::u32string text)
{
    return [text](CellsTest& t) { t.type(text); };
}

INSTANTIATE_TEST_SUITE_P(
    Moves, CellMoveTest,
    ::testing::Values(
        CellCase{"RightStepsOverAWideCharacter", {2, 0}, keys({{vk::Right, 0}}), {4, 0}, "", {}},
        CellCase{"LeftStepsOverAWideCharacter", {4, 0}, keys({{vk::Left, 0}}), {2, 0}, "", {}},
        CellCase{"RightStepsOverAThaiSyllableWithItsMarks", {0, 1}, keys({{vk::Right, 0}}), {1, 1}, "", {}},
        CellCase{"RightStepsOverACombinedAccent", {3, 2}, keys({{vk::Right, 0}}), {4, 2}, "", {}},
        CellCase{"ShiftRightSelectsWholeWideCharacters", {2, 0}, keys({{vk::Right, Shift}, {vk::Right, Shift}}),
                 {6, 0}, "\u663e\u793a", {}},
        CellCase{"ShiftLeftSelectsAThaiSyllableWhole", {1, 1}, keys({{vk::Left, Shift}}), {0, 1},
                 "\u0e01\u0e34\u0e48", {}},
        CellCase{"EndCountsCells", {0, 0}, keys({{vk::End, 0}}), {9, 0}, "", {}},
        CellCase{"EndCountsThaiClustersOnce", {0, 1}, keys({{vk::End, 0}}), {8, 1}, "", {}},
        CellCase{"ShiftEndSelectsToTheLastCell", {5, 2}, keys({{vk::End, Shift}}), {13, 2}, "\u6771\u4eac end", {}},
        CellCase{"HomeFromBehindAWideCharacter", {6, 0}, keys({{vk::Home, 0}}), {0, 0}, "", {}},
        CellCase{"UpIntoAWideCharacterSnapsToItsStart", {3, 1}, keys({{vk::Up, 0}}), {2, 0}, "", {}},
        CellCase{"DownIntoAWideCharacterSnapsToItsStart", {8, 1}, keys({{vk::Down, 0}}), {7, 2}, "", {}},
        CellCase{"ShiftDownSelectsUpToTheSnappedColumn", {6, 1}, keys({{vk::Down, Shift}}), {5, 2},
                 " x\r\ncafe\u0301 ", {}},
        CellCase{"CtrlRightJumpsWordsOfWideCharacters", {0, 2}, keys({{vk::Right, Ctrl}, {vk::Right, Ctrl}}),
                 {10, 2}, "", {}},
        CellCase{"CtrlLeftJumpsWordsOfWideCharacters", {13, 2}, keys({{vk::Left, Ctrl}, {vk::Left, Ctrl}}), {5, 2},
                 "", {}},
        CellCase{"CtrlLeftOverThaiWords", {8, 1}, keys({{vk::Left, Ctrl}, {vk::Left, Ctrl}}), {3, 1}, "", {}},
        CellCase{"ShiftTabIntoAWideCharacterSnapsToItsStart", {7, 0}, keys({{vk::Tab, Shift}}), {2, 0}, "", {}},
        CellCase{"BackspaceRemovesAWholeWideCharacter", {4, 0}, keys({{vk::Backspace, 0}}), {2, 0}, "",
                 Lines{"a'\u793a');", thai, accents}},
        CellCase{"BackspaceRemovesALetterWithItsAccent", {4, 2}, keys({{vk::Backspace, 0}}), {3, 2}, "",
                 Lines{chinese, thai, "caf \u6771\u4eac end"}},
        CellCase{"DeleteRemovesAThaiSyllableWithItsMarks", {0, 1}, keys({{vk::Delete, 0}}), {0, 1}, "",
                 Lines{chinese, "\u0e07 \u0e44\u0e17\u0e22 x", accents}},
        CellCase{"CtrlBackspaceRemovesAWordOfWideCharacters", {9, 2}, keys({{vk::Backspace, Ctrl}}), {5, 2}, "",
                 Lines{chinese, thai, "cafe\u0301  end"}},
        CellCase{"ShiftDeleteCutsWholeCharacters", {2, 0}, keys({{vk::Right, Shift}, {vk::Delete, Shift}}),
                 {2, 0}, "", Lines{"a'\u793a');", thai, accents}},
        CellCase{"TypingAWideCharacterMovesTwoCells", {1, 0}, typing(U"\u4e2d"), {3, 0}, "",
                 Lines{"a\u4e2d'\u663e\u793a');", thai, accents}},
        CellCase{"TypedCombiningMarkJoinsTheLetterBefore", {2, 2}, typing(U"\u0301"), {2, 2}, "",
                 Lines{chinese, thai, "ca\u0301fe\u0301 \u6771\u4eac end"}},
        CellCase{"TypedThaiMarksJoinTheConsonant", {2, 1}, typing(U"\u0e01\u0e34\u0e48"), {3, 1}, "",
                 Lines{chinese, "\u0e01\u0e34\u0e48\u0e07\u0e01\u0e34\u0e48 \u0e44\u0e17\u0e22 x", accents}},
        CellCase{"OverwriteReplacesAWholeWideCharacter", {2, 0},
                 [](CellsTest& t) {
                     t.press(vk::Insert);
                     t.type(U"x");
                 },
                 {3, 0}, "", Lines{"a'x\u793a');", thai, accents}},
        CellCase{"TypingInVirtualSpaceFillsCells", {0, 0},
                 [](CellsTest& t) {
                     t.press(vk::End);
                     t.press(vk::Right);
                     t.type(U"z");
                 },
                 {11, 0}, "", Lines{chinese + " z", thai, accents}},
        CellCase{"ClickOnTheLeftHalfGoesBeforeAWideCharacter", {0, 1}, [](CellsTest& t) { t.click(4, 0); },
                 {4, 0}, "", {}},
        CellCase{"ClickOnTheRightHalfGoesAfterAWideCharacter", {0, 1}, [](CellsTest& t) { t.click(5, 0); },
                 {6, 0}, "", {}},
        CellCase{"ClickBeyondTheEndStaysInVirtualSpace", {0, 1}, [](CellsTest& t) { t.click(11, 0); }, {11, 0},
                 "", {}},
        CellCase{"DragSelectsWholeCharacters", {0, 1},
                 [](CellsTest& t) {
                     t.memo.MouseDown(TMouseButton::mbLeft, 0, t.xOf(1), t.yOf(0));
                     t.memo.MouseMove(0, true, t.xOf(1), t.yOf(0));
                     t.memo.MouseMove(0, true, t.xOf(3), t.yOf(0));
                     t.memo.MouseUp(TMouseButton::mbLeft, 0, t.xOf(3), t.yOf(0));
                 },
                 {4, 0}, "'\u663e", {}},
        CellCase{"DoubleClickSelectsAWordOfWideCharacters", {0, 1},
                 [](CellsTest& t) {
                     t.click(6, 2);
                     t.memo.DblClick(t.xOf(6), t.yOf(2));
                 },
                 {7, 2}, "\u6771\u4eac", {}}),
    [](const ::testing::TestParamInfo<CellCase>& info) { return std::string(info.param.name); });

TEST_F(CellsTest, LongestLineAndScrollRangeCountCells)
{
    fill({"\u663e\u793a\u663e\u793a", "abc"});
    EXPECT_EQ(memo.Lines().MaxLineLength(), 8);
    memo.PlaceCaret(8, 0);
    EXPECT_EQ(memo.LongestLine(), 8);
    EXPECT_EQ(caret(), (TMemoPos{8, 0}));
    memo.PlaceCaret(5, 0);
    EXPECT_EQ(caret(), (TMemoPos{4, 0})) << "a column inside a wide character snaps to its start";
}

TEST_F(CellsTest, MarkTypedInVirtualSpaceWidensLongestLineThoughTheCaretStays)
{
    fill({"ab"});
    caretAt(6, 0);
    type(U"\u0301");
    EXPECT_EQ(caret(), (TMemoPos{6, 0}));
    EXPECT_EQ(memo.Lines().LineLength(0), 6);
    EXPECT_GE(memo.LongestLine(), 6);
}

} // namespace
} // namespace kalmo
