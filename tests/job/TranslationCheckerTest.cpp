// The checks of one entry again after its value changed, as the job and the
// window ask for them, against what a check of the whole file says; and the
// checks that need more than the two texts: the file's character set and
// the spelling dictionary.
#include "job/TranslationCheck.h"
#include "job/checks/Spelling.h"
#include "testing/CaseNames.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace kalmo {
namespace {

const LineList kSource = {
    "<?php",
    "define('_HELLO', 'Hello %s.');",
    "define('_LINK', 'Open <a href=\"/x\">the file</a>');",
    "define('_TWICE', 'Twice');",
    "define('_TWICE', 'Again');",
    "?>",
};

std::vector<Finding> onLine(const std::vector<Finding>& findings, int line)
{
    std::vector<Finding> found;
    std::copy_if(findings.begin(), findings.end(), std::back_inserter(found),
                 [&](const Finding& finding) { return finding.file == "de.php" && finding.line == line; });
    return found;
}

std::vector<std::string> messages(const std::vector<Finding>& findings)
{
    std::vector<std::string> texts;
    for (const Finding& finding : findings)
        texts.push_back(finding.check + ": " + finding.message);
    return texts;
}

struct EditCase {
    const char* name;
    int line; // 0-based
    const char* newLine;
};

class CheckAfterAnEdit : public testing::TestWithParam<EditCase> {};

TEST_P(CheckAfterAnEdit, GivesWhatAWholeCheckGivesForTheLine)
{
    LineList translated = kSource;
    TranslationChecker checker({"lang.php", &kSource}, {"de.php", &translated});
    const int line = GetParam().line;
    // Asked before the edit is made, and after.
    const std::vector<Finding> asTyped = checker.checkLineAs(line, GetParam().newLine);
    translated[static_cast<std::size_t>(line)] = GetParam().newLine;
    const std::vector<Finding> expected = onLine(checkTranslation({"lang.php", &kSource}, {"de.php", &translated}), line + 1);
    EXPECT_EQ(messages(checker.checkLine(line)), messages(expected));
    EXPECT_EQ(messages(asTyped), messages(expected));
    for (const Finding& finding : asTyped)
        EXPECT_EQ(finding.line, line + 1);
}

INSTANTIATE_TEST_SUITE_P(
    Edits, CheckAfterAnEdit,
    testing::Values(EditCase{"longer value loses its placeholder", 1, "define('_HELLO', 'Hallo, liebe Leute.');"},
                    EditCase{"fixed", 1, "define('_HELLO', 'Hallo %s.');"},
                    EditCase{"unescaped quote", 1, "define('_HELLO', 'Hallo %s, it's');"},
                    EditCase{"tag lost", 2, "define('_LINK', 'Datei \\u00f6ffnen</a>');"},
                    EditCase{"second definition", 4, "define('_TWICE', 'Nochmal %d');"},
                    EditCase{"no entry", 0, "<?php // nothing"},
                    // The line no longer holds the call: whole-line editing can make it so.
                    EditCase{"call gone from a shorter line", 1, "//"},
                    EditCase{"call gone from a longer line", 2, "// define was here, now it is a comment of some length"}),
    testing_support::NameFrom<&EditCase::name>{});

struct CharsetCase {
    const char* encoding;
    const char* translation;
    const char* message; // empty: nothing to note
};

class CharsetCheck : public testing::TestWithParam<CharsetCase> {};

TEST_P(CharsetCheck, NotesWhatTheSetCannotHold)
{
    const std::optional<TextEncoding> encoding = TextEncoding::named(GetParam().encoding);
    ASSERT_TRUE(encoding);
    EXPECT_EQ(charsetProblem(GetParam().translation, *encoding).value_or(""), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Sets, CharsetCheck,
    testing::Values(CharsetCase{"UTF-8", "\xCF\x88 \xE2\x82\xAC", ""},
                    CharsetCase{"ISO-8859-2", "Za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87", ""},
                    CharsetCase{"ISO-8859-2", "\xCF\x88 und \xCF\x88",
                                "character \xCF\x88 is not in ISO-8859-2 and will be written as &#968;, which the CMS "
                                "shows as it"},
                    CharsetCase{"windows-1252", "\xE2\x82\xAC \xC5\x82 \xCF\x89",
                                "characters \xC5\x82 \xCF\x89 are not in Windows-1252 and will be written as &#322; "
                                "&#969;, which the CMS shows as them"}),
    testing_support::NameFrom<&CharsetCase::translation>{});

// A dictionary of a few words, which suggests the words it knows.
class WordList : public SpellingDictionary {
public:
    std::string language() const override { return "xx"; }
    bool isCorrect(std::string_view word) override { return words_.contains(std::string(word)); }
    std::vector<std::string> suggestions(std::string_view, std::size_t most) override
    {
        std::vector<std::string> all(words_.begin(), words_.end());
        all.resize(std::min(all.size(), most));
        return all;
    }
    void addToPersonal(std::string_view word) override { words_.emplace(word); }
    void ignoreForRun(std::string_view word) override { words_.emplace(word); }

private:
    std::set<std::string> words_{"Datei", "oeffnen", "Haus", "Maus"};
};

TEST(SpellingCheck, NotesEachUnknownWordOfTranslatedEntriesOnly)
{
    const LineList translated = {
        "<?php", "define('_HELLO', 'Hello %s.');", "define('_LINK', 'Datei <a href=\"/x\">oefnen</a>');",
        "define('_TWICE', 'Haus Mous');", "define('_TWICE', 'Again');", "?>",
    };
    WordList dictionary;
    std::vector<std::string> notes;
    for (const Finding& finding :
         checkTranslation({"lang.php", &kSource}, {"de.php", &translated}, {std::nullopt, &dictionary}))
        if (finding.check == "spelling")
            notes.push_back(std::to_string(finding.line) + " " + finding.message);
    // _HELLO is not translated: its words are the source's language.
    EXPECT_EQ(notes, (std::vector<std::string>{
                         "3 \"oefnen\" is not in the xx dictionary; did you mean Datei, Haus or Maus?",
                         "4 \"Mous\" is not in the xx dictionary; did you mean Datei, Haus or Maus?",
                     }));
}

} // namespace
} // namespace kalmo
