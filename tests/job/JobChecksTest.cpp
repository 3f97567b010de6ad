// The job's checks: its findings follow each commit as a whole check of the
// lines would, the entry on show is checked as typed, Next and Previous
// Problem step between entries with errors and warnings, and a silenced
// finding stays silenced, kept in the user's data folder.
#include "job/UserTable.h"
#include "tests/job/JobTestFixture.h"
#include "testing/UserFolders.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kalmo {
namespace {

// Entries at 1 to 4.
const char* const kFile = "<?php\n"
                          "define('_HELLO', 'Hello %s');\n"
                          "define('_SAVED', 'Saved.');\n"
                          "define('_BYE', 'Bye');\n"
                          "define('_OPEN', 'Open <b>file</b>');\n"
                          "?>\n";

class JobChecksTest : public TranslationJobTest {
protected:
    // Types into the field and commits with Enter.
    void commit(const char* text)
    {
        windows.translation = text;
        job.FormKeyDown(vk::Enter);
    }

    std::vector<std::string> fixes() const
    {
        std::vector<std::string> found;
        for (const Finding& finding : job.Problems())
            if (asksForAFix(finding))
                found.push_back(finding.constant + " " + finding.check);
        return found;
    }

    testing_support::UserFolders userFolders;
};

TEST_F(JobChecksTest, FindingsFollowEachCommitAsAWholeCheckWould)
{
    load("lang.php", kFile);
    EXPECT_EQ(fixes(), std::vector<std::string>{});
    commit("Hallo");
    commit("Gespeichert");
    commit("Tsch\xC3\xBC\xC3\x9F");
    commit("Datei <b>\xC3\xB6" "ffnen");
    EXPECT_EQ(fixes(), (std::vector<std::string>{"_HELLO placeholders", "_SAVED end-punctuation", "_OPEN html-tags"}));
    const auto whole = [&] {
        std::vector<std::string> found;
        for (const Finding& finding : checkTranslation({"lang.php", &job.SourceLines()},
                                                       {job.TranslatedFilePath(), &job.WorkingLines()}))
            found.push_back(std::to_string(finding.line) + " " + finding.check + ": " + finding.message);
        return found;
    };
    const auto kept = [&] {
        std::vector<std::string> found;
        for (const Finding& finding : job.Problems())
            found.push_back(std::to_string(finding.line) + " " + finding.check + ": " + finding.message);
        return found;
    };
    EXPECT_EQ(kept(), whole());
    // The last entry stays on show.
    commit("Datei <b>\xC3\xB6" "ffnen</b>");
    EXPECT_EQ(kept(), whole());
    EXPECT_EQ(fixes(), (std::vector<std::string>{"_HELLO placeholders", "_SAVED end-punctuation"}));
}

TEST_F(JobChecksTest, EntryOnShowIsCheckedAsTyped)
{
    load("lang.php", kFile);
    ASSERT_EQ(windows.name, "_HELLO");
    const auto checksOf = [&](const char* typed) {
        std::vector<std::string> found;
        for (const Finding& finding : job.EntryProblems(typed))
            found.push_back(finding.check + " " + std::to_string(finding.line) + ": " + finding.message);
        return found;
    };
    EXPECT_EQ(checksOf("Hello %s"), std::vector<std::string>{"unchanged 2: _HELLO is not translated yet"});
    EXPECT_EQ(checksOf("Hallo"), std::vector<std::string>{"placeholders 2: placeholder %s is missing"});
    EXPECT_EQ(checksOf("Hallo %s, it's me"), std::vector<std::string>{});
    // Nothing is written while typing.
    EXPECT_EQ(job.WorkingLines()[1], "define('_HELLO', 'Hello %s');");
    job.EditWholeLine();
    EXPECT_EQ(checksOf("define('_HELLO', 'x');"), std::vector<std::string>{});
}

TEST_F(JobChecksTest, NextAndPreviousProblemStepFromEntryToEntryWithAFixToMake)
{
    load("lang.php", kFile);
    job.NextProblem();
    EXPECT_EQ(windows.beeps, 1) << "no errors or warnings yet";
    EXPECT_EQ(windows.name, "_HELLO");
    commit("Hallo");       // _HELLO loses its placeholder
    commit("Gespeichert"); // _SAVED its full stop
    ASSERT_EQ(windows.name, "_BYE");
    const auto step = [&](void (TranslationJob::*operation)()) {
        (job.*operation)();
        return windows.name;
    };
    EXPECT_EQ(step(&TranslationJob::NextProblem), "_HELLO"); // on from the start
    EXPECT_EQ(step(&TranslationJob::NextProblem), "_SAVED");
    EXPECT_EQ(step(&TranslationJob::PreviousProblem), "_HELLO");
    EXPECT_EQ(step(&TranslationJob::PreviousProblem), "_SAVED"); // on from the end
    EXPECT_EQ(windows.beeps, 1);
    // The step commits like Next: fixing the entry on show takes it out.
    windows.translation = "Gespeichert.";
    EXPECT_EQ(step(&TranslationJob::NextProblem), "_HELLO");
    windows.translation = "Hallo %s";
    job.NextProblem();
    EXPECT_EQ(windows.name, "_HELLO");
    EXPECT_EQ(windows.beeps, 2);
    EXPECT_EQ(job.WorkingLines()[1], "define('_HELLO', 'Hallo %s');");
}

TEST_F(JobChecksTest, ShowProblemCommitsAndShowsTheEntry)
{
    load("lang.php", kFile);
    commit("Hallo");
    const std::vector<Finding> problems = job.Problems();
    const auto placeholders = std::find_if(problems.begin(), problems.end(),
                                           [](const Finding& finding) { return finding.check == "placeholders"; });
    ASSERT_NE(placeholders, problems.end());
    windows.translation = "Gespeichert.";
    job.ShowProblem(*placeholders);
    EXPECT_EQ(windows.name, "_HELLO");
    EXPECT_EQ(job.WorkingLines()[2], "define('_SAVED', 'Gespeichert.');");
}

TEST_F(JobChecksTest, IgnoredFindingStaysSilencedForThisFileOnlyAndTheFileIsNotTouched)
{
    const std::string path = folder.write("lang.php", kFile);
    load("lang.php", kFile);
    commit("Hallo");
    job.Save();
    const std::string saved = folder.read("Translated_lang.php");
    job.IgnoreProblem("_HELLO", "placeholders");
    EXPECT_EQ(fixes(), std::vector<std::string>{});
    EXPECT_EQ(folder.read("Translated_lang.php"), saved);
    EXPECT_EQ(readUserTable(userTablePath("silenced"), 3),
              (std::vector<UserTableRow>{{"placeholders", "_HELLO", folder.path("Translated_lang.php")}}));

    // Another run of the program, and another file with the same constant.
    testing_support::JobRig again;
    again.windows.answers = {"Continue"};
    again.load(path);
    const std::vector<Finding> problems = again.job.Problems();
    EXPECT_TRUE(std::none_of(problems.begin(), problems.end(),
                             [](const Finding& finding) { return finding.check == "placeholders"; }));
    folder.write("other.php", kFile);
    folder.write("Translated_other.php", saved);
    testing_support::JobRig other;
    other.windows.answers = {"Continue"};
    other.load(folder.path("other.php"));
    ASSERT_FALSE(other.job.Problems().empty());
    EXPECT_EQ(other.job.Problems().front().check, "placeholders");
}

} // namespace
} // namespace kalmo
