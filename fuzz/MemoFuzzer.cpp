// libFuzzer target for the memo's editing rules. The input is a program of
// user steps (keys, characters, mouse events, clipboard and menu commands,
// undo and redo) applied to a memo shaped like a viewer pane in full-text
// mode. After every step the model's own invariants must hold: the caret is
// on a line of the store, the length list matches the lines, no line holds a
// line break, after a caret move LongestLine covers the longest line, and a
// view whose lines all fit is not scrolled.
//
// Step bytes (value % 13): 0 key down (key, modifiers), 1 character,
// 2 press, 3 move, 4 release (button/modifiers, x, y), 5 double click,
// 6 wheel, 7 menu command, 8 undo, 9 redo, 10 clipboard text (length, bytes),
// 11 selection (four values), 12 PlaceCaret (column, line).
#include "app/layouts/MemoLayouts.h"
#include "base/KeyCodes.h"
#include "controls/memo/CodeMemoModel.h"
#include "controls/memo/StringClipboard.h"
#include "controls/memo/Utf8Columns.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>
#include <vector>

namespace kalmo {
namespace {

constexpr std::size_t kMaxSteps = 200;
// Select all, copy and paste double the text each round; past these sizes a
// step only costs time (a run once reached five million lines and 26 s).
constexpr int kMaxLines = 2000;
constexpr int kMaxLineLength = 4000;

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool empty() const { return at_ >= size_; }
    int byte() { return at_ < size_ ? data_[at_++] : 0; }
    int between(int low, int high) { return low + byte() % (high - low + 1); }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

void check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "memo invariant broken: %s\n", what);
        std::abort();
    }
}

void checkInvariants(const TCustomCodeMemo& memo, bool caretMoved)
{
    const TCodeMemoStrings& lines = memo.Lines();
    const int count = lines.LineCount();
    check(count == 0 ? memo.CaretLine() == 0 : memo.CaretLine() >= 0 && memo.CaretLine() < count,
          "caret on a valid line");
    check(memo.CaretCol() >= 0, "caret column not negative");
    check(lines.Lengths().Count() == count, "one length per line");
    int longest = 0;
    for (int i = 0; i < count; ++i) {
        const std::string& text = lines.Line(i);
        check(lines.Lengths()[i] == utf8Columns(text), "length list matches the line");
        check(text.find_first_of("\r\n") == std::string::npos, "no line break inside a line");
        longest = std::max(longest, lines.Lengths()[i]);
    }
    check(lines.MaxLineLength() == longest, "longest length kept up to date");
    // A view left scrolled while every line fits once sent the next caret
    // move round SetCaretLine, SetActiveLineIndex and ScrollToLine for ever.
    check(memo.RowSpan() <= 0 || count >= memo.RowSpan() || memo.FirstVisibleLine() == 0,
          "a view whose lines all fit stands at the top");
    if (caretMoved) {
        check(memo.LongestLine() >= longest, "LongestLine covers the longest line after a caret move");
    }
}

constexpr KeyCode kKeys[] = {vk::Backspace, vk::Tab,  vk::Enter, vk::Escape, vk::Space,  vk::PageUp,
                             vk::PageDown,  vk::End,  vk::Home,  vk::Left,   vk::Up,     vk::Right,
                             vk::Down,      vk::Insert, vk::Delete, vk::LetterA + 5, vk::LetterA, vk::Control};
// Besides Latin: a wide Chinese character, a Thai consonant with a vowel and
// a tone mark that join it, and a combining accent.
constexpr char32_t kCharacters[] = {U'a', U'b', U' ', U'(', U'.', U'x', U'\u00e9', U'\u20ac', U'\U0001F600',
                                    U'\u663e', U'\u0e01', U'\u0e34', U'\u0e48', U'\u0301',
                                    1,    3,    8,    9,    13,   22,   24,   25,   26};

void step(TCustomCodeMemo& memo, StringClipboard& clipboard, Input& in)
{
    const auto shift = static_cast<ShiftState>(in.byte() & 7);
    switch (in.byte() % 13) {
    case 0: memo.KeyDown(kKeys[static_cast<std::size_t>(in.byte()) % std::size(kKeys)], shift); break;
    case 1: memo.KeyPress(kCharacters[static_cast<std::size_t>(in.byte()) % std::size(kCharacters)]); break;
    case 2:
        memo.MouseDown(static_cast<TMouseButton>(in.byte() % 3), shift, in.between(-20, 520), in.between(-20, 220));
        break;
    case 3: memo.MouseMove(shift, (in.byte() & 1) != 0, in.between(-20, 520), in.between(-20, 220)); break;
    case 4:
        memo.MouseUp(static_cast<TMouseButton>(in.byte() % 3), shift, in.between(-20, 520), in.between(-20, 220));
        break;
    case 5: memo.DblClick(in.between(-20, 520), in.between(-20, 220)); break;
    case 6: memo.MouseWheel(in.between(-3, 3)); break;
    case 7: memo.MenuCommand(in.between(0, 8)); break;
    case 8: memo.Undo(); break;
    case 9: memo.Redo(); break;
    case 10: {
        std::string text;
        static constexpr const char* kPieces[] = {"a", "b", " ", "\t", "\r", "\n", "\xc3\xa9", "\xe2\x82\xac",
                                                  "\xe6\x98\xbe\xe7\xa4\xba", "\xe0\xb8\x81\xe0\xb8\xb4\xe0\xb9\x88",
                                                  "e\xcc\x81", "\xcc\x81"};
        for (int n = in.byte() % 24; n > 0; --n) {
            text += kPieces[static_cast<std::size_t>(in.byte()) % std::size(kPieces)];
        }
        clipboard.SetText(text);
        break;
    }
    case 11: memo.setSelection(in.between(0, 12), in.between(0, 9), in.between(0, 12), in.between(0, 9)); break;
    case 12: memo.PlaceCaret(in.between(0, 12), in.between(0, 9)); break;
    }
}

} // namespace
} // namespace kalmo

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace kalmo;
    TCustomCodeMemo memo;
    StringClipboard clipboard;
    shapeViewerPane(memo, layout::source_viewer::Memo2);
    memo.ClearText();
    memo.Lines().AppendLines({"first line", "  indented\tline  ", "", "a\xc3\xb1" "b \xe2\x82\xac x", "last"});
    memo.SetEnabled(true);
    memo.SetReadOnly(false);
    memo.SetClipboard(&clipboard);
    checkInvariants(memo, false);
    Input in(data, size);
    for (std::size_t n = 0; n < kMaxSteps && !in.empty(); ++n) {
        const int col = memo.CaretCol();
        const int line = memo.CaretLine();
        step(memo, clipboard, in);
        checkInvariants(memo, memo.CaretCol() != col || memo.CaretLine() != line);
        if (memo.Lines().LineCount() > kMaxLines || memo.Lines().MaxLineLength() > kMaxLineLength) {
            break;
        }
    }
    return 0;
}
