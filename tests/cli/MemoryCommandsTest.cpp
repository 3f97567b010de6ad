// The real `kalmo memory`, `kalmo pretranslate`, `kalmo merge --old-source`
// and the script's memory commands, end to end, each test with a memory of
// its own; what they write is judged by php and xmllint.
#include "testing/CaseNames.h"
#include "testing/PhpJudge.h"
#include "testing/TempFolder.h"
#include "testing/UserFolders.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace kalmo {
namespace {

using testing_support::CommandResult;
using testing_support::phpConstants;
using testing_support::phpSyntaxErrors;
using testing_support::runCommand;
using testing_support::runShellCommand;
using testing_support::shellQuoted;
using testing_support::TempFolder;
using testing_support::UserFolders;

struct KalmoRun {
    std::string out;
    std::string err;
    int status = -1;
};

// Runs kalmo in the folder; `environment` ("NAME=value ") comes before it.
KalmoRun kalmo(const TempFolder& folder, const std::string& arguments, const std::string& input = "",
               const std::string& environment = "")
{
    const std::string err = folder.path(".stderr");
    std::string command = "cd " + shellQuoted(folder.root().string()) + " && " + environment
                        + shellQuoted(KALMO_CLI_PATH) + " " + arguments + " 2>" + shellQuoted(err);
    if (!input.empty())
        command += " < " + shellQuoted(folder.write(".stdin", input));
    const CommandResult result = runCommand(command);
    return {result.output, folder.read(".stderr"), result.exitStatus};
}

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

const char* const kSource = "<?php\n"
                            "define('_SAVE', 'Save');\n"
                            "define('_NOT_NOW', 'Not now');\n"
                            "define('_HELLO', 'Hello %s');\n"
                            "?>\n";
const char* const kTranslated = "<?php\n"
                                "define('_SAVE', 'Speichern');\n"
                                "define('_NOT_NOW', 'Not now');\n"
                                "define('_HELLO', 'Hallo %s');\n"
                                "?>\n";

TEST(MemoryCommands, AddedTranslationsGoOutAsValidTmxAndComeBackIntoAnotherMemory)
{
    TempFolder folder;
    folder.write("lang.php", kSource);
    folder.write("Translated_lang.php", kTranslated);
    std::string exported;
    {
        const UserFolders mine;
        const KalmoRun add = kalmo(folder, "memory add lang.php --lang German");
        EXPECT_EQ(add.status, 0) << add.err;
        EXPECT_EQ(add.out, "added: 2 records from Translated_lang.php (de)\n");
        const KalmoRun stats = kalmo(folder, "memory stats");
        EXPECT_TRUE(contains(stats.out, "records:          2\n  de:")) << stats.out;
        EXPECT_TRUE(contains(stats.out, "translated files: 1\n")) << stats.out;
        const KalmoRun out = kalmo(folder, "memory export --lang de -o de.tmx");
        EXPECT_EQ(out.out, "written: de.tmx (2 records in de)\n") << out.err;
        exported = folder.read("de.tmx");
        const auto lint = runShellCommand("xmllint --noout " + shellQuoted(folder.path("de.tmx")));
        EXPECT_TRUE(lint.succeeded()) << lint.output;
    }
    const UserFolders another;
    const KalmoRun in = kalmo(folder, "memory import de.tmx");
    EXPECT_EQ(in.out, "imported: 2 records from de.tmx (de: 2)\n") << in.err;
    kalmo(folder, "memory export --lang de -o again.tmx");
    EXPECT_EQ(folder.read("again.tmx"), exported);
}

TEST(MemoryCommands, AddDirTakesTranslatedPairsAndNamedLanguageFilesAndNamesWhatItSkipped)
{
    const UserFolders mine;
    TempFolder folder;
    std::filesystem::create_directories(folder.path("site/modules/contact/language"));
    std::filesystem::create_directories(folder.path("site/modules/news/language"));
    folder.write("site/lang.php", kSource);
    folder.write("site/Translated_lang.php", kTranslated);
    folder.write("site/modules/contact/language/english.php", "<?php\ndefine('_SEND', 'Send');\n");
    folder.write("site/modules/contact/language/german.php", "<?php\ndefine('_SEND', 'Senden');\n");
    folder.write("site/modules/news/language/english.php", "<?php\ndefine('_NEWS', 'News');\n");
    folder.write("site/broken.php", kSource);
    std::filesystem::create_directory(folder.path("site/Translated_broken.php"));

    const KalmoRun run = kalmo(folder, "memory add-dir site --lang de --from english.php --to german.php");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "added: 3 records from 2 translated files (de)\n");
    EXPECT_TRUE(contains(run.err, "skipped: ")) << run.err;
    EXPECT_TRUE(contains(run.err, "Translated_broken.php")) << run.err;

    const KalmoRun filled = kalmo(folder, "pretranslate site/modules/contact/language/english.php --lang de -o x.php");
    EXPECT_TRUE(contains(filled.out, "(1 entries filled from the memory)")) << filled.out << filled.err;
}

