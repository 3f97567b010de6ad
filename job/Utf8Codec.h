// Reading single UTF-8 sequences, shared by the character-set conversions;
// writing one is the memo's appendUtf8, included here for them.
#pragma once

#include "controls/memo/MemoCharacters.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace kalmo {

// Length of the well-formed UTF-8 sequence at bytes[i], 0 when it is not one
// (overlong forms and surrogates included).
std::size_t utf8SequenceLength(std::string_view bytes, std::size_t i);

// The code point of the well-formed sequence of the given length at bytes[i].
char32_t decodeUtf8Sequence(std::string_view bytes, std::size_t i, std::size_t length);

bool isValidUtf8(std::string_view bytes);

} // namespace kalmo
