// The entry list, PHP literals and placeholders of language files.
#include "job/EntryList.h"
#include "testing/CaseNames.h"
#include "job/PhpString.h"
#include "job/Placeholders.h"
#include "testing/PhpJudge.h"
#include "testing/TempFolder.h"

#include <gtest/gtest.h>

namespace kalmo {
namespace {

using testing_support::phpConstants;
using testing_support::TempFolder;

TEST(EntryList, ListsEntriesWithNameValueAndWhetherTheCommitCanWriteThem)
{
    const LineList lines = {
        "<?php define('_FIRST_LINE', 'never an entry');",
        "// a comment",
        "if (!defined('_GUARD')) die();",
        "  DEFINE(\"_HELLO\", 'Don\\'t');",
        "define(_BARE, 'x');",
        "define('_NUMBER', 20);",
        "define('_CONCAT', /* c */ 'x');",
        "define('_DOUBLE', \"double\");",
        "define('_OPEN', 'goes on",
        "and ends here');",
        "define('_ODD', 'C:\\');",
        "');",
        "/* define('_OLD', 'x'); */ define('_AFTER_COMMENT', 'y');",
        "if (!defined('_G')) define('_G', 'g');",
    };
    const std::vector<Entry> entries = listEntries(lines);
    struct Expected {
        int line;
        const char* name;
        char valueQuote;
        const char* value;
        bool rebuildable;
    };
    // The last two are read from their call on, while the commit reads their
    // lines from the start: it cannot write them.
    const std::vector<Expected> expected = {
        {3, "_HELLO", '\'', "Don\\'t", true},  {5, "_NUMBER", '2', "", false},
        {6, "_CONCAT", '/', "* c *", false},   {7, "_DOUBLE", '"', "double", true},
        {8, "_OPEN", '\'', "", false},          {10, "_ODD", '\'', "", false},
        {12, "_AFTER_COMMENT", '\'', "y", false}, {13, "_G", '\'', "g", false},
    };
    ASSERT_EQ(entries.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(entries[i].line, expected[i].line);
        EXPECT_EQ(entries[i].name, expected[i].name);
        EXPECT_EQ(entries[i].quotes.valueQuote, expected[i].valueQuote);
        EXPECT_EQ(entryValue(lines, entries[i]), expected[i].value);
        EXPECT_EQ(entries[i].rebuildable, expected[i].rebuildable);
    }
}

TEST(EntryList, TranslatedFileLiesBesideTheSource)
{
    EXPECT_EQ(translatedFilePath("/a/b/lang.php"), "/a/b/Translated_lang.php");
    EXPECT_EQ(translatedFilePath("lang.php"), "Translated_lang.php");
}

struct LiteralCase {
    const char* body;
    char quote;
    const char* text;
};

class PhpLiterals : public testing::TestWithParam<LiteralCase> {};

TEST_P(PhpLiterals, UnescapeAsPhpReadsThem)
{
    EXPECT_EQ(unescapePhpString(GetParam().body, GetParam().quote), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Bodies, PhpLiterals,
    testing::Values(LiteralCase{R"(Don\'t \\ \n \x41)", '\'', R"(Don't \ \n \x41)"},
                    LiteralCase{R"(a\"b \$c \\ \n\t \101\x41\x4g \u{e9} \u{zz} \q \)", '"',
                                "a\"b $c \\ \n\t AA\x04g \xC3\xA9 \\u{zz} \\q \\"},
                    LiteralCase{R"(it\'s)", '"', R"(it\'s)"}, LiteralCase{"", '\'', ""}),
    testing_support::NameFrom<&LiteralCase::body>{});

// Texts that must come back exactly from PHP once prepared, escaped by the
// commit and written into a line: every escape trap of both quote kinds.
TEST(PhpLiterals, PreparedTextsReadBackExactlyInPhp)
{
    const std::vector<std::string> texts = {
        "plain",     "Don't",        "say \"hi\"", "C:\\dir\\",  "a\\'b",    "a\\\\b",  "\\",       "$name",
        "{$name}",   "\\$name",      "100%",       "tab\there",  "x\\ny",    "\\u{41}", "\\x41\\101", "€ ünï",
        "${x} \\{$",
    };
    TempFolder folder;
    std::string file = "<?php\n";
    std::map<std::string, std::string> expected;
    int n = 0;
    for (const char quote : {'\'', '"'}) {
        for (const std::string& text : texts) {
            const auto prepared = textForCommit(text, quote);
            ASSERT_TRUE(prepared) << text;
            const std::string body = escapeTranslation(*prepared, quote);
            EXPECT_EQ(unescapePhpString(body, quote), text) << quote << text;
            const std::string name = "_T" + std::to_string(n++);
            file += "define('" + name + "', " + quote + body + quote + ");\n";
            expected[name] = text;
        }
    }
    const auto multiLine = textForCommit("two\nlines", '"');
    ASSERT_TRUE(multiLine);
    file += "define('_LF', \"" + escapeTranslation(*multiLine, '"') + "\");\n";
    expected["_LF"] = "two\nlines";
    EXPECT_FALSE(textForCommit("two\nlines", '\''));
    EXPECT_EQ(phpConstants(folder.write("literals.php", file)), expected);
}

struct PlaceholderCase {
    const char* text;
    std::vector<std::string> placeholders;
};

class Placeholders : public testing::TestWithParam<PlaceholderCase> {};

TEST_P(Placeholders, AreFoundAsAMultiset)
{
    const auto found = placeholdersOf(GetParam().text);
    EXPECT_EQ(std::vector<std::string>(found.begin(), found.end()), GetParam().placeholders);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Placeholders,
    testing::Values(PlaceholderCase{"%s of %d, %1$s %2$05.2f %%", {"%%", "%1$s", "%2$05.2f", "%d", "%s"}},
                    PlaceholderCase{"{name} {0} {name} { x} {1a} {}", {"{0}", "{name}", "{name}"}},
                    PlaceholderCase{"100% sure, 50% discount, %", {}},
                    PlaceholderCase{"%'*10s %-5d %+d %.3e", {"%'*10s", "%+d", "%-5d", "%.3e"}}),
    testing_support::NameFrom<&PlaceholderCase::text>{});

TEST(Placeholders, DifferenceNamesWhatIsMissingAndWhatIsExtra)
{
    const auto difference = comparePlaceholders("%s %s {a} %d", "{a} %s %u");
    EXPECT_EQ(difference.missing, (std::vector<std::string>{"%d", "%s"}));
    EXPECT_EQ(difference.extra, (std::vector<std::string>{"%u"}));
    EXPECT_TRUE(comparePlaceholders("%1$s %2$s", "%2$s %1$s").empty());
}

} // namespace
} // namespace kalmo
