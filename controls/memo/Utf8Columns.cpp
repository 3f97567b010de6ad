// Column <-> byte mapping for UTF-8 lines, with an ASCII fast path: the
// translation files are almost entirely ASCII, so most calls never decode.
#include "controls/memo/Utf8Columns.h"

#include <algorithm>

namespace kalmo {

namespace {

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

} // namespace

bool isAsciiText(std::string_view text)
{
    return std::none_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

int utf8Columns(std::string_view text)
{
    int columns = 0;
    for (char c : text) {
        if (!isContinuation(static_cast<unsigned char>(c))) {
            ++columns;
        }
    }
    return columns;
}

std::size_t utf8ByteOffset(std::string_view text, int column)
{
    if (column <= 0) {
        return 0;
    }
    // Only the bytes up to the column matter: an ASCII prefix maps one to one.
    const std::size_t prefix = std::min(static_cast<std::size_t>(column) + 1, text.size());
    if (isAsciiText(text.substr(0, prefix))) {
        return std::min(static_cast<std::size_t>(column), text.size());
    }
    int seen = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!isContinuation(static_cast<unsigned char>(text[i]))) {
            if (seen == column) {
                return i;
            }
            ++seen;
        }
    }
    return text.size();
}

std::string_view utf8Left(std::string_view text, int columns)
{
    return text.substr(0, utf8ByteOffset(text, columns));
}

std::string_view utf8From(std::string_view text, int column)
{
    return text.substr(utf8ByteOffset(text, column));
}

int utf8CodePointAt(std::string_view text, int column)
{
    if (column < 0) {
        return -1;
    }
    const std::size_t start = utf8ByteOffset(text, column);
    if (start >= text.size()) {
        return -1;
    }
    const auto lead = static_cast<unsigned char>(text[start]);
    int extra = 0;
    int value = lead;
    if (lead >= 0xF0 && lead < 0xF8) {
        extra = 3;
        value = lead & 0x07;
    } else if (lead >= 0xE0) {
        extra = 2;
        value = lead & 0x0F;
    } else if (lead >= 0xC0) {
        extra = 1;
        value = lead & 0x1F;
    }
    if (lead >= 0xF8 || (extra > 0 && start + extra >= text.size())) {
        return lead;
    }
    for (int k = 1; k <= extra; ++k) {
        const auto byte = static_cast<unsigned char>(text[start + k]);
        if (!isContinuation(byte)) {
            return lead;
        }
        value = (value << 6) | (byte & 0x3F);
    }
    return value;
}

} // namespace kalmo
