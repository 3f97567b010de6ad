// The HTML tags in a text, as the tag check compares them and the spelling
// check passes over them: a "<" with a name and a closing ">", attributes
// and all. "a < b" and "<3" are no tags.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kalmo {

enum class TagKind { Opening, Closing, Standalone };

struct HtmlTag {
    std::size_t begin = 0; // byte offsets of "<" and after ">"
    std::size_t end = 0;
    std::string name; // in lower case
    // Void elements (br, img, ...) and "<x/>" stand alone, however written.
    TagKind kind = TagKind::Opening;

    // "<b>", "</b>" or "<br/>": the tag without its attributes.
    std::string plain() const;
};

std::vector<HtmlTag> htmlTagsOf(std::string_view text);

} // namespace kalmo
