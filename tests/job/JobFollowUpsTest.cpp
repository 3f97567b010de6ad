// What follows a commit without looking at the whole file again (the
// progress count, the unsaved mark, the findings, the lower pane, the
// recovery journal) agrees on random seeded sessions with what the whole lists give.
#include "JobTestFixture.h"

#include "job/LanguageFile.h"
#include "job/LineChanges.h"
#include "job/RecoveryFolder.h"
#include "job/TranslationCheck.h"
#include "job/TranslationProgress.h"

#include <filesystem>
#include <random>

namespace kalmo {
namespace {

// Entries of both quotes, one the field cannot write, lines the pane tidies
// (tabs, trailing blanks) and a comment block the entry search passes over.
const char* const kSessionFile = "<?php\n"
                                 "define('_A', 'Alpha');\n"
                                 "define(\"_B\",\t\"Beta\");   \n"
                                 "/* define('_HIDDEN', 'no');\n"
                                 "*/\n"
                                 "define('_C', 'Gamma'); // note\t\n"
                                 "define('_CALL', strtoupper('x'));\n"
                                 "\t$x = 1;  \n"
                                 "define('_D', 'Delta');\n"
                                 "define('_E', '');\n"
                                 "?>\n";

const char* const kTyped[] = {"Alfa", "", "Beta", "it's", "Gamma \"g\"", "Delta"};

class JobFollowUps : public TranslationJobTest, public ::testing::WithParamInterface<unsigned> {};

TEST_P(JobFollowUps, AgreeWithTheWholeListsAfterEveryStep)
{
    std::mt19937 random(GetParam());
    // Keys typed at random into the free editor make no PHP.
    job.OnSaved = nullptr;
    const auto pick = [&](int count) { return static_cast<int>(random() % static_cast<unsigned>(count)); };
    const std::string journals = folder.path("journals");
    job.KeepRecoveryJournalIn(journals);
    load("session.php", kSessionFile);
    const LineList loaded = readLanguageFile(folder.path("session.php")).lines;

    for (int step = 0; step < 80; ++step) {
        switch (pick(9)) {
        case 0: job.Vorige(); break;
        case 1: job.EditWholeLine(); break;
        case 2: job.FullEdit(); break;
        case 3: job.NextUntranslated(); break;
        case 4: job.Save(); break;
        case 5:
            // The free editor's keys, where it takes them.
            memo2.KeyDown(pick(2) == 0 ? vk::Down : vk::Up, 0);
            if (job.FullTextMode() && pick(2) == 0)
                memo2.KeyPress(pick(4) == 0 ? U' ' : U'q');
            job.KeepJournal();
            break;
        default:
            if (!job.FullTextMode() && !job.WholeLineMode())
                windows.translation = kTyped[pick(6)];
            try {
                job.Volgende();
            } catch (const KalmoError&) {
                windows.translation = "";
            }
            break;
        }
        SCOPED_TRACE("step " + std::to_string(step));
        const LineList& working = job.WorkingLines();
        const auto described = [](const std::vector<Finding>& findings) {
            std::vector<std::string> lines;
            for (const Finding& finding : findings)
                lines.push_back(finding.file + ":" + std::to_string(finding.line) + " " + finding.check + ": "
                                + finding.message);
            return lines;
        };
        EXPECT_EQ(described(job.Problems()),
                  described(checkTranslation({job.FileName(), &loaded}, {job.TranslatedFilePath(), &working},
                                             {job.Encoding()})));
        // The lower pane as Exit writes it: outside the free editor the
        // working lines, in it the journal's pane (kept while unsaved).
        LineList written = working;
        const std::string journalPath = RecoveryFolder(journals).journalPathFor(job.FileName());
        if (std::filesystem::exists(journalPath)) {
            const RecoveryJournal journal = RecoveryFolder(journals).read(journalPath);
            EXPECT_EQ(journal.sourceLines, changesBetween(loaded, job.SourceLines()));
            EXPECT_EQ(journal.workingLines, changesBetween(job.SourceLines(), working));
            EXPECT_EQ(journal.paneLines.has_value(), job.FullTextMode());
            if (journal.paneLines)
                written = applyChanges(working, *journal.paneLines);
        } else if (job.FullTextMode()) {
            EXPECT_FALSE(job.ProgressText().ends_with(" *"));
            continue;
        }
        EXPECT_EQ(job.ProgressText(), progressText(entryProgress(loaded, working), written != job.SavedLines(), 0));
        ASSERT_EQ(memo2.Lines().LineCount(), static_cast<int>(written.size()));
        for (int i = 0; i < memo2.Lines().LineCount(); ++i) {
            const std::string& shown = memo2.Lines().Line(i);
            const std::string& line = written[static_cast<std::size_t>(i)];
            EXPECT_TRUE(shown == line || memo2.Lines().Tidied(shown) == memo2.Lines().Tidied(line)) << i << ": " << shown;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, JobFollowUps, ::testing::Range(1u, 16u));

} // namespace
} // namespace kalmo