struct UsageCase {
    const char* arguments;
    const char* err;
};

class MemoryUsage : public testing::TestWithParam<UsageCase> {};

TEST_P(MemoryUsage, WrongArgumentsAndBadFilesFailWithTheReason)
{
    const UserFolders mine;
    TempFolder folder;
    folder.write("lang.php", kSource);
    folder.write("Translated_lang.php", kTranslated);
    folder.write("bad.tmx", "<tmx><body><tu>\n</tmx>\n");
    const KalmoRun run = kalmo(folder, GetParam().arguments);
    EXPECT_EQ(run.status, 2) << run.out;
    EXPECT_TRUE(contains(run.err, GetParam().err)) << run.err;
    // Nothing was written over the translation.
    EXPECT_EQ(folder.read("Translated_lang.php"), kTranslated);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, MemoryUsage,
    testing::Values(UsageCase{"memory add lang.php", "--lang is missing"},
                    UsageCase{"memory add lang.php --lang klingon", "names no language"},
                    UsageCase{"memory add-dir lang.php --lang de", "It is not a folder"},
                    UsageCase{"memory add-dir . --lang de --from english.php", "--from needs --to"},
                    UsageCase{"memory frobnicate", "unknown command \"frobnicate\""},
                    UsageCase{"memory export --lang de", "-o FILE.tmx is missing"},
                    UsageCase{"memory import missing.tmx", "missing.tmx"},
                    UsageCase{"memory import bad.tmx", "\"bad.tmx\" is not a TMX file: line 2"},
                    UsageCase{"pretranslate lang.php", "--lang is missing"},
                    UsageCase{"merge lang.php Translated_lang.php --old-source gone.php", "gone.php"}),
    testing_support::NameFrom<&UsageCase::arguments>{});

TEST(MemoryCommands, PretranslateFillsUntranslatedEntriesFromATmxWithoutSrclang)
{
    const UserFolders mine;
    TempFolder folder;
    folder.write("lang.php", "<?php\ndefine('_SAVE', 'Save');\ndefine('_NO', \"Don't\");\n"
                             "define('_ASK', 'Don\\'t ask');\ndefine('_KEEP', 'Keep');\n");
    folder.write("Translated_lang.php", "<?php\ndefine('_SAVE', 'Sichern');\ndefine('_NO', \"Don't\");\n"
                                        "define('_ASK', 'Don\\'t ask');\ndefine('_KEEP', 'Keep');\n");
    folder.write("other.tmx", R"(<?xml version="1.0"?>
<tmx version="1.4"><header creationtool="x" creationtoolversion="1" segtype="sentence" o-tmf="x" adminlang="en" datatype="plaintext"/>
<body>
<tu><tuv xml:lang="en"><seg>Save</seg></tuv><tuv xml:lang="de"><seg>Speichern</seg></tuv></tu>
<tu><tuv xml:lang="en"><seg>Don't</seg></tuv><tuv xml:lang="de"><seg>Lass das "bitte"</seg></tuv></tu>
<tu><tuv xml:lang="en"><seg>Don't ask</seg></tuv><tuv xml:lang="de"><seg>Frag nicht, 's ist so</seg></tuv></tu>
</body></tmx>)");
    EXPECT_EQ(kalmo(folder, "memory import other.tmx").out, "imported: 3 records from other.tmx (de: 3)\n");

    const KalmoRun run = kalmo(folder, "pretranslate lang.php --lang de");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "written: Translated_lang.php (2 entries filled from the memory)\n");
    const std::string written = folder.path("Translated_lang.php");
    EXPECT_EQ(phpSyntaxErrors(written), "");
    const auto constants = phpConstants(written);
    // A translation made before stays; quotes are escaped as PHP needs.
    EXPECT_EQ(constants.at("_SAVE"), "Sichern");
    EXPECT_EQ(constants.at("_NO"), "Lass das \"bitte\"");
    EXPECT_EQ(constants.at("_ASK"), "Frag nicht, 's ist so");
    EXPECT_EQ(constants.at("_KEEP"), "Keep");
    EXPECT_TRUE(folder.exists("Translated_lang.php.bak"));
}

const char* const kOldSource = "<?php\ndefine('_HI', 'Hello');\ndefine('_BYE', 'Goodbye');\n";
const char* const kOldTranslation = "<?php\ndefine('_HI', 'Hallo');\ndefine('_BYE', 'Auf Wiedersehen');\n";
const char* const kNewSource = "<?php\ndefine('_HI', 'Hello there');\ndefine('_BYE', 'Goodbye');\n"
                               "define('_NEW', 'New');\n";

// The old release, its translation, and the new release as lang.php.
void writeTwoReleases(const TempFolder& folder)
{
    folder.write("old.php", kOldSource);
    folder.write("Translated_old.php", kOldTranslation);
    folder.write("lang.php", kNewSource);
}

