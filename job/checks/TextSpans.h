// The parts of a value that are not words of its language: placeholders,
// HTML tags with their attributes, character references, web and e-mail
// addresses and PHP's backslash escapes. The spelling check passes over
// them, and a text of nothing else needs no translation.
#pragma once

#include <string_view>
#include <vector>

namespace kalmo {

enum class SpanKind { Placeholder, Tag, Entity, WebAddress, EmailAddress, Escape };

struct TextSpan {
    std::size_t begin = 0; // byte offsets
    std::size_t end = 0;
    SpanKind kind = SpanKind::Placeholder;
};

// In text order, none inside another. quote: the value's quote, which
// decides PHP's escapes ("\n" only between double quotes; "\'" and "\\"
// between either).
std::vector<TextSpan> markupSpans(std::string_view value, char quote);

// Whether a value holds no letter outside its markup spans: only
// placeholders, numbers, addresses, tags or blanks. Such a text is the same
// in every language.
bool hasNothingToTranslate(std::string_view value, char quote);

} // namespace kalmo
