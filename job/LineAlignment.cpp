// Pairing the lines of an edited text with those it was made from; see LineAlignment.h.
#include "job/LineAlignment.h"

#include <algorithm>
#include <cstdint>

namespace kalmo {
namespace {

// The table below holds one cell per pair of middle lines; past this the
// middle stays unpaired rather than take the memory.
constexpr std::size_t kMaxComparedPairs = std::size_t{4} << 20;

} // namespace

std::vector<int> alignLines(std::size_t earlierCount, std::size_t editedCount,
                            const std::function<bool(std::size_t earlier, std::size_t edited)>& same)
{
    std::vector<int> pairs(editedCount, -1);
    std::size_t prefix = 0;
    while (prefix < earlierCount && prefix < editedCount && same(prefix, prefix)) {
        pairs[prefix] = static_cast<int>(prefix);
        ++prefix;
    }
    std::size_t suffix = 0;
    while (suffix < earlierCount - prefix && suffix < editedCount - prefix
           && same(earlierCount - 1 - suffix, editedCount - 1 - suffix)) {
        pairs[editedCount - 1 - suffix] = static_cast<int>(earlierCount - 1 - suffix);
        ++suffix;
    }
    const std::size_t rows = earlierCount - prefix - suffix;
    const std::size_t columns = editedCount - prefix - suffix;
    if (rows == 0 || columns == 0 || rows * columns > kMaxComparedPairs)
        return pairs;

    // longest[r][c]: the longest common subsequence of the middle parts from
    // earlier line r and edited line c on.
    std::vector<std::uint32_t> longest((rows + 1) * (columns + 1), 0);
    const auto at = [columns](std::size_t r, std::size_t c) { return r * (columns + 1) + c; };
    for (std::size_t r = rows; r-- > 0;) {
        for (std::size_t c = columns; c-- > 0;) {
            longest[at(r, c)] = same(prefix + r, prefix + c) ? longest[at(r + 1, c + 1)] + 1
                                                             : std::max(longest[at(r + 1, c)], longest[at(r, c + 1)]);
        }
    }
    for (std::size_t r = 0, c = 0; r < rows && c < columns;) {
        if (same(prefix + r, prefix + c)) {
            pairs[prefix + c] = static_cast<int>(prefix + r);
            ++r;
            ++c;
        } else if (longest[at(r + 1, c)] >= longest[at(r, c + 1)]) {
            ++r;
        } else {
            ++c;
        }
    }
    return pairs;
}

} // namespace kalmo
