// The whole-file operations on lines: statistics, checks, the merge onto a
// new source version, and the message exchange with other tools.
#include "job/LineList.h"
#include "testing/CaseNames.h"
#include "job/TranslationCheck.h"
#include "job/TranslationExchange.h"
#include "job/TranslationMerge.h"
#include "job/TranslationStats.h"

#include <gtest/gtest.h>

namespace kalmo {
namespace {

const LineList kSource = {
    "<?php",
    "define('_HELLO', 'Hello %s');",
    "define('_BYE', \"Bye {name}\");",
    "define('_MAX', 20);",
    "define('_OLD_TOO', 'same');",
    "?>",
};

TEST(TranslationStats, CountsTranslatedEntriesByNameAndWhatTheCommitCannotWrite)
{
    const LineList translated = {"<?php", "define('_BYE', \"Tschüss {name}\");", "define('_HELLO', 'Hello %s');",
                                 "define('_MAX', 30);", "?>"};
    const TranslationStats stats = translationStats(kSource, &translated);
    EXPECT_EQ(stats.entries, 4);
    EXPECT_EQ(stats.translated, 1); // _MAX has no quoted value to compare
    EXPECT_EQ(stats.untranslated, 2); // _MAX is counted apart
    EXPECT_EQ(stats.otherLines, 2);
    EXPECT_EQ(stats.notRebuildable, 1);
    EXPECT_EQ(translationStats(kSource, nullptr).translated, 0);
}

struct CheckCase {
    const char* translatedLine; // stands in for the _HELLO line
    FindingKind kind;
    const char* message; // empty: no finding on that line
    const char* check = "php-value";
};

class TranslatedLineChecks : public testing::TestWithParam<CheckCase> {};

TEST_P(TranslatedLineChecks, ReportTheProblemOnItsLine)
{
    LineList translated = kSource;
    translated[1] = GetParam().translatedLine;
    std::vector<Finding> onLine;
    for (const Finding& finding : checkTranslation({"lang.php", &kSource}, {"Translated_lang.php", &translated})) {
        if (finding.line == 2 && finding.file == "Translated_lang.php")
            onLine.push_back(finding);
    }
    if (std::string(GetParam().message).empty()) {
        EXPECT_TRUE(onLine.empty()) << onLine.front().message;
        return;
    }
    ASSERT_EQ(onLine.size(), 1u) << (onLine.empty() ? "" : onLine.front().message);
    EXPECT_EQ(onLine[0].kind, GetParam().kind);
    EXPECT_EQ(onLine[0].message, GetParam().message);
    EXPECT_EQ(onLine[0].check, GetParam().check);
    EXPECT_EQ(onLine[0].constant, "_HELLO");
}

INSTANTIATE_TEST_SUITE_P(
    Lines, TranslatedLineChecks,
    testing::Values(
        CheckCase{"define('_HELLO', 'Hallo %s'); // checked", FindingKind::Note, ""},
        CheckCase{"define('_HELLO', \"Hallo %s\");", FindingKind::Note, ""},
        CheckCase{"define('_HELLO', 'Hello %s');", FindingKind::Note, "_HELLO is not translated yet", "unchanged"},
        CheckCase{"define('_HELLO', 'Hallo');", FindingKind::Warning, "placeholder %s is missing", "placeholders"},
        CheckCase{"define('_HELLO', 'Hallo %d %s');", FindingKind::Warning, "placeholder %d is not in the source",
                  "placeholders"},
        CheckCase{"define('_HELLO', 'Hallo %s!');", FindingKind::Warning,
                  "the source ends in no punctuation: remove the \"!\" at the end", "end-punctuation"},
        CheckCase{"define('_HELLO', '<b>Hallo</b> %s');", FindingKind::Warning,
                  "tags </b> <b> are not in the source", "html-tags"},
        CheckCase{"define('_HELLO', 'Hallo %s, it's');", FindingKind::Error,
                  "the value of _HELLO has an unescaped ', which ends it at column 31; write \\'"},
        CheckCase{"define('_HELLO', 'Hallo %s\\');", FindingKind::Error,
                  "the value of _HELLO ends in a backslash that escapes its closing quote; write \\\\ for one "
                  "backslash"},
        CheckCase{"define('_HELLO', 'Hallo %s", FindingKind::Error, "the value of _HELLO is not closed on its line"},
        CheckCase{"define('_HELLO', \"Hallo $user %s\");", FindingKind::Error,
                  "PHP would expand \"$user\" in the value of _HELLO; write \\$ for a dollar sign"},
        CheckCase{"define('_HELLO', \"Hallo \\$user %s\");", FindingKind::Note, ""},
        CheckCase{"define('_HELLO', HALLO);", FindingKind::Error, "the value of _HELLO is not a quoted text"},
        CheckCase{"define('_HELLO', 'Hallo %s') . 'x';", FindingKind::Warning,
                  "the value of _HELLO is followed by \") . 'x';\" instead of \");\""}),
    testing_support::NameFrom<&CheckCase::translatedLine>{});

TEST(TranslationCheck, ReportsDuplicatesExtrasAndMissingConstants)
{
    const LineList translated = {"<?php", "define('_HELLO', 'Hallo %s');", "define('_HELLO', 'Hi %s');",
                                 "define('_EXTRA', 'x');", "define('_MAX', 20);", "define('_OLD_TOO', 'same');", "?>"};
    std::vector<std::string> printed;
    for (const Finding& finding : checkTranslation({"lang.php", &kSource}, {"de.php", &translated}))
        printed.push_back(finding.file + ":" + std::to_string(finding.line) + ": " + kindName(finding.kind) + ": "
                          + finding.message + " [" + finding.check + " " + finding.constant + "]");
    EXPECT_EQ(printed,
              (std::vector<std::string>{
                  "de.php:3: warning: _HELLO is defined again (first at line 2); PHP keeps the first [duplicate _HELLO]",
                  "de.php:4: warning: _EXTRA is not in the source [extra _EXTRA]",
                  "de.php:6: note: _OLD_TOO is not translated yet [unchanged _OLD_TOO]",
                  "lang.php:3: warning: _BYE is missing from de.php [missing _BYE]",
              }));
}

// The translation keeps the source's constants in their order, a second
// definition too, on other lines: its findings name its own lines.
TEST(TranslationCheck, DuplicateInATranslationOfTheSameShapeNamesTheTranslationsLines)
{
    const LineList source = {"<?php", "define('_A', 'a');", "define('_B', 'b');", "define('_A', 'again');"};
    const LineList translated = {"<?php", "// Deutsch", "define('_A', 'A');", "", "define('_B', 'B');",
                                 "define('_A', 'nochmal');"};
    std::vector<std::string> printed;
    for (const Finding& finding : checkTranslation({"lang.php", &source}, {"de.php", &translated}))
        printed.push_back(std::to_string(finding.line) + ": " + finding.message);
    EXPECT_EQ(printed, (std::vector<std::string>{"6: _A is defined again (first at line 3); PHP keeps the first"}));
}

TEST(TranslationCheck, SourceAloneIsCheckedForItsOwnLiterals)
{
    // The stray quote comes last: as in PHP, the lines after it would be
    // inside a text.
    const LineList source = {"<?php", "define('_A', 'fine');", "define('_C', 'goes",
                             "on');", "define('_A', 'again');", "define('_B', 'it's');"};
    std::vector<std::pair<int, FindingKind>> found;
    for (const Finding& finding : checkTranslation({"lang.php", &source}, {"", nullptr}))
        found.emplace_back(finding.line, finding.kind);
    EXPECT_EQ(found, (std::vector<std::pair<int, FindingKind>>{
                         {3, FindingKind::Note}, {5, FindingKind::Warning}, {6, FindingKind::Error}}));
}

TEST(TranslationMerge, SameShapeKeepsTheOldFileAsItIs)
{
    LineList old = kSource;
    old[0] = "<?php // Deutsch";
    old[2] = "define('_BYE', \"Tschüss {name}\");";
    const TranslationMerge merge = mergeTranslation(kSource, old);
    EXPECT_TRUE(merge.keptOldFile);
    EXPECT_EQ(merge.lines, old);
    ASSERT_EQ(merge.carriedOver.size(), 1u);
    EXPECT_EQ(merge.carriedOver[0].name, "_BYE");
    EXPECT_TRUE(merge.added.empty());
    EXPECT_TRUE(merge.dropped.empty());
}

TEST(TranslationMerge, NewSourceTakesTranslatedLinesByNameAndReportsNewAndDropped)
{
    const LineList old = {"<?php // Deutsch", "define('_GONE', 'Weg');", "define('_BYE', \"Tschüss {name}\");",
                          "define('_HELLO', 'Hello %s');", "?>"};
    const TranslationMerge merge = mergeTranslation(kSource, old);
    EXPECT_FALSE(merge.keptOldFile);
    LineList expected = kSource;
    expected[2] = old[2];
    EXPECT_EQ(merge.lines, expected);
    const auto names = [](const std::vector<MergedConstant>& constants) {
        std::vector<std::pair<std::string, int>> named;
        for (const auto& constant : constants)
            named.emplace_back(constant.name, constant.line);
        return named;
    };
    using Named = std::vector<std::pair<std::string, int>>;
    EXPECT_EQ(names(merge.carriedOver), (Named{{"_BYE", 2}}));
    EXPECT_EQ(names(merge.added), (Named{{"_MAX", 3}, {"_OLD_TOO", 4}}));
    EXPECT_EQ(names(merge.dropped), (Named{{"_GONE", 1}}));
}

TEST(TranslationExchange, ExportsTextsWithoutEscapesAndWholeLinesForWhatImportLeaves)
{
    LineList translated = kSource;
    translated[1] = "define('_HELLO', 'Hallo %s, it\\'s me');";
    translated[3] = "define('_MAX', 30);";
    const ExchangeExport exported = exportMessages("/x/lang.php", kSource, &translated);
    ASSERT_EQ(exported.messages.size(), 4u);
    const ExchangeMessage& hello = exported.messages[0];
    EXPECT_EQ(hello.context, "_HELLO");
    EXPECT_EQ(hello.source, "Hello %s");
    EXPECT_EQ(hello.translation, "Hallo %s, it's me");
    EXPECT_EQ(hello.file, "lang.php");
    EXPECT_EQ(hello.line, 2);
    EXPECT_TRUE(hello.comment.empty());
    EXPECT_EQ(exported.messages[1].translation, "");
    const ExchangeMessage& max = exported.messages[2];
    EXPECT_EQ(max.source, "define('_MAX', 20);");
    EXPECT_EQ(max.translation, "define('_MAX', 30);");
    EXPECT_FALSE(max.comment.empty());
}

TEST(TranslationExchange, ImportWritesChangedMessagesOnlyAndSkipsWhatItCannotWrite)
{
    LineList base = kSource;
    base[1] = "define('_HELLO' ,  'Hallo %s' ); // kept as typed";
    std::vector<ExchangeMessage> messages = exportMessages("lang.php", kSource, &base).messages;
    const ExchangeImport unchanged = importMessages(kSource, "de.php", base, messages);
    EXPECT_EQ(unchanged.lines, base);
    EXPECT_EQ(unchanged.written, 0);
    EXPECT_TRUE(unchanged.findings.empty());

    messages[0].translation = "";                       // back to the source text
    messages[1].translation = "Tschüss {name}, \"$du\""; // escaped by the commit
    messages[2].translation = "define('_MAX', 30);";     // not a one-line text
    messages[3].translation = "Auch";
    messages[3].fuzzy = true;
    messages.push_back({"_UNKNOWN", "x", "y", "", "lang.php", 9, false});
    const ExchangeImport imported = importMessages(kSource, "de.php", base, messages);
    EXPECT_EQ(imported.written, 2);
    EXPECT_EQ(imported.lines[1], "define('_HELLO' ,  'Hello %s' ); // kept as typed");
    EXPECT_EQ(imported.lines[2], "define('_BYE', \"Tschüss {name}, \\\"\\$du\\\"\");");
    EXPECT_EQ(imported.lines[3], kSource[3]);
    EXPECT_EQ(imported.lines[4], kSource[4]);
    std::vector<std::string> warnings;
    for (const Finding& finding : imported.findings)
        warnings.push_back(std::to_string(finding.line) + " " + finding.message);
    EXPECT_EQ(warnings, (std::vector<std::string>{
                            "4 the translation of _MAX was not written: its line holds no one-line text; edit it in "
                            "the language file",
                            "5 the translation of _OLD_TOO was not written: it is marked fuzzy",
                            "0 the translation of _UNKNOWN was not written: the constant is not in the source"}));
    EXPECT_TRUE(imported.skippedAny());
}

} // namespace
} // namespace kalmo
