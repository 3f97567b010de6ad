// Working through a file by what is left to do: the progress count and its
// unsaved mark, Save, the untranslated navigation, Find and Continue
// Translation.
#include "job/TextSearch.h"
#include "job/TranslationProgress.h"
#include "tests/job/JobTestFixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace kalmo {
namespace {

// Entries at 2, 3, 4 and 6.
const char* const kFourEntries = "<?php\n"
                                 "// greetings\n"
                                 "define('_HELLO', 'Hello');\n"
                                 "define('_BYE', 'Bye');\n"
                                 "define('_STREET', 'Stra\xC3\x9F" "e');\n"
                                 "$x = 1;\n"
                                 "define('_YES', 'Yes');\n"
                                 "?>\n";

using ProgressAndSearchTest = TranslationJobTest;
using testing_support::FakeTranslationJobView;

struct Action {
    const char* what;
    std::function<void(TranslationJob&, testing_support::FakeTranslationJobView&)> run;
};

void type(testing_support::FakeTranslationJobView& windows, const char* text) { windows.translation = text; }

TEST(TextSearch, FindsRegardlessOfLetterCase)
{
    struct Case {
        const char* text;
        const char* needle;
        bool found;
    };
    const Case cases[] = {
        {"Hello World", "WORLD", true},
        {"_MB_TITLE", "mb_t", true},
        {"Stra\xC3\x9F" "e", "STRASSE", true},
        {"\xC3\x89t\xC3\xA9", "\xC3\xA9T\xC3\x89", true},        // accented capitals
        {"caf\xC3\xA9", "cafe\xCC\x81", true},                   // composed and decomposed
        {"\xD0\x9C\xD0\xB8\xD1\x80", "\xD0\xBC\xD0\x98", true},  // Cyrillic
        {"abc", "abd", false},
        {"bad \xFF byte", "BYTE", true},                         // not UTF-8: ASCII still folds
        {"anything", "", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(containsIgnoringCase(c.text, c.needle), c.found) << c.text << " / " << c.needle;
}

TEST(EntryProgress, FindsEachEntrysWorkingLineAlsoWhenLinesWereAddedOrRemoved)
{
    const LineList source = {"<?php", "define('_A', 'a');", "define('_B', 'b');", "?>"};
    struct Case {
        const char* what;
        LineList working;
        std::vector<bool> translated;
    };
    const Case cases[] = {
        {"same lines", {"<?php", "define('_A', 'A');", "define('_B', 'b');", "?>"}, {true, false}},
        {"a line added", {"<?php", "", "define('_A', 'a');", "define('_B', 'B');", "?>"}, {false, true}},
        {"an entry removed", {"<?php", "define('_B', 'B');", "?>"}, {false, true}},
    };
    for (const Case& c : cases) {
        std::vector<bool> translated;
        for (const EntryProgress& entry : entryProgress(source, c.working))
            translated.push_back(entry.translated);
        EXPECT_EQ(translated, c.translated) << c.what;
    }
}

TEST_F(ProgressAndSearchTest, ProgressCountsChangedEntriesAndMarksUnsavedWork)
{
    load("lang.php", kFourEntries);
    EXPECT_EQ(windows.progressPanel, "translated 0 of 4");
    struct Step {
        Action action;
        const char* panel;
    };
    const Step steps[] = {
        {{"typing alone", [](auto&, auto& w) { type(w, "Hallo"); }}, "translated 0 of 4"},
        {{"commit", [](auto& j, auto&) { j.Volgende(); }}, "translated 1 of 4 *"},
        {{"save", [](auto& j, auto&) { j.Save(); }}, "translated 1 of 4"},
        {{"step without change", [](auto& j, auto&) { j.Volgende(); }}, "translated 1 of 4"},
        {{"translate a second", [](auto& j, auto& w) { type(w, "Strasse"); j.Vorige(); }}, "translated 2 of 4 *"},
        {{"source text typed back", [](auto& j, auto& w) { type(w, "Bye"); j.Volgende(); }}, "translated 2 of 4 *"},
        {{"whole-line mode", [](auto& j, auto&) { j.EditWholeLine(); }}, "translated 2 of 4 *"},
        {{"whole line as the source", [](auto& j, auto&) { j.Vorige(); }}, "translated 2 of 4 *"},
        {{"normal mode", [](auto& j, auto&) { j.EditWholeLine(); }}, "translated 2 of 4 *"},
        {{"save", [](auto& j, auto&) { j.Save(); }}, "translated 2 of 4"},
        {{"full-text edit", [](auto& j, auto&) { j.FullEdit(); }}, "translated 2 of 4"},
    };
    for (const Step& step : steps) {
        step.action.run(job, windows);
        EXPECT_EQ(windows.progressPanel, step.panel) << step.action.what;
    }
    memo2.Lines().PutLine(6, "define('_YES', 'Ja');");
    job.FullEdit();
    EXPECT_EQ(windows.progressPanel, "translated 3 of 4 *");
    // The first panel keeps the texts of the operations that set them.
    EXPECT_EQ(windows.status, "Line: 3/7");
}

TEST_F(ProgressAndSearchTest, WholeLineEditCountsAsTranslated)
{
    load("lang.php", kFourEntries);
    job.EditWholeLine();
    type(windows, "define('_HELLO', 'Hallo');");
    job.Volgende();
    EXPECT_EQ(job.SourceLines()[2], "define('_HELLO', 'Hallo');");
    EXPECT_EQ(windows.progressPanel, "translated 1 of 4 *");
    job.EditWholeLine();
    job.PreviousUntranslated();
    EXPECT_EQ(windows.beeps, 1);
    EXPECT_EQ(job.CurrentEntry(), 3);
}

// A guard, commented-out defines and entries whose value is more than one
// text: real entries at 5 to 8, of which the field can write 6 and 8.
const char* const kGuardedFile = "<?php\n"
                                 "defined('_VALID') or die('Restricted access');\n"
                                 "/* define('_OLD', 'Old');\n"
                                 "define('_OLDER', 'Older'); */\n"
                                 "// define('_HELLO', 'Hello');\n"
                                 "define('_MAX', 20);\n"
                                 "define('_HELLO', 'Hello');\n"
                                 "define('_BOTH', 'a' . 'b');\n"
                                 "define('_BYE', 'Bye');\n"
                                 "?>\n";

TEST_F(ProgressAndSearchTest, OnlyRealEntriesTheFieldCanWriteAreCountedAndVisited)
{
    // Loading steps as ever, onto the guard line.
    load("lang.php", kGuardedFile);
    EXPECT_EQ(job.CurrentEntry(), 1);
    EXPECT_EQ(windows.progressPanel, "translated 0 of 2, 2 whole-line only");

    // Continue starts at the first entry to translate, also with no earlier
    // translation.
    windows.dialogAnswer = folder.path("lang.php");
    job.ContinueTranslation();
    EXPECT_EQ(job.CurrentEntry(), 6);
    EXPECT_EQ(windows.status, "Sourcefile: lang.php loaded and parsed.");
    struct Step {
        void (TranslationJob::*operation)();
        int entry;
        int beeps;
    };
    const Step steps[] = {
        {&TranslationJob::NextUntranslated, 8, 0},
        {&TranslationJob::NextUntranslated, 8, 1},
        {&TranslationJob::PreviousUntranslated, 6, 1},
        {&TranslationJob::PreviousUntranslated, 6, 2},
    };
    for (const Step& step : steps) {
        (job.*step.operation)();
        EXPECT_EQ(job.CurrentEntry(), step.entry);
        EXPECT_EQ(windows.beeps, step.beeps);
    }
    // Find looks at real entries only.
    windows.findAnswer = "older";
    job.Find();
    EXPECT_EQ(job.CurrentEntry(), 6);
    EXPECT_EQ(windows.beeps, 3);

    type(windows, "Hallo");
    job.Save();
    EXPECT_EQ(windows.progressPanel, "translated 1 of 2, 2 whole-line only");
    windows.dialogAnswer = folder.path("Translated_lang.php");
    job.ContinueTranslation();
    EXPECT_EQ(job.CurrentEntry(), 8);
}

TEST_F(ProgressAndSearchTest, SaveWritesWhatExitWouldAndTheWorkGoesOn)
{
    folder.write("Translated_lang.php", "earlier");
    load("lang.php", kFourEntries);
    type(windows, "Hallo");
    job.Save();
    const std::string saved = folder.read("Translated_lang.php");
    EXPECT_NE(saved.find("define('_HELLO', 'Hallo');"), std::string::npos);
    EXPECT_EQ(folder.read("Translated_lang.php.bak"), "earlier");
    EXPECT_FALSE(windows.ended);
    EXPECT_EQ(job.CurrentEntry(), 2);
    EXPECT_EQ(windows.translation, "Hallo");
    EXPECT_EQ(memo2.CaretLine(), 2);
    EXPECT_EQ(windows.status, "Sourcefile: lang.php loaded and parsed.");

    // Nothing changed since the save: a load leaves the file as it is.
    folder.write("Translated_lang.php", saved + "// touched by hand\n");
    load("other.php", kFourEntries);
    EXPECT_EQ(folder.read("Translated_lang.php"), saved + "// touched by hand\n");

    // A second save in one job keeps the backup of the file from before it.
    load("lang.php", kFourEntries);
    type(windows, "Servus");
    job.Save();
    type(windows, "Moin");
    job.Save();
    EXPECT_EQ(folder.read("Translated_lang.php.bak"), saved + "// touched by hand\n");
    EXPECT_NE(folder.read("Translated_lang.php").find("'Moin'"), std::string::npos);
    job.Exit1Click();
    EXPECT_EQ(folder.read("Translated_lang.php.bak"), saved + "// touched by hand\n");

    FakeTranslationJobView fresh;
    TranslationJob unloaded{fresh, memo1, memo2};
    unloaded.Save();
    EXPECT_EQ(fresh.beeps, 1);
}

TEST_F(ProgressAndSearchTest, SaveInFullTextModeWritesThePaneAndLeavesItAlone)
{
    load("lang.php", kFourEntries);
    job.FullEdit();
    memo2.Lines().PutLine(5, "$x = 2;");
    memo2.PlaceCaret(3, 5);
    job.Save();
    EXPECT_NE(folder.read("Translated_lang.php").find("$x = 2;"), std::string::npos);
    EXPECT_TRUE(job.FullTextMode());
    EXPECT_EQ(memo2.CaretLine(), 5);
    EXPECT_EQ(windows.progressPanel, "translated 0 of 4");
}

TEST_F(ProgressAndSearchTest, UntranslatedNavigationSkipsTranslatedEntries)
{
    load("lang.php", kFourEntries);
    type(windows, "Hallo"); // _HELLO (2) translated, _YES (6) too
    job.Volgende();
    job.Volgende();
    job.Volgende();
    type(windows, "Ja");
    job.Vorige();
    job.Vorige();
    job.Vorige();
    ASSERT_EQ(job.CurrentEntry(), 2);

    struct Step {
        void (TranslationJob::*operation)();
        int entry;
        const char* status;
        int beeps;
    };
    const Step steps[] = {
        {&TranslationJob::NextUntranslated, 3, "Line: 3/7", 0},
        {&TranslationJob::NextUntranslated, 4, "Line: 4/7", 0},
        // None left forward: the entry stays, the status stays, a beep.
        {&TranslationJob::NextUntranslated, 4, "Line: 4/7", 1},
        {&TranslationJob::PreviousUntranslated, 3, "Line: 3/7", 1},
        {&TranslationJob::PreviousUntranslated, 3, "Line: 3/7", 2},
    };
    for (const Step& step : steps) {
        (job.*step.operation)();
        EXPECT_EQ(job.CurrentEntry(), step.entry);
        EXPECT_EQ(windows.status, step.status);
        EXPECT_EQ(windows.beeps, step.beeps);
    }
    // The panes stay on the entry after a beep.
    EXPECT_EQ(memo1.ActiveLineIndex(), 3);
    EXPECT_EQ(memo2.CaretLine(), 3);

    // It commits like Next: the entry left counts as translated, and no
    // untranslated entry is left before it.
    type(windows, "Tschau");
    job.PreviousUntranslated();
    EXPECT_EQ(job.WorkingLines()[3], "define('_BYE', 'Tschau');");
    EXPECT_EQ(job.CurrentEntry(), 3);
    EXPECT_EQ(windows.translation, "Tschau");
    job.NextUntranslated();
    EXPECT_EQ(job.CurrentEntry(), 4);
}

TEST_F(ProgressAndSearchTest, FindShowsTheNextEntryHoldingTheTextAndWraps)
{
    load("lang.php", kFourEntries);
    type(windows, "Hallo Welt");
    job.Volgende(); // at _BYE (3)
    struct Case {
        const char* text;
        int entry;
        int beeps; // since the last case
    };
    const Case cases[] = {
        {"street", 4, 0},      // a name
        {"YES", 6, 0},         // a name and source text, further on
        {"WELT", 2, 0},        // a translation, from the start again
        {"strasse", 4, 0},     // source text, folded
        {"e", 6, 0},           // the next one holding it
        {"nowhere", 6, 1},     // not found: the entry stays
        {"define", 6, 1},      // the line itself is not searched
        {"_", 2, 0},
    };
    for (const Case& c : cases) {
        const int beepsBefore = windows.beeps;
        windows.findAnswer = c.text;
        job.Find();
        EXPECT_EQ(job.CurrentEntry(), c.entry) << c.text;
        EXPECT_EQ(windows.beeps - beepsBefore, c.beeps) << c.text;
        // A text found nowhere is named in the status, besides the beep.
        const std::string status = c.beeps == 0 ? "Line: " + std::to_string(job.CurrentEntry()) + "/7"
                                                 : std::string("not found: ") + c.text;
        EXPECT_EQ(windows.status, status) << c.text;
    }
    EXPECT_EQ(windows.lastFindOffered, "define");

    // Find Next repeats the last text without asking; a cancelled dialog
    // changes nothing.
    windows.findAnswer.reset();
    job.FindNext();
    EXPECT_EQ(job.CurrentEntry(), 3);
    EXPECT_EQ(windows.status, "Line: 3/7"); // the step after replaces the message
    job.Find();
    EXPECT_EQ(job.CurrentEntry(), 3);
    job.FindNext();
    EXPECT_EQ(job.CurrentEntry(), 4);
}

TEST_F(ProgressAndSearchTest, FindCommitsFirstAndSearchesWholeLinesInWholeLineMode)
{
    load("lang.php", kFourEntries);
    type(windows, "Hallo");
    windows.findAnswer = "hallo";
    job.Find(); // the commit puts the text in; only this entry holds it
    EXPECT_EQ(job.CurrentEntry(), 2);
    EXPECT_EQ(windows.beeps, 0);
    EXPECT_EQ(job.WorkingLines()[2], "define('_HELLO', 'Hallo');");

    job.EditWholeLine();
    windows.findAnswer = "DEFINE('_Y";
    job.Find();
    EXPECT_EQ(job.CurrentEntry(), 6);
    EXPECT_EQ(windows.translation, "define('_YES', 'Yes');");

    FakeTranslationJobView fresh;
    TranslationJob unloaded{fresh, memo1, memo2};
    fresh.findAnswer = "x";
    unloaded.Find();
    unloaded.FindNext();
    EXPECT_EQ(fresh.beeps, 2);
}

TEST_F(ProgressAndSearchTest, FindSeesEntriesAWholeLineEditBroughtOutOfAComment)
{
    load("lang.php", "<?php\ndefine('_A', 'a'); /*\ndefine('_B', 'b');\n*/\n");
    windows.findAnswer = "_b";
    job.Find();
    EXPECT_EQ(windows.beeps, 1) << "_B stands in a comment";
    job.EditWholeLine();
    type(windows, "define('_A', 'a');");
    job.Find();
    EXPECT_EQ(job.CurrentEntry(), 2);
    EXPECT_EQ(windows.beeps, 1);
}

TEST_F(ProgressAndSearchTest, ShowingAnEntrySelectsTheWholeTranslation)
{
    load("lang.php", kFourEntries);
    EXPECT_EQ(windows.selectedTranslation, "Hello");
    const std::vector<Action> shows = {
        {"next", [](auto& j, auto&) { j.Volgende(); }},
        {"previous", [](auto& j, auto&) { j.Vorige(); }},
        {"next untranslated", [](auto& j, auto&) { j.NextUntranslated(); }},
        {"find", [](auto& j, auto& w) { w.findAnswer = "yes"; j.Find(); }},
        {"whole-line mode", [](auto& j, auto&) { j.EditWholeLine(); }},
        {"save", [](auto& j, auto&) { j.Save(); }},
    };
    for (const Action& show : shows) {
        windows.selectedTranslation.reset();
        show.run(job, windows);
        EXPECT_EQ(windows.selectedTranslation, windows.translation) << show.what;
    }
}

// An earlier translation of version 1, continued on version 2 of the source.
const char* const kVersion2 = "<?php\n"
                              "define('_HELLO', 'Hello');\n"
                              "define('_NEW', 'New');\n"
                              "define('_BYE', 'Bye');\n"
                              "?>\n";
const char* const kOldTranslation = "<?php\n"
                                    "define('_HELLO', 'Hallo');\n"
                                    "define('_BYE', 'Bye');\n"
                                    "define('_GONE', 'Weg');\n"
                                    "define('_OLD', 'Alt');\n"
                                    "?>\n";

TEST_F(ProgressAndSearchTest, ContinueCarriesTheTranslationOverFromEitherFileOfThePair)
{
    for (const char* picked : {"lang.php", "Translated_lang.php"}) {
        folder.write("lang.php", kVersion2);
        folder.write("Translated_lang.php", kOldTranslation);
        std::filesystem::remove(folder.path("Translated_lang.php.bak"));
        windows.notes.clear();
        windows.dialogAnswer = folder.path(picked);
        job.ContinueTranslation();

        EXPECT_EQ(job.FileName(), folder.path("lang.php")) << picked;
        EXPECT_EQ(job.SourceLines()[1], "define('_HELLO', 'Hello');");
        EXPECT_EQ(job.WorkingLines()[1], "define('_HELLO', 'Hallo');");
        EXPECT_EQ(job.WorkingLines()[2], "define('_NEW', 'New');");
        // The work goes on at the first entry left to translate.
        EXPECT_EQ(job.CurrentEntry(), 2);
        EXPECT_EQ(windows.status, "Sourcefile: lang.php loaded and parsed.");
        EXPECT_EQ(windows.progressPanel, "translated 1 of 3 *");
        ASSERT_EQ(windows.notes.size(), 1u);
        EXPECT_EQ(windows.notesHeading, "Not written to Translated_lang.php:");
        EXPECT_EQ(windows.notes[0], (std::vector<std::string>{"_GONE is no longer in the source",
                                                              "_OLD is no longer in the source"}));

        job.Save();
        EXPECT_EQ(folder.read("Translated_lang.php"), "<?php\n"
                                                      "define('_HELLO', 'Hallo');\n"
                                                      "define('_NEW', 'New');\n"
                                                      "define('_BYE', 'Bye');\n"
                                                      "?>\n");
        EXPECT_EQ(folder.read("Translated_lang.php.bak"), kOldTranslation);
    }
}

TEST_F(ProgressAndSearchTest, ContinueOnAnUnchangedPairKeepsTheFileAndHasNothingToSave)
{
    const std::string old = "<?php\r\ndefine('_HELLO', 'Hallo');\r\ndefine('_BYE', 'Bye');\r\n";
    folder.write("lang.php", "<?php\ndefine('_HELLO', 'Hello');\ndefine('_BYE', 'Bye');\n");
    folder.write("Translated_lang.php", old);
    windows.dialogAnswer = folder.path("Translated_lang.php");
    job.ContinueTranslation();
    EXPECT_EQ(windows.progressPanel, "translated 1 of 2");
    EXPECT_TRUE(windows.notes.empty());
    load("other.php", kFourEntries);
    EXPECT_EQ(folder.read("Translated_lang.php"), old);
    EXPECT_FALSE(folder.exists("Translated_lang.php.bak"));

    // Without an earlier translation it starts like a load.
    windows.dialogAnswer = folder.path("other.php");
    job.ContinueTranslation();
    EXPECT_EQ(job.WorkingLines(), job.SourceLines());
    EXPECT_EQ(windows.progressPanel, "translated 0 of 4");
}

TEST_F(ProgressAndSearchTest, ContinueThatCannotReadAFileKeepsThePreviousJob)
{
    load("work.php", kFourEntries);
    type(windows, "Hallo");
    job.Volgende();
    folder.write("Translated_orphan.php", kOldTranslation);
    folder.write("broken.php", kVersion2);
    std::filesystem::create_directory(folder.path("Translated_broken.php"));
    struct Case {
        const char* picked;
        std::string error;
    };
    const Case cases[] = {
        {"Translated_orphan.php",
         "Cannot open file \"" + folder.path("orphan.php") + "\". No such file or directory"},
        {"broken.php", "Cannot open file \"" + folder.path("Translated_broken.php") + "\". "},
    };
    for (const Case& c : cases) {
        windows.dialogAnswer = folder.path(c.picked);
        EXPECT_EQ(errorOf(&TranslationJob::ContinueTranslation).rfind(c.error, 0), 0u) << c.picked;
        EXPECT_EQ(job.FileName(), folder.path("work.php"));
        EXPECT_EQ(job.CurrentEntry(), 3);
        EXPECT_EQ(job.WorkingLines()[2], "define('_HELLO', 'Hallo');");
        EXPECT_EQ(memo2.CaretLine(), 3);
    }
    EXPECT_EQ(folder.read("Translated_orphan.php"), kOldTranslation);

    windows.dialogAnswer.reset();
    job.ContinueTranslation();
    EXPECT_EQ(windows.status, "Waiting..");
    EXPECT_EQ(job.FileName(), folder.path("work.php"));
}

TEST_F(ProgressAndSearchTest, ContinueInFullTextModeHandsTheMergedLinesToThePane)
{
    folder.write("lang.php", kVersion2);
    folder.write("Translated_lang.php", kOldTranslation);
    load("other.php", kFourEntries);
    job.FullEdit();
    windows.dialogAnswer = folder.path("lang.php");
    job.ContinueTranslation();
    EXPECT_TRUE(job.FullTextMode());
    EXPECT_EQ(memo2.Lines().Line(1), "define('_HELLO', 'Hallo');");
    memo2.Lines().PutLine(2, "define('_NEW', 'Neu');");
    job.Exit1Click();
    EXPECT_NE(folder.read("Translated_lang.php").find("'Neu'"), std::string::npos);
    EXPECT_NE(folder.read("Translated_lang.php").find("'Hallo'"), std::string::npos);
}

} // namespace
} // namespace kalmo
