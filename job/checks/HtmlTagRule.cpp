// The html-tags check: the translation has the source's tags (attributes
// aside), nested as properly as the source's.
#include "job/checks/HtmlTags.h"
#include "job/checks/TextRules.h"

#include <algorithm>
#include <iterator>

namespace kalmo {
namespace {

std::vector<std::string> plainTags(const std::vector<HtmlTag>& tags)
{
    std::vector<std::string> plain;
    for (const HtmlTag& tag : tags)
        plain.push_back(tag.plain());
    std::sort(plain.begin(), plain.end());
    return plain;
}

// What is wrong with how the tags open and close; none when each closing
// tag closes the last one still open and none is left open.
std::optional<std::string> nestingProblem(const std::vector<HtmlTag>& tags)
{
    std::vector<const HtmlTag*> open;
    for (const HtmlTag& tag : tags) {
        if (tag.kind == TagKind::Opening) {
            open.push_back(&tag);
        } else if (tag.kind == TagKind::Closing) {
            const bool isOpen
                = std::any_of(open.begin(), open.end(), [&](const HtmlTag* opened) { return opened->name == tag.name; });
            if (!isOpen)
                return "tag " + tag.plain() + " closes no open tag";
            if (open.back()->name != tag.name)
                return "tag " + tag.plain() + " comes while " + open.back()->plain() + " is still open: write </"
                    + open.back()->name + "> first";
            open.pop_back();
        }
    }
    if (!open.empty())
        return "tag " + open.back()->plain() + " is not closed";
    return std::nullopt;
}

} // namespace

std::optional<std::string> htmlTagProblem(const TextPair& texts)
{
    if (texts.source.find('<') == std::string_view::npos && texts.translation.find('<') == std::string_view::npos)
        return std::nullopt;
    // Most translations keep the source's tags in its order: nothing is
    // missing, nothing extra, and they nest as the source's do. Settled
    // without listing them, as a file's check asks this of every entry.
    if (holdSameTags(texts.source, texts.translation))
        return std::nullopt;
    const std::vector<HtmlTag> sourceTags = htmlTagsOf(texts.source);
    const std::vector<HtmlTag> translationTags = htmlTagsOf(texts.translation);
    const std::vector<std::string> inSource = plainTags(sourceTags);
    const std::vector<std::string> inTranslation = plainTags(translationTags);
    std::vector<std::string> missing;
    std::vector<std::string> extra;
    std::set_difference(inSource.begin(), inSource.end(), inTranslation.begin(), inTranslation.end(),
                        std::back_inserter(missing));
    std::set_difference(inTranslation.begin(), inTranslation.end(), inSource.begin(), inSource.end(),
                        std::back_inserter(extra));
    std::vector<std::string> parts;
    if (!missing.empty())
        parts.push_back(itemsAre("tag", missing, "missing"));
    if (!extra.empty())
        parts.push_back(itemsAre("tag", extra, "not in the source"));
    if (parts.empty() && !nestingProblem(sourceTags))
        if (auto nesting = nestingProblem(translationTags))
            parts.push_back(*nesting);
    return joinedProblems(parts);
}

} // namespace kalmo
