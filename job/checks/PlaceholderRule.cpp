// The placeholders check: the translation hands the same values to the
// code that shows it as the source does. Also home of the rules' shared
// message wording.
#include "job/Placeholders.h"
#include "job/checks/TextRules.h"


namespace kalmo {

std::string itemsAre(std::string_view noun, const std::vector<std::string>& items, std::string_view what)
{
    std::string text(noun);
    if (items.size() > 1)
        text += 's';
    for (const std::string& item : items)
        text += ' ' + item;
    return text + (items.size() > 1 ? " are " : " is ") + std::string(what);
}

unsigned textMarks(std::string_view text)
{
    // One memchr per mark: each passes over many characters at once, and a
    // value is short enough that five of them cost less than one loop over
    // its characters. Every translated entry of a file passes through here
    // twice.
    const auto holds = [text](char ch) { return text.find(ch) != std::string_view::npos; };
    return (holds('%') || holds('{') ? kPercentOrBrace : 0u) | (holds('<') ? kLessThan : 0u)
        | (holds('&') ? kAmpersand : 0u) | (holds('\\') ? kBackslash : 0u);
}

std::optional<std::string> joinedProblems(const std::vector<std::string>& parts)
{
    if (parts.empty())
        return std::nullopt;
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : "; ") + part;
    return text;
}

std::optional<std::string> placeholderProblem(const TextPair& texts)
{
    const PlaceholderDifference difference = comparePlaceholders(texts.source, texts.translation);
    if (difference.empty())
        return std::nullopt;
    std::vector<std::string> parts;
    if (!difference.missing.empty())
        parts.push_back(itemsAre("placeholder", difference.missing, "missing"));
    if (!difference.extra.empty())
        parts.push_back(itemsAre("placeholder", difference.extra, "not in the source"));
    if (!difference.reordered.empty())
        parts.push_back(itemsAre("placeholder", difference.reordered, "in another order than in the source")
                        + ", which gives each another value: number them (%1$s, %2$s) to reorder");
    if (difference.percentSigns == PercentSigns::OnlySourceDoubles)
        parts.push_back("the source writes a percent sign as %%; write %% for % here too");
    else if (difference.percentSigns == PercentSigns::OnlyTranslationDoubles)
        parts.push_back("the source writes a percent sign as a single %; write % for %% here too");
    return joinedProblems(parts);
}

} // namespace kalmo
