// The entities check: every character reference is well formed, and each
// one of the source stands in the translation, as a reference or as the
// character it stands for.
#include "controls/memo/MemoCharacters.h"
#include "job/checks/Entities.h"
#include "job/checks/TextRules.h"

#include <algorithm>

namespace kalmo {
namespace {

bool holdsCharacter(std::string_view text, const std::vector<EntityReference>& references, char32_t character)
{
    return text.find(utf8Of(character)) != std::string_view::npos
        || std::any_of(references.begin(), references.end(),
                       [&](const EntityReference& reference) { return reference.character == character; });
}

} // namespace

std::optional<std::string> entityProblem(const TextPair& texts)
{
    if (texts.source.find('&') == std::string_view::npos && texts.translation.find('&') == std::string_view::npos)
        return std::nullopt;
    const std::vector<EntityReference> inSource = entitiesOf(texts.source);
    const std::vector<EntityReference> inTranslation = entitiesOf(texts.translation);
    std::vector<std::string> malformed;
    for (const EntityReference& reference : inTranslation)
        if (reference.malformed)
            malformed.emplace_back(reference.in(texts.translation));
    std::vector<std::string> missing;
    for (const EntityReference& reference : inSource) {
        const std::string written(reference.in(texts.source));
        if (reference.malformed || std::find(missing.begin(), missing.end(), written) != missing.end()
            || texts.translation.find(written) != std::string_view::npos)
            continue;
        if (!reference.character || !holdsCharacter(texts.translation, inTranslation, *reference.character))
            missing.push_back(written);
    }
    std::vector<std::string> parts;
    if (!malformed.empty())
        parts.push_back(itemsAre("entity", malformed, "malformed (a reference is &name; or &#number;)"));
    if (!missing.empty()) {
        std::string part = itemsAre("entity", missing, "missing");
        if (missing.size() == 1) {
            const auto reference = std::find_if(inSource.begin(), inSource.end(), [&](const EntityReference& r) {
                return r.in(texts.source) == missing.front();
            });
            // Blanks and joiners cannot be told apart from nothing in a message.
            const char32_t character = reference->character.value_or(0);
            if (character > 0x20 && character != 0xA0 && character != 0xAD && !(character >= 0x2000 && character <= 0x200F))
                part += ": write it or the character " + utf8Of(character);
        }
        parts.push_back(part);
    }
    return joinedProblems(parts);
}

} // namespace kalmo
