// Character-level helpers of the editing commands: UTF-8 encoding of one
// code point, splitting a text into code points, which characters are
// typed into the text, and line-break normalisation for pasted text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kalmo {

void appendUtf8(std::string& text, char32_t ch);
std::string utf8Of(char32_t ch);
// Malformed bytes come out as their own values, so nothing is dropped.
std::vector<char32_t> codePoints(std::string_view text);
// Characters the character table types into the text (no control codes).
bool isTypedCharacter(char32_t ch);
// Every CR LF, lone CR and lone LF becomes CR LF.
std::string normaliseLineBreaks(std::string_view text);

} // namespace kalmo
