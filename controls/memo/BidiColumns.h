// Where a line's clusters stand on screen when it holds right-to-left text.
// The memo's columns stay logical everywhere (keys, selection, undo, the
// job): only painting, the caret's place and the pointer ask here. The
// Unicode bidirectional algorithm (FriBidi) gives each code point its
// embedding level; a line is cut into runs of one level and the runs are
// reordered on the cell grid, each keeping as many cells as its clusters
// take. A line's base direction is always left to right: the panes show
// code, which starts with `define(` or `$lang[` whatever language its
// strings are in. Lines without a right-to-left character skip all of it.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace kalmo {

// Clusters of one embedding level, logically adjacent.
struct BidiRun {
    std::size_t byte = 0; // first byte in the line
    std::size_t size = 0; // its bytes
    int column = 0;       // logical first cell
    int columns = 0;      // its cells
    int visualColumn = 0; // the cell where it starts on screen
    bool rightToLeft = false;

    int end() const { return column + columns; }
};

// True when the line holds a character of a right-to-left script or a
// right-to-left mark, embedding or override.
bool hasRightToLeftText(std::string_view line);

// The line's runs in visual order (left to right on screen); empty when the
// line holds no right-to-left text, so that every cluster stands in its own
// column. Inside a right-to-left run the clusters run from its right end.
std::vector<BidiRun> visualRuns(std::string_view line);

// The run holding logical column `column`; nullptr outside the text.
const BidiRun* runAtColumn(const std::vector<BidiRun>& runs, int column);

} // namespace kalmo
