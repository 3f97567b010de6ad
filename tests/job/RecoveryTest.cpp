// The job's recovery journal and its ways out of a save, without a screen:
// work a stopped program left comes back as it was; the journal follows the
// work and goes once it is saved; the start offers what a gone program left;
// Save As moves the target; a failed Exit offers Save As, Quit Without
// Saving and Cancel.
#include "base/KalmoError.h"
#include "job/ProcessIdentity.h"
#include "job/RecoveryFolder.h"
#include "job/TranslationJob.h"
#include "testing/CaseNames.h"
#include "testing/GoneProcess.h"
#include "testing/JobRig.h"
#include "testing/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <regex>
#include <string>

namespace kalmo {
namespace {

using testing_support::TempFolder;

const char* const kLangFile = "<?php\n"
                              "define('_A', 'a');\n"
                              "define('_B', 'b');\n"
                              "?>\n";

std::string readText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A job as one start of the window program has it, keeping its journal in
// the test's folder.
struct Program : testing_support::JobRig {
    explicit Program(const std::string& recovery) { job.KeepRecoveryJournalIn(recovery); }
};

class RecoveryTest : public testing::Test {
protected:
    std::unique_ptr<Program> start() const { return std::make_unique<Program>(recovery.path()); }

    std::string load(Program& program, const std::string& name = "lang.php", const std::string& content = kLangFile)
    {
        const std::string path = folder.exists(name) ? folder.path(name) : folder.write(name, content);
        program.load(path);
        return path;
    }

    // As if the program that wrote the journal had been killed.
    void makeItsProgramGone(const std::string& source) const
    {
        RecoveryJournal journal = recovery.read(recovery.journalPathFor(source));
        journal.processId = testing_support::goneProcessId();
        recovery.write(journal);
    }

    std::size_t journals() const { return recovery.journals().size(); }

