// Case-insensitive search in UTF-8 text, for finding entries by what the
// user remembers of them.
#pragma once

#include <string>
#include <string_view>

namespace kalmo {

// The text case-folded and composed (NFC), so "STRASSE" finds "Straße" and a
// decomposed "é" finds a composed one. Text that is not valid UTF-8 has
// only its ASCII letters lowered.
std::string foldedForSearch(std::string_view text);

// True when text holds needle, letter case aside; an empty needle is
// found everywhere.
bool containsIgnoringCase(std::string_view text, std::string_view needle);

} // namespace kalmo
