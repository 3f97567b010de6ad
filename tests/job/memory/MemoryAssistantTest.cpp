// The memory beside a translation job: what a save keeps, the suggestions
// for the entry on show and taking one, entries to review after their
// source text changed, filling from the memory, and a damaged memory that
// costs the translation nothing.
#include "job/TranslationLanguage.h"
#include "job/UserFolders.h"
#include "job/memory/HostQueue.h"
#include "job/memory/MemoryAssistant.h"
#include "testing/JobRig.h"
#include "testing/TempFolder.h"
#include "testing/UserFolders.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace kalmo {
namespace {

using testing_support::JobRig;
using testing_support::TempFolder;
using testing_support::UserFolders;

std::string marked(const std::vector<MarkedPiece>& pieces)
{
    std::string text;
    for (const MarkedPiece& piece : pieces)
        text += piece.changed ? "[" + piece.text + "]" : piece.text;
    return text;
}

class MemoryJobTest : public testing::Test {
protected:
    void SetUp() override
    {
        memory = std::make_unique<MemoryAssistant>(rig.job, [this](std::function<void()> task) {
            results.post(std::move(task));
        });
        memory->OnProblem = [this](const std::string& message) { problems.push_back(message); };
        memory->OnFilled = [this](const std::string& message) { filled.push_back(message); };
    }

    void settle() { memory->Settle(results); }

    void storeRecords(const std::vector<MemoryRecord>& records)
    {
        makeUserFolder(userFolder(UserFolder::Data));
        MemoryStore store(userMemoryPath());
        store.add(records);
    }

    // Loads the file with German as its language.
    void loadInGerman(const std::string& path)
    {
        memory->ChooseLanguage("de");
        rig.load(path);
        settle();
    }

    void continueWith(const std::string& path)
    {
        rig.windows.dialogAnswer = path;
        rig.job.ContinueTranslation();
        settle();
    }

    void typeAndStep(const std::string& text)
    {
        rig.windows.translation = text;
        rig.job.Volgende();
        settle();
    }

