// The memo's list of editing keys against the memo itself: each listed key,
// pressed as the keyboard delivers it, does what the listed command does.
#include "EditingTestSupport.h"
#include "controls/memo/MemoEditingKeys.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace kalmo::testing {
namespace {

// A memo where every command has something to act on: a selection, text on
// the clipboard, an edit to undo and an undone edit to redo.
struct PreparedMemo {
    PreparedMemo()
    {
        setUpViewerPane(memo, {"one two three", "four five", "six"});
        memo.SetEnabled(true);
        memo.SetReadOnly(false);
        memo.SetClipboard(&clipboard);
        typeAt(4, 1, U'X');
        typeAt(0, 2, U'Y');
        memo.Undo();
        clipboard.SetText("pasted");
        memo.SelectRange(TMemoPos{4, 0}, TMemoPos{7, 0});
    }
    void typeAt(int column, int line, char32_t ch)
    {
        memo.setCaretDirect(column, line);
        memo.CollapseSelection();
        memo.KeyDown(vk::LetterA, 0);
        memo.KeyPress(ch);
    }
    // The key-down, then the character the keyboard sends with it.
    void press(ShortCut keys)
    {
        const KeyCode key = keys & 0xFF;
        const ShiftState shift = static_cast<ShiftState>(((keys & 0x4000) ? ssCtrl : 0) | ((keys & 0x2000) ? ssShift : 0)
                                                         | ((keys & 0x8000) ? ssAlt : 0));
        memo.KeyDown(key, shift);
        if (const KeyCharacter typed = keyCharacter(key, shift); typed.kind == KeyCharacter::Kind::Character)
            memo.KeyPress(typed.character);
    }
    auto state() const
    {
        return std::make_tuple(linesOf(memo), memo.CaretCol(), memo.CaretLine(), memo.SelFromCol(), memo.SelFromLine(),
                               memo.SelToCol(), memo.SelToLine(), clipboard.text, memo.UndoCount(), memo.RedoCount());
    }

    TCustomCodeMemo memo;
    StringClipboard clipboard;
};

// Each listed key, pressed under `scheme`, does what its command does.
void expectKeyDoesItsCommand(const MemoEditingKey& listed, KeyScheme scheme)
{
    PreparedMemo byKey;
    PreparedMemo byCommand;
    byKey.memo.SetKeyScheme(scheme);
    const auto before = byKey.state();
    byKey.press(listed.keys);
    (byCommand.memo.*listed.command)();
    EXPECT_NE(byCommand.state(), before) << listed.action << ": the fixture gives the command nothing to do";
    EXPECT_EQ(byKey.state(), byCommand.state()) << listed.action;
}

std::string keyName(const ::testing::TestParamInfo<MemoEditingKey>& info)
{
    return "Key" + std::to_string(info.param.keys);
}

class MemoEditingKeysTest : public ::testing::TestWithParam<MemoEditingKey> {};

TEST_P(MemoEditingKeysTest, KeyDoesWhatItsCommandDoes) { expectKeyDoesItsCommand(GetParam(), KeyScheme::Classic); }

INSTANTIATE_TEST_SUITE_P(EveryListedKey, MemoEditingKeysTest, ::testing::ValuesIn(kMemoEditingKeys), keyName);

class CommonMemoEditingKeysTest : public ::testing::TestWithParam<MemoEditingKey> {};

TEST_P(CommonMemoEditingKeysTest, KeyDoesWhatItsCommandDoes) { expectKeyDoesItsCommand(GetParam(), KeyScheme::Common); }

INSTANTIATE_TEST_SUITE_P(EveryCommonKey, CommonMemoEditingKeysTest, ::testing::ValuesIn(kCommonMemoEditingKeys), keyName);

} // namespace
} // namespace kalmo::testing
