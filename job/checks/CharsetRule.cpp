// The charset check: characters of a translation that the file's character
// set cannot hold, which the file gets as "&#N;" references.
#include "controls/memo/MemoCharacters.h"
#include "job/CharsetConverter.h"
#include "job/checks/EntryChecks.h"

#include <algorithm>
#include <map>

namespace kalmo {

std::optional<std::string> charsetProblem(std::string_view translation, const TextEncoding& encoding)
{
    if (encoding == TextEncoding::Utf8
        || std::all_of(translation.begin(), translation.end(), [](char ch) { return static_cast<unsigned char>(ch) < 0x80; }))
        return std::nullopt;
    // A file holds few distinct characters beyond ASCII; each is asked of
    // the converter once per set.
    thread_local std::map<std::pair<std::string, char32_t>, bool> holdable;
    std::vector<char32_t> unholdable;
    for (const char32_t ch : codePoints(translation)) {
        if (ch < 0x80 || isRawBytePoint(ch) || std::find(unholdable.begin(), unholdable.end(), ch) != unholdable.end())
            continue;
        const auto key = std::pair(encoding.name(), ch);
        auto known = holdable.find(key);
        if (known == holdable.end())
            known = holdable.emplace(key, !fromUtf8(utf8Of(ch), encoding).starts_with("&#")).first;
        if (!known->second)
            unholdable.push_back(ch);
    }
    if (unholdable.empty())
        return std::nullopt;
    std::string characters;
    std::string references;
    for (const char32_t ch : unholdable) {
        characters += ' ' + utf8Of(ch);
        references += std::string(references.empty() ? "" : " ") + "&#" + std::to_string(static_cast<std::uint32_t>(ch)) + ';';
    }
    const bool one = unholdable.size() == 1;
    return std::string(one ? "character" : "characters") + characters + (one ? " is" : " are") + " not in "
        + encoding.name() + " and will be written as " + references + ", which the CMS shows as "
        + (one ? "it" : "them");
}

} // namespace kalmo
