// The blanks check: the translation starts and ends with the blanks the
// source starts and ends with, and doubles no blank the source does not.
#include "job/checks/TextRules.h"

namespace kalmo {
namespace {

bool isBlank(char ch) { return ch == ' ' || ch == '\t'; }

// A plain loop: find("  ") calls memchr once per blank of the text.
std::size_t doubledBlank(std::string_view text)
{
    for (std::size_t i = 1; i < text.size(); ++i)
        if (text[i] == ' ' && text[i - 1] == ' ')
            return i - 1;
    return std::string_view::npos;
}

// The same question without the place: no branch per character, so the
// compiler tests many at once. Nearly every translation asks it and has none.
bool holdsDoubledBlank(std::string_view text)
{
    unsigned char found = 0;
    for (std::size_t i = 1; i < text.size(); ++i)
        found |= static_cast<unsigned char>((text[i] == ' ') & (text[i - 1] == ' '));
    return found != 0;
}

std::size_t leadingBlanks(std::string_view text)
{
    std::size_t count = 0;
    while (count < text.size() && isBlank(text[count]))
        ++count;
    return count;
}

std::size_t trailingBlanks(std::string_view text)
{
    std::size_t count = 0;
    while (count < text.size() && isBlank(text[text.size() - 1 - count]))
        ++count;
    return count;
}

// The byte offset of the first "  " between the text's first and last
// non-blank characters; npos when none.
std::size_t innerDoubledBlank(std::string_view text)
{
    const std::size_t lead = leadingBlanks(text);
    if (lead == text.size())
        return std::string_view::npos;
    const std::string_view inner = text.substr(lead, text.size() - lead - trailingBlanks(text));
    const std::size_t at = doubledBlank(inner);
    return at == std::string_view::npos ? at : lead + at;
}

std::string blanks(std::size_t count) { return count == 1 ? "1 blank" : std::to_string(count) + " blanks"; }

std::string differentBlanks(const char* where, std::size_t inSource, std::size_t inTranslation)
{
    if (inSource == 0)
        return std::string("remove the ") + blanks(inTranslation) + " at the " + where + ": the source has none";
    return std::string("the source has ") + blanks(inSource) + " at the " + where + ", the translation "
        + (inTranslation == 0 ? std::string("none") : std::to_string(inTranslation)) + ": write as many";
}

int columnOf(std::string_view text, std::size_t offset)
{
    int column = 1;
    for (std::size_t i = 0; i < offset; ++i)
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)
            ++column;
    return column;
}

} // namespace

std::optional<std::string> blankProblem(const TextPair& texts)
{
    const std::string_view source = texts.source;
    const std::string_view translation = texts.translation;
    const bool endsLookAlike = (source.empty() || (!isBlank(source.front()) && !isBlank(source.back())))
        && (translation.empty() || (!isBlank(translation.front()) && !isBlank(translation.back())));
    if (endsLookAlike && !holdsDoubledBlank(translation))
        return std::nullopt;
    std::vector<std::string> parts;
    // A text of blanks only is all lead.
    const std::size_t sourceLead = leadingBlanks(source);
    const std::size_t translationLead = leadingBlanks(translation);
    const std::size_t sourceTrail = sourceLead == source.size() ? 0 : trailingBlanks(source);
    const std::size_t translationTrail = translationLead == translation.size() ? 0 : trailingBlanks(translation);
    if (sourceLead != translationLead)
        parts.push_back(differentBlanks("start", sourceLead, translationLead));
    if (sourceTrail != translationTrail)
        parts.push_back(differentBlanks("end", sourceTrail, translationTrail));
    const std::size_t doubled = innerDoubledBlank(translation);
    if (doubled != std::string_view::npos && innerDoubledBlank(source) == std::string_view::npos)
        parts.push_back("remove the doubled blank at column " + std::to_string(columnOf(translation, doubled))
                        + ": the source has none");
    return joinedProblems(parts);
}

} // namespace kalmo
