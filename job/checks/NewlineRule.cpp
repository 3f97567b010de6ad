// The newlines check: a double-quoted value breaks its lines ("\n") as
// often as the source does.
#include "job/checks/TextRules.h"

namespace kalmo {
namespace {

int lineBreakEscapes(std::string_view value, char quote)
{
    if (quote != '"')
        return 0;
    int count = 0;
    for (std::size_t at = value.find('\\'); at != std::string_view::npos && at + 1 < value.size();
         at = value.find('\\', at + 2))
        count += value[at + 1] == 'n' ? 1 : 0;
    return count;
}

std::string lineBreaks(int count) { return count == 1 ? "1 line break" : std::to_string(count) + " line breaks"; }

} // namespace

std::optional<std::string> newlineProblem(const TextPair& texts)
{
    if (texts.sourceQuote != '"' && texts.translationQuote != '"')
        return std::nullopt;
    const int inSource = lineBreakEscapes(texts.source, texts.sourceQuote);
    const int inTranslation = lineBreakEscapes(texts.translation, texts.translationQuote);
    if (inSource == inTranslation)
        return std::nullopt;
    return "the source has " + lineBreaks(inSource) + " (\\n), the translation " + std::to_string(inTranslation)
        + ": write as many";
}

} // namespace kalmo
