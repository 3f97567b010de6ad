// Which words of a text another text does not have, by the longest common
// sequence of their words: the memory marks them in a suggestion's source
// (where it differs from the entry's) and in the old and new source text of
// an entry to review.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kalmo {

struct MarkedPiece {
    std::string text;
    bool changed = false;
    bool operator==(const MarkedPiece&) const = default;
};

// The text in pieces that join up to it, the words other lacks marked.
// Words are runs of letters and digits (any character beyond ASCII but
// spaces and punctuation counts as a letter); every other mark is a word of
// its own; the blanks between two marked words are marked with them.
std::vector<MarkedPiece> markChangedWords(std::string_view text, std::string_view other);

} // namespace kalmo
