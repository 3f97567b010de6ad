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

// One tag as it stands in the text, its name as written (any letter case):
// what htmlTagsOf lists, read one at a time without allocating, for the
// check that only asks whether two texts hold the same tags.
struct TagInText {
    std::size_t begin = 0;
    std::size_t end = 0; // 0: no tag found
    std::string_view name;
    TagKind kind = TagKind::Opening;
};

// The first tag whose "<" stands at or after offset from; end 0 when none.
TagInText nextHtmlTag(std::string_view text, std::size_t from);

// Whether two texts hold the same tags in the same order, each of the same
// kind and name (letter case aside).
bool holdSameTags(std::string_view a, std::string_view b);

} // namespace kalmo
