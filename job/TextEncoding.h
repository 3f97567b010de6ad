// Language files come as UTF-8 or as Windows-1252. Inside the program every
// line is UTF-8; these conversions keep every byte of a Windows-1252 file.
#pragma once

#include <string>
#include <string_view>

namespace kalmo {

enum class TextEncoding { Utf8, Windows1252 };

bool isValidUtf8(std::string_view bytes);

// A file's encoding: UTF-8 when its bytes are valid UTF-8, else Windows-1252.
TextEncoding detectEncoding(std::string_view bytes);

// The five bytes Windows-1252 leaves undefined map to U+0081, U+008D, U+008F,
// U+0090 and U+009D, so every byte sequence comes back unchanged.
std::string windows1252ToUtf8(std::string_view bytes);

// Characters Windows-1252 cannot hold become "&#N;" (decimal code point),
// which the CMS shows as that character.
std::string utf8ToWindows1252(std::string_view utf8);

std::string toUtf8(std::string_view bytes, TextEncoding encoding);
std::string fromUtf8(std::string_view utf8, TextEncoding encoding);

} // namespace kalmo
