// The placeholders a text hands to the code that shows it: printf-style ones
// ("%s", "%d", "%1$s", "%%") and named ones ("{name}"). A translation must
// keep the same ones, in any order.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kalmo {

// Every placeholder of the text, as written (views into it), sorted,
// repeats kept (a multiset). A "%" followed by no conversion ("100% sure") is no placeholder;
// a space is not taken as a printf flag, so "50% discount" is none either.
std::vector<std::string_view> placeholdersOf(std::string_view text);

struct PlaceholderDifference {
    std::vector<std::string> missing; // in the source, not in the translation
    std::vector<std::string> extra;   // in the translation, not in the source
    bool empty() const { return missing.empty() && extra.empty(); }
};

PlaceholderDifference comparePlaceholders(std::string_view source, std::string_view translation);

} // namespace kalmo
