// Breaking text into lines that fit a width in cells, at the blanks between
// words, for a memo that shows prose rather than code.
#pragma once

#include <string>
#include <vector>

namespace kalmo {

// Each line broken at spaces so that no piece is wider than `cells`; a word
// wider than that is cut at the width. Short and empty lines stay as they
// are, and the words keep their order. A width of 0 or less changes nothing.
std::vector<std::string> wrapAtWords(const std::vector<std::string>& lines, int cells);

} // namespace kalmo
