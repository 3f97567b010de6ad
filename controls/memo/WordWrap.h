// Breaking text into lines that fit a width in cells, at the blanks between
// words, for a memo that shows prose rather than code; and joining prose
// into paragraphs before it is broken again.
#pragma once

#include <string>
#include <vector>

namespace kalmo {

// Each line broken at spaces so that no piece is wider than `cells`; a word
// wider than that is cut at the width. Short and empty lines stay as they
// are, and the words keep their order. A width of 0 or less changes nothing.
std::vector<std::string> wrapAtWords(const std::vector<std::string>& lines, int cells);

// Prose whose line breaks are not its own: the lines between blank lines
// become one line each, joined by a space, so that wrapping can flow them
// as paragraphs. Blank lines stay, one for each.
std::vector<std::string> joinParagraphs(const std::vector<std::string>& lines);

} // namespace kalmo
