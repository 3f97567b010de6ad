// Shared pieces of the memo editing tests: a memo set up like the lower
// viewer pane in full-text mode (enabled, editable), with helpers to type,
// press keys and read the lines back.
#pragma once

#include "MemoTestSupport.h"
#include "controls/memo/StringClipboard.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kalmo::testing {

inline std::vector<std::string> linesOf(const TCustomCodeMemo& memo, bool trimmed = false)
{
    std::vector<std::string> lines;
    for (int i = 0; i < memo.Lines().LineCount(); ++i) {
        lines.push_back(trimmed ? memo.TrimmedLine(i) : memo.Lines().Line(i));
    }
    return lines;
}

// Members are public so that tables of actions can drive the fixture.
class EditorTest : public ::testing::Test {
public:
    void fill(const std::vector<std::string>& lines)
    {
        setUpViewerPane(memo, lines);
        memo.SetEnabled(true);
        memo.SetReadOnly(false);
        memo.SetClipboard(&clipboard);
        // Characters count only after a key-down, as they do from a keyboard.
        memo.KeyDown(vk::LetterA, 0);
    }
    // Puts the caret anywhere, virtual space included, with nothing selected.
    void caretAt(int column, int line)
    {
        memo.setCaretDirect(column, line);
        memo.CollapseSelection();
    }
    void press(KeyCode key, ShiftState shift = 0) { memo.KeyDown(key, shift); }
    void type(const std::u32string& text)
    {
        for (char32_t ch : text) {
            memo.KeyDown(vk::LetterA, 0);
            memo.KeyPress(ch);
        }
    }
    std::vector<std::string> lines(bool trimmed = false) const { return linesOf(memo, trimmed); }
    TMemoPos caret() const { return TMemoPos{memo.CaretCol(), memo.CaretLine()}; }

    TCustomCodeMemo memo;
    StringClipboard clipboard;
};

using Lines = std::vector<std::string>;

} // namespace kalmo::testing

namespace kalmo {
inline std::ostream& operator<<(std::ostream& out, const TMemoPos& pos)
{
    return out << "(" << pos.Col << ", " << pos.Line << ")";
}
} // namespace kalmo
