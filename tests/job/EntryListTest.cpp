// The entry list, PHP literals and placeholders of language files.
#include "job/EntryList.h"
#include "job/LanguageFile.h"
#include "job/PhpString.h"
#include "job/Placeholders.h"
#include "testing/CaseNames.h"
#include "testing/LanguageFiles.h"
#include "testing/PhpJudge.h"
#include "testing/TempFolder.h"

#include <gtest/gtest.h>

#include <array>
#include <random>

namespace kalmo {
namespace {

using testing_support::phpConstants;
using testing_support::phpEntries;
using testing_support::PhpEntry;
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
        "\tdefine \t ('_SPACED', 'spaced');",
        "/* x */ define  ('_LATE', 'late');",
        "Define ('_NO_COMMA');",
    };
    const std::vector<Entry> entries = listEntries(lines);
    struct Expected {
        int line;
        const char* name;
        char valueQuote;
        const char* value;
        bool rebuildable;
    };
    // _AFTER_COMMENT and _G are read from their call on, while the commit
    // reads their lines from the start: it cannot write them. Before _LATE
    // stands nothing the commit's reading stops at. Without a comma the
    // value's quote is the first character of the call.
    const std::vector<Expected> expected = {
        {3, "_HELLO", '\'', "Don\\'t", true},  {5, "_NUMBER", '2', "", false},
        {6, "_CONCAT", '/', "* c *", false},   {7, "_DOUBLE", '"', "double", true},
        {8, "_OPEN", '\'', "", false},          {10, "_ODD", '\'', "", false},
        {12, "_AFTER_COMMENT", '\'', "y", false}, {13, "_G", '\'', "g", false},
        {14, "_SPACED", '\'', "spaced", true},   {15, "_LATE", '\'', "late", true},
        {16, "_NO_COMMA", 'D', "", false},
    };
    ASSERT_EQ(entries.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(entries[i].line, expected[i].line);
        EXPECT_EQ(entries[i].name, expected[i].name);
        EXPECT_EQ(entries[i].quotes.valueQuote, expected[i].valueQuote);
        EXPECT_EQ(entryValue(lines, entries[i]), expected[i].value);
        EXPECT_EQ(entries[i].rebuildable, expected[i].rebuildable);
        // Read again from its line as it stands, the entry is the same:
        // the listing and a single entry's reading agree on every place.
        const std::optional<Entry> again = entryReadAgain(entries[i], lines[static_cast<std::size_t>(entries[i].line)]);
        ASSERT_TRUE(again);
        EXPECT_EQ(again->column, entries[i].column);
        EXPECT_EQ(again->positions, entries[i].positions);
        EXPECT_EQ(again->quotes, entries[i].quotes);
        EXPECT_EQ(again->rebuildable, entries[i].rebuildable);
    }
}

std::vector<PhpEntry> linesAndNames(const std::vector<Entry>& entries)
{
    std::vector<PhpEntry> named;
    for (const Entry& entry : entries)
        named.push_back({entry.line, entry.name});
    return named;
}

struct RealEntriesCase {
    const char* what;
    const char* file;
    std::vector<PhpEntry> entries;
};

class RealEntries : public testing::TestWithParam<RealEntriesCase> {};

// PHP's own tokenizer is the judge: it and the entry list both find the
// expected entries.
TEST_P(RealEntries, AreTheDefineCallsPhpSees)
{
    const RealEntriesCase& c = GetParam();
    TempFolder folder;
    EXPECT_EQ(phpEntries(folder.write("lang.php", c.file)), c.entries) << "PHP";
    EXPECT_EQ(linesAndNames(listEntries(splitLines(c.file))), c.entries) << "entry list";
}

