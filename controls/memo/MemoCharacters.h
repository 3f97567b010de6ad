// Character-level helpers of the editing commands: which characters are
// typed into the text, and line-break normalisation for pasted text. The
// UTF-8 encoding of code points lives with the other UTF-8 helpers.
#pragma once

#include "base/Utf8Codec.h"

#include <string>
#include <string_view>
#include <vector>

namespace kalmo {

// Characters the character table types into the text (no control codes).
bool isTypedCharacter(char32_t ch);
// Every CR LF, lone CR and lone LF becomes CR LF.
std::string normaliseLineBreaks(std::string_view text);

} // namespace kalmo
