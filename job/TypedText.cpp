// The text a commit writes for the translation field; see TypedText.h.
#include "job/TypedText.h"

#include "base/Utf8Codec.h"
#include "controls/memo/MemoCharacters.h"
#include "job/CharsetConverter.h"

#include <algorithm>
#include <cstdint>

namespace kalmo {
namespace {

bool isContinuationByte(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

bool startsInsideCharacter(std::string_view text, std::size_t at)
{
    return at < text.size() && isContinuationByte(text[at]);
}

std::size_t commonStart(std::string_view a, std::string_view b)
{
    const std::size_t limit = std::min(a.size(), b.size());
    std::size_t length = 0;
    while (length < limit && a[length] == b[length])
        ++length;
    // A character that differs only in a later byte is a changed character.
    while (length > 0 && (startsInsideCharacter(a, length) || startsInsideCharacter(b, length)))
        --length;
    return length;
}

// The common end, not reaching into the common start of either text.
std::size_t commonEnd(std::string_view a, std::string_view b, std::size_t start)
{
    const std::size_t limit = std::min(a.size(), b.size()) - start;
    std::size_t length = 0;
    while (length < limit && a[a.size() - 1 - length] == b[b.size() - 1 - length])
        ++length;
    while (length > 0 && startsInsideCharacter(a, a.size() - length))
        --length;
    return length;
}

bool isLineBreak(char32_t ch)
{
    return ch == U'\r' || ch == U'\n' || ch == U'\u2028' || ch == U'\u2029';
}

std::string writable(std::string_view typed, const TextEncoding& encoding)
{
    std::string out;
    out.reserve(typed.size());
    std::size_t i = 0;
    while (i < typed.size()) {
        const std::size_t length = utf8SequenceLength(typed, i);
        if (length == 0) {
            // No keyboard types a byte on its own: as the window reads such
            // text, it is the replacement character.
            appendUtf8(out, U'\uFFFD');
            ++i;
            continue;
        }
        const char32_t ch = decodeUtf8Sequence(typed, i, length);
        const std::string_view bytes = typed.substr(i, length);
        i += length;
        if (ch == U'\r' && i < typed.size() && typed[i] == '\n')
            ++i;
        if (isLineBreak(ch) || ch == U'\t') {
            out += ' ';
        } else if (!isTypedCharacter(ch)) {
            continue;
        } else if (isRawBytePoint(ch)) {
            // Held as the raw bytes of its own UTF-8 form, which the writer
            // emits as they are and the reader reads back the same way.
            if (encoding == TextEncoding::Utf8) {
                for (const char byte : bytes)
                    appendRawByte(out, static_cast<unsigned char>(byte));
            } else {
                out += "&#" + std::to_string(static_cast<std::uint32_t>(ch)) + ";";
            }
        } else {
            out += bytes;
        }
    }
    return out;
}

} // namespace

std::string typedTextToWrite(std::string_view shown, std::string_view field, const TextEncoding& encoding)
{
    const std::size_t start = commonStart(shown, field);
    const std::size_t end = commonEnd(shown, field, start);
    std::string text(field.substr(0, start));
    text += writable(field.substr(start, field.size() - start - end), encoding);
    text += field.substr(field.size() - end);
    return text;
}

} // namespace kalmo
