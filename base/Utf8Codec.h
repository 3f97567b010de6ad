// UTF-8 helpers shared by the core and the controls: reading single
// sequences (the character-set conversions) and writing code points.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kalmo {

// Length of the well-formed UTF-8 sequence at bytes[i], 0 when it is not one
// (overlong forms and surrogates included).
std::size_t utf8SequenceLength(std::string_view bytes, std::size_t i);

// The code point of the well-formed sequence of the given length at bytes[i].
char32_t decodeUtf8Sequence(std::string_view bytes, std::size_t i, std::size_t length);

bool isValidUtf8(std::string_view bytes);

// The index of the first byte at or after `from` that is not ASCII, or the
// size; whole files are mostly ASCII, so it is read a word at a time.
std::size_t nextNonAscii(std::string_view bytes, std::size_t from);

void appendUtf8(std::string& text, char32_t ch);
std::string utf8Of(char32_t ch);
// Malformed bytes come out as their own values, so nothing is dropped.
std::vector<char32_t> codePoints(std::string_view text);

} // namespace kalmo
