// The spelling dictionaries installed on the system, through Enchant 2
// (Debian's Hunspell dictionaries: hunspell-de-de, hunspell-fr, ...). Its
// own library, so that only the programs that check spelling need Enchant.
#pragma once

#include "job/checks/SpellingDictionary.h"

#include <memory>
#include <string>
#include <vector>

struct str_enchant_broker;

namespace kalmo {

class EnchantDictionaries {
public:
    EnchantDictionaries();
    ~EnchantDictionaries();
    EnchantDictionaries(const EnchantDictionaries&) = delete;
    EnchantDictionaries& operator=(const EnchantDictionaries&) = delete;

    // The tags of the installed dictionaries ("de_DE", "fr"), sorted, each once.
    const std::vector<std::string>& Installed() const { return installed_; }

    // The installed tag that serves a language: the tag itself when Enchant
    // lists it; else one of the same language ("de_AT" and "de" get
    // "de_DE"): the bare language, the language's own region, the first;
    // else the tag when Enchant serves it all the same. "" when none.
    std::string BestFor(const std::string& tag) const;

    // The dictionary BestFor finds; null when none. It may outlive this object.
    std::unique_ptr<SpellingDictionary> Open(const std::string& tag) const;

private:
    std::shared_ptr<str_enchant_broker> broker_;
    std::vector<std::string> installed_;
};

} // namespace kalmo
