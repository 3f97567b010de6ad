// Runs the real kalmo stats, check, merge, export and import on files the
// tests write, and judges what they write with php and msgfmt.
#include "testing/PhpJudge.h"
#include "testing/CaseNames.h"
#include "testing/LanguageFiles.h"
#include "testing/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

namespace kalmo {
namespace {

using testing_support::phpConstants;
using testing_support::phpFilesIn;
using testing_support::phpSyntaxErrors;
using testing_support::CommandResult;
using testing_support::runCommand;
using testing_support::runShellCommand;
using testing_support::shellQuoted;
using testing_support::TempFolder;

struct KalmoRun {
    std::string out;
    std::string err;
    int status = -1;
};

// Runs kalmo in the folder with the arguments as a shell would split them.
KalmoRun kalmo(const TempFolder& folder, const std::string& arguments)
{
    const std::string err = folder.path(".stderr");
    const std::string command = "cd " + shellQuoted(folder.root().string()) + " && "
        + shellQuoted(KALMO_CLI_PATH) + " " + arguments
        + " 2>" + shellQuoted(err);
    const CommandResult result = runCommand(command);
    KalmoRun run{result.output, "", result.exitStatus};
    run.err = folder.read(".stderr");
    return run;
}

std::string msgfmtCheck(const std::string& po)
{
    const auto result = runShellCommand("msgfmt --check -o /dev/null " + shellQuoted(po));
    return result.succeeded() ? std::string() : "msgfmt: " + result.output;
}

const char* const kSource = "<?php\r\n"
                            "// greetings\r\n"
                            "define('_HELLO', 'Hello %s');\r\n"
                            "define('_BYE', \"Bye {name}\");\r\n"
                            "define('_MAX', 20);\r\n"
                            "define('_PATH', 'C:\\\\');\r\n"
                            "?>\r\n";

const char* const kTranslated = "<?php\r\n"
                                "// Gru\xC3\x9F" "e\r\n"
                                "define('_HELLO', 'Hallo %s');\r\n"
                                "define('_BYE', \"Bye {name}\");\r\n"
                                "define('_MAX', 20);\r\n"
                                "define('_PATH', 'C:\\\\');\r\n"
                                "?>\r\n";

// The stray quote comes last: as in PHP, the lines after it would be inside
// a text.
const char* const kBroken = "<?php\n"
                            "define('_HELLO', 'Hallo');\n"
                            "define('_EXTRA', 'x');\n"
                            "define('_BYE', 'Tsch\xC3\xBC\xC3\x9F {name}, it's');\n";

struct CommandCase {
    const char* arguments;
    int status;
    const char* out; // expected in standard output
    const char* err; // expected in standard error
};

class Commands : public testing::TestWithParam<CommandCase> {};

TEST_P(Commands, PrintWhatTheyFoundAndExitWithItsStatus)
{
    TempFolder folder;
    folder.write("lang.php", kSource);
    folder.write("Translated_lang.php", kTranslated);
    folder.write("broken.php", kBroken);
    folder.write("broken.po", "msgid \"\"\nmsgstr \"x\"\nmsgctxt\n");
    std::filesystem::create_directory(folder.path("folder.php"));
    const KalmoRun run = kalmo(folder, GetParam().arguments);
    EXPECT_EQ(run.status, GetParam().status) << run.out << run.err;
    EXPECT_NE(run.out.find(GetParam().out), std::string::npos) << run.out;
    EXPECT_NE(run.err.find(GetParam().err), std::string::npos) << run.err;
    if (GetParam().status != 2) {
        EXPECT_EQ(run.err.find("kalmo"), std::string::npos) << run.err;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, Commands,
    testing::Values(
        CommandCase{"stats lang.php", 0,
                    "translation:     Translated_lang.php\nentries:         4\ntranslated:      1\n"
                    "untranslated:    2\nother lines:     3\nnot rebuildable: 1\n",
                    ""},
        CommandCase{"stats lang.php lang.php --json", 0, "\"translation\": \"lang.php\",\n  \"entries\": 4,\n"
                    "  \"translated\": 0,", ""},
        CommandCase{"check lang.php", 0,
                    "Translated_lang.php:4: note: _BYE is not translated yet [unchanged]\n"
                    "Translated_lang.php:6: note: _PATH is not translated yet [unchanged]\n"
                    "Translated_lang.php: 0 errors, 0 warnings, 2 notes\n",
                    ""},
        CommandCase{"check lang.php broken.php", 1,
                    "broken.php:2: warning: placeholder %s is missing [placeholders]\n"
                    "broken.php:3: warning: _EXTRA is not in the source [extra]\n"
                    "broken.php:4: error: the value of _BYE has an unescaped ', which ends it at column 34; write \\' "
                    "[php-value]\n"
                    "lang.php:5: warning: _MAX is missing from broken.php [missing]\n"
                    "lang.php:6: warning: _PATH is missing from broken.php [missing]\n"
                    "broken.php: 1 errors, 4 warnings, 0 notes\n",
                    ""},
        CommandCase{"check --json lang.php broken.php", 1,
                    "{\"file\": \"broken.php\", \"line\": 4, \"kind\": \"error\", \"check\": \"php-value\", "
                    "\"constant\": \"_BYE\", \"message\": \"the value of _BYE has "
                    "an unescaped ', which ends it at column 34; write \\\\'\"}",
                    ""},
        CommandCase{"stats missing.php", 2, "",
                    "kalmo stats: Cannot open file \"missing.php\". No such file or directory.\n"},
        CommandCase{"check lang.php folder.php", 2, "", "Cannot open file \"folder.php\". "},
        CommandCase{"import lang.php broken.po", 2, "", "kalmo import: Cannot open file \"broken.po\". Line "},
        CommandCase{"merge lang.php Translated_lang.php -o folder.php", 2, "",
                    "kalmo merge: Cannot create file \"folder.php\". "},
        CommandCase{"stats", 2, "", "kalmo stats: too few file names\nUsage: kalmo stats SOURCE [TRANSLATED] [--json]\n"},
        CommandCase{"stats lang.php --frob", 2, "", "kalmo stats: unknown option \"--frob\""},
        CommandCase{"merge lang.php a.php b.php", 2, "", "too many file names (\"b.php\")"},
        CommandCase{"export lang.php", 2, "", "the PO file to write is missing (-o OUT.po)"},
        CommandCase{"merge lang.php -o", 2, "", "-o needs a file name"},
        CommandCase{"frobnicate", 2, "", "kalmo: unknown command \"frobnicate\"\nUsage: "},
        CommandCase{"script extra", 2, "", "kalmo script: too many file names"},
        CommandCase{"check --help", 0, "Usage: kalmo check SOURCE [TRANSLATED] [--json] [--spell LANG]", ""},
        CommandCase{"check lang.php --ignore _BYE", 2, "",
                    "kalmo check: --ignore takes CONSTANT:CHECK with a CHECK of php-value, placeholders"},
        CommandCase{"check lang.php --spell", 2, "", "kalmo check: --spell needs a language such as de_DE"},
        CommandCase{"check lang.php --spell tlh", 2, "", "kalmo check: No spelling dictionary for \"tlh\" is installed"},
        CommandCase{"help import", 0, "Usage: kalmo import SOURCE IN.po [-o OUT]\n", ""},
        CommandCase{"--help", 0, "  merge         carry a translation over to a new source version\n", ""}),
                         testing_support::NameFrom<&CommandCase::arguments>{});

TEST(Commands, LookOnlyAtRealEntriesNotAtCommentsOrGuards)
{
    TempFolder folder;
    const std::string source = "<?php\n"
                               "defined('_VALID') or die('Restricted access');\n"
                               "/* define('_HELLO', 'Old hello'); */\n"
                               "// define('_BYE', 'Old bye');\n"
                               "define('_HELLO', 'Hello');\n"
                               "define('_BYE', 'Bye');\n";
    folder.write("lang.php", source);
    // No constant defined twice, none missing.
    folder.write("de.php", "<?php\n# define('_GONE', 'Weg');\ndefine('_HELLO', 'Hallo');\ndefine('_BYE', 'Bye');\n");
    EXPECT_EQ(kalmo(folder, "check lang.php de.php").out, "de.php:4: note: _BYE is not translated yet [unchanged]\n"
                                                          "de.php: 0 errors, 0 warnings, 1 notes\n");
    EXPECT_EQ(kalmo(folder, "merge lang.php de.php -o merged.php").out,
              "carried over: _HELLO (line 5)\nwritten: merged.php (1 carried over, 0 new, 0 dropped)\n");

    // The real texts go out and the translations come back into their lines.
    ASSERT_EQ(kalmo(folder, "export lang.php -o lang.po").status, 0);
    const std::string po = folder.read("lang.po");
    EXPECT_NE(po.find("#: lang.php:5\nmsgctxt \"_HELLO\"\nmsgid \"Hello\"\n"), std::string::npos) << po;
    EXPECT_EQ(po.find("Old"), std::string::npos) << po;
    folder.write("de.po", "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n\n"
                          "msgctxt \"_HELLO\"\nmsgid \"Hello\"\nmsgstr \"Hallo\"\n\n"
                          "msgctxt \"_BYE\"\nmsgid \"Bye\"\nmsgstr \"Tschau\"\n");
    const KalmoRun imported = kalmo(folder, "import lang.php de.po");
    EXPECT_EQ(imported.out, "written: Translated_lang.php (2 entries changed)\n") << imported.err;
    EXPECT_EQ(folder.read("Translated_lang.php"), "<?php\n"
                                                  "defined('_VALID') or die('Restricted access');\n"
                                                  "/* define('_HELLO', 'Old hello'); */\n"
                                                  "// define('_BYE', 'Old bye');\n"
                                                  "define('_HELLO', 'Hallo');\n"
                                                  "define('_BYE', 'Tschau');\n");
    EXPECT_NE(kalmo(folder, "stats lang.php").out.find("entries:         2\ntranslated:      2\n"), std::string::npos);
}

// A translator's slips in a German translation of the example file, as
// `kalmo check` reports them with a real German dictionary.
TEST(Check, ReportsTheSlipsOfATranslationOfTheExampleFile)
{
    TempFolder folder;
    std::filesystem::copy_file(KALMO_EXAMPLES_DIR "/lang_en.php", folder.path("lang.php"));
    std::string german = folder.read("lang.php");
    const std::map<std::string, std::string> translated = {
        {"_SEARCH_RESULTS", "Suchergebnisse"},
        {"_NO_RESULTS", "Nichts gefunden. Versuchen Sie weniger W\xC3\xB6rter"},
        {"_WELCOME_BACK", "Willkommen zur\xC3\xBC" "ck, <b>{name}!"},
        {"_SAVED", "Ihre \xC3\x84nderungen wurden gespeichret."},
        {"_PLOT_FREE", "Dieser Garten ist frei."},
        {"_FULL", "100% belegt"},
    };
    for (const auto& [constant, text] : translated) {
        const std::string head = "define('" + constant + "', '";
        const std::size_t start = german.find(head) + head.size();
        german.replace(start, german.find("');", start) - start, text);
    }
    folder.write("de.php", german);
    const KalmoRun run = kalmo(folder, "check --spell de_DE lang.php de.php");
    EXPECT_EQ(run.status, 1) << run.err;
    std::string fixes;
    for (std::size_t at = 0; at < run.out.size();) {
        const std::size_t end = run.out.find('\n', at);
        const std::string line = run.out.substr(at, end - at);
        if (line.find("[unchanged]") == std::string::npos)
            fixes += line + '\n';
        at = end + 1;
    }
    EXPECT_EQ(fixes, "de.php:14: warning: placeholder %s is missing [placeholders]\n"
                     "de.php:15: warning: the source ends in \".\": end the translation in it too, or in its script's "
                     "own mark [end-punctuation]\n"
                     "de.php:24: warning: tag <b> is not in the source [html-tags]\n"
                     "de.php:50: note: \"gespeichret\" is not in the de_DE dictionary; did you mean gespeichert, "
                     "eingespeicht or geistreich? [spelling]\n"
                     "de.php:53: note: the value of _RULES goes on past its line; it is left as it stands [php-value]\n"
                     "de.php: 0 errors, 3 warnings, 34 notes\n");
}

TEST(Check, SilencedFindingsAreKeptForTheUserNotInTheFile)
{
    TempFolder folder;
    folder.write("lang.php", kSource);
    folder.write("de.php", kBroken);
    const KalmoRun silenced = kalmo(folder, "check lang.php de.php --ignore _HELLO:placeholders --ignore _MAX:missing");
    EXPECT_EQ(silenced.status, 1);
    EXPECT_EQ(silenced.out.find("[placeholders]"), std::string::npos) << silenced.out;
    EXPECT_EQ(silenced.out.find("_MAX"), std::string::npos) << silenced.out;
    EXPECT_NE(silenced.out.find("_PATH is missing"), std::string::npos) << silenced.out;
    EXPECT_EQ(folder.read("de.php"), kBroken);
    // Remembered: later checks leave them out, --all shows them.
    EXPECT_EQ(kalmo(folder, "check lang.php de.php").out, silenced.out);
    const KalmoRun all = kalmo(folder, "check --all lang.php de.php");
    EXPECT_NE(all.out.find("de.php:2: warning: placeholder %s is missing [placeholders]\n"), std::string::npos) << all.out;
    // Keyed by the file's full path: the same file named otherwise is the same.
    std::filesystem::create_directory(folder.path("sub"));
    EXPECT_EQ(kalmo(folder, "check lang.php sub/../de.php").out.find("[placeholders]"), std::string::npos);
    const std::string store = std::string(std::getenv("XDG_DATA_HOME")) + "/kalmo/silenced";
    std::ifstream in(store);
    const std::string kept((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(kept.find("placeholders\t_HELLO\t" + folder.path("de.php") + "\n"), std::string::npos) << kept;
}

TEST(ExportImport, UnchangedRoundTripGivesByteIdenticalFilesAndPoFilesMsgfmtAccepts)
{
    // Every fixture and the example leave the round trip unchanged.
    for (const std::string& fixture : phpFilesIn({KALMO_FIXTURES_DIR, KALMO_EXAMPLES_DIR})) {
        SCOPED_TRACE(fixture);
        TempFolder folder;
        std::filesystem::copy_file(fixture, folder.path("lang.php"));
        const std::string original = folder.read("lang.php");
        // Twice: first from the source alone, then with the translated file
        // the first import wrote.
        for (int pass = 0; pass < 2; ++pass) {
            const KalmoRun exported = kalmo(folder, "export lang.php -o lang.po");
            ASSERT_EQ(exported.status, 0) << exported.err;
            EXPECT_EQ(msgfmtCheck(folder.path("lang.po")), "");
            const KalmoRun imported = kalmo(folder, "import lang.php lang.po");
            EXPECT_EQ(imported.status, 0) << imported.err;
            EXPECT_EQ(imported.out, "written: " + folder.path("Translated_lang.php").substr(folder.root().string().size() + 1)
                                        + " (0 entries changed)\n");
            EXPECT_EQ(folder.read("Translated_lang.php"), original);
        }
        EXPECT_EQ(phpSyntaxErrors(folder.path("Translated_lang.php")), "");
    }
}

TEST(ExportImport, TranslationsFromAnotherToolReachPhpExactly)
{
    TempFolder folder;
    folder.write("lang.php", kSource);
    ASSERT_EQ(kalmo(folder, "export lang.php -o lang.po").status, 0);
    // What a translator's tool would save: translations with every character
    // PHP treats specially, one fuzzy one, one for a number entry.
    folder.write("de.po", "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n\n"
                          "msgctxt \"_HELLO\"\nmsgid \"Hello %s\"\nmsgstr \"Hallo %s, it's \\\\' \\\\\"\n\n"
                          "msgctxt \"_BYE\"\nmsgid \"Bye {name}\"\nmsgstr \"Tsch\xC3\xBC\xC3\x9F {name}, \\\"$du\\\"\\n\"\n\n"
                          "#, fuzzy\nmsgctxt \"_PATH\"\nmsgid \"C:\\\\\"\nmsgstr \"D:\\\\\"\n\n"
                          "msgctxt \"_MAX\"\nmsgid \"define('_MAX', 20);\"\nmsgstr \"define('_MAX', 30);\"\n");
    const KalmoRun imported = kalmo(folder, "import lang.php de.po -o de.php");
    EXPECT_EQ(imported.status, 1);
    EXPECT_EQ(imported.out, "written: de.php (2 entries changed)\n");
    EXPECT_EQ(imported.err, "lang.php:5: warning: the translation of _MAX was not written: its line holds no one-line "
                            "text; edit it in the language file\n"
                            "lang.php:6: warning: the translation of _PATH was not written: it is marked fuzzy\n");
    EXPECT_EQ(phpSyntaxErrors(folder.path("de.php")), "");
    EXPECT_EQ(phpConstants(folder.path("de.php")),
              (std::map<std::string, std::string>{{"_HELLO", "Hallo %s, it's \\' \\"},
                                                  {"_BYE", "Tsch\xC3\xBC\xC3\x9F {name}, \"$du\"\n"},
                                                  {"_MAX", "20"},
                                                  {"_PATH", "C:\\"}}));
    const std::string written = folder.read("de.php");
    EXPECT_NE(written.find("\r\n// greetings\r\n"), std::string::npos) << "the line ends of the file";

    ASSERT_EQ(kalmo(folder, "export lang.php de.php -o de2.po").status, 0);
    EXPECT_EQ(msgfmtCheck(folder.path("de2.po")), "");
    EXPECT_EQ(kalmo(folder, "import lang.php de2.po -o de.php").status, 0);
    EXPECT_EQ(folder.read("de.php"), written);
    EXPECT_EQ(folder.read("de.php.bak"), written);
}

TEST(Merge, CarriesTranslationsOverToANewSourceVersionAndKeepsTheOldFile)
{
    TempFolder folder;
    folder.write("lang.php", "<?php\r\n"
                             "define('_HELLO', 'Hello %s');\r\n"
                             "define('_NEW', 'New');\r\n"
                             "define('_BYE', \"Bye {name}\");\r\n"
                             "?>\r\n");
    const std::string old = "<?php\n"
                            "define('_BYE', \"Tsch\xC3\xBC\xC3\x9F {name}\");\n"
                            "define('_GONE', 'Weg');\n"
                            "define('_HELLO', 'Hello %s');\n"
                            "?>\n";
    folder.write("Translated_lang.php", old);
    const KalmoRun run = kalmo(folder, "merge lang.php Translated_lang.php");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "carried over: _BYE (line 4)\n"
                       "new: _NEW (line 3)\n"
                       "dropped: _GONE (Translated_lang.php line 3): no longer in the source\n"
                       "written: Translated_lang.php (1 carried over, 1 new, 1 dropped)\n");
    EXPECT_EQ(folder.read("Translated_lang.php"), "<?php\r\n"
                                                  "define('_HELLO', 'Hello %s');\r\n"
                                                  "define('_NEW', 'New');\r\n"
                                                  "define('_BYE', \"Tsch\xC3\xBC\xC3\x9F {name}\");\r\n"
                                                  "?>\r\n");
    EXPECT_EQ(folder.read("Translated_lang.php.bak"), old);
    EXPECT_EQ(phpSyntaxErrors(folder.path("Translated_lang.php")), "");

    // Once merged, the files have the same shape: a second merge keeps it.
    const std::string merged = folder.read("Translated_lang.php");
    EXPECT_EQ(kalmo(folder, "merge lang.php Translated_lang.php -o again.php").status, 0);
    EXPECT_EQ(folder.read("again.php"), merged);
}

} // namespace
} // namespace kalmo
