// What a commit writes for the translation field. Inside the program a byte
// a character set leaves undefined is a private code point (U+F780–U+F7FF)
// that the writer turns back into that byte, and a loaded line may hold
// control characters; a user who types such a character means the
// character, and a line break or control character has no place in a
// one-line value. Only the part of the field the user changed is typed, so
// everything the entry showed around it stays as it was loaded.
#pragma once

#include "job/TextEncoding.h"

#include <string>
#include <string_view>

namespace kalmo {

// The field's text as it is to be written into a file in `encoding`, given
// what the entry showed in the field. The changed part lies between the
// longest common start and end of the two (at character boundaries). In it,
// a line break (CR LF, CR, LF, U+2028, U+2029) and a tab become one space,
// other control characters are dropped, a private code point that stands
// for a byte becomes the character itself (its UTF-8 bytes in a UTF-8 file,
// "&#N;" in any other set), and a byte that is not UTF-8 becomes U+FFFD.
std::string typedTextToWrite(std::string_view shown, std::string_view field, const TextEncoding& encoding);

} // namespace kalmo
