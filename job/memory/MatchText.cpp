// Tokens, scores and fitted translations of the translation memory; see MatchText.h.
#include "job/memory/MatchText.h"

#include "base/Utf8Codec.h"
#include "job/Placeholders.h"
#include "job/memory/EditDistance.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <utility>

namespace kalmo {
namespace {

// Private-use code points that stand for a token of each kind.
constexpr char32_t kTokenBase = 0xE000;

bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isAsciiAlnum(char c) { return isAsciiLetter(c) || isDigit(c); }

// "<b>", "</p>", "<br />", "<a href=\"…\">", "<!-- … -->": a "<" that opens
// a tag, up to its ">" before any other "<". 0 when none starts here.
std::size_t tagLength(std::string_view text, std::size_t at)
{
    if (at + 1 >= text.size())
        return 0;
    const char next = text[at + 1];
    if (!isAsciiLetter(next) && next != '/' && next != '!')
        return 0;
    for (std::size_t p = at + 1; p < text.size(); ++p) {
        if (text[p] == '<')
            return 0;
        if (text[p] == '>')
            return p + 1 - at;
    }
    return 0;
}

// "&amp;", "&#39;", "&#x2019;"; 0 when none starts here.
std::size_t entityLength(std::string_view text, std::size_t at)
{
    std::size_t p = at + 1;
    if (p < text.size() && text[p] == '#') {
        ++p;
        const bool hex = p < text.size() && (text[p] == 'x' || text[p] == 'X');
        if (hex)
            ++p;
        const std::size_t start = p;
        while (p < text.size() && (hex ? std::isxdigit(static_cast<unsigned char>(text[p])) != 0 : isDigit(text[p])))
            ++p;
        return p > start && p < text.size() && text[p] == ';' ? p + 1 - at : 0;
    }
    if (p >= text.size() || !isAsciiLetter(text[p]))
        return 0;
    while (p < text.size() && isAsciiAlnum(text[p]))
        ++p;
    return p < text.size() && text[p] == ';' ? p + 1 - at : 0;
}

// "7", "1987", "3.5", "1,000": digits with single "." or "," between them.
std::size_t numberLength(std::string_view text, std::size_t at)
{
    std::size_t p = at;
    while (p < text.size() && isDigit(text[p])) {
        ++p;
        if (p + 1 < text.size() && (text[p] == '.' || text[p] == ',') && isDigit(text[p + 1]))
            ++p;
    }
    return p - at;
}

std::vector<std::pair<std::size_t, std::size_t>> placeholderSpans(std::string_view text)
{
    std::vector<std::pair<std::size_t, std::size_t>> spans;
    for (const std::string_view found : placeholdersOf(text))
        spans.emplace_back(static_cast<std::size_t>(found.data() - text.data()), found.size());
    std::sort(spans.begin(), spans.end());
    return spans;
}

using TokenMap = std::map<std::string, std::string, std::less<>>;

// What each token of the match stands for in the current text; a token of
// the match that would stand for two different ones is left out.
TokenMap tokenCorrespondence(const MatchText& match, const MatchText& current)
{
    TokenMap map;
    std::vector<std::string> ambiguous;
    for (const TokenKind kind : {TokenKind::Placeholder, TokenKind::Number, TokenKind::Tag, TokenKind::Entity}) {
        std::vector<const MatchToken*> from;
        std::vector<const MatchToken*> to;
        for (const MatchToken& token : match.tokens)
            if (token.kind == kind)
                from.push_back(&token);
        for (const MatchToken& token : current.tokens)
            if (token.kind == kind)
                to.push_back(&token);
        if (from.size() != to.size())
            continue;
        for (std::size_t i = 0; i < from.size(); ++i) {
            const auto [at, added] = map.emplace(from[i]->text, to[i]->text);
            if (!added && at->second != to[i]->text)
                ambiguous.push_back(from[i]->text);
        }
    }
    for (const std::string& token : ambiguous)
        map.erase(token);
    return map;
}

} // namespace

MatchText matchTextOf(std::string_view text)
{
    MatchText result;
    result.characters.reserve(text.size());
    const auto placeholders = placeholderSpans(text);
    auto nextPlaceholder = placeholders.begin();
    std::size_t i = 0;
    while (i < text.size()) {
        while (nextPlaceholder != placeholders.end() && nextPlaceholder->first < i)
            ++nextPlaceholder;
        TokenKind kind = TokenKind::Placeholder;
        std::size_t length = 0;
        if (nextPlaceholder != placeholders.end() && nextPlaceholder->first == i) {
            length = nextPlaceholder->second;
        } else if (text[i] == '<') {
            kind = TokenKind::Tag;
            length = tagLength(text, i);
        } else if (text[i] == '&') {
            kind = TokenKind::Entity;
            length = entityLength(text, i);
        } else if (isDigit(text[i])) {
            kind = TokenKind::Number;
            length = numberLength(text, i);
        }
        if (length > 0) {
            result.tokens.push_back({kind, i, std::string(text.substr(i, length))});
            result.characters.push_back(kTokenBase + static_cast<char32_t>(kind));
            i += length;
            continue;
        }
        const std::size_t sequence = utf8SequenceLength(text, i);
        if (sequence == 0) {
            result.characters.push_back(static_cast<unsigned char>(text[i]));
            ++i;
        } else {
            result.characters.push_back(decodeUtf8Sequence(text, i, sequence));
            i += sequence;
        }
    }
    return result;
}

int matchScore(std::string_view current, const MatchText& currentText, std::string_view candidate,
               const MatchText& candidateText)
{
    if (current == candidate)
        return 100;
    if (currentText.characters == candidateText.characters)
        return 99;
    const std::size_t longest = std::max(currentText.characters.size(), candidateText.characters.size());
    const std::size_t distance = editDistance(currentText.characters, candidateText.characters);
    return std::min(99, static_cast<int>((longest - distance) * 100 / longest));
}

int matchScore(std::string_view current, std::string_view candidate)
{
    return matchScore(current, matchTextOf(current), candidate, matchTextOf(candidate));
}

std::string fitTranslation(std::string_view translation, const MatchText& matchSource, const MatchText& currentSource)
{
    const TokenMap map = tokenCorrespondence(matchSource, currentSource);
    if (map.empty())
        return std::string(translation);
    std::string fitted;
    std::size_t copied = 0;
    for (const MatchToken& token : matchTextOf(translation).tokens) {
        const auto found = map.find(token.text);
        if (found == map.end())
            continue;
        fitted.append(translation.substr(copied, token.offset - copied));
        fitted += found->second;
        copied = token.offset + token.text.size();
    }
    fitted.append(translation.substr(copied));
    return fitted;
}

} // namespace kalmo
