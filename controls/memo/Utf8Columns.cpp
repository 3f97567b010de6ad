// Cell <-> cluster <-> byte mapping for UTF-8 lines. The translation files
// are almost entirely ASCII, so the common calls never decode: in ASCII text
// every byte is one cell, and between two ASCII bytes there is always a
// cluster boundary. Only the rest goes to utf8proc.
#include "controls/memo/Utf8Columns.h"

#include "base/Utf8Codec.h"

#include <utf8proc.h>

#include <algorithm>

namespace kalmo {

namespace {

constexpr char32_t malformed = 0xFFFFFFFF;

bool isAscii(unsigned char byte) { return byte < 0x80; }

// The cells of a cluster whose first code point is `ch`; marks and controls
// never take fewer than one.
int cellsOf(char32_t ch)
{
    return ch != malformed && utf8proc_charwidth(static_cast<utf8proc_int32_t>(ch)) >= 2 ? 2 : 1;
}

bool hasWidth(char32_t ch) { return ch == malformed || utf8proc_charwidth(static_cast<utf8proc_int32_t>(ch)) > 0; }

// True when the first `count` bytes (or all, when fewer) are ASCII: there
// columns and byte offsets coincide.
bool asciiPrefix(std::string_view text, std::size_t count)
{
    return isAsciiText(text.substr(0, std::min(count, text.size())));
}

// Decodes the code points of `bytes` as the cluster walker does: a malformed
// byte is one code point of its own.
template <typename Visit> void forEachCodePoint(std::string_view bytes, Visit visit)
{
    std::size_t at = 0;
    while (at < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[at]);
        if (isAscii(lead)) {
            visit(static_cast<char32_t>(lead));
            ++at;
            continue;
        }
        utf8proc_int32_t ch = 0;
        const utf8proc_ssize_t read = utf8proc_iterate(reinterpret_cast<const utf8proc_uint8_t*>(bytes.data() + at),
                                                       static_cast<utf8proc_ssize_t>(bytes.size() - at), &ch);
        if (read <= 0 || ch < 0) {
            visit(U'\uFFFD');
            ++at;
        } else {
            visit(static_cast<char32_t>(ch));
            at += static_cast<std::size_t>(read);
        }
    }
}

int utf16Units(std::string_view bytes)
{
    int units = 0;
    forEachCodePoint(bytes, [&](char32_t ch) { units += ch >= 0x10000 ? 2 : 1; });
    return units;
}

} // namespace

bool isAsciiText(std::string_view text)
{
    return nextNonAscii(text, 0) == text.size();
}

char32_t ClusterWalker::decodeAt(std::size_t at, std::size_t& size) const
{
    const auto lead = static_cast<unsigned char>(text_[at]);
    size = 1;
    if (isAscii(lead)) {
        return lead;
    }
    utf8proc_int32_t ch = 0;
    const utf8proc_ssize_t read = utf8proc_iterate(reinterpret_cast<const utf8proc_uint8_t*>(text_.data() + at),
                                                   static_cast<utf8proc_ssize_t>(text_.size() - at), &ch);
    if (read <= 0 || ch < 0) {
        return malformed;
    }
    size = static_cast<std::size_t>(read);
    return static_cast<char32_t>(ch);
}

bool ClusterWalker::next(TextCluster& cluster)
{
    if (byte_ >= text_.size()) {
        return false;
    }
    std::size_t size = 0;
    const char32_t first = decodeAt(byte_, size);
    std::size_t end = byte_ + size;
    // The cluster's width is its base character's; a leading mark lends
    // the decision to the character it precedes.
    char32_t base = first;
    if (first == malformed) {
        breakState_ = 0;
    } else {
        char32_t last = first;
        while (end < text_.size()) {
            if (isAscii(static_cast<unsigned char>(text_[end])) && last < 0x80) {
                breakState_ = 0;
                break;
            }
            std::size_t nextSize = 0;
            const char32_t next = decodeAt(end, nextSize);
            if (next == malformed) {
                breakState_ = 0;
                break;
            }
            if (utf8proc_grapheme_break_stateful(static_cast<utf8proc_int32_t>(last),
                                                 static_cast<utf8proc_int32_t>(next), &breakState_)) {
                break;
            }
            if (!hasWidth(base)) {
                base = next;
            }
            last = next;
            end += nextSize;
        }
    }
    cluster.byte = byte_;
    cluster.size = end - byte_;
    cluster.column = column_;
    cluster.width = cellsOf(base);
    cluster.first = first == malformed ? static_cast<unsigned char>(text_[byte_]) : first;
    byte_ = end;
    column_ += cluster.width;
    return true;
}

