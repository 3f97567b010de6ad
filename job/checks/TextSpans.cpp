// The parts of a value that are no words of its language; see TextSpans.h.
#include "job/checks/TextSpans.h"

#include "base/Utf8Codec.h"
#include "controls/memo/MemoCharacters.h"
#include "job/Placeholders.h"
#include "job/checks/Entities.h"
#include "job/checks/HtmlTags.h"

#include <algorithm>
#include <array>

#include <utf8proc.h>

namespace kalmo {
namespace {

bool isAsciiAlnum(char ch)
{
    return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9');
}

char lowered(char ch) { return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch; }

bool startsWithAt(std::string_view text, std::size_t at, std::string_view start)
{
    if (text.size() - at < start.size())
        return false;
    for (std::size_t i = 0; i < start.size(); ++i)
        if (lowered(text[at + i]) != start[i])
            return false;
    return true;
}

// An address runs to the next blank, quote or tag; the sentence's own
// punctuation after it is not part of it.
std::size_t addressEnd(std::string_view text, std::size_t from)
{
    std::size_t end = from;
    while (end < text.size() && std::string_view(" \t\"'<>").find(text[end]) == std::string_view::npos)
        ++end;
    while (end > from && std::string_view(".,;:!?)").find(text[end - 1]) != std::string_view::npos)
        --end;
    return end;
}

void addWebAddresses(std::string_view text, std::vector<TextSpan>& spans)
{
    static constexpr std::array<std::string_view, 5> kStarts{"http://", "https://", "ftp://", "mailto:", "www."};
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char first = lowered(text[at]);
        // A comparison each: find() would call memchr once per character.
        if ((first != 'h' && first != 'f' && first != 'm' && first != 'w')
            || (at > 0 && isAsciiAlnum(text[at - 1])))
            continue;
        for (std::string_view start : kStarts) {
            if (startsWithAt(text, at, start)) {
                const std::size_t end = addressEnd(text, at);
                spans.push_back({at, end, SpanKind::WebAddress});
                at = end;
                break;
            }
        }
    }
}

void addEmailAddresses(std::string_view text, std::vector<TextSpan>& spans)
{
    const auto isLocalChar = [](char ch) { return isAsciiAlnum(ch) || std::string_view("._%+-").find(ch) != std::string_view::npos; };
    const auto isDomainChar = [](char ch) { return isAsciiAlnum(ch) || ch == '.' || ch == '-'; };
    for (std::size_t at = text.find('@'); at != std::string_view::npos; at = text.find('@', at + 1)) {
        std::size_t begin = at;
        while (begin > 0 && isLocalChar(text[begin - 1]))
            --begin;
        std::size_t end = at + 1;
        while (end < text.size() && isDomainChar(text[end]))
            ++end;
        while (end > at + 1 && text[end - 1] == '.')
            --end;
        const std::string_view domain = text.substr(at + 1, end - at - 1);
        if (begin < at && domain.find('.') != std::string_view::npos)
            spans.push_back({begin, end, SpanKind::EmailAddress});
    }
}

void addEscapes(std::string_view text, char quote, std::vector<TextSpan>& spans)
{
    for (std::size_t at = text.find('\\'); at != std::string_view::npos && at + 1 < text.size();
         at = text.find('\\', at + 2)) {
        const char next = text[at + 1];
        const bool escapes = next == '\\' || next == quote || (quote == '"' && std::string_view("nrtvef$").find(next) != std::string_view::npos);
        if (escapes)
            spans.push_back({at, at + 2, SpanKind::Escape});
    }
}

} // namespace

// Every kind of span holds one of these, or "www."; most texts hold none.
// A plain loop: find_first_of calls memchr once per character.
bool mayHoldSpans(std::string_view value)
{
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char ch = value[i];
        if (ch == '%' || ch == '{' || ch == '<' || ch == '&' || ch == '@' || ch == '\\' || ch == ':'
            || (ch == '.' && i >= 3 && startsWithAt(value, i - 3, "www.")))
            return true;
    }
    return false;
}

