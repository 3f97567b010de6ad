// Reading single UTF-8 sequences; see Utf8Codec.h.
#include "job/Utf8Codec.h"

namespace kalmo {

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

} // namespace kalmo