TEST(MemoryCommands, MergeWithTheOldSourceReportsChangedTextsWhichStatsAndTheScriptReview)
{
    const UserFolders mine;
    TempFolder folder;
    writeTwoReleases(folder);

    const KalmoRun merge = kalmo(folder, "merge lang.php Translated_old.php --old-source old.php");
    EXPECT_EQ(merge.status, 0) << merge.err;
    EXPECT_TRUE(contains(merge.out, "source changed: _HI (line 2)\n")) << merge.out;
    EXPECT_FALSE(contains(merge.out, "source changed: _BYE")) << merge.out;
    EXPECT_TRUE(contains(merge.out, "(2 carried over, 1 new, 0 dropped, 1 source changed)")) << merge.out;

    EXPECT_TRUE(contains(kalmo(folder, "stats lang.php").out, "to review:       1\n"));
    EXPECT_TRUE(contains(kalmo(folder, "stats lang.php --json").out, "\"to_review\": 1\n"));

    const KalmoRun script = kalmo(folder, "script", "continue " + folder.path("lang.php")
                                                        + "\nprogress\nnext-to-review\nsuggestions\nkey Enter\n"
                                                          "progress\nsave\n");
    EXPECT_TRUE(contains(script.out, "progress: translated 2 of 3, 1 to review\n")) << script.out;
    EXPECT_TRUE(contains(script.out, "old source: Hello\nnew source: Hello there\n")) << script.out;
    EXPECT_TRUE(contains(script.out, "name: _HI\nsource: Hello there\ntranslation: Hallo\n")) << script.out;
    EXPECT_TRUE(contains(script.out, "progress: translated 2 of 3\n")) << script.out;
    EXPECT_TRUE(contains(kalmo(folder, "stats lang.php").out, "to review:       0\n"));
}

TEST(MemoryCommands, MergeReportsChangedTextsEvenWithoutAMemory)
{
    const UserFolders mine;
    TempFolder folder;
    writeTwoReleases(folder);
    // The data folder is a file: no memory can be made.
    const std::string blocked = folder.write("data-is-a-file", "");
    const KalmoRun withoutMemory = kalmo(folder, "merge lang.php Translated_old.php --old-source old.php -o out.php",
                                         "", "XDG_DATA_HOME=" + shellQuoted(blocked) + " ");
    EXPECT_EQ(withoutMemory.status, 0);
    EXPECT_TRUE(contains(withoutMemory.out, "source changed: _HI (line 2)\n")) << withoutMemory.out;
    EXPECT_TRUE(contains(withoutMemory.err, "translation memory")) << withoutMemory.err;
    EXPECT_EQ(phpConstants(folder.path("out.php")).at("_HI"), "Hallo");
}

TEST(MemoryCommands, TheScriptSuggestsTakesASuggestionAndFillsFromTheMemory)
{
    const UserFolders mine;
    TempFolder folder;
    folder.write("lang.php", kSource);
    folder.write("Translated_lang.php", kTranslated);
    kalmo(folder, "memory add lang.php --lang de");
    folder.write("other.php", "<?php\ndefine('_HELLO_AGAIN', 'Hello again %s');\ndefine('_STORE', 'Save');\n");

    const KalmoRun run = kalmo(folder, "script", "language de\nload " + folder.path("other.php")
                                                     + "\nsuggestions\nuse-suggestion 1\nkey Enter\n"
                                                       "fill-from-memory\nuse-suggestion 3\nexit\n");
    EXPECT_TRUE(contains(run.out, "language: de\nsuggestion 1: 53% Hallo %s\n")) << run.out;
    EXPECT_TRUE(contains(run.out, "name: _HELLO_AGAIN\nsource: Hello again %s\ntranslation: Hallo %s\n")) << run.out;
    EXPECT_TRUE(contains(run.out, "note: 1 entry filled from the translation memory\n")) << run.out;
    EXPECT_TRUE(contains(run.out, "beep\n")) << run.out;
    const auto constants = phpConstants(folder.path("Translated_other.php"));
    EXPECT_EQ(constants.at("_HELLO_AGAIN"), "Hallo %s");
    EXPECT_EQ(constants.at("_STORE"), "Speichern");
}

TEST(MemoryCommands, ADamagedMemoryIsMovedAsideAndTheCommandGoesOn)
{
    const UserFolders mine;
    TempFolder folder;
    const std::string data = std::getenv("XDG_DATA_HOME");
    std::filesystem::create_directories(data + "/kalmo");
    const std::string garbage(5000, 'g');
    std::ofstream(data + "/kalmo/memory.sqlite") << garbage;

    const KalmoRun stats = kalmo(folder, "memory stats");
    EXPECT_EQ(stats.status, 0) << stats.err;
    EXPECT_TRUE(contains(stats.err, "moved aside")) << stats.err;
    EXPECT_TRUE(contains(stats.out, "records:          0\n")) << stats.out;
    int aside = 0;
    for (const auto& entry : std::filesystem::directory_iterator(data + "/kalmo"))
        aside += entry.path().filename().string().starts_with("memory.sqlite.broken-") ? 1 : 0;
    EXPECT_EQ(aside, 1);
}

} // namespace
} // namespace kalmo
