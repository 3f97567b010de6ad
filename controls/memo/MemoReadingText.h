// The memo as assistive technology reads it: one text, the lines joined by
// "\n", positions counted in UTF-16 units of that text. The memo's own
// positions are display cells of UTF-8 lines; the mapping between the two
// lives here so that the accessibility layer only asks.
#pragma once

#include "controls/memo/document/MemoPos.h"

#include <string>

namespace kalmo {

class TCodeMemoStrings;
class TCustomCodeMemo;

// An ordered range of the reading text; start == end is empty.
struct ReadingRange {
    int start = 0;
    int end = 0;
    friend bool operator==(const ReadingRange&, const ReadingRange&) = default;
};

std::u16string readingText(const TCodeMemoStrings& lines);
int readingLength(const TCodeMemoStrings& lines);

// The offset of a memo position. A line outside the store counts as the
// nearest one; a column beyond the line's end as its end (virtual space has
// no text to read); a column inside a wide character as that character.
int readingOffset(const TCodeMemoStrings& lines, TMemoPos position);

// The memo position of an offset: the line that holds it, the first cell of
// the character there. An offset on a line break is that line's end.
TMemoPos memoPosition(const TCodeMemoStrings& lines, int offset);

int readingCaretOffset(const TCustomCodeMemo& memo);
// The selection as read: empty when the memo's selection is empty or covers
// only virtual space.
ReadingRange readingSelection(const TCustomCodeMemo& memo);

} // namespace kalmo
