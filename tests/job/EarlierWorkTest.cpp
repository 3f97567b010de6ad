// An earlier translation is never buried: the backups a save keeps, the
// question a load asks about an existing Translated_ file, and reloads
// that carry the work on.
#include "testing/CaseNames.h"
#include "tests/job/JobTestFixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <string>

namespace kalmo {
namespace {

namespace fs = std::filesystem;

const char* const kLang = "<?php\ndefine('_A', 'a');\n?>\n";
const char* const kWork = "<?php\ndefine('_A','work');\n?>\n";
const char* const kTypedAndSaved = "<?php\ndefine('_A', 'Apfel');\n?>\n";

// A value "-> NAME" stands for a symbolic link to NAME.
using FolderContents = std::map<std::string, std::string>;

FolderContents contentsOf(const testing_support::TempFolder& folder)
{
    FolderContents contents;
    for (const auto& entry : fs::directory_iterator(folder.root())) {
        const std::string name = entry.path().filename().string();
        contents[name] = entry.is_symlink() ? "-> " + fs::read_symlink(entry.path()).string() : folder.read(name);
    }
    return contents;
}

void put(const testing_support::TempFolder& folder, const FolderContents& contents)
{
    for (const auto& [name, content] : contents) {
        if (content.starts_with("-> "))
            fs::create_symlink(content.substr(3), folder.path(name));
        else
            folder.write(name, content);
    }
}

struct BackupCase {
    const char* what;
    FolderContents before; // beside lang.php
    FolderContents after;  // beside lang.php and the Translated_ file Exit wrote
};

void PrintTo(const BackupCase& c, std::ostream* out) { *out << c.what; }

class BackupOnExit : public TranslationJobTest, public testing::WithParamInterface<BackupCase> {};

TEST_P(BackupOnExit, KeepsEveryEarlierFileAndWritesNoneThroughALink)
{
    folder.write("lang.php", kLang);
    put(folder, GetParam().before);
    windows.answers = {"Start Over"};
    JobRig::load(folder.path("lang.php"));
    windows.translation = "Apfel";
    job.Exit1Click();

    FolderContents expected = GetParam().after;
    expected["lang.php"] = kLang;
    expected["Translated_lang.php"] = kTypedAndSaved;
    EXPECT_EQ(contentsOf(folder), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Folders, BackupOnExit,
    testing::Values(
        BackupCase{"no translated file", {}, {}},
        BackupCase{"no backup yet", {{"Translated_lang.php", kWork}}, {{"Translated_lang.php.bak", kWork}}},
        BackupCase{"the same backup",
                   {{"Translated_lang.php", kWork}, {"Translated_lang.php.bak", kWork}},
                   {{"Translated_lang.php.bak", kWork}}},
        BackupCase{"a different backup",
                   {{"Translated_lang.php", kWork}, {"Translated_lang.php.bak", "older"}},
                   {{"Translated_lang.php.bak", kWork}, {"Translated_lang.php.bak.1", "older"}}},
        BackupCase{"bak.1 taken",
                   {{"Translated_lang.php", kWork},
                    {"Translated_lang.php.bak", "older"},
                    {"Translated_lang.php.bak.1", "oldest"}},
                   {{"Translated_lang.php.bak", kWork},
                    {"Translated_lang.php.bak.1", "oldest"},
                    {"Translated_lang.php.bak.2", "older"}}},
        BackupCase{"bak a link to the source file",
                   {{"Translated_lang.php", kWork}, {"Translated_lang.php.bak", "-> lang.php"}},
                   {{"Translated_lang.php.bak", kWork}}},
        BackupCase{"bak.1 a dangling link",
                   {{"Translated_lang.php", kWork},
                    {"Translated_lang.php.bak", "older"},
                    {"Translated_lang.php.bak.1", "-> gone.php"}},
                   {{"Translated_lang.php.bak", kWork},
                    {"Translated_lang.php.bak.1", "-> gone.php"},
                    {"Translated_lang.php.bak.2", "older"}}}),
    testing_support::NameFrom<&BackupCase::what>{});

// Three entries; the earlier translation has the first and lacks the third.
const char* const kThreeEntries = "<?php\ndefine('_A', 'a');\ndefine('_B', 'b');\ndefine('_C', 'c');\n?>\n";
const char* const kEarlier = "<?php\ndefine('_A', 'eins');\ndefine('_B', 'b');\n?>\n";
const char* const kQuestion = "Translated_lang.php already holds a translation (1 of 3 entries translated). "
                              "Continue it, or start over? Starting over keeps it as a backup.";

using testing_support::FakeTranslationJobView;
using testing_support::JobRig;
using testing_support::TempFolder;
using JobStep = std::function<void(TranslationJob&, FakeTranslationJobView&, const TempFolder&)>;

struct AnswerCase {
    const char* answer;
    JobStep check;
};

void PrintTo(const AnswerCase& c, std::ostream* out) { *out << c.answer; }

class EarlierTranslationQuestion : public TranslationJobTest, public testing::WithParamInterface<AnswerCase> {};

TEST_P(EarlierTranslationQuestion, IsAskedOnLoadAndEachAnswerDoesWhatItSays)
{
    // A job on show, with text typed and not yet committed.
    load("other.php", kTenLines);
    job.Volgende();
    windows.translation = "typed";
    folder.write("lang.php", kThreeEntries);
    folder.write("Translated_lang.php", kEarlier);

    windows.answers = {GetParam().answer};
    JobRig::load(folder.path("lang.php"));

    ASSERT_EQ(windows.questions.size(), 1u);
    EXPECT_EQ(windows.questions[0].text, kQuestion);
    EXPECT_EQ(windows.questions[0].answers, (std::vector<std::string>{"Continue", "Start Over", "Cancel"}));
    EXPECT_EQ(windows.questions[0].defaultAnswer, 0u);
    EXPECT_EQ(windows.questions[0].cancelAnswer, 2u);
    GetParam().check(job, windows, folder);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, EarlierTranslationQuestion,
    testing::Values(
        AnswerCase{"Continue",
                   [](TranslationJob& job, FakeTranslationJobView& windows, const TempFolder& folder) {
                       EXPECT_EQ(job.WorkingLines()[1], "define('_A', 'eins');");
                       // At the first entry left to translate.
                       EXPECT_EQ(job.CurrentEntry(), 2);
                       EXPECT_EQ(windows.status, "Sourcefile: lang.php loaded and parsed.");
                       EXPECT_EQ(windows.progressPanel, "translated 1 of 3 *");
                       // The job left was saved first, as any load saves it.
                       EXPECT_NE(folder.read("Translated_other.php").find("\"typed\""), std::string::npos);
                   }},
        AnswerCase{"Start Over",
                   [](TranslationJob& job, FakeTranslationJobView& windows, const TempFolder& folder) {
                       EXPECT_EQ(job.WorkingLines(), job.SourceLines());
                       EXPECT_EQ(job.CurrentEntry(), 1);
                       EXPECT_EQ(windows.progressPanel, "translated 0 of 3");
                       job.Exit1Click();
                       EXPECT_EQ(folder.read("Translated_lang.php"), kThreeEntries);
                       EXPECT_EQ(folder.read("Translated_lang.php.bak"), kEarlier);
                   }},
        AnswerCase{"Cancel",
                   [](TranslationJob& job, FakeTranslationJobView& windows, const TempFolder& folder) {
                       EXPECT_EQ(job.FileName(), folder.path("other.php"));
                       EXPECT_EQ(job.CurrentEntry(), 5);
                       EXPECT_EQ(windows.status, "Line: 5/9");
                       EXPECT_EQ(windows.translation, "typed");
                       EXPECT_FALSE(folder.exists("Translated_other.php"));
                       EXPECT_EQ(folder.read("Translated_lang.php"), kEarlier);
                   }}),
    testing_support::NameFrom<&AnswerCase::answer>{});

TEST_F(TranslationJobTest, LoadAsksNothingWithoutAnEarlierTranslationOrForOneThisRunWrote)
{
    load("lang.php", kThreeEntries);
    windows.translation = "eins";
    job.Save();
    load("other.php", kTenLines);
    // What this run wrote is this run's own work, not an earlier translation.
    JobRig::load(folder.path("lang.php"));
    EXPECT_EQ(job.WorkingLines(), job.SourceLines());
    EXPECT_TRUE(windows.questions.empty());
}

struct ReloadCase {
    const char* what;
    JobStep begin;
};

void PrintTo(const ReloadCase& c, std::ostream* out) { *out << c.what; }

class ReloadWithEncodingAgain : public TranslationJobTest, public testing::WithParamInterface<ReloadCase> {};

TEST_P(ReloadWithEncodingAgain, CarriesTheWorkOnHoweverManyReloadsFollow)
{
    folder.write("lang.php", kLang);
    GetParam().begin(job, windows, folder);
    for (int reload = 1; reload <= 3; ++reload) {
        job.ReloadWithEncoding(TextEncoding::Utf8);
        EXPECT_EQ(windows.progressPanel, "translated 1 of 1") << "reload " << reload;
        EXPECT_EQ(job.WorkingLines()[1], "define('_A', 'Apfel');") << "reload " << reload;
    }
    job.Exit1Click();
    EXPECT_EQ(folder.read("Translated_lang.php"), kTypedAndSaved);
}

INSTANTIATE_TEST_SUITE_P(
    Work, ReloadWithEncodingAgain,
    testing::Values(ReloadCase{"typed",
                               [](TranslationJob& job, FakeTranslationJobView& windows, const TempFolder& folder) {
                                   windows.dialogAnswer = folder.path("lang.php");
                                   job.LoadSourceFile1Click();
                                   windows.translation = "Apfel";
                                   job.Volgende();
                               }},
                    ReloadCase{"continued unchanged",
                               [](TranslationJob& job, FakeTranslationJobView& windows, const TempFolder& folder) {
                                   folder.write("Translated_lang.php", kTypedAndSaved);
                                   windows.dialogAnswer = folder.path("lang.php");
                                   job.ContinueTranslation();
                               }}),
    testing_support::NameFrom<&ReloadCase::what>{});

} // namespace
} // namespace kalmo
