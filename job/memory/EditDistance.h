// The edit distance (Levenshtein: insertions, deletions and substitutions of
// one character) between two texts of code points. The translation memory
// scores every candidate of a lookup with it, texts of a thousand characters
// among them, so it runs 64 cells of the table at a time on machine words.
#pragma once

#include <cstddef>
#include <string_view>

namespace kalmo {

std::size_t editDistance(std::u32string_view a, std::u32string_view b);

} // namespace kalmo
