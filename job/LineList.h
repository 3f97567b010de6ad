// The line-list file format: how file content splits into lines and how
// lines join back into file content.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kalmo {

// Lines in file order, empty and repeated lines included; never sorted.
using LineList = std::vector<std::string>;

// Splits at CR LF, lone CR and lone LF (LF CR is two breaks); a NUL byte ends
// the content; a break at the very end adds no empty line.
LineList splitLines(std::string_view content);

// The content up to its first NUL byte: what splitLines reads of it.
std::string_view contentBeforeNul(std::string_view content);

// Every line followed by CR LF, the last one included.
std::string joinLines(const LineList& lines);

} // namespace kalmo
