// Conversions between UTF-8 and the character sets the system's converter
// (iconv) knows. Single-byte sets use a table of 256 code points, asked of
// iconv once per set; multi-byte sets go through iconv one character at a
// time. Every byte sequence comes back unchanged: a byte the set leaves
// undefined, or whose character would not be written back as the same
// bytes, stands for itself as a private-use code point.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace kalmo {

// Byte b (0x80..0xFF) kept as it is inside the program is U+F700 + b; the
// writer turns these code points back into the bytes, in every set.
inline constexpr char32_t kRawByteBase = 0xF700;
inline bool isRawBytePoint(char32_t cp) { return cp >= kRawByteBase + 0x80 && cp <= kRawByteBase + 0xFF; }
// An ASCII byte is always itself; a higher one becomes its raw-byte point.
void appendRawByte(std::string& out, unsigned char byte);

class CharsetConverter {
public:
    virtual ~CharsetConverter() = default;
    virtual std::string toUtf8(std::string_view bytes) const = 0;
    // Characters the set cannot hold become "&#N;", which the CMS shows as
    // that character.
    virtual std::string fromUtf8(std::string_view utf8) const = 0;
};

enum class UndefinedBytes {
    AsRawBytePoints,
    // Windows-1252's five undefined bytes have always been read as the C1
    // controls of the same value, as web browsers read them.
    AsC1Controls,
};

struct CharsetOpening {
    std::shared_ptr<const CharsetConverter> converter; // null when the set cannot be used
    std::string problem; // why not, as the end of a sentence about the set
    bool knownToConverter = true;
};

// The converter for the set iconv knows as converterName. Only sets that keep
// ASCII as single bytes are usable (the entry parser's delimiters are
// ASCII); a multi-byte set only when the caller knows it to be stateless.
CharsetOpening openCharset(const std::string& converterName, bool multiByteAllowed, UndefinedBytes undefinedBytes);

// The common writer: walks UTF-8 text, keeps ASCII, turns raw-byte points
// back into their bytes and a stray byte into itself, and asks encode for
// every other character; a character encode cannot write becomes "&#N;".
std::string encodeUtf8Text(std::string_view utf8, const std::function<bool(char32_t, std::string&)>& encode);

} // namespace kalmo
