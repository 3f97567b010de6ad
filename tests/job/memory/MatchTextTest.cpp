// How the memory compares source texts: the token rules and scores as a
// table, the fitted translations, the marked words, and the bit-parallel
// edit distance against the plain table it stands in for.
#include "job/memory/ChangedWords.h"
#include "job/memory/EditDistance.h"
#include "job/memory/MatchText.h"
#include "testing/CaseNames.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace kalmo {
namespace {

struct ScoreCase {
    const char* rule;
    const char* current;
    const char* candidate;
    const char* candidateTranslation;
    int lowest; // the score lies in [lowest, highest]
    int highest;
    const char* fitted; // the candidate's translation fitted to the current text
};

class MatchScoreTest : public testing::TestWithParam<ScoreCase> {};

TEST_P(MatchScoreTest, ScoresAndFitsTheTranslation)
{
    const ScoreCase& c = GetParam();
    const int score = matchScore(c.current, c.candidate);
    EXPECT_GE(score, c.lowest);
    EXPECT_LE(score, c.highest);
    EXPECT_EQ(fitTranslation(c.candidateTranslation, matchTextOf(c.candidate), matchTextOf(c.current)), c.fitted);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, MatchScoreTest,
    testing::Values(
        ScoreCase{"same text", "Save", "Save", "Speichern", 100, 100, "Speichern"},
        ScoreCase{"placeholder of another type", "Delete %s?", "Delete %d?", "%d l\xC3\xB6schen?", 99, 99,
                  "%s l\xC3\xB6schen?"},
        ScoreCase{"placeholders swapped", "%2$s at %1$s", "%1$s at %2$s", "%1$s um %2$s", 99, 99, "%2$s um %1$s"},
        ScoreCase{"named placeholder", "Welcome back, {user}!", "Welcome back, {name}!", "Willkommen, {name}!", 99,
                  99, "Willkommen, {user}!"},
        ScoreCase{"numbers changed", "Plot 7 of 12", "Plot 3 of 40", "Parzelle 3 von 40", 99, 99,
                  "Parzelle 7 von 12"},
        ScoreCase{"decimal number", "Size: 2.5 m", "Size: 10 m", "Gr\xC3\xB6\xC3\x9F" "e: 10 m", 99, 99,
                  "Gr\xC3\xB6\xC3\x9F" "e: 2.5 m"},
        ScoreCase{"entity for entity", "Terms &amp; conditions", "Terms &#38; conditions",
                  "AGB &#38; Bedingungen", 99, 99, "AGB &amp; Bedingungen"},
        ScoreCase{"tag for tag", "Read <i>more</i>", "Read <b>more</b>", "<b>Mehr</b> lesen", 99, 99,
                  "<i>Mehr</i> lesen"},
        ScoreCase{"a tag added", "Click <b>here</b> to log in", "Click here to log in",
                  "Hier klicken zum Anmelden", 80, 98, "Hier klicken zum Anmelden"},
        ScoreCase{"one word changed in a sentence", "Your changes have been saved.",
                  "Your changes have been deleted.", "Ihre \xC3\x84nderungen wurden gel\xC3\xB6scht.", 70, 90,
                  "Ihre \xC3\x84nderungen wurden gel\xC3\xB6scht."},
        ScoreCase{"short interface texts", "Log in", "Log out", "Abmelden", 50, 60, "Abmelden"},
        ScoreCase{"letter case", "save", "Save", "Speichern", 75, 75, "Speichern"},
        ScoreCase{"nothing alike", "Save", "Cancel", "Abbrechen", 0, 40, "Abbrechen"},
        ScoreCase{"a number the translation writes otherwise", "1,000 members", "2,000 members",
                  "2.000 Mitglieder", 99, 99, "2.000 Mitglieder"},
        ScoreCase{"a token that would stand for two", "%s of %d", "%s of %s", "%s von %s", 99, 99, "%s von %s"},
        ScoreCase{"a per cent sign is no placeholder", "100% sure", "100% sure!", "100% sicher!", 80, 98,
                  "100% sicher!"}),
    testing_support::NameFrom<&ScoreCase::rule>{});

TEST(MatchText, TokensStandAsOneCharacterOfTheirKind)
{
    const MatchText text = matchTextOf("<b>%d</b> &amp; 3.5 caf\xC3\xA9");
    ASSERT_EQ(text.tokens.size(), 5u);
    EXPECT_EQ(text.tokens[0].text, "<b>");
    EXPECT_EQ(text.tokens[1].text, "%d");
    EXPECT_EQ(text.tokens[3].text, "&amp;");
    EXPECT_EQ(text.tokens[4].text, "3.5");
    EXPECT_EQ(text.tokens[4].offset, 16u);
    // Five tokens, three blanks, and "café" as four characters.
    EXPECT_EQ(text.characters.size(), 12u);
    EXPECT_EQ(matchTextOf("a < b > c").tokens.size(), 0u);
    EXPECT_EQ(matchTextOf("R&D and &nbsp").tokens.size(), 0u);
}

// The plain table the bit-parallel distance must agree with.
std::size_t tableDistance(const std::u32string& a, const std::u32string& b)
{
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

TEST(EditDistance, AgreesWithTheFullTableAcrossBlockBoundaries)
{
    std::mt19937 random(19);
    // Few letters, so that texts share much; one beyond ASCII.
    const std::u32string alphabet = U"abcd \u00E9";
    for (const std::size_t length : {0u, 1u, 5u, 63u, 64u, 65u, 127u, 128u, 129u, 200u}) {
        for (int round = 0; round < 20; ++round) {
            std::u32string a;
            std::u32string b;
            for (std::size_t i = 0; i < length; ++i)
                a += alphabet[random() % alphabet.size()];
            const std::size_t otherLength = length + random() % 70;
            for (std::size_t i = 0; i < otherLength; ++i)
                b += alphabet[random() % alphabet.size()];
            ASSERT_EQ(editDistance(a, b), tableDistance(a, b)) << length << "/" << otherLength;
            ASSERT_EQ(editDistance(b, a), tableDistance(a, b));
        }
    }
    EXPECT_EQ(editDistance(U"kitten", U"sitting"), 3u);
}

struct MarkCase {
    const char* text;
    const char* other;
    const char* marked; // the changed pieces in [brackets]
};

std::string bracketed(const std::vector<MarkedPiece>& pieces)
{
    std::string text;
    for (const MarkedPiece& piece : pieces)
        text += piece.changed ? "[" + piece.text + "]" : piece.text;
    return text;
}

class ChangedWordsTest : public testing::TestWithParam<MarkCase> {};

TEST_P(ChangedWordsTest, MarksTheWordsTheOtherTextLacks)
{
    EXPECT_EQ(bracketed(markChangedWords(GetParam().text, GetParam().other)), GetParam().marked);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ChangedWordsTest,
    testing::Values(MarkCase{"Delete the file", "Delete the folder", "Delete the [file]"},
                    MarkCase{"Save changes now", "Save now", "Save [changes] now"},
                    MarkCase{"Save now", "Save changes now", "Save now"},
                    MarkCase{"a b c d", "a d", "a [b c] d"},
                    MarkCase{"Log in.", "Log in!", "Log in[.]"},
                    MarkCase{"Gr\xC3\xBC\xC3\x9F" "e aus Wien", "Gr\xC3\xBC\xC3\x9F" "e aus Graz",
                             "Gr\xC3\xBC\xC3\x9F" "e aus [Wien]"},
                    MarkCase{"Same text", "Same text", "Same text"},
                    MarkCase{"", "anything", ""},
                    MarkCase{"Read more\xE2\x80\xA6", "Read more", "Read more[\xE2\x80\xA6]"}),
    testing_support::NameFrom<&MarkCase::text>{});

} // namespace
} // namespace kalmo
