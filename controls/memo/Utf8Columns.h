// The memo counts one column per Unicode code point while its lines are
// UTF-8 bytes. Every mapping between the two lives here, so that the rest of
// the model never indexes a line by column directly.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kalmo {

// True when every byte is below 0x80: columns and byte offsets coincide.
bool isAsciiText(std::string_view text);

// The number of columns (code points) in the text.
int utf8Columns(std::string_view text);

// The byte offset at which column `column` starts; text.size() for a column
// at or beyond the end, 0 for a negative column.
std::size_t utf8ByteOffset(std::string_view text, int column);

// The first `columns` columns of the text (all of it when it is shorter).
std::string_view utf8Left(std::string_view text, int columns);

// The text from column `column` on (empty when the column lies beyond it).
std::string_view utf8From(std::string_view text, int column);

// The code point that starts at `column`, or -1 beyond the end. A malformed
// sequence yields its lead byte's value, so callers never read past the text.
int utf8CodePointAt(std::string_view text, int column);

} // namespace kalmo