    UserFolders folders;
    TempFolder files;
    JobRig rig;
    HostQueue results;
    std::unique_ptr<MemoryAssistant> memory;
    std::vector<std::string> problems;
    std::vector<std::string> filled;
};

TEST_F(MemoryJobTest, ASaveKeepsEachTranslatedEntryWithItsConstantAndFile)
{
    const std::string path = files.write("lang_en.php", "<?php\ndefine('_SAVE', 'Save');\ndefine('_NO', 'Don\\'t');\n"
                                                        "define('_LEFT', 'Left alone');\n");
    loadInGerman(path);
    typeAndStep("Speichern");
    typeAndStep("Nicht");
    rig.job.Save();
    settle();

    MemoryStore store(userMemoryPath());
    const auto save = store.exactMatches("de", "Save", "_SAVE", 5);
    ASSERT_EQ(save.size(), 1u);
    EXPECT_EQ(save[0].translation, "Speichern");
    EXPECT_EQ(save[0].file, "lang_en.php");
    // Texts as PHP reads them, escapes undone.
    EXPECT_EQ(store.exactMatches("de", "Don't", "", 5).size(), 1u);
    EXPECT_TRUE(store.exactMatches("de", "Left alone", "", 5).empty());
    EXPECT_TRUE(problems.empty());
}

TEST_F(MemoryJobTest, SuggestionsPutTheConstantsOwnTextFirstAndTakeNothingUntilCommitted)
{
    storeRecords({
        {"de", "Save all changes", "Alle \xC3\x84nderungen speichern", "_ALL", "a.php", 30, 0},
        {"de", "Save changes", "Speichern", "_OTHER", "a.php", 20, 0},
        {"de", "Save changes", "\xC3\x84nderungen speichern", "_SAVE", "a.php", 10, 0},
        {"fr", "Save changes", "Enregistrer", "_SAVE", "a.php", 40, 0},
        {"de", "Plot %d of %d", "Parzelle %d von %d", "_PLOT", "a.php", 50, 0},
    });
    const std::string path
        = files.write("lang_en.php", "<?php\ndefine('_SAVE', 'Save changes');\ndefine('_P', 'Plot %s of %s');\n");
    loadInGerman(path);

    const MemorySuggestions& shown = memory->Suggestions();
    EXPECT_EQ(shown.name, "_SAVE");
    ASSERT_EQ(shown.matches.size(), 3u);
    EXPECT_EQ(shown.matches[0].translation, "\xC3\x84nderungen speichern");
    EXPECT_EQ(shown.matches[0].score, 100);
    EXPECT_EQ(shown.matches[1].translation, "Speichern");
    EXPECT_EQ(shown.matches[1].score, 100);
    EXPECT_EQ(shown.matches[2].translation, "Alle \xC3\x84nderungen speichern");
    EXPECT_LT(shown.matches[2].score, 100);
    EXPECT_EQ(marked(shown.matches[2].sourceMarks), "Save [all] changes");

    memory->UseSuggestion(2);
    EXPECT_EQ(rig.windows.translation, "Speichern");
    EXPECT_EQ(rig.windows.selectedTranslation, "Speichern");
    EXPECT_EQ(rig.job.WorkingLines()[1], "define('_SAVE', 'Save changes');");
    memory->UseSuggestion(4);
    EXPECT_EQ(rig.windows.beeps, 1);
    EXPECT_EQ(rig.windows.translation, "Speichern");

    // The next entry's placeholders go into the match's translation.
    typeAndStep("Speichern");
    ASSERT_EQ(memory->Suggestions().matches.size(), 1u);
    EXPECT_EQ(memory->Suggestions().matches[0].score, 99);
    EXPECT_EQ(memory->Suggestions().matches[0].translation, "Parzelle %s von %s");
}

TEST_F(MemoryJobTest, AnEntryWhoseSourceChangedIsToReviewUntilCommitted)
{
    const std::string path
        = files.write("lang_en.php", "<?php\ndefine('_HI', 'Hello');\ndefine('_BYE', 'Goodbye');\n"
                                     "define('_NEW', 'New');\n");
    loadInGerman(path);
    typeAndStep("Hallo");
    typeAndStep("Tsch\xC3\xBCss");
    rig.job.Save();
    settle();

    // The next release changes one text the translation was made from.
    files.write("lang_en.php", "<?php\ndefine('_HI', 'Hello there');\ndefine('_BYE', 'Goodbye');\n"
                               "define('_NEW', 'New');\n");
    continueWith(path);
    EXPECT_EQ(rig.windows.progressPanel, "translated 2 of 3, 1 to review");
    EXPECT_EQ(rig.job.EntriesToReview(), (std::set<std::string>{"_HI"}));

    // A save that did not visit the entry leaves it to review.
    rig.job.Save();
    settle();
    continueWith(path);
    EXPECT_EQ(rig.windows.progressPanel, "translated 2 of 3, 1 to review");

    rig.job.NextToReview();
    settle();
    EXPECT_EQ(rig.windows.name, "_HI");
    const MemorySuggestions& shown = memory->Suggestions();
    ASSERT_TRUE(shown.toReview);
    EXPECT_EQ(marked(shown.oldSource), "Hello");
    EXPECT_EQ(marked(shown.newSource), "Hello [there]");

    // Committed as it stands, the translation counts as made from the new text.
    rig.job.Volgende();
    settle();
    EXPECT_EQ(rig.windows.progressPanel, "translated 2 of 3");
    EXPECT_FALSE(memory->Suggestions().toReview);
    rig.job.NextToReview();
    EXPECT_EQ(rig.windows.beeps, 1);
    rig.job.Save();
    settle();
    continueWith(path);
    EXPECT_EQ(rig.windows.progressPanel, "translated 2 of 3");
}

TEST_F(MemoryJobTest, FillFromMemoryTakesExactTextsForUntranslatedEntriesOnly)
{
    storeRecords({
        {"de", "Save", "Speichern", "_SAVE", "a.php", 1, 0},
        {"de", "Cancel", "Abbrechen", "_CANCEL", "a.php", 1, 0},
        {"de", "Close", "Schlie\xC3\x9F" "en", "_CLOSE", "a.php", 1, 0},
        {"de", "Open", "\xC3\x96" "ffnen", "_OPEN", "a.php", 1, 0},
    });
    const std::string path = files.write("lang_en.php", "<?php\ndefine('_SAVE', 'Save');\ndefine('_CANCEL', 'Cancel');\n"
                                                        "define('_CLOSE', 'Close');\ndefine('_HELP', 'Help');\n"
                                                        "define('_OPEN', 'Open');\n");
    loadInGerman(path);
    typeAndStep("Sichern");
    // Typed into the field, not committed yet.
    rig.windows.translation = "Verwerfen";
    memory->FillFromMemory();
    settle();

    ASSERT_EQ(filled.size(), 1u);
    EXPECT_EQ(filled[0], "2 entries filled from the translation memory");
    const LineList& lines = rig.job.WorkingLines();
    EXPECT_EQ(lines[1], "define('_SAVE', 'Sichern');");
    EXPECT_EQ(lines[2], "define('_CANCEL', 'Verwerfen');");
    EXPECT_EQ(lines[3], "define('_CLOSE', 'Schlie\xC3\x9F" "en');");
    EXPECT_EQ(lines[4], "define('_HELP', 'Help');");
    EXPECT_EQ(lines[5], "define('_OPEN', '\xC3\x96" "ffnen');");
    EXPECT_EQ(rig.windows.progressPanel, "translated 4 of 5 *");
    // The findings follow the filled lines as well.
    std::vector<std::string> leftUnchanged;
    for (const Finding& finding : rig.job.Problems())
        if (finding.check == "unchanged")
            leftUnchanged.push_back(finding.constant);
    EXPECT_EQ(leftUnchanged, std::vector<std::string>{"_HELP"});
}

TEST_F(MemoryJobTest, ADamagedMemoryIsToldOnceAndTheTranslationIsSavedAllTheSame)
{
    makeUserFolder(userFolder(UserFolder::Data));
    files.write("garbage", std::string(8192, '\x01'));
    std::filesystem::copy_file(files.path("garbage"), userMemoryPath());
    const std::string path = files.write("lang_en.php", "<?php\ndefine('_SAVE', 'Save');\n");
    loadInGerman(path);
    typeAndStep("Speichern");
    rig.job.Save();
    settle();
    rig.job.Save();
    settle();

    EXPECT_NE(files.read("Translated_lang_en.php").find("'Speichern'"), std::string::npos);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find("moved aside"), std::string::npos) << problems[0];
    MemoryStore store(userMemoryPath());
    EXPECT_EQ(store.exactMatches("de", "Save", "", 5).size(), 1u);
}

