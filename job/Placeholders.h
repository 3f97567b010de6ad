// The placeholders a text hands to the code that shows it: printf-style ones
// ("%s", "%d", "%1$s", "%%") and named ones ("{name}"). A translation must
// keep the same ones; numbered ones may stand in any order.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kalmo {

// Every placeholder of the text, as written (views into it), sorted,
// repeats kept (a multiset). A "%" followed by no conversion ("100% sure") is no placeholder;
// a space is not taken as a printf flag, so "50% discount" is none either.
std::vector<std::string_view> placeholdersOf(std::string_view text);

enum class PercentSigns {
    Alike,
    OnlySourceDoubles,      // the source writes "%%" where the translation has a lone "%"
    OnlyTranslationDoubles, // the translation writes "%%" where the source has a lone "%"
};

struct PlaceholderDifference {
    // Compared by the value each one takes: "%s %s" and "%2$s %1$s" hand
    // over the same two values, "%s %d" and "%d %s" do not.
    std::vector<std::string> missing; // in the source, not in the translation
    std::vector<std::string> extra;   // in the translation, not in the source
    // The same placeholders as the source's, unnumbered ones in another
    // order, so that each takes another value.
    std::vector<std::string> reordered;
    PercentSigns percentSigns = PercentSigns::Alike;
    bool empty() const
    {
        return missing.empty() && extra.empty() && reordered.empty() && percentSigns == PercentSigns::Alike;
    }
};

PlaceholderDifference comparePlaceholders(std::string_view source, std::string_view translation);

// Whether the text has a "%" that starts no placeholder and is no "%%".
bool hasLonePercentSign(std::string_view text);

} // namespace kalmo
