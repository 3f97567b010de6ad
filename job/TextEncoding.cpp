#include "job/TextEncoding.h"

#include <array>
#include <cstdint>

namespace kalmo {
namespace {

// Code points of the bytes 0x80..0x9F; 0xA0..0xFF are the same as Latin-1.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char32_t codePointOfByte(unsigned char byte)
{
    return (byte >= 0x80 && byte < 0xA0) ? kHighControls[byte - 0x80] : byte;
}

// -1 when Windows-1252 has no byte for the code point.
int byteOfCodePoint(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<int>(cp);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == cp)
            return static_cast<int>(0x80 + i);
    }
    return -1;
}

void appendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Length of the well-formed UTF-8 sequence at bytes[i], 0 when it is not one.
std::size_t utf8SequenceLength(std::string_view bytes, std::size_t i)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80)
        return 1;
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0;
        if (lead == 0xED)
            high = 0x9F; // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        if (lead == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (i + length > bytes.size())
        return 0;
    if (byte(i + 1) < low || byte(i + 1) > high)
        return 0;
    for (std::size_t k = 2; k < length; ++k) {
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF)
            return 0;
    }
    return length;
}

char32_t decodeSequence(std::string_view bytes, std::size_t i, std::size_t length)
{
    const auto byte = [&](std::size_t k) { return static_cast<char32_t>(static_cast<unsigned char>(bytes[k])); };
    switch (length) {
    case 1: return byte(i);
    case 2: return ((byte(i) & 0x1F) << 6) | (byte(i + 1) & 0x3F);
    case 3: return ((byte(i) & 0x0F) << 12) | ((byte(i + 1) & 0x3F) << 6) | (byte(i + 2) & 0x3F);
    default:
        return ((byte(i) & 0x07) << 18) | ((byte(i + 1) & 0x3F) << 12) | ((byte(i + 2) & 0x3F) << 6)
            | (byte(i + 3) & 0x3F);
    }
}

} // namespace

bool isValidUtf8(std::string_view bytes)
{
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::size_t length = utf8SequenceLength(bytes, i);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

TextEncoding detectEncoding(std::string_view bytes)
{
    return isValidUtf8(bytes) ? TextEncoding::Utf8 : TextEncoding::Windows1252;
}

std::string windows1252ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (const char c : bytes)
        appendUtf8(out, codePointOfByte(static_cast<unsigned char>(c)));
    return out;
}

std::string utf8ToWindows1252(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        std::size_t length = utf8SequenceLength(utf8, i);
        // Our own lines are valid UTF-8; a stray byte is kept as it is.
        if (length == 0) {
            out += utf8[i++];
            continue;
        }
        const char32_t cp = decodeSequence(utf8, i, length);
        const int byte = byteOfCodePoint(cp);
        if (byte >= 0)
            out += static_cast<char>(byte);
        else
            out += "&#" + std::to_string(static_cast<std::uint32_t>(cp)) + ";";
        i += length;
    }
    return out;
}

std::string toUtf8(std::string_view bytes, TextEncoding encoding)
{
    return encoding == TextEncoding::Utf8 ? std::string(bytes) : windows1252ToUtf8(bytes);
}

std::string fromUtf8(std::string_view utf8, TextEncoding encoding)
{
    return encoding == TextEncoding::Utf8 ? std::string(utf8) : utf8ToWindows1252(utf8);
}

} // namespace kalmo
