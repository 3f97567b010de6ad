// The checks that compare a translation's text with its source's. Each
// looks at the two values as they stand between their quotes, escapes and
// markup included, and says what to fix, or nothing.
#pragma once

#include "job/Finding.h"
#include "job/checks/CheckNames.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kalmo {

struct TextPair {
    std::string_view source;
    std::string_view translation;
    char sourceQuote = '\'';
    char translationQuote = '\'';
};

std::optional<std::string> placeholderProblem(const TextPair& texts);
std::optional<std::string> htmlTagProblem(const TextPair& texts);
std::optional<std::string> entityProblem(const TextPair& texts);
std::optional<std::string> blankProblem(const TextPair& texts);
std::optional<std::string> endPunctuationProblem(const TextPair& texts);
std::optional<std::string> newlineProblem(const TextPair& texts);

// The characters some rules look for, as bits: a whole file's check asks
// each text once which it holds, and passes over the rules it cannot need.
enum TextMark : unsigned {
    kPercentOrBrace = 1,
    kLessThan = 2,
    kAmpersand = 4,
    kBackslash = 8,
    kAnyText = ~0u, // a rule that looks at every text
};
unsigned textMarks(std::string_view text);

struct TextRule {
    std::string_view check;
    FindingKind kind;
    std::optional<std::string> (*problem)(const TextPair& texts);
    unsigned needs; // marks of which the rule needs one in either text
};

// In the order their findings are listed for an entry.
inline constexpr std::array<TextRule, 6> kTextRules{{
    {check::Placeholders, FindingKind::Warning, placeholderProblem, kPercentOrBrace},
    {check::HtmlTags, FindingKind::Warning, htmlTagProblem, kLessThan},
    {check::Entities, FindingKind::Warning, entityProblem, kAmpersand},
    {check::Blanks, FindingKind::Warning, blankProblem, kAnyText},
    {check::EndPunctuation, FindingKind::Warning, endPunctuationProblem, kAnyText},
    {check::Newlines, FindingKind::Warning, newlineProblem, kBackslash},
}};

// "placeholder %s is missing", "placeholders %s %d are missing": items of
// one kind and what is wrong with them, as the rules word their messages.
std::string itemsAre(std::string_view noun, const std::vector<std::string>& items, std::string_view what);

// Parts of one rule's message, joined with "; "; none when there are none.
std::optional<std::string> joinedProblems(const std::vector<std::string>& parts);

} // namespace kalmo
