// Which lines of an edited text are lines of the text it was made from: the
// free editor adds and removes lines, and a line it only passed over must
// still be written with the bytes it was loaded with.
#pragma once

#include <cstddef>
#include <functional>
#include <vector>

namespace kalmo {

// For every line of the edited text, the index of the earlier line it is
// (same(earlier, edited) holds), or -1 for a line that came in. The pairs keep
// their order and leave out as few lines as can be found: lines before the
// first and after the last difference pair up one to one, and a differing
// middle part small enough to compare every line with every other is paired
// by a longest common subsequence; a larger one stays unpaired.
std::vector<int> alignLines(std::size_t earlierCount, std::size_t editedCount,
                            const std::function<bool(std::size_t earlier, std::size_t edited)>& same);

} // namespace kalmo
