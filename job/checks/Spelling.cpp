// The words a translation's spelling check looks up; see Spelling.h.
#include "job/checks/Spelling.h"

#include "base/Utf8Codec.h"
#include "controls/memo/MemoCharacters.h"
#include "job/checks/TextSpans.h"

#include <algorithm>
#include <optional>
#include <utility>

#include <utf8proc.h>

namespace kalmo {
namespace {

bool isLetter(utf8proc_category_t category)
{
    return category >= UTF8PROC_CATEGORY_LU && category <= UTF8PROC_CATEGORY_LO;
}

bool isMark(utf8proc_category_t category)
{
    return category >= UTF8PROC_CATEGORY_MN && category <= UTF8PROC_CATEGORY_ME;
}

// Scripts written without blanks between words: a dictionary cannot take
// their runs of letters apart.
bool isUnspacedScript(char32_t ch)
{
    return (ch >= 0x0E00 && ch <= 0x0EFF)      // Thai, Lao
        || (ch >= 0x1000 && ch <= 0x109F)      // Myanmar
        || (ch >= 0x1780 && ch <= 0x17FF)      // Khmer
        || (ch >= 0x3040 && ch <= 0x30FF)      // Hiragana, Katakana
        || (ch >= 0x31F0 && ch <= 0x31FF)      // Katakana extensions
        || (ch >= 0x3400 && ch <= 0x4DBF)      // CJK extension A
        || (ch >= 0x4E00 && ch <= 0x9FFF)      // CJK ideographs
        || (ch >= 0xF900 && ch <= 0xFAFF)      // CJK compatibility ideographs
        || (ch >= 0xFF66 && ch <= 0xFF9F)      // half-width Katakana
        || (ch >= 0x20000 && ch <= 0x3FFFF);   // CJK extensions B and on
}

bool isApostrophe(char32_t ch) { return ch == U'\'' || ch == U'\u2019'; }

// A run of letters, marks, digits and "_", with apostrophes inside it.
class WordCollector {
public:
    explicit WordCollector(std::vector<SpelledWord>& words) : words_(words) {}

    // A character of the value at [begin, end); an escaped quote comes as a plain one.
    void add(std::size_t begin, std::size_t end, char32_t ch, bool apostrophe)
    {
        if (apostrophe) {
            // Only between two word characters; "'quoted'" keeps no quote.
            if (inWord_)
                pendingApostrophe_ = ch;
            else
                flush();
            return;
        }
        const utf8proc_category_t category = utf8proc_category(static_cast<utf8proc_int32_t>(ch));
        const bool digit = category == UTF8PROC_CATEGORY_ND;
        if (!(isLetter(category) || isMark(category) || digit || ch == U'_')) {
            flush();
            return;
        }
        if (!inWord_) {
            inWord_ = true;
            word_ = {begin, end, ""};
            skip_ = false;
            letters_ = 0;
            capitals_ = 0;
        } else if (pendingApostrophe_) {
            appendUtf8(word_.text, *pendingApostrophe_);
        }
        pendingApostrophe_.reset();
        word_.end = end;
        appendUtf8(word_.text, ch);
        skip_ = skip_ || digit || ch == U'_' || isUnspacedScript(ch);
        if (isLetter(category)) {
            ++letters_;
            capitals_ += category == UTF8PROC_CATEGORY_LU ? 1 : 0;
        }
    }

    void flush()
    {
        if (inWord_ && !skip_ && letters_ > 1 && capitals_ < letters_)
            words_.push_back(std::move(word_));
        inWord_ = false;
        pendingApostrophe_.reset();
    }

private:
    std::vector<SpelledWord>& words_;
    SpelledWord word_;
    bool inWord_ = false;
    bool skip_ = false;
    int letters_ = 0;
    int capitals_ = 0;
    // An apostrophe after the word so far, which joins it only when more of it follows.
    std::optional<char32_t> pendingApostrophe_;
};

} // namespace

std::vector<SpelledWord> wordsToSpell(std::string_view value, char quote)
{
    std::vector<SpelledWord> words;
    WordCollector collector(words);
    const std::vector<TextSpan> spans = markupSpans(value, quote);
    auto span = spans.begin();
    for (std::size_t at = 0; at < value.size();) {
        if (span != spans.end() && at >= span->begin) {
            // An escaped quote inside a word is its apostrophe ("don\'t").
            const bool escapedQuote = span->kind == SpanKind::Escape && span->end - span->begin == 2
                && value[span->begin + 1] == quote && quote == '\'';
            if (escapedQuote)
                collector.add(span->begin, span->end, U'\'', true);
            else
                collector.flush();
            at = span->end;
            ++span;
            continue;
        }
        const std::size_t length = std::max<std::size_t>(utf8SequenceLength(value, at), 1);
        const char32_t ch = length > 1 ? decodeUtf8Sequence(value, at, length) : static_cast<unsigned char>(value[at]);
        collector.add(at, at + length, ch, isApostrophe(ch));
        at += length;
    }
    collector.flush();
    return words;
}

std::vector<SpelledWord> misspeltWords(std::string_view value, char quote, SpellingDictionary& dictionary)
{
    std::vector<SpelledWord> words = wordsToSpell(value, quote);
    std::erase_if(words, [&](const SpelledWord& word) { return dictionary.isCorrect(word.text); });
    return words;
}

std::string misspeltMessage(const SpelledWord& word, SpellingDictionary& dictionary)
{
    std::string message = "\"" + word.text + "\" is not in the " + dictionary.language() + " dictionary";
    const std::vector<std::string> suggestions = dictionary.suggestions(word.text, 3);
    for (std::size_t i = 0; i < suggestions.size(); ++i)
        message += (i == 0 ? "; did you mean " : i + 1 == suggestions.size() ? " or " : ", ") + suggestions[i];
    return suggestions.empty() ? message : message + "?";
}

} // namespace kalmo
