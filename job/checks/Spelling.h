// The spelling check: the words of a translation that a dictionary does not
// know. Placeholders, tags and their attributes, entities, web and e-mail
// addresses are never looked up, nor are constant names, words with digits
// or "_", words in capitals only, single letters and words of scripts that
// do not part their words by blanks (Chinese, Japanese, Thai, ...).
#pragma once

#include "job/checks/SpellingDictionary.h"

#include <string>
#include <string_view>
#include <vector>

namespace kalmo {

struct SpelledWord {
    std::size_t begin = 0; // byte offsets in the value
    std::size_t end = 0;
    std::string text; // as looked up: an escaped quote ("\'") is a plain one
};

// The words of a value to look up, in order. quote: the value's quote,
// which decides PHP's escapes.
std::vector<SpelledWord> wordsToSpell(std::string_view value, char quote);

std::vector<SpelledWord> misspeltWords(std::string_view value, char quote, SpellingDictionary& dictionary);

// What the check says of one misspelt word, with up to three suggestions.
std::string misspeltMessage(const SpelledWord& word, SpellingDictionary& dictionary);

} // namespace kalmo
