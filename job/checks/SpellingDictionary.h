// What the spelling check asks of a dictionary, so that the check stays
// in the core and the dictionaries (Enchant's, a test's word list) outside.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kalmo {

class SpellingDictionary {
public:
    virtual ~SpellingDictionary() = default;

    // The dictionary's language tag ("de_DE").
    virtual std::string language() const = 0;
    virtual bool isCorrect(std::string_view word) = 0;
    // At most `most` words the user may have meant, best first.
    virtual std::vector<std::string> suggestions(std::string_view word, std::size_t most) = 0;
    // Into the user's personal word list, for good.
    virtual void addToPersonal(std::string_view word) = 0;
    // Correct for as long as the dictionary is open.
    virtual void ignoreForRun(std::string_view word) = 0;
};

} // namespace kalmo
