// PHP string literals and the text they stand for; see PhpString.h.
#include "job/PhpString.h"

#include <cstdint>

namespace kalmo {
namespace {

bool isOctal(char ch) { return ch >= '0' && ch <= '7'; }

int hexValue(char ch)
{
    if (ch >= '0' && ch <= '9')
        return ch - '0';
    if (ch >= 'a' && ch <= 'f')
        return ch - 'a' + 10;
    if (ch >= 'A' && ch <= 'F')
        return ch - 'A' + 10;
    return -1;
}

void appendUtf8(std::string& out, std::uint32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// One escape of a double-quoted body starting at body[i] == '\\': appends
// what PHP makes of it and returns how many characters it took.
std::size_t unescapeDoubleQuoted(std::string_view body, std::size_t i, std::string& out)
{
    const std::size_t rest = body.size() - i;
    if (rest < 2) {
        out += '\\';
        return 1;
    }
    const char next = body[i + 1];
    switch (next) {
    case 'n': out += '\n'; return 2;
    case 't': out += '\t'; return 2;
    case 'r': out += '\r'; return 2;
    case 'v': out += '\v'; return 2;
    case 'e': out += '\x1B'; return 2;
    case 'f': out += '\f'; return 2;
    case '\\': out += '\\'; return 2;
    case '$': out += '$'; return 2;
    case '"': out += '"'; return 2;
    default: break;
    }
    if (isOctal(next)) {
        std::size_t n = 1;
        int value = 0;
        while (n <= 3 && i + n < body.size() && isOctal(body[i + n]))
            value = value * 8 + (body[i + n++] - '0');
        out += static_cast<char>(value & 0xFF);
        return n;
    }
    if (next == 'x' && rest >= 3 && hexValue(body[i + 2]) >= 0) {
        int value = hexValue(body[i + 2]);
        std::size_t n = 3;
        if (i + 3 < body.size() && hexValue(body[i + 3]) >= 0)
            value = value * 16 + hexValue(body[i + n++]);
        out += static_cast<char>(value);
        return n;
    }
    if (next == 'u' && rest >= 4 && body[i + 2] == '{') {
        const std::size_t close = body.find('}', i + 3);
        if (close != std::string_view::npos && close > i + 3) {
            std::uint32_t code = 0;
            bool hex = true;
            for (std::size_t p = i + 3; p < close && hex; ++p) {
                hex = hexValue(body[p]) >= 0;
                code = code * 16 + static_cast<std::uint32_t>(hexValue(body[p]));
            }
            if (hex && code <= 0x10FFFF) {
                appendUtf8(out, code);
                return close - i + 1;
            }
        }
    }
    out += '\\';
    return 1;
}

// Whether PHP reads a backslash followed by next (0 at the end of the body,
// where the closing quote follows) as an escape rather than as itself.
bool backslashEscapes(char next, char quote)
{
    if (next == 0 || next == '\\' || next == quote)
        return true;
    if (quote != '"')
        return false;
    switch (next) {
    case 'n': case 't': case 'r': case 'v': case 'e': case 'f': case '$': case 'x': case 'u': return true;
    default: return isOctal(next);
    }
}

} // namespace

std::string unescapePhpString(std::string_view body, char quote)
{
    std::string text;
    text.reserve(body.size());
    for (std::size_t i = 0; i < body.size();) {
        if (body[i] != '\\') {
            text += body[i++];
        } else if (quote == '"') {
            i += unescapeDoubleQuoted(body, i, text);
        } else if (i + 1 < body.size() && (body[i + 1] == '\\' || body[i + 1] == quote)) {
            text += body[i + 1];
            i += 2;
        } else {
            text += body[i++];
        }
    }
    return text;
}

std::optional<std::string> textForCommit(std::string_view text, char quote)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string prepared;
    prepared.reserve(text.size() + 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        const auto byte = static_cast<unsigned char>(ch);
        if (ch == '\\') {
            prepared += backslashEscapes(i + 1 < text.size() ? text[i + 1] : 0, quote) ? "\\\\" : "\\";
        } else if (byte < 0x20 || byte == 0x7F) {
            if (quote != '"') {
                // A single-quoted literal has no escapes for them: other
                // control characters stand as themselves, but a line break
                // would end the entry's line.
                if (ch == '\n' || ch == '\r')
                    return std::nullopt;
                prepared += ch;
                continue;
            }
            switch (ch) {
            case '\n': prepared += "\\n"; break;
            case '\t': prepared += "\\t"; break;
            case '\r': prepared += "\\r"; break;
            case '\v': prepared += "\\v"; break;
            case '\f': prepared += "\\f"; break;
            case '\x1B': prepared += "\\e"; break;
            default:
                prepared += "\\x";
                prepared += kHex[byte >> 4];
                prepared += kHex[byte & 0xF];
            }
        } else {
            prepared += ch;
        }
    }
    return prepared;
}

} // namespace kalmo
