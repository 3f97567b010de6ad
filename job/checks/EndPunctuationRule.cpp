// The end-punctuation check: a translation ends in a full stop, an
// exclamation or question mark, a colon or an ellipsis where its source
// does, in the mark of its own script if it likes, and in none where the
// source has none.
#include "base/Utf8Codec.h"
#include "controls/memo/MemoCharacters.h"
#include "job/checks/TextRules.h"

#include <algorithm>
#include <array>

namespace kalmo {
namespace {

enum class Mark { None, FullStop, Exclamation, Question, Colon, Ellipsis };

struct MarkCharacter {
    char32_t character;
    Mark mark;
};

// The marks of the scripts the translations are written in: CJK's, Arabic's
// question mark, Urdu's full stop, Devanagari's danda, Myanmar's, Ethiopic's
// and Armenian's full stops.
constexpr std::array<MarkCharacter, 17> kMarks{{
    {U'.', Mark::FullStop},    {U'\u3002', Mark::FullStop}, {U'\uFF0E', Mark::FullStop}, {U'\u0964', Mark::FullStop},
    {U'\u0965', Mark::FullStop}, {U'\u104B', Mark::FullStop}, {U'\u1362', Mark::FullStop}, {U'\u06D4', Mark::FullStop},
    {U'\u0589', Mark::FullStop}, {U'!', Mark::Exclamation}, {U'\uFF01', Mark::Exclamation}, {U'?', Mark::Question},
    {U'\uFF1F', Mark::Question}, {U'\u061F', Mark::Question}, {U':', Mark::Colon},      {U'\uFF1A', Mark::Colon},
    {U'\u2026', Mark::Ellipsis},
}};

bool isBlank(char32_t ch) { return ch == U' ' || ch == U'\t' || ch == U'\u00A0' || ch == U'\u202F'; }

// The offset after the text's last character that is no blank, no escape
// of a blank ("\n" between double quotes), no tag and no "&nbsp;".
std::size_t contentEnd(std::string_view text, char quote)
{
    std::size_t end = text.size();
    for (;;) {
        const std::string_view head = text.substr(0, end);
        if (quote == '"' && head.size() >= 2 && head[head.size() - 2] == '\\'
            && std::string_view("nrt").find(head.back()) != std::string_view::npos) {
            end -= 2;
        } else if (head.ends_with('>') && head.rfind('<') != std::string_view::npos) {
            end = head.rfind('<');
        } else if (head.ends_with("&nbsp;")) {
            end -= 6;
        } else {
            if (head.empty())
                return end;
            std::size_t start = end - 1;
            while (start > 0 && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80)
                --start;
            const std::size_t length = utf8SequenceLength(text, start);
            if (length != end - start || !isBlank(decodeUtf8Sequence(text, start, length)))
                return end;
            end = start;
        }
    }
}

struct Ending {
    Mark mark = Mark::None;
    std::string written; // the mark as the text writes it
    char32_t last = 0;   // the last character, a mark or not
};

Ending endingOf(std::string_view text, char quote)
{
    // Most texts end in a letter or an ASCII mark: nothing to take off
    // ("\n", a blank, a tag or "&nbsp;" aside), and the last byte is the
    // last character.
    const char end = text.empty() ? ' ' : text.back();
    const bool escaped = quote == '"' && text.size() >= 2 && text[text.size() - 2] == '\\';
    const bool plainEnd = !escaped && static_cast<unsigned char>(end) < 0x80 && end != ' ' && end != '\t'
        && end != '>' && end != ';';
    if (plainEnd && !text.ends_with("...")) {
        const Mark mark = end == '.' ? Mark::FullStop
            : end == '!'             ? Mark::Exclamation
            : end == '?'             ? Mark::Question
            : end == ':'             ? Mark::Colon
                                     : Mark::None;
        return {mark, mark == Mark::None ? "" : std::string(1, end), static_cast<char32_t>(end)};
    }
    const std::string_view content = text.substr(0, contentEnd(text, quote));
    if (content.empty())
        return {};
    if (content.ends_with("..."))
        return {Mark::Ellipsis, "...", U'.'};
    std::size_t start = content.size() - 1;
    while (start > 0 && (static_cast<unsigned char>(content[start]) & 0xC0) == 0x80)
        --start;
    const std::size_t length = utf8SequenceLength(content, start);
    const char32_t last = length == 0 ? 0 : decodeUtf8Sequence(content, start, length);
    const auto found = std::find_if(kMarks.begin(), kMarks.end(), [&](const MarkCharacter& m) { return m.character == last; });
    if (found == kMarks.end())
        return {Mark::None, "", last};
    return {found->mark, std::string(content.substr(start)), last};
}

// Greek writes its question mark as ";" (or U+037E, which looks the same).
bool answersQuestion(const Ending& ending)
{
    return ending.mark == Mark::Question || ending.last == U';' || ending.last == U'\u037E';
}

} // namespace

std::optional<std::string> endPunctuationProblem(const TextPair& texts)
{
    const Ending source = endingOf(texts.source, texts.sourceQuote);
    const Ending translation = endingOf(texts.translation, texts.translationQuote);
    if (source.mark == translation.mark)
        return std::nullopt;
    if (source.mark == Mark::None)
        return "the source ends in no punctuation: remove the \"" + translation.written + "\" at the end";
    if (source.mark == Mark::Question && answersQuestion(translation))
        return std::nullopt;
    return "the source ends in \"" + source.written + "\": end the translation in it too, or in its script's own mark";
}

} // namespace kalmo