INSTANTIATE_TEST_SUITE_P(
    Files, RealEntries,
    testing::Values(
        RealEntriesCase{"block_comments",
                        "<?php\n"
                        "/*\n"
                        "define('_IN_COMMENT', 'x');\n"
                        "*/ define('_AFTER_COMMENT', 'a');\n"
                        "/** define('_DOC', 'd'); */\n"
                        "define('_REAL', 'r'); /* define('_TAIL', 't');\n"
                        "define('_STILL_IN_COMMENT', 's'); */\n",
                        {{3, "_AFTER_COMMENT"}, {5, "_REAL"}}},
        RealEntriesCase{"line_comments",
                        "<?php\n"
                        "// define('_SLASHES', 'x');\n"
                        "# define('_HASH', 'x');\n"
                        "  //define('_INDENTED', 'x');\n"
                        "define('_REAL', 'r'); // define('_TAIL', 't');\n"
                        "// ends at ?> define('_HTML', 'h') <?php define('_AFTER_TAG', 'a');\n",
                        {{4, "_REAL"}, {5, "_AFTER_TAG"}}},
        RealEntriesCase{"heredocs_and_nowdocs",
                        "<?php\n"
                        "$a = <<<EOT\n"
                        "define('_HEREDOC', 'x');\n"
                        "EOT;\n"
                        "$b = <<<\"EOT\"\n"
                        "    define('_QUOTED_HEREDOC', 'x');\n"
                        "    EOT . 'x';\n"
                        "$c = <<<'EOT'\n"
                        "  define('_NOWDOC', 'x');\n"
                        "  EOTX define('_NOT_THE_END', 'x');\n"
                        "  EOT;\n"
                        "define('_REAL', 'r');\n"
                        "$d = <<< EOT\n"
                        "  {$x['define(']} define('_INTERPOLATED', 'x');\n"
                        "  EOT;\n"
                        "define('_LAST', 'l');\n",
                        {{11, "_REAL"}, {15, "_LAST"}}},
        RealEntriesCase{"guards_and_other_functions",
                        "<?php\n"
                        "defined('_VALID') or die('Direct access define(\"_X\", \"x\") is not allowed');\n"
                        "if (!defined('_GUARDED')) define('_GUARDED', 'g');\n"
                        "$obj->define('_METHOD', 'm'); $obj?->define('_NULLSAFE', 'n');\n"
                        "Lang::define('_STATIC', 's'); new define('_CLASS', 'c');\n"
                        "$define('_VARIABLE', 'v');\n"
                        "my_define('_OTHER', 'o'); Space\\define('_QUALIFIED', 'q');\n"
                        "\\define('_GLOBAL', 'g');\n"
                        "DEFINE ('_CAPITALS', 'c');\n"
                        "define\n"
                        "('_NEXT_LINE', 'n');\n",
                        {{2, "_GUARDED"}, {7, "_GLOBAL"}, {8, "_CAPITALS"}}},
        // A line is the entry of its first call with a quoted name.
        RealEntriesCase{"two_defines_on_a_line",
                        "<?php\n"
                        "define('_FIRST', 'a'); define('_SECOND', 'b');\n"
                        "define($name, 'x'); define('_NAMED', 'n');\n",
                        {{1, "_FIRST"}, {2, "_NAMED"}}},
        RealEntriesCase{"inline_html_and_texts",
                        "<html><?php\n"
                        "define('_IN_PHP', 'p'); ?>\n"
                        "<p>define('_HTML', 'h');</p> <? define('_SHORT_TAG', 's'); ?>\n"
                        "<?= 'define(\"_ECHOED\", \"e\")' ?> <?php define('_AFTER_OPEN', 'a');\n"
                        "$s = \"define('_DOUBLE', 'd')\"; $t = 'define(\"_SINGLE\", \"s\")';\n"
                        "$u = \"a {$v} b\n"
                        "define('_IN_TEXT', 't')\";\n"
                        "$w = `define('_SHELL', 's')`;\n"
                        "define('_LAST', 'l');\n",
                        {{1, "_IN_PHP"}, {3, "_AFTER_OPEN"}, {8, "_LAST"}}},
        RealEntriesCase{"cr_lf_and_lone_cr_line_ends",
                        "<?php\r\n"
                        "/* define('_A', 'x');\r\n"
                        "*/\r\n"
                        "define('_B', 'b');\r"
                        "define('_C', 'c');\r\n"
                        "// define('_D', 'd');\n\r"
                        "define('_E', 'e');\n",
                        {{3, "_B"}, {4, "_C"}, {7, "_E"}}},
        RealEntriesCase{"define_on_line_zero", "<?php define('_ZERO', 'z');\ndefine('_ONE', 'o');",
                        {{1, "_ONE"}}}),
    testing_support::NameFrom<&RealEntriesCase::what>{});

TEST(RealEntries, OfEveryFixtureAndExampleAreTheDefineCallsPhpSees)
{
    for (const std::string& path : testing_support::phpFilesIn({KALMO_FIXTURES_DIR, KALMO_EXAMPLES_DIR})) {
        SCOPED_TRACE(path);
        const std::vector<PhpEntry> php = phpEntries(path);
        EXPECT_FALSE(php.empty());
        EXPECT_EQ(linesAndNames(listEntries(readLanguageFile(path).lines)), php);
    }
}

// Random PHP made of pieces that change the lexical state (tags, comments,
// texts, heredocs, member operators) and of define calls: the entry list and
// PHP's tokenizer agree on every file, also where the code makes no sense.
TEST(RealEntries, OfRandomPiecesOfPhpAreTheDefineCallsPhpSees)
{
    static constexpr std::array pieces = {
        "<?php\n", "<?php ", "<?php\t", "<?PHP ", "<?phpx", "<?= ", "<?", "?>", "\n", "\n", "\r\n", "\r", " ", "\t",
        "//", "#", "#[", "]", "/*", "*/", "/**/", "/* ?> */", "'", "\"", "`", "\\", "'?>'", "\"?>\"", "'\\\\'",
        "\"\\\"\"", "`\\``", "$x", "$", "{$y}", "${z}", "{", "}", "\"{$a[\"k\"]}\"", "\"${a}\"", "<<<EOT\n",
        "<<< EOT\n", "<<<EOT \n", "<<<'EOT'\n", "<<<\"EOT\"\n", "\nEOT;\n", "\n  EOT\n", "  EOT;", "EOT", "\nEOTX\n",
        "->", "?->", "::", "??", "<?\?>", "function ", "new ", "echo ", "x", "1", "define ", "defined('_D')", "'_C'", ",",
        "define('_A', 'a');", "define(\"_B\", \"b\");", "\\define('_E','e');", "DEFINE('_F','f');",
        "define('_G', \"{$a['x']}\");", "define('_H', 'it\\'s');", "Foo\\define('_Q','q');", "$define('_V','v');",
        "*/ define('_I','i');"};
    std::mt19937 random(16);
    TempFolder folder;
    std::vector<std::string> paths;
    std::vector<std::string> contents;
    for (int n = 0; n < 500; ++n) {
        std::string content = n % 3 == 0 ? "" : "<?php\n";
        for (std::size_t count = 5 + random() % 36; count > 0; --count)
            content += pieces[random() % pieces.size()];
        paths.push_back(folder.write("case" + std::to_string(n) + ".php", content));
        contents.push_back(std::move(content));
    }
    auto php = testing_support::phpEntriesOfFiles(paths);
    for (std::size_t i = 0; i < paths.size(); ++i)
        EXPECT_EQ(linesAndNames(listEntries(splitLines(contents[i]))), php[paths[i]]) << contents[i];
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
