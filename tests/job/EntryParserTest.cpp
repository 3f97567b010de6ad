// Taking define lines apart, escaping translations and rebuilding lines on commit.
#include "job/EntryParser.h"
#include "testing/CaseNames.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <vector>

namespace kalmo {
namespace {

TEST(EntryParser, WorkedExampleFindsNameAndTextAroundAnEscapedQuote)
{
    const std::string line = R"(    define("_MB_TITLE", 'Don\'t "panic"');)";
    ASSERT_EQ(line.size(), 42u);
    const auto quotes = entryQuotes(line);
    ASSERT_TRUE(quotes);
    EXPECT_EQ(quotes->nameQuote, '"');
    EXPECT_EQ(quotes->valueQuote, '\'');
    const EntryPositions at = entryPositions(line, *quotes);
    EXPECT_EQ(at.nameStart, 12);
    EXPECT_EQ(at.nameEnd, 22);
    EXPECT_EQ(at.textStart, 25);
    EXPECT_EQ(at.textEnd, 40);
    EXPECT_EQ(spanBetween(line, at.nameStart, at.nameEnd), "_MB_TITLE");
    EXPECT_EQ(spanBetween(line, at.textStart, at.textEnd), R"(Don\'t "panic")");

    const auto committed = rebuildWithTranslation(line, *quotes, "Keine Panik");
    ASSERT_TRUE(committed);
    EXPECT_EQ(*committed, R"(    define("_MB_TITLE", 'Keine Panik');)");
    const EntryPositions again = entryPositions(*committed, *quotes);
    EXPECT_EQ(again.nameStart, 12);
    EXPECT_EQ(again.nameEnd, 22);
    EXPECT_EQ(again.textStart, 25);
    EXPECT_EQ(again.textEnd, 37);
}

struct CandidateCase {
    const char* line;
    bool accepted;
    const char* name;
    char valueQuote;
    const char* text;
};

class CandidateLines : public testing::TestWithParam<CandidateCase> {};

TEST_P(CandidateLines, AreAcceptedOrPassedOverByTheirNameQuote)
{
    const CandidateCase& c = GetParam();
    const auto quotes = entryQuotes(c.line);
    ASSERT_EQ(quotes.has_value(), c.accepted);
    if (!c.accepted)
        return;
    EXPECT_EQ(quotes->valueQuote, c.valueQuote);
    const EntryPositions at = entryPositions(c.line, *quotes);
    EXPECT_EQ(spanBetween(c.line, at.nameStart, at.nameEnd), c.name);
    EXPECT_EQ(spanBetween(c.line, at.textStart, at.textEnd), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CandidateLines,
    testing::Values(CandidateCase{"if (!defined('X')) {", false, "", 0, ""},
                    CandidateCase{"define(_A, 'x');", false, "", 0, ""},
                    CandidateCase{"define(\t'_A',\t'x');", true, "_A", '\'', "x"},
                    CandidateCase{"define", false, "", 0, ""},
                    CandidateCase{"define(   '_A', 'x');", true, "_A", '\'', "x"},
                    CandidateCase{"define ( '_A' ,  \"x\" ) ;", true, "_A", '"', "x"},
                    CandidateCase{"define(\"_A\", 'x');", true, "_A", '\'', "x"},
                    CandidateCase{"define('_A', 5);", true, "_A", '5', ""},
                    CandidateCase{"define('_A', 'continued", true, "_A", '\'', ""},
                    CandidateCase{"define('_A');", true, "_A", 'd', ""},
                    CandidateCase{R"(define('_DIR', 'C:\\');)", true, "_DIR", '\'', R"(C:\\)"},
                    CandidateCase{R"(define('_Q', 'a\\\'b');)", true, "_Q", '\'', R"(a\\\'b)"},
                    CandidateCase{"// 'x' define('_A', 'y');", true, "x", '\'', "_A"}),
    testing_support::NameFrom<&CandidateCase::line>{});

struct EscapeCase {
    const char* typed;
    char quote;
    const char* written;
};

class TranslationEscaping : public testing::TestWithParam<EscapeCase> {};

TEST_P(TranslationEscaping, KeepsTheValueQuotesClosed)
{
    EXPECT_EQ(escapeTranslation(GetParam().typed, GetParam().quote), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(Texts, TranslationEscaping,
                         testing::Values(EscapeCase{"plain", '\'', "plain"},
                                         EscapeCase{"Don't", '\'', R"(Don\'t)"},
                                         EscapeCase{R"(Don\'t)", '\'', R"(Don\'t)"},
                                         EscapeCase{R"(a\\'b)", '\'', R"(a\\\'b)"},
                                         EscapeCase{"say \"hi\"", '\'', "say \"hi\""},
                                         EscapeCase{"say \"hi\"", '"', R"(say \"hi\")"},
                                         EscapeCase{R"(C:\)", '\'', R"(C:\\)"},
                                         EscapeCase{R"(C:\\)", '\'', R"(C:\\)"},
                                         EscapeCase{"", '\'', ""},
                                         EscapeCase{"Hello $name", '"', R"(Hello \$name)"},
                                         EscapeCase{"Hello $name", '\'', "Hello $name"},
                                         EscapeCase{"${x} {$y} $_z $\xC3\xA9", '"', R"(\${x} {\$y} \$_z \$)" "\xC3\xA9"},
                                         EscapeCase{R"(\$kept \\$x)", '"', R"(\$kept \\\$x)"},
                                         EscapeCase{"5 $ or $1 or $", '"', "5 $ or $1 or $"}),
    testing_support::NameFrom<&EscapeCase::typed>{});

struct RebuildCase {
    const char* working;
    const char* translation;
    const char* rebuilt; // nullptr: the line cannot be rebuilt and stays
};

class CommitRebuild : public testing::TestWithParam<RebuildCase> {};

TEST_P(CommitRebuild, RewritesOnlyLinesWithAQuotedValue)
{
    const RebuildCase& c = GetParam();
    const auto quotes = entryQuotes(c.working);
    ASSERT_TRUE(quotes);
    const auto rebuilt = rebuildWithTranslation(c.working, *quotes, c.translation);
    if (c.rebuilt == nullptr)
        EXPECT_FALSE(rebuilt) << *rebuilt;
    else
        EXPECT_EQ(rebuilt.value_or("<none>"), c.rebuilt);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CommitRebuild,
    testing::Values(RebuildCase{"define('_NAME', 'text');", "Text", "define('_NAME', 'Text');"},
                    RebuildCase{"  define('_A',  'x' );", "y", "  define('_A',  'y' );"},
                    RebuildCase{"define('_A',\t'x');", "y", "define('_A',\t'y');"},
                    RebuildCase{"define('_A','x'); // note", "y", "define('_A','y'); // note"},
                    RebuildCase{"define('_A', 'x');", "it's", R"(define('_A', 'it\'s');)"},
                    RebuildCase{R"(define('_D', 'C:\\');)", R"(D:\)", R"(define('_D', 'D:\\');)"},
                    RebuildCase{"define('_V', \"x\");", "$v", R"(define('_V', "\$v");)"},
                    RebuildCase{"define('_A', 5);", "6", nullptr},
                    RebuildCase{"define('_A', MY_CONST);", "x", nullptr},
                    RebuildCase{"define('_A', 'continued", "x", nullptr},
                    RebuildCase{"define('_A');", "x", nullptr},
                    RebuildCase{"define('_A', /* c */ 'x');", "y", nullptr},
                    // More than the text makes the value: PHP would read "Zb".
                    RebuildCase{"define(\"_A\", \"a\" . \"b\");", "Z", nullptr},
                    RebuildCase{"define('_A', 'a'.'b');", "Z", nullptr},
                    RebuildCase{"define('_A', 'a'", "Z", nullptr},
                    RebuildCase{"define('_A', 'a' /* c */);", "Z", nullptr},
                    // A further argument leaves the value as it is.
                    RebuildCase{"define('_A', 'a', true);", "Z", "define('_A', 'Z', true);"}),
    testing_support::NameFrom<&RebuildCase::working>{});

TEST(EntryParser, TextOperationsClampTheirArguments)
{
    EXPECT_EQ(findChar('a', "", 1), 0);
    EXPECT_EQ(findChar('a', "abca", 0), 1);
    EXPECT_EQ(findChar('a', "abca", 2), 4);
    EXPECT_EQ(findChar('a', "abca", 5), 0);
    EXPECT_EQ(partOf("abcdef", -3, 2), "ab");
    EXPECT_EQ(partOf("abcdef", 5, 10), "ef");
    EXPECT_EQ(partOf("abcdef", 2, 0), "");
    EXPECT_EQ(partOf("abc", 4, 1), "");
    EXPECT_EQ(spanBetween("abc", 3, 0), "");
    EXPECT_EQ(spanBetween("abc", 2, 2), "");
    EXPECT_FALSE(firstNonBlankAfter('(', "define( \t "));
    EXPECT_EQ(firstNonBlankAfter(',', "'a'"), '\'');
}

// The one-pass reading must land where the separate searches land, on the
// usual shape and on every near miss of it: lines built at random from the
// characters the searches look for.
TEST(EntryParser, OnePassReadingEqualsTheSeparateSearches)
{
    std::vector<std::string> lines = {"define('_A', 'a');", "  DEFINE ( \"_A\" ,\t'a\\'b' ) ;", "define('_A,B', 'x');",
                                      "define('_A' . 'B', 'x');", "define('_A', 20);", "a'b(define('_A', 'x');",
                                      "x,y(define('_A', 'x');", "define('_A',", "define('_A'", "define(", "noparen 'a', 'b'"};
    static constexpr std::array<std::string_view, 10> kPieces{"(", ")", ",", "'", "\"", " ", "\t", "\\", "_A", "define"};
    std::mt19937 random(20240611);
    for (int i = 0; i < 20000; ++i) {
        std::string line;
        for (int n = static_cast<int>(random() % 12); n > 0; --n)
            line += kPieces[random() % kPieces.size()];
        lines.push_back(line);
    }
    for (const std::string& line : lines) {
        SCOPED_TRACE(line);
        const auto quotes = entryQuotes(line);
        const auto reading = readEntry(line);
        ASSERT_EQ(reading.has_value(), quotes.has_value());
        if (!quotes)
            continue;
        EXPECT_EQ(reading->quotes, *quotes);
        EXPECT_EQ(reading->positions, entryPositions(line, *quotes));
        EXPECT_EQ(reading->comma, findChar(',', line, 1));
        EXPECT_EQ(canRebuildWithTranslation(line, *reading), canRebuildWithTranslation(line, *quotes));
    }
}

} // namespace
} // namespace kalmo
