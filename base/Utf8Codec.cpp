// See Utf8Codec.h.
#include "base/Utf8Codec.h"

#include <cstdint>
#include <cstring>

namespace kalmo {

void appendUtf8(std::string& text, char32_t ch)
{
    const auto put = [&text](unsigned value) { text += static_cast<char>(value); };
    if (ch < 0x80) {
        put(ch);
    } else if (ch < 0x800) {
        put(0xC0 | (ch >> 6));
        put(0x80 | (ch & 0x3F));
    } else if (ch < 0x10000) {
        put(0xE0 | (ch >> 12));
        put(0x80 | ((ch >> 6) & 0x3F));
        put(0x80 | (ch & 0x3F));
    } else {
        put(0xF0 | (ch >> 18));
        put(0x80 | ((ch >> 12) & 0x3F));
        put(0x80 | ((ch >> 6) & 0x3F));
        put(0x80 | (ch & 0x3F));
    }
}

std::string utf8Of(char32_t ch)
{
    std::string text;
    appendUtf8(text, ch);
    return text;
}

std::vector<char32_t> codePoints(std::string_view text)
{
    std::vector<char32_t> result;
    result.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        int extra = lead >= 0xF0 && lead < 0xF8 ? 3 : lead >= 0xE0 && lead < 0xF0 ? 2 : lead >= 0xC0 && lead < 0xE0 ? 1 : 0;
        char32_t value = extra == 3 ? (lead & 0x07u) : extra == 2 ? (lead & 0x0Fu) : extra == 1 ? (lead & 0x1Fu) : lead;
        bool wellFormed = i + static_cast<std::size_t>(extra) < text.size();
        for (int k = 1; wellFormed && k <= extra; ++k) {
            const auto byte = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            wellFormed = (byte & 0xC0) == 0x80;
            value = (value << 6) | (byte & 0x3Fu);
        }
        if (!wellFormed) {
            extra = 0;
            value = lead;
        }
        result.push_back(value);
        i += static_cast<std::size_t>(extra) + 1;
    }
    return result;
}


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

char32_t decodeUtf8Sequence(std::string_view bytes, std::size_t i, std::size_t length)
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

std::size_t nextNonAscii(std::string_view bytes, std::size_t from)
{
    constexpr std::uint64_t highBits = 0x8080808080808080u;
    std::size_t i = from;
    for (std::uint64_t word = 0; i + sizeof word <= bytes.size(); i += sizeof word) {
        std::memcpy(&word, bytes.data() + i, sizeof word);
        if (word & highBits)
            break;
    }
    while (i < bytes.size() && static_cast<unsigned char>(bytes[i]) < 0x80)
        ++i;
    return i;
}

bool isValidUtf8(std::string_view bytes)
{
    std::size_t i = 0;
    while ((i = nextNonAscii(bytes, i)) < bytes.size()) {
        const std::size_t length = utf8SequenceLength(bytes, i);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

} // namespace kalmo
