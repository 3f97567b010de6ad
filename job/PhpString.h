// The text a PHP string literal stands for, and back: what the CMS shows for
// an entry's value, as other translation tools want it without PHP's escapes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kalmo {

// The text PHP makes of a literal's body between the given quotes: in '
// only \' and \\ are escapes; in " the double-quoted escapes (\n \t \r \v \e
// \f \\ \$ \" octal, \x and \u{...}). Other backslashes stay as they are.
std::string unescapePhpString(std::string_view body, char quote);

// Text that the commit's escaping (escapeTranslation) turns into a literal
// body PHP reads back as exactly text: backslashes PHP would take as the start
// of an escape are doubled and, between double quotes, control characters are
// written as escapes. nullopt when a single-quoted literal on one line cannot
// hold the text (a line break in it).
std::optional<std::string> textForCommit(std::string_view text, char quote);

} // namespace kalmo
