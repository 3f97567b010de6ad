// Reading-text offsets over the memo's lines; see MemoReadingText.h.
#include "controls/memo/MemoReadingText.h"

#include "controls/memo/CodeMemoModel.h"
#include "controls/memo/Utf8Columns.h"

#include <algorithm>

namespace kalmo {

std::u16string readingText(const TCodeMemoStrings& lines)
{
    std::u16string text;
    for (int line = 0; line < lines.LineCount(); ++line) {
        if (line > 0) {
            text.push_back(u'\n');
        }
        text += utf16Text(lines.Line(line));
    }
    return text;
}

int readingLength(const TCodeMemoStrings& lines)
{
    const int count = lines.LineCount();
    int length = std::max(0, count - 1);
    for (int line = 0; line < count; ++line) {
        length += utf16Offset(lines.Line(line), lines.LineLength(line));
    }
    return length;
}

int readingOffset(const TCodeMemoStrings& lines, TMemoPos position)
{
    if (lines.LineCount() == 0) {
        return 0;
    }
    const int target = std::clamp(position.Line, 0, lines.LineCount() - 1);
    int offset = 0;
    for (int line = 0; line < target; ++line) {
        offset += utf16Offset(lines.Line(line), lines.LineLength(line)) + 1;
    }
    return offset + utf16Offset(lines.Line(target), position.Col);
}

TMemoPos memoPosition(const TCodeMemoStrings& lines, int offset)
{
    offset = std::max(0, offset);
    const int count = lines.LineCount();
    for (int line = 0; line < count; ++line) {
        const std::string& text = lines.Line(line);
        const int units = utf16Offset(text, lines.LineLength(line));
        if (offset <= units || line == count - 1) {
            return TMemoPos{columnAtUtf16Offset(text, offset), line};
        }
        offset -= units + 1;
    }
    return TMemoPos{};
}

int readingCaretOffset(const TCustomCodeMemo& memo)
{
    return readingOffset(memo.Lines(), TMemoPos{memo.CaretCol(), memo.CaretLine()});
}

ReadingRange readingSelection(const TCustomCodeMemo& memo)
{
    if (memo.SelectionEmpty()) {
        return {};
    }
    const int from = readingOffset(memo.Lines(), TMemoPos{memo.SelFromCol(), memo.SelFromLine()});
    const int to = readingOffset(memo.Lines(), TMemoPos{memo.SelToCol(), memo.SelToLine()});
    if (from == to) {
        return {};
    }
    return ReadingRange{std::min(from, to), std::max(from, to)};
}

} // namespace kalmo
