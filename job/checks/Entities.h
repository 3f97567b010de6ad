// HTML character references in a text: "&amp;", "&#228;", "&#xE4;", and
// the malformed ones a translator easily types ("&amp" without its ";",
// "&#x;"). A "&" that starts none ("R&D") is plain text.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace kalmo {

struct EntityReference {
    std::size_t begin = 0; // byte offsets in the text
    std::size_t end = 0;
    // The character it stands for; none for a name this program does not
    // know and for a malformed one.
    std::optional<char32_t> character;
    bool malformed = false;

    std::string_view in(std::string_view text) const { return text.substr(begin, end - begin); }
};

std::vector<EntityReference> entitiesOf(std::string_view text);

// The character of a named reference of HTML 4 (and "apos"); none for another name.
std::optional<char32_t> namedEntityCharacter(std::string_view name);

} // namespace kalmo
