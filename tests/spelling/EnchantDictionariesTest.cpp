// The installed dictionaries through Enchant (the test machine has Debian's
// English, German and French ones): which one serves a language, and the
// words a real dictionary knows, suggests, learns and ignores.
#include "job/checks/Spelling.h"
#include "spelling/EnchantDictionaries.h"
#include "testing/UserFolders.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kalmo {
namespace {

// Enchant's personal word lists go to the user's settings folder, which
// GLib looks up once per process: the test program's own, from the start.
const bool kOwnUserFolders = (testing_support::useTemporaryUserFolders(), true);

struct ServeCase {
    const char* wanted;
    const char* served; // "" for none
};

class DictionaryFor : public testing::TestWithParam<ServeCase> {};

TEST_P(DictionaryFor, IsTheTagItselfOrOneOfTheSameLanguage)
{
    const EnchantDictionaries dictionaries;
    EXPECT_EQ(dictionaries.BestFor(GetParam().wanted), GetParam().served);
}

INSTANTIATE_TEST_SUITE_P(Languages, DictionaryFor,
                         testing::Values(ServeCase{"de_DE", "de_DE"}, ServeCase{"de_AT", "de_DE"},
                                         ServeCase{"de", "de_DE"}, ServeCase{"fr_CH", "fr_CH"},
                                         ServeCase{"fr_BE", "fr_BE"}, ServeCase{"fr_SN", "fr"},
                                         ServeCase{"en_GB", "en_US"}, ServeCase{"pl_PL", ""},
                                         ServeCase{"", ""}));

TEST(EnchantDictionaries, ListsTheInstalledOnesEachOnce)
{
    const EnchantDictionaries dictionaries;
    const std::vector<std::string>& installed = dictionaries.Installed();
    for (const char* tag : {"de_DE", "en_US", "fr"})
        EXPECT_NE(std::find(installed.begin(), installed.end(), tag), installed.end()) << tag;
    EXPECT_TRUE(std::is_sorted(installed.begin(), installed.end()));
    EXPECT_EQ(std::adjacent_find(installed.begin(), installed.end()), installed.end());
}

TEST(EnchantDictionaries, LooksUpSuggestsLearnsAndIgnoresWords)
{
    const EnchantDictionaries dictionaries;
    auto german = dictionaries.Open("de_AT");
    ASSERT_TRUE(german);
    EXPECT_EQ(german->language(), "de_DE");
    EXPECT_TRUE(german->isCorrect("Stra\xC3\x9F" "e"));
    EXPECT_FALSE(german->isCorrect("Hauss"));
    const std::vector<std::string> suggestions = german->suggestions("Hauss", 3);
    EXPECT_LE(suggestions.size(), 3u);
    EXPECT_NE(std::find(suggestions.begin(), suggestions.end(), "Haus"), suggestions.end());

    // Only the misspelt word of a text full of markup and codes.
    std::vector<std::string> misspelt;
    for (const SpelledWord& word : misspeltWords("<a href=\"/lsit\">Die Liste</a> von %s: Kalmoo, MAXQ, &auml;h "
                                                 "info@kalmoo.org",
                                                 '\'', *german))
        misspelt.push_back(word.text);
    EXPECT_EQ(misspelt, std::vector<std::string>{"Kalmoo"});

    german->ignoreForRun("Kalmoo");
    EXPECT_TRUE(german->isCorrect("Kalmoo"));
    EXPECT_FALSE(german->isCorrect("Zwurbelkalmo"));
    german->addToPersonal("Zwurbelkalmo");
    // The next run knows the learnt word, not the ignored one.
    const EnchantDictionaries nextRun;
    auto again = nextRun.Open("de_DE");
    EXPECT_TRUE(again->isCorrect("Zwurbelkalmo"));
    EXPECT_FALSE(again->isCorrect("Kalmoo"));

    auto french = dictionaries.Open("fr_FR");
    ASSERT_TRUE(french);
    EXPECT_TRUE(french->isCorrect("fen\xC3\xAAtre"));
    EXPECT_FALSE(french->isCorrect("fenetrre"));
}

} // namespace
} // namespace kalmo
