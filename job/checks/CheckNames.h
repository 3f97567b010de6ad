// The short, stable ids of the checks: what findings carry, what the user
// silences a finding by, and what `kalmo check` prints in brackets.
#pragma once

#include <array>
#include <string_view>

namespace kalmo::check {

inline constexpr std::string_view PhpValue = "php-value";
inline constexpr std::string_view Placeholders = "placeholders";
inline constexpr std::string_view HtmlTags = "html-tags";
inline constexpr std::string_view Entities = "entities";
inline constexpr std::string_view Blanks = "blanks";
inline constexpr std::string_view EndPunctuation = "end-punctuation";
inline constexpr std::string_view Newlines = "newlines";
inline constexpr std::string_view Unchanged = "unchanged";
inline constexpr std::string_view Charset = "charset";
inline constexpr std::string_view Duplicate = "duplicate";
inline constexpr std::string_view Missing = "missing";
inline constexpr std::string_view Extra = "extra";
inline constexpr std::string_view Spelling = "spelling";

inline constexpr std::array<std::string_view, 13> kAll{PhpValue, Placeholders, HtmlTags, Entities, Blanks,
                                                       EndPunctuation, Newlines, Unchanged, Charset, Duplicate,
                                                       Missing, Extra, Spelling};

inline constexpr bool isKnown(std::string_view id)
{
    for (std::string_view known : kAll)
        if (known == id)
            return true;
    return false;
}

} // namespace kalmo::check
