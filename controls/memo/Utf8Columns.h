// The memo's columns are display cells while its lines are UTF-8 bytes. A
// grapheme cluster (a base character with its combining marks) is one unit:
// it takes 2 cells when East Asian Wide or Fullwidth, 1 otherwise. Every
// mapping between cells, clusters and bytes lives here, so that the rest of
// the model never indexes a line by column directly, and the Unicode
// library (utf8proc) is asked in this one file.
//
// A column that falls inside a wide cluster stands for that cluster's first
// cell: byte offsets, left parts and caret positions all snap to the start.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kalmo {

// True when every byte is below 0x80: every byte is one cluster of one cell.
bool isAsciiText(std::string_view text);

// One grapheme cluster of a line. A malformed byte is a cluster of its own.
struct TextCluster {
    std::size_t byte = 0; // where it starts
    std::size_t size = 0; // its bytes
    int column = 0;       // its first cell
    int width = 1;        // 1 or 2 cells
    char32_t first = 0;   // its first code point (a malformed byte: the byte)
};

// Walks a text's clusters from its start.
class ClusterWalker {
public:
    explicit ClusterWalker(std::string_view text) : text_(text) {}
    // The next cluster; false at the end of the text.
    bool next(TextCluster& cluster);

private:
    char32_t decodeAt(std::size_t at, std::size_t& size) const;

    std::string_view text_;
    std::size_t byte_ = 0;
    int column_ = 0;
    std::int32_t breakState_ = 0;
};

// The number of cells of the text.
int utf8Columns(std::string_view text);

// The byte offset of the cluster that covers `column`; text.size() for a
// column at or beyond the end, 0 for a negative column.
std::size_t utf8ByteOffset(std::string_view text, int column);

// The first `columns` cells of the text (all of it when it is shorter).
std::string_view utf8Left(std::string_view text, int columns);

// The text from column `column` on (empty when the column lies beyond it).
std::string_view utf8From(std::string_view text, int column);

// The first cell of the cluster that covers `column`: where a caret asked to
// stand inside a wide cluster goes. Columns beyond the text stay as they are.
int utf8ClusterStart(std::string_view text, int column);

// The column just after the cluster that covers `column`: one step right.
// Beyond the text every step is one cell.
int utf8NextColumn(std::string_view text, int column);

// The text cut into its clusters, in order.
std::vector<std::string_view> utf8Clusters(std::string_view text);

// One character per cell: the first code point of the cluster covering it
// (a malformed byte gives its own value). Word rules index this by column.
std::vector<char32_t> cellCharacters(std::string_view text);

// The text in UTF-16, the unit in which accessibility interfaces count; a
// malformed byte reads as U+FFFD, one unit.
std::u16string utf16Text(std::string_view text);

// The UTF-16 units before the cluster that covers `column`: the whole text's
// units for a column at or beyond its end, 0 for a negative column.
int utf16Offset(std::string_view text, int column);

// The first cell of the cluster that holds UTF-16 unit `offset`: the text's
// columns for an offset at or beyond its end, 0 for a negative offset.
int columnAtUtf16Offset(std::string_view text, int offset);

} // namespace kalmo
