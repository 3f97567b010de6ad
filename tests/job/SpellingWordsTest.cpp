// Which words of a value the spelling check looks up, and which it never does.
#include "job/checks/Spelling.h"
#include "testing/CaseNames.h"

#include <gtest/gtest.h>

namespace kalmo {
namespace {

struct WordsCase {
    const char* value;
    std::vector<std::string> words;
    char quote = '\'';
};

class WordsToSpell : public testing::TestWithParam<WordsCase> {};

TEST_P(WordsToSpell, PassOverMarkupNamesAndCodes)
{
    std::vector<std::string> found;
    for (const SpelledWord& word : wordsToSpell(GetParam().value, GetParam().quote)) {
        found.push_back(word.text);
        // The offsets frame the word as it stands in the value.
        const std::string_view framed = std::string_view(GetParam().value).substr(word.begin, word.end - word.begin);
        EXPECT_EQ(framed.front(), word.text.front());
    }
    EXPECT_EQ(found, GetParam().words);
}

INSTANTIATE_TEST_SUITE_P(
    Values, WordsToSpell,
    testing::Values(
        WordsCase{"Hello %s, you have %1$d {count} new", {"Hello", "you", "have", "new"}},
        WordsCase{"<a href=\"http://x.org/tpyo\" title=\"Tpyo\">Click</a> here", {"Click", "here"}},
        WordsCase{"R&amp;D &uuml;ber", {"ber"}},
        WordsCase{"Mail info@kalmo.org or see www.kalmo.org/hilfe today", {"Mail", "or", "see", "today"}},
        WordsCase{"Set _MY_CONST or MAX_SIZE, then HTML and mp3 or 2nd", {"Set", "or", "then", "and", "or"}},
        WordsCase{"Don\\'t say \\'maybe\\'", {"Don't", "say", "maybe"}},
        WordsCase{"l\xE2\x80\x99homme a x", {"l\xE2\x80\x99homme"}},
        WordsCase{"Line\\none\\ttwo", {"Line", "one", "two"}, '"'},
        WordsCase{"E-Mail-Adresse", {"Mail", "Adresse"}},
        WordsCase{"\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 \xD0\xBC\xD0\xB8\xD1\x80",
                  {"\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82", "\xD0\xBC\xD0\xB8\xD1\x80"}},
        WordsCase{"\xD9\x85\xD8\xB1\xD8\xAD\xD8\xA8\xD8\xA7 %s", {"\xD9\x85\xD8\xB1\xD8\xAD\xD8\xA8\xD8\xA7"}},
        WordsCase{"\xE4\xBF\x9D\xE5\xAD\x98\xE3\x81\x97\xE3\x81\xBE\xE3\x81\x99 OK", {}},
        WordsCase{"\xE0\xB8\x9A\xE0\xB8\xB1\xE0\xB8\x99\xE0\xB8\x97\xE0\xB8\xB6\xE0\xB8\x81", {}}),
    testing_support::NameFrom<&WordsCase::value>{});

} // namespace
} // namespace kalmo