    TempFolder folder;
    RecoveryFolder recovery{folder.path("recovery")};
    std::unique_ptr<Program> first = start();
};

struct WorkCase {
    const char* name;
    std::string content;
    std::function<void(Program&)> work;
};

class RecoveredWork : public RecoveryTest, public testing::WithParamInterface<WorkCase> {};

// The recovered job is where the stopped one was, with the mark of unsaved
// work, and Exit writes the same bytes as the stopped one would have.
TEST_P(RecoveredWork, ExitWritesWhatTheStoppedProgramWould)
{
    const std::string source = load(*first, "lang.php", GetParam().content);
    GetParam().work(*first);
    first->job.KeepJournal();
    ASSERT_EQ(journals(), 1u);

    const auto second = start();
    second->job.Recover(source);
    EXPECT_EQ(second->windows.status, "Sourcefile: lang.php recovered.");
    EXPECT_EQ(second->job.CurrentEntry(), first->job.CurrentEntry());
    EXPECT_EQ(second->job.WholeLineMode(), first->job.WholeLineMode());
    EXPECT_EQ(second->job.FullTextMode(), first->job.FullTextMode());
    EXPECT_EQ(second->job.SourceLines(), first->job.SourceLines());
    EXPECT_EQ(second->windows.translation, first->windows.translation);
    EXPECT_TRUE(second->job.ProgressText().ends_with(" *")) << second->job.ProgressText();
    const std::string target = first->job.TranslatedFilePath();
    EXPECT_EQ(second->job.TranslatedFilePath(), target);

    second->job.Exit1Click();
    const std::string recovered = readText(target);
    std::filesystem::remove(target);
    first->job.Exit1Click();
    EXPECT_TRUE(readText(target) == recovered);
    EXPECT_EQ(journals(), 0u);
}

void typeIntoPane(Program& program, const std::u32string& text)
{
    for (const char32_t ch : text)
        program.memo2.KeyPress(ch);
}

INSTANTIATE_TEST_SUITE_P(
    Work, RecoveredWork,
    testing::Values(
        WorkCase{"typed text with a CR in a CR LF file", "<?php\r\ndefine('_A', 'a');\r\ndefine('_B', 'b');\r\n?>\r\n",
                 [](Program& p) {
                     p.windows.translation = "x\ry";
                     p.job.Volgende();
                     p.windows.translation = "typed, not committed";
                 }},
        WorkCase{"raw bytes of a Windows-1252 file",
                 "<?php\ndefine('_A', 'caf\xE9 \x81');\ndefine('_B', '\x80 \x8D');\n?>\n",
                 [](Program& p) {
                     p.job.Volgende();
                     p.windows.translation = "th\xC3\xA9 \xE2\x82\xAC \xC2\x8D";
                     p.job.Volgende();
                 }},
        WorkCase{"a very long line", "<?php\ndefine('_A', '" + std::string(300000, 'a') + "');\n?>\n",
                 [](Program& p) {
                     p.windows.translation = std::string(500000, 'y');
                     p.job.Volgende();
                 }},
        WorkCase{"full-text mode with more lines", kLangFile,
                 [](Program& p) {
                     p.job.FormKeyDown(vk::F2);
                     p.memo2.KeyDown(vk::End, 0);
                     typeIntoPane(p, U"\r// one\r// two");
                     EXPECT_EQ(p.memo2.Lines().LineCount(), 6);
                 }},
        WorkCase{"whole-line mode", kLangFile,
                 [](Program& p) {
                     p.job.FormKeyDown(vk::F1);
                     p.windows.translation = "define('_A', 'the whole line');";
                     p.job.Volgende();
                 }},
        WorkCase{"a target chosen with Save As", kLangFile,
                 [](Program& p) {
                     p.windows.targetAnswer = (std::filesystem::path(p.job.FileName()).parent_path() / "other.php").string();
                     p.job.SaveAs();
                     p.windows.translation = "after";
                     p.job.Volgende();
                 }}),
    testing_support::NameFrom<&WorkCase::name>());

TEST_F(RecoveryTest, JournalFollowsTheWorkAndGoesOnceItIsSaved)
{
    load(*first);
    EXPECT_EQ(journals(), 0u) << "a load is no work";
    first->windows.translation = "Apfel";
    first->job.KeepJournal();
    EXPECT_EQ(journals(), 1u) << "typed text";
    first->job.Volgende();
    EXPECT_EQ(journals(), 1u);
    first->job.Save();
    EXPECT_EQ(journals(), 0u) << "saved";

    first->windows.translation = "Birne";
    first->job.Volgende();
    EXPECT_EQ(journals(), 1u) << "a step with unsaved work";
    load(*first, "other.php", kLangFile);
    EXPECT_EQ(journals(), 0u) << "another file loaded after the save";
    EXPECT_NE(folder.read("Translated_lang.php").find("Birne"), std::string::npos);

    first->windows.translation = "Kirsche";
    first->job.Volgende();
    EXPECT_EQ(journals(), 1u);
    first->job.Exit1Click();
    EXPECT_EQ(journals(), 0u) << "exit";
}

TEST_F(RecoveryTest, JournalAnotherProgramLeftIsKeptAsideNotReplaced)
{
    const std::string source = load(*first);
    first->windows.translation = "left behind";
    first->job.Volgende();
    makeItsProgramGone(source);

    const auto second = start();
    load(*second);
    second->windows.translation = "new work";
    second->job.Volgende();
    const std::string journal = recovery.journalPathFor(source);
    EXPECT_NE(readText(journal + ".discarded").find("left behind"), std::string::npos);
    EXPECT_NE(readText(journal).find("new work"), std::string::npos);
}

class AbandonedWorkOffer : public RecoveryTest {
protected:
    // A journal of a gone program for each file, and a start that answers with these captions.
    std::unique_ptr<Program> startAfterAKill(const std::vector<std::string>& names,
                                             const std::vector<std::string>& answers)
    {
        for (const std::string& name : names) {
            const std::string source = load(*first, name, kLangFile);
            first->windows.translation = "work on " + name;
            first->job.Volgende();
            // The next load must not save this work, so that it stays only in the journal.
            auto stopped = std::exchange(first, start());
            makeItsProgramGone(source);
        }
        auto next = start();
        next->windows.answers.assign(answers.begin(), answers.end());
        next->job.OfferAbandonedWork();
        return next;
    }
};

TEST_F(AbandonedWorkOffer, RecoverLoadsTheWorkAsItWas)
{
    const auto next = startAfterAKill({"lang.php"}, {"Recover"});
    ASSERT_EQ(next->windows.questions.size(), 1u);
    const Question& question = next->windows.questions[0];
    EXPECT_TRUE(std::regex_match(question.text,
                                 std::regex("KALMO Translator was stopped before lang\\.php was saved \\(at "
                                            "[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}, 1 entry changed\\)\\. "
                                            "Recover that work\\?")))
        << question.text;
    EXPECT_EQ(question.answers, (std::vector<std::string>{"Recover", "Discard"}));
    EXPECT_TRUE(next->job.Loaded());
    EXPECT_EQ(next->job.WorkingLines()[1], "define('_A', 'work on lang.php');");
    EXPECT_EQ(next->job.CurrentEntry(), 2);
    EXPECT_EQ(next->windows.progressPanel, "translated 1 of 2 *");
    EXPECT_FALSE(folder.exists("Translated_lang.php"));
    // The journal is the running program's now: no second start offers it.
    const auto third = start();
    third->job.OfferAbandonedWork();
    EXPECT_TRUE(third->windows.questions.empty());
}

TEST_F(AbandonedWorkOffer, DiscardKeepsTheJournalAsDiscardedReplacingAnOlderOne)
{
    startAfterAKill({"lang.php"}, {"Discard"});
    const std::string journal = recovery.journalPathFor(folder.path("lang.php"));
    EXPECT_EQ(journals(), 0u);
    EXPECT_NE(readText(journal + ".discarded").find("work on lang.php"), std::string::npos);

    const auto next = startAfterAKill({"lang.php"}, {"Discard"});
    EXPECT_TRUE(next->windows.notes.empty());
    EXPECT_FALSE(next->job.Loaded());
    EXPECT_EQ(next->windows.status, "Waiting..");
    EXPECT_EQ(journals(), 0u);
    EXPECT_TRUE(std::filesystem::exists(journal + ".discarded"));
}

TEST_F(AbandonedWorkOffer, EachJournalIsOfferedAndAProblemWithOneIsTold)
{
    // A program still running keeps its journal to itself.
    Program running(recovery.path());
    load(running, "running.php", kLangFile);
    running.windows.translation = "still at work";
    running.job.Volgende();
    const std::string damaged = folder.write("recovery/damaged.journal", "KALMO Translator recovery journal 1\nsource");

    const auto next = startAfterAKill({"a.php", "b.php"}, {"Discard", "Recover"});
    EXPECT_EQ(next->windows.questions.size(), 2u);
    EXPECT_EQ(next->job.FileName(), folder.path("b.php"));
    ASSERT_EQ(next->windows.notes.size(), 1u);
    ASSERT_EQ(next->windows.notes[0].size(), 1u);
    EXPECT_EQ(next->windows.notesHeading, "Not recovered:");
    EXPECT_NE(next->windows.notes[0][0].find("is damaged"), std::string::npos) << next->windows.notes[0][0];
    EXPECT_NE(next->windows.notes[0][0].find("It is kept as \"" + damaged + ".damaged\""), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(damaged + ".damaged"));
}

TEST_F(RecoveryTest, RecoverRefusesASourceThatChangedAndKeepsTheJournal)
{
    const std::string source = load(*first);
    first->windows.translation = "Apfel";
    first->job.Volgende();
    folder.write("lang.php", "<?php\ndefine('_NEW', 'n');\n?>\n");
    const auto second = start();
    try {
        second->job.Recover(source);
        ADD_FAILURE() << "recovered";
    } catch (const KalmoError& error) {
        EXPECT_EQ(std::string(error.what()), "The work on \"" + source + "\" cannot be recovered: the file has changed "
                                             "since the work was kept. The recovery journal stays in \""
                                             + recovery.journalPathFor(source) + "\"");
    }
    EXPECT_FALSE(second->job.Loaded());
    EXPECT_EQ(journals(), 1u);
}

struct ExitAnswer {
    const char* name;
    std::vector<std::string> answers;
    bool chooseElsewhere;
    bool ends;
    std::size_t questions;
};

class FailedExit : public RecoveryTest, public testing::WithParamInterface<ExitAnswer> {};

TEST_P(FailedExit, OffersAWayOut)
{
    const ExitAnswer& answer = GetParam();
    const std::string source = load(*first);
    first->windows.translation = "Apfel";
    // A folder in the translated file's place cannot be replaced.
    std::filesystem::create_directory(folder.path("Translated_lang.php"));
    first->windows.answers.assign(answer.answers.begin(), answer.answers.end());
    if (answer.chooseElsewhere)
        first->windows.targetAnswer = folder.path("elsewhere.php");

    bool answeredError = false;
    try {
        first->job.Exit1Click();
    } catch (const AnsweredError& error) {
        answeredError = true;
        EXPECT_EQ(std::string(error.what()).rfind("Cannot create file \"" + folder.path("Translated_lang.php"), 0), 0u);
    }
    EXPECT_EQ(first->windows.ended, answer.ends);
    EXPECT_EQ(answeredError, !answer.ends);
    ASSERT_EQ(first->windows.questions.size(), answer.questions);
    const Question& question = first->windows.questions[0];
    EXPECT_EQ(question.text, "Cannot create file \"" + folder.path("Translated_lang.php")
                                 + "\". Is a directory. Save the translation under another name, or quit and keep "
                                   "the work for the next start?");
    EXPECT_EQ(question.answers, (std::vector<std::string>{"Save As\u2026", "Quit Without Saving", "Cancel"}));
    EXPECT_EQ(question.answers[question.defaultAnswer], "Cancel");
    EXPECT_EQ(question.answers[question.cancelAnswer], "Cancel");

    const bool savedElsewhere = folder.exists("elsewhere.php");
    EXPECT_EQ(savedElsewhere, answer.chooseElsewhere);
    const bool quit = answer.ends && !answer.chooseElsewhere;
    if (answer.ends) {
        // What still runs after the end leaves the journal alone.
        first->job.KeepJournal();
        first->job.Volgende();
    }
    ASSERT_EQ(journals(), quit ? 1u : 0u);
    if (quit) {
        const auto next = start();
        next->job.Recover(source);
        EXPECT_EQ(next->windows.translation, "Apfel");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, FailedExit,
    testing::Values(ExitAnswer{"Cancel by default", {}, false, false, 1},
                    ExitAnswer{"Quit Without Saving keeps the work in the journal", {"Quit Without Saving"}, false,
                               true, 1},
                    ExitAnswer{"Save As writes elsewhere and ends", {"Save As\u2026"}, true, true, 1},
                    ExitAnswer{"a cancelled Save As asks again", {"Save As\u2026"}, false, false, 2}),
    testing_support::NameFrom<&ExitAnswer::name>());

TEST_F(RecoveryTest, SaveAsMovesTheTargetAndKeepsWhatStoodThere)
{
    load(*first);
    first->windows.translation = "Apfel";
    first->windows.targetAnswer = folder.write("chosen.php", "<?php // someone's file\n");
    first->job.SaveAs();
    EXPECT_EQ(first->windows.lastDialog.title, "Save Translation As");
    EXPECT_EQ(first->job.TranslatedFilePath(), folder.path("chosen.php"));
    EXPECT_NE(folder.read("chosen.php").find("'Apfel'"), std::string::npos);
    EXPECT_EQ(folder.read("chosen.php.bak"), "<?php // someone's file\n");
    EXPECT_FALSE(folder.exists("Translated_lang.php"));

    first->windows.translation = "Birne";
    first->job.Save();
    EXPECT_NE(folder.read("chosen.php").find("'Birne'"), std::string::npos);

    // A name that cannot be written leaves the target where it was.
    first->windows.targetAnswer = folder.path("missing folder/x.php");
    EXPECT_THROW(first->job.SaveAs(), KalmoError);
    first->windows.targetAnswer.reset();
    first->job.SaveAs();
    first->job.Exit1Click();
    EXPECT_EQ(first->job.TranslatedFilePath(), folder.path("chosen.php"));
    EXPECT_FALSE(folder.exists("Translated_lang.php"));
}

} // namespace
} // namespace kalmo