std::vector<TextSpan> markupSpans(std::string_view value, char quote)
{
    std::vector<TextSpan> spans;
    if (!mayHoldSpans(value))
        return spans;
    for (std::string_view placeholder : placeholdersOf(value)) {
        const auto begin = static_cast<std::size_t>(placeholder.data() - value.data());
        spans.push_back({begin, begin + placeholder.size(), SpanKind::Placeholder});
    }
    for (const HtmlTag& tag : htmlTagsOf(value))
        spans.push_back({tag.begin, tag.end, SpanKind::Tag});
    for (const EntityReference& entity : entitiesOf(value))
        spans.push_back({entity.begin, entity.end, SpanKind::Entity});
    addWebAddresses(value, spans);
    addEmailAddresses(value, spans);
    addEscapes(value, quote, spans);
    // Where two overlap ("%s" inside a tag's attribute, an address in a
    // link), the one that starts first, and then the longer, is kept.
    std::sort(spans.begin(), spans.end(), [](const TextSpan& a, const TextSpan& b) {
        return a.begin != b.begin ? a.begin < b.begin : a.end > b.end;
    });
    std::vector<TextSpan> kept;
    for (const TextSpan& span : spans)
        if (kept.empty() || span.begin >= kept.back().end)
            kept.push_back(span);
    return kept;
}

namespace {

bool isAsciiLetter(char ch) { return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z'); }

// Whether a word of ASCII letters alone, between blanks or the text's ends,
// stands before any "<", "{" or "%". No span can hold it: tags and
// placeholders open with those characters, and every other kind holds no
// blank and some character that is no letter. Most texts hold such a word,
// so this settles them without listing the spans.
bool holdsPlainWordFirst(std::string_view value)
{
    std::size_t letters = 0;
    bool onlyLetters = true;
    for (const char ch : value) {
        if (ch == ' ') {
            if (onlyLetters && letters > 0)
                return true;
            letters = 0;
            onlyLetters = true;
        } else if (ch == '<' || ch == '{' || ch == '%') {
            return false;
        } else if (isAsciiLetter(ch)) {
            ++letters;
        } else {
            onlyLetters = false;
        }
    }
    return onlyLetters && letters > 0;
}

// The same for a text that opens with a tag ("<b>Note:</b> the file is
// kept"): a word of two or more ASCII letters after a blank, followed by a
// blank or the end, with no ">" after it. No tag holds it, as a tag ends in
// a ">"; a placeholder that crosses the blank before it ("%' s") takes at
// most its first letter, and no other span crosses a blank.
bool holdsPlainWordLast(std::string_view value)
{
    const std::size_t lastTagEnd = value.rfind('>');
    const std::string_view tail = lastTagEnd == std::string_view::npos ? value : value.substr(lastTagEnd + 1);
    std::size_t letters = 0;
    bool afterBlank = false;
    for (const char ch : tail) {
        if (ch == ' ') {
            if (afterBlank && letters >= 2)
                return true;
            letters = 0;
            afterBlank = true;
        } else if (isAsciiLetter(ch)) {
            ++letters;
        } else {
            letters = 0;
            afterBlank = false;
        }
    }
    return afterBlank && letters >= 2;
}

} // namespace

bool hasNothingToTranslate(std::string_view value, char quote)
{
    if (holdsPlainWordFirst(value) || holdsPlainWordLast(value))
        return false;
    const std::vector<TextSpan> spans = markupSpans(value, quote);
    auto span = spans.begin();
    for (std::size_t at = 0; at < value.size();) {
        if (span != spans.end() && at >= span->begin) {
            at = span->end;
            ++span;
            continue;
        }
        const std::size_t length = std::max<std::size_t>(utf8SequenceLength(value, at), 1);
        const auto ch = static_cast<utf8proc_int32_t>(length > 1 ? decodeUtf8Sequence(value, at, length)
                                                                 : static_cast<unsigned char>(value[at]));
        const utf8proc_category_t category = utf8proc_category(ch);
        if (category >= UTF8PROC_CATEGORY_LU && category <= UTF8PROC_CATEGORY_LO)
            return false;
        at += length;
    }
    return true;
}

} // namespace kalmo
