// See MemoCharacters.h.
#include "controls/memo/MemoCharacters.h"

namespace kalmo {

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
