// Enchant's dictionaries behind the spelling check's interface; see EnchantDictionaries.h.
#include "spelling/EnchantDictionaries.h"

#include <enchant.h>

#include <algorithm>

namespace kalmo {
namespace {

class EnchantDictionary : public SpellingDictionary {
public:
    EnchantDictionary(std::shared_ptr<EnchantBroker> broker, EnchantDict* dictionary, std::string tag)
        : broker_(std::move(broker)), dictionary_(dictionary), tag_(std::move(tag))
    {
    }
    ~EnchantDictionary() override { enchant_broker_free_dict(broker_.get(), dictionary_); }
    EnchantDictionary(const EnchantDictionary&) = delete;
    EnchantDictionary& operator=(const EnchantDictionary&) = delete;

    std::string language() const override { return tag_; }

    bool isCorrect(std::string_view word) override
    {
        return enchant_dict_check(dictionary_, word.data(), static_cast<ssize_t>(word.size())) == 0;
    }

    std::vector<std::string> suggestions(std::string_view word, std::size_t most) override
    {
        std::size_t count = 0;
        char** found = enchant_dict_suggest(dictionary_, word.data(), static_cast<ssize_t>(word.size()), &count);
        std::vector<std::string> words;
        for (std::size_t i = 0; i < count && words.size() < most; ++i)
            words.emplace_back(found[i]);
        if (found)
            enchant_dict_free_string_list(dictionary_, found);
        return words;
    }

    void addToPersonal(std::string_view word) override
    {
        enchant_dict_add(dictionary_, word.data(), static_cast<ssize_t>(word.size()));
    }

    void ignoreForRun(std::string_view word) override
    {
        enchant_dict_add_to_session(dictionary_, word.data(), static_cast<ssize_t>(word.size()));
    }

private:
    std::shared_ptr<EnchantBroker> broker_;
    EnchantDict* dictionary_;
    std::string tag_;
};

std::string languageOf(const std::string& tag) { return tag.substr(0, tag.find_first_of("_-")); }

} // namespace

EnchantDictionaries::EnchantDictionaries() : broker_(enchant_broker_init(), enchant_broker_free)
{
    if (!broker_)
        return;
    enchant_broker_list_dicts(
        broker_.get(),
        [](const char* const tag, const char* const, const char* const, const char* const, void* data) {
            static_cast<std::vector<std::string>*>(data)->emplace_back(tag);
        },
        &installed_);
    std::sort(installed_.begin(), installed_.end());
    installed_.erase(std::unique(installed_.begin(), installed_.end()), installed_.end());
}

EnchantDictionaries::~EnchantDictionaries() = default;

std::string EnchantDictionaries::BestFor(const std::string& tag) const
{
    if (!broker_ || tag.empty())
        return {};
    // Enchant answers for a tag it has no dictionary of with one of the bare
    // language, if any; the menu wants the tag of the one it lists.
    if (std::binary_search(installed_.begin(), installed_.end(), tag))
        return tag;
    const std::string language = languageOf(tag);
    std::string ownRegion = language + '_';
    for (const char ch : language)
        ownRegion += static_cast<char>(ch >= 'a' && ch <= 'z' ? ch - 'a' + 'A' : ch);
    std::string sameLanguage;
    for (const std::string& installed : installed_) {
        if (languageOf(installed) != language)
            continue;
        if (installed == language || installed == ownRegion)
            return installed;
        if (sameLanguage.empty())
            sameLanguage = installed;
    }
    if (sameLanguage.empty() && enchant_broker_dict_exists(broker_.get(), tag.c_str()) == 1)
        return tag;
    return sameLanguage;
}

std::unique_ptr<SpellingDictionary> EnchantDictionaries::Open(const std::string& tag) const
{
    const std::string best = BestFor(tag);
    if (best.empty())
        return nullptr;
    EnchantDict* dictionary = enchant_broker_request_dict(broker_.get(), best.c_str());
    if (!dictionary)
        return nullptr;
    return std::make_unique<EnchantDictionary>(broker_, dictionary, best);
}

} // namespace kalmo
