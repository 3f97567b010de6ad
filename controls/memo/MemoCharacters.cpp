// See MemoCharacters.h.
#include "controls/memo/MemoCharacters.h"

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

bool isTypedCharacter(char32_t ch)
{
    if (ch < 32 || ch == 127 || (ch >= 0x80 && ch < 0xA0)) {
        return false;
    }
    return ch <= 0x10FFFF && (ch < 0xD800 || ch > 0xDFFF);
}

std::string normaliseLineBreaks(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') {
            result += "\r\n";
            if (i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else if (c == '\n') {
            result += "\r\n";
        } else {
            result += c;
        }
    }
    return result;
}

} // namespace kalmo