TEST_F(MemoryJobTest, WithoutALanguageThereAreNoSuggestionsAndTheLanguageChosenIsKeptForTheFile)
{
    const char* locale = std::getenv("LC_ALL");
    const std::string before = locale ? locale : "";
    ::setenv("LC_ALL", "C", 1);
    const std::string path = files.write("site.php", "<?php\ndefine('_SAVE', 'Save');\n");
    storeRecords({{"nl", "Save", "Opslaan", "_SAVE", "a.php", 1, 0}});
    rig.load(path);
    settle();
    EXPECT_EQ(memory->Language(), "");
    EXPECT_TRUE(memory->Suggestions().matches.empty());
    EXPECT_EQ(memory->Suggestions().name, "_SAVE");

    memory->ChooseLanguage("Dutch");
    settle();
    EXPECT_EQ(memory->Language(), "nl");
    ASSERT_EQ(memory->Suggestions().matches.size(), 1u);
    EXPECT_EQ(LanguageChoices::load().chosenFor(rig.job.TranslatedFilePath()), "nl");
    EXPECT_THROW(memory->ChooseLanguage("Klingon"), KalmoError);
    if (locale)
        ::setenv("LC_ALL", before.c_str(), 1);
    else
        ::unsetenv("LC_ALL");
}

} // namespace
} // namespace kalmo