int utf8Columns(std::string_view text)
{
    if (isAsciiText(text)) {
        return static_cast<int>(text.size());
    }
    ClusterWalker walker(text);
    TextCluster cluster;
    int columns = 0;
    while (walker.next(cluster)) {
        columns += cluster.width;
    }
    return columns;
}

std::size_t utf8ByteOffset(std::string_view text, int column)
{
    if (column <= 0) {
        return 0;
    }
    // Only the bytes up to the column matter: an ASCII prefix maps one to one.
    if (asciiPrefix(text, static_cast<std::size_t>(column) + 1)) {
        return std::min(static_cast<std::size_t>(column), text.size());
    }
    ClusterWalker walker(text);
    TextCluster cluster;
    while (walker.next(cluster)) {
        if (cluster.column + cluster.width > column) {
            return cluster.byte;
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

int utf8ClusterStart(std::string_view text, int column)
{
    if (column <= 0 || asciiPrefix(text, static_cast<std::size_t>(column) + 1)) {
        return column;
    }
    ClusterWalker walker(text);
    TextCluster cluster;
    while (walker.next(cluster)) {
        if (cluster.column + cluster.width > column) {
            return cluster.column;
        }
    }
    return column;
}

int utf8NextColumn(std::string_view text, int column)
{
    if (column < 0 || asciiPrefix(text, static_cast<std::size_t>(column) + 2)) {
        return column + 1;
    }
    ClusterWalker walker(text);
    TextCluster cluster;
    while (walker.next(cluster)) {
        if (cluster.column + cluster.width > column) {
            return cluster.column + cluster.width;
        }
    }
    return column + 1;
}

std::vector<std::string_view> utf8Clusters(std::string_view text)
{
    std::vector<std::string_view> clusters;
    ClusterWalker walker(text);
    TextCluster cluster;
    while (walker.next(cluster)) {
        clusters.push_back(text.substr(cluster.byte, cluster.size));
    }
    return clusters;
}

std::vector<char32_t> cellCharacters(std::string_view text)
{
    std::vector<char32_t> cells;
    cells.reserve(text.size());
    if (isAsciiText(text)) {
        for (char c : text) {
            cells.push_back(static_cast<unsigned char>(c));
        }
        return cells;
    }
    ClusterWalker walker(text);
    TextCluster cluster;
    while (walker.next(cluster)) {
        cells.insert(cells.end(), static_cast<std::size_t>(cluster.width), cluster.first);
    }
    return cells;
}

std::u16string utf16Text(std::string_view text)
{
    std::u16string result;
    result.reserve(text.size());
    forEachCodePoint(text, [&](char32_t ch) {
        if (ch >= 0x10000) {
            result.push_back(static_cast<char16_t>(0xD800 + ((ch - 0x10000) >> 10)));
            result.push_back(static_cast<char16_t>(0xDC00 + ((ch - 0x10000) & 0x3FF)));
        } else {
            result.push_back(static_cast<char16_t>(ch));
        }
    });
    return result;
}

int utf16Offset(std::string_view text, int column)
{
    if (column <= 0) {
        return 0;
    }
    if (asciiPrefix(text, static_cast<std::size_t>(column) + 1)) {
        return std::min(column, static_cast<int>(text.size()));
    }
    return utf16Units(text.substr(0, utf8ByteOffset(text, column)));
}

int columnAtUtf16Offset(std::string_view text, int offset)
{
    if (offset <= 0) {
        return 0;
    }
    if (asciiPrefix(text, static_cast<std::size_t>(offset) + 1)) {
        return std::min(offset, static_cast<int>(text.size()));
    }
    ClusterWalker walker(text);
    TextCluster cluster;
    int units = 0;
    while (walker.next(cluster)) {
        units += utf16Units(text.substr(cluster.byte, cluster.size));
        if (units > offset) {
            return cluster.column;
        }
    }
    return cluster.column + cluster.width;
}

} // namespace kalmo
