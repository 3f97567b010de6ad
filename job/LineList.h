// The line-list file format: how file content splits into lines, which line
// end each line had, and how lines join back into file content.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kalmo {

// Lines in file order, empty and repeated lines included; never sorted.
using LineList = std::vector<std::string>;

enum class LineEnd { None, CrLf, Cr, Lf };

// The line end of each line of a file as it was read, in file order. Only
// the last can be None (content that does not end in a break).
using LineEnds = std::vector<LineEnd>;

// Splits at CR LF, lone CR and lone LF (LF CR is two breaks); a break at the
// very end adds no empty line. When ends is given it receives the line end
// of each line.
LineList splitLines(std::string_view content, LineEnds* ends = nullptr);

// The lines joined back with the line ends they were read with, so that an
// unchanged file comes back byte for byte. When the number of lines changed,
// the ends no longer belong to the lines: every line then gets the file's
// most frequent end (a tie goes to the first line's; CR LF for a file that
// had none). A last line read without an end stays without one either way,
// unless it is empty now and would vanish.
std::string joinLines(const LineList& lines, const LineEnds& loadedEnds);

} // namespace kalmo
