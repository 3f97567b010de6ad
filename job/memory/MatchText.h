// How the translation memory compares source texts. Placeholders, numbers,
// HTML tags and entities each count as one token of their kind, so "Plot 12"
// and "Plot 7" differ in nothing but a number and a short interface text is
// not judged by its markup. A translation found for one text is fitted to
// another by putting the other's tokens where the match's stood.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kalmo {

enum class TokenKind { Placeholder, Number, Tag, Entity };

struct MatchToken {
    TokenKind kind = TokenKind::Placeholder;
    std::size_t offset = 0; // where it starts in the text's bytes
    std::string text;
};

struct MatchText {
    // The text's code points, each token as one private-use code point of
    // its kind; bytes that are no UTF-8 count as one character each.
    std::u32string characters;
    std::vector<MatchToken> tokens; // in text order
};

// Placeholders as Placeholders.h finds them ("%s", "%1$s", "{name}"); tags
// "<b>", "</a>", "<br />"; entities "&amp;", "&#039;", "&#x2019;"; numbers
// "1987", "3.5", "1,000".
MatchText matchTextOf(std::string_view text);

// How alike a candidate's source text is to the current one, in per cent:
// 100 for the same text, 99 for texts that differ in their tokens alone,
// else the share of the longer text's characters that the edit distance
// leaves unchanged, at most 99.
int matchScore(std::string_view current, std::string_view candidate);
int matchScore(std::string_view current, const MatchText& currentText, std::string_view candidate,
               const MatchText& candidateText);

// The translation of matchSource fitted to currentSource: for each kind of
// token of which both sources hold the same number, the n-th token of the
// match stands for the n-th of the current text, and the translation's
// tokens are replaced accordingly ("Parzelle 12" for "Plot 12" becomes
// "Parzelle 7" for "Plot 7"). Kinds whose counts differ stay as they are.
std::string fitTranslation(std::string_view translation, const MatchText& matchSource, const MatchText& currentSource);

} // namespace kalmo
