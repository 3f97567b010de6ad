// Runs the real `kalmo script` on fixture files and compares what it prints
// and what it writes.
#include "testing/CaseNames.h"
#include "testing/PhpJudge.h"
#include "testing/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <unistd.h>

namespace kalmo {
namespace {

using testing_support::CommandResult;
using testing_support::phpSyntaxErrors;
using testing_support::runCommand;
using testing_support::shellQuoted;
using testing_support::TempFolder;

struct ScriptRun {
    std::string output;
    int exitStatus = -1;
};

ScriptRun runScript(const TempFolder& folder, const std::string& commands)
{
    const std::string input = folder.write("commands.txt", commands);
    const CommandResult result = runCommand(shellQuoted(KALMO_CLI_PATH) + " script < " + shellQuoted(input));
    const ScriptRun run{result.output, result.exitStatus};
    // Every file the program writes must be one that PHP accepts.
    for (std::size_t at = run.output.find("saved: "); at != std::string::npos; at = run.output.find("saved: ", at + 1)) {
        const std::string path = run.output.substr(at + 7, run.output.find('\n', at) - at - 7);
        EXPECT_EQ(phpSyntaxErrors(path), "") << path;
    }
    return run;
}

const char* const kLanguageFile = "<?php\n"
                                  "define('_HELLO', 'Hello');\n"
                                  "define('_BYE', 'Bye'); // parting\n"
                                  "?>\n";

TEST(ScriptCommand, TranslatesTwoEntriesAndSavesOnExit)
{
    TempFolder folder;
    const std::string source = folder.write("lang.php", kLanguageFile);
    const ScriptRun run = runScript(folder, "load " + source + "\n"
                                                "type Hallo\n"
                                                "key Enter\n"
                                                "type Tsch\xC3\xBC\xC3\x9F\n"
                                                "key Down\n"
                                                "exit\n"
                                                "type never read\n");
    const std::string saved = folder.path("Translated_lang.php");
    EXPECT_EQ(run.output, "status: Sourcefile: lang.php loaded and parsed.\n"
                          "name: _HELLO\nsource: Hello\ntranslation: Hello\n"
                          "status: Sourcefile: lang.php loaded and parsed.\n"
                          "name: _HELLO\nsource: Hello\ntranslation: Hallo\n"
                          "status: Line: 2/3\n"
                          "name: _BYE\nsource: Bye\ntranslation: Bye\n"
                          "status: Line: 2/3\n"
                          "name: _BYE\nsource: Bye\ntranslation: Tsch\xC3\xBC\xC3\x9F\n"
                          "beep\n"
                          "status: End of File (line: 2/3)\n"
                          "name: _BYE\nsource: Bye\ntranslation: Tsch\xC3\xBC\xC3\x9F\n"
                          "saved: " + saved + "\n");
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(folder.read("Translated_lang.php"), "<?php\n"
                                                  "define('_HELLO', 'Hallo');\n"
                                                  "define('_BYE', 'Tsch\xC3\xBC\xC3\x9F'); // parting\n"
                                                  "?>\n");
}

TEST(ScriptCommand, TextForAValueOfMoreThanOneTextStopsTheStepAndIsNeverWritten)
{
    TempFolder folder;
    const std::string content = "<?php\ndefine(\"_AB\", \"a\" . \"b\");\ndefine('_C', 'c');\n?>\n";
    const std::string source = folder.write("lang.php", content);
    const ScriptRun run = runScript(folder, "load " + source + "\ntype Z\nkey Down\nprogress\ntype\nkey Down\nexit\n");
    EXPECT_NE(run.output.find("translation: Z\n"
                              "error: The translation of \"_AB\" cannot be written: its value is not a quoted text on "
                              "one line. Press F1 to edit the whole line, or empty the field.\n"
                              "status: Sourcefile: lang.php loaded and parsed.\n"
                              "name: _AB\nsource: a\ntranslation: Z\n"
                              "progress: translated 0 of 1, 1 whole-line only\n"),
              std::string::npos)
        << run.output;
    EXPECT_NE(run.output.find("status: Line: 2/3\nname: _C\n"), std::string::npos) << run.output;
    EXPECT_EQ(folder.read("Translated_lang.php"), content);
}

TEST(ScriptCommand, ReportsErrorsAndGoesOn)
{
    TempFolder folder;
    const std::string missing = folder.path("missing.php");
    const ScriptRun run = runScript(folder, "load " + missing + "\nfrobnicate now\nkey Home\nload-cancel\n");
    EXPECT_EQ(run.output, "error: Cannot open file \"" + missing + "\". No such file or directory.\n"
                          "status: Waiting..\n"
                          "name: Please load file first\nsource: Please load file first\n"
                          "translation: Please load file first\n"
                          "error: Unknown command \"frobnicate\"\n"
                          "status: Waiting..\n"
                          "name: Please load file first\nsource: Please load file first\n"
                          "translation: Please load file first\n"
                          "error: Unknown key \"Home\"\n"
                          "status: Waiting..\n"
                          "name: Please load file first\nsource: Please load file first\n"
                          "translation: Please load file first\n"
                          "status: Waiting..\n"
                          "name: Please load file first\nsource: Please load file first\n"
                          "translation: Please load file first\n");
    EXPECT_EQ(run.exitStatus, 0);
}

TEST(ScriptCommand, EndOfInputWithoutExitWritesNothing)
{
    TempFolder folder;
    const std::string source = folder.write("lang.php", kLanguageFile);
    const ScriptRun run = runScript(folder, "load " + source + "\ntype Hallo\n");
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_FALSE(folder.exists("Translated_lang.php"));
}

TEST(ScriptCommand, FailedSaveKeepsTheProgramRunning)
{
    TempFolder folder;
    const std::string source = folder.write("lang.php", kLanguageFile);
    std::filesystem::create_directory(folder.path("Translated_lang.php"));
    const ScriptRun run = runScript(folder, "load " + source + "\nexit\n");
    EXPECT_NE(run.output.find("error: Cannot create file \"" + folder.path("Translated_lang.php")
                              + "\". Is a directory.\nstatus: "),
              std::string::npos)
        << run.output;
    EXPECT_EQ(run.exitStatus, 0);
}

// The panes block of the last `panes` command in the output.
std::string lastPanesBlock(const std::string& output)
{
    const auto start = output.rfind("upper: ");
    if (start == std::string::npos)
        return {};
    return output.substr(start, output.find("status: ", start) - start);
}

TEST(ScriptCommand, LowerPaneTakesKeysOnlyInFullTextMode)
{
    TempFolder folder;
    const std::string source = folder.write("lang.php", kLanguageFile);
    const ScriptRun run = runScript(folder, "load " + source + "\npane-type zzz\npanes\n");
    EXPECT_EQ(lastPanesBlock(run.output), "upper: first=0 active=1 caret=1,1\n"
                                          "lower: first=0 active=1 caret=1,1 selection=0,0-0,0 undo=0 redo=0\n"
                                          "clipboard: \n"
                                          "| <?php\n"
                                          "| define('_HELLO', 'Hello');\n"
                                          "| define('_BYE', 'Bye'); // parting\n"
                                          "| ?>\n"
                                          "|| <?php\n"
                                          "|| define('_HELLO', 'Hello');\n"
                                          "|| define('_BYE', 'Bye'); // parting\n"
                                          "|| ?>\n");
}

TEST(ScriptCommand, FreeEditingWithUndoClipboardAndExitFromThePane)
{
    TempFolder folder;
    const std::string source = folder.write("lang.php", kLanguageFile);
    const ScriptRun run = runScript(folder, "load " + source + "\n"
                                                "key F2\n"
                                                "pane-key End\n"
                                                "pane-type  // one\n"
                                                "pane-key Backspace Alt\n"
                                                "pane-key Backspace Alt Shift\n"
                                                "clipboard /*A\\nB*/\n"
                                                "pane-key Down\n"
                                                "pane-key Home\n"
                                                "pane-key V Ctrl\n"
                                                "pane-key Q Shift Hyper\n"
                                                "panes\n"
                                                "pane-key X Ctrl\n");
    EXPECT_NE(run.output.find("error: Unknown key \"Q Shift Hyper\"\n"), std::string::npos);
    const std::string panes = lastPanesBlock(run.output);
    EXPECT_NE(panes.find("lower: first=0 active=3 caret=3,3 selection=3,3-3,3 undo=2 redo=0\n"), std::string::npos)
        << panes;
    EXPECT_NE(panes.find("clipboard: /*A\\nB*/\n"), std::string::npos) << panes;
    EXPECT_NE(panes.find("| define('_HELLO', 'Hello'); // one\n| /*A\n| B*/define('_BYE'"), std::string::npos) << panes;
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(folder.read("Translated_lang.php"), "<?php\n"
                                                  "define('_HELLO', 'Hello'); // one\n"
                                                  "/*A\n"
                                                  "B*/define('_BYE', 'Bye'); // parting\n"
                                                  "?>\n");
}

TEST(ScriptCommand, F2InThePaneLeavesFullTextModeWithTheEditsTaken)
{
    TempFolder folder;
    const std::string source = folder.write("lang.php", kLanguageFile);
    const ScriptRun run = runScript(folder, "load " + source + "\n"
                                                "key F2\n"
                                                "pane-key Down\n"
                                                "pane-key End\n"
                                                "pane-key Backspace Ctrl\n"
                                                "pane-key Backspace Ctrl\n"
                                                "pane-key Backspace Ctrl\n"
                                                "pane-type 'Ciao'); // parting\n"
                                                "pane-key F2\n"
                                                "pane-type ignored\n"
                                                "panes\n");
    const std::string panes = lastPanesBlock(run.output);
    EXPECT_NE(panes.find("|| define('_BYE', 'Ciao'); // parting\n"), std::string::npos) << panes;
    EXPECT_EQ(panes.find("ignored"), std::string::npos) << panes;
}

TEST(ScriptCommand, PaneColumnsAreDisplayCells)
{
    TempFolder folder;
    const std::string source = folder.write("lang.php", "<?php\ndefine('_A', '\u663e\u793a');\n?>\n");
    // Two wide characters count 2 cells each; the typed accent joins its e.
    const ScriptRun run = runScript(folder, "load " + source + "\n"
                                                "key F2\n"
                                                "pane-key End\n"
                                                "panes\n"
                                                "pane-type  // \u4e2d\u6587e\u0301\n"
                                                "pane-key Left\n"
                                                "pane-key Left\n"
                                                "panes\n");
    EXPECT_NE(run.output.find("lower: first=0 active=1 caret=21,1 "), std::string::npos) << run.output;
    const std::string panes = lastPanesBlock(run.output);
    EXPECT_NE(panes.find(" caret=27,1 selection=27,1-27,1 "), std::string::npos) << panes;
    EXPECT_NE(panes.find("| define('_A', '\u663e\u793a'); // \u4e2d\u6587e\u0301\n"), std::string::npos) << panes;
}

// Deleting lines of a scrolled lower pane until every line fitted left it
// scrolled, and leaving full-text mode then recursed until the stack overflowed.
TEST(ScriptCommand, LeavingFullTextModeAfterDeletingLinesOfAScrolledPaneSaves)
{
    TempFolder folder;
    std::string text = "<?php\n";
    for (int i = 1; i <= 13; ++i)
        text += "define('_N" + std::to_string(i) + "', 'Text " + std::to_string(i) + "');\n";
    text += "?>\n";
    const std::string source = folder.write("n15.php", text);
    const ScriptRun run = runScript(folder, "load " + source + "\n"
                                                "type Work in progress\n"
                                                "key F2\n"
                                                "pane-key End Ctrl\n"
                                                "pane-key Up\n"
                                                "pane-key Up\n"
                                                "pane-key Y Ctrl\n"
                                                "pane-key Y Ctrl\n"
                                                "key F2\n"
                                                "exit\n");
    EXPECT_EQ(run.exitStatus, 0);
    std::string expected = "<?php\ndefine('_N1', 'Work in progress');\n";
    for (int i = 2; i <= 11; ++i)
        expected += "define('_N" + std::to_string(i) + "', 'Text " + std::to_string(i) + "');\n";
    expected += "?>\n";
    EXPECT_EQ(folder.read("Translated_n15.php"), expected);
}

// Undo steps of the lower pane once outlived a refill and wrote a line of
// the old text over the new one.
TEST(ScriptCommand, UndoAfterARefillChangesNothing)
{
    TempFolder folder;
    const std::string a = folder.write("A.php", "<?php\ndefine('_A', 'Apple');\n?>\n");
    const std::string b = folder.write("B.php", "<?php\ndefine('_B', 'Banana');\ndefine('_C', 'Cherry');\n?>\n");
    struct Case {
        const char* name;
        std::string commands;
        const char* written;
        const char* kept;
        const char* lost;
    };
    const Case cases[] = {
        {"AnotherFileLoaded",
         "load " + a + "\nkey F2\npane-key End\npane-type y\nkey F2\nload " + b
             + "\nkey F2\npane-key Backspace Alt\nexit\n",
         "Translated_B.php", "define('_B', 'Banana');", "_A"},
        {"EntryCommittedAfterTheEdit",
         "load " + a + "\nkey F2\npane-key End\npane-type y\nkey F2\ntype Appel\nkey Down\nkey F2\n"
                       "pane-key Backspace Alt\nexit\n",
         "Translated_A.php", "define('_A', 'Appel');y", "Apple"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(folder.path("Translated_A.php"));
        std::filesystem::remove(folder.path("Translated_B.php"));
        const ScriptRun run = runScript(folder, c.commands);
        EXPECT_EQ(run.exitStatus, 0);
        const std::string written = folder.read(c.written);
        EXPECT_NE(written.find(c.kept), std::string::npos) << written;
        EXPECT_EQ(written.find(c.lost), std::string::npos) << written;
    }
}

} // namespace
} // namespace kalmo

namespace kalmo {
namespace {

TEST(ScriptCommand, LoadAsReadsAndWritesTheFileInTheNamedSet)
{
    TempFolder folder;
    const std::string source = folder.write("pl.php", "<?php\ndefine('_SEE', 'Zobaczy\xE6');\n?>\n");
    const std::string state = "status: Sourcefile: pl.php loaded and parsed.\nname: _SEE\n";
    const ScriptRun run = runScript(folder, "load-as no-such " + source + "\n"
                                                "load " + source + "\n"
                                                "load-as iso-8859-2 " + source + "\n"
                                                "type Ujrze\xC4\x87 \xE2\x80\x93\n"
                                                "reload-as WINDOWS-1250\n"
                                                "exit\n");
    const std::string saved = "saved: " + folder.path("Translated_pl.php") + "\n";
    EXPECT_EQ(run.output, "error: Unknown character set \"no-such\"\n"
                          "encoding: \n"
                          "status: Waiting..\nname: Please load file first\nsource: Please load file first\n"
                          "translation: Please load file first\n"
                          + state + "source: Zobaczy\xC3\xA6\ntranslation: Zobaczy\xC3\xA6\n"
                          "encoding: ISO-8859-2\n"
                          + state + "source: Zobaczy\xC4\x87\ntranslation: Zobaczy\xC4\x87\n"
                          + state + "source: Zobaczy\xC4\x87\ntranslation: Ujrze\xC4\x87 \xE2\x80\x93\n"
                          + saved + "encoding: Windows-1250\n"
                          + state + "source: Zobaczy\xC4\x87\ntranslation: Ujrze\xC4\x87 &#8211;\n"
                          + saved);
    // Saved before the reload, in the set then in use, and carried on after
    // it: the en dash ISO-8859-2 lacks stays the reference the CMS shows.
    // Exit replaces what the reload's save wrote, so it keeps no backup.
    const std::string translated = "<?php\ndefine('_SEE', 'Ujrze\xE6 &#8211;');\n?>\n";
    EXPECT_FALSE(folder.exists("Translated_pl.php.bak"));
    EXPECT_EQ(folder.read("Translated_pl.php"), translated);
}

} // namespace
} // namespace kalmo

namespace kalmo {
namespace {

TEST(ScriptCommand, ContinueSaveAndTheUntranslatedSteps)
{
    TempFolder folder;
    const std::string old = "<?php\n"
                            "define('_HELLO', 'Hallo');\n"
                            "define('_BYE', 'Bye');\n"
                            "define('_GONE', 'Weg');\n"
                            "?>\n";
    folder.write("lang.php", "<?php\n"
                             "define('_HELLO', 'Hello');\n"
                             "define('_NEW', 'New');\n"
                             "define('_BYE', 'Bye');\n"
                             "?>\n");
    const std::string translated = folder.write("Translated_lang.php", old);
    const std::string orphan = folder.write("Translated_orphan.php", old);
    const ScriptRun run = runScript(folder, "continue " + orphan + "\n"
                                                "continue " + translated + "\n"
                                                "progress\n"
                                                "type Neu\n"
                                                "next-untranslated\n"
                                                "progress\n"
                                                "save\n"
                                                "progress\n"
                                                "previous-untranslated\n"
                                                "find HELLO\n"
                                                "find nowhere\n"
                                                "load " + folder.path("lang.php") + "\n");
    const std::string loaded = "status: Sourcefile: lang.php loaded and parsed.\n";
    const std::string atNew = loaded + "name: _NEW\nsource: New\n";
    const std::string atBye = "status: Line: 3/4\nname: _BYE\nsource: Bye\ntranslation: Bye\n";
    const std::string atHello = "status: Line: 1/4\nname: _HELLO\nsource: Hello\ntranslation: Hallo\n";
    EXPECT_EQ(run.output, "error: Cannot open file \"" + folder.path("orphan.php") + "\". No such file or directory.\n"
                          "status: Waiting..\n"
                          "name: Please load file first\nsource: Please load file first\n"
                          "translation: Please load file first\n"
                          "note: _GONE is no longer in the source\n"
                          + atNew + "translation: New\n"
                          "progress: translated 1 of 3 *\n"
                          + atNew + "translation: New\n"
                          + atNew + "translation: Neu\n"
                          + atBye
                          + "progress: translated 2 of 3 *\n" + atBye
                          + "saved: " + translated + "\n" + atBye
                          + "progress: translated 2 of 3\n" + atBye
                          + "beep\n" + atBye
                          + atHello
                          // A text found nowhere is named in the status.
                          + "beep\nstatus: not found: nowhere\nname: _HELLO\nsource: Hello\ntranslation: Hallo\n"
                          // Nothing changed since the save: the load saves nothing.
                          + loaded + "name: _HELLO\nsource: Hello\ntranslation: Hello\n");
    EXPECT_EQ(folder.read("Translated_lang.php"), "<?php\n"
                                                  "define('_HELLO', 'Hallo');\n"
                                                  "define('_NEW', 'Neu');\n"
                                                  "define('_BYE', 'Bye');\n"
                                                  "?>\n");
    EXPECT_EQ(folder.read("Translated_lang.php.bak"), old);
    EXPECT_EQ(folder.read("Translated_orphan.php"), old);
}

TEST(ScriptCommand, NewMenuShortcutsActInTheLowerPane)
{
    TempFolder folder;
    const std::string source = folder.write("lang.php", kLanguageFile);
    const ScriptRun run = runScript(folder, "load " + source + "\n"
                                                "key F2\n"
                                                "pane-key Home\n"
                                                "pane-type x\n"
                                                "pane-key S Ctrl\n"
                                                "pane-key U Ctrl\n"
                                                "progress\n");
    EXPECT_NE(run.output.find("saved: " + folder.path("Translated_lang.php")), std::string::npos);
    EXPECT_EQ(folder.read("Translated_lang.php"), "<?php\n"
                                                  "xdefine('_HELLO', 'Hello');\n"
                                                  "define('_BYE', 'Bye'); // parting\n"
                                                  "?>\n");
    // Ctrl+U took the pane's lines like Next and went on to the next entry
    // still holding its source text.
    EXPECT_NE(run.output.find("progress: translated 0 of 2\nstatus: Line: 2/3\nname: _BYE\n"), std::string::npos)
        << run.output;
}

// kLanguageFile with these values.
std::string languageFileWith(const std::string& hello, const std::string& bye)
{
    return "<?php\ndefine('_HELLO', '" + hello + "');\ndefine('_BYE', '" + bye + "'); // parting\n?>\n";
}

// What a run leaves unsaved comes back in the next run's `recover`, whose
// Exit writes it; a save or an exit leaves nothing to recover.
TEST(ScriptCommand, UnsavedWorkComesBackWithRecover)
{
    const struct {
        const char* commands;
        bool leavesWork;
    } cases[] = {
        {"type Apfel\nkey Down\ntype Tsch\xC3\xBCss\n", true},
        {"type Apfel\nkey Down\nsave\n", false},
        {"type Apfel\nexit\n", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.commands);
        TempFolder folder;
        const std::string source = folder.write("lang.php", kLanguageFile);
        runScript(folder, "load " + source + "\n" + c.commands);
        std::filesystem::remove(folder.path("Translated_lang.php"));
        const ScriptRun next = runScript(folder, "recover " + source + "\nprogress\nexit\n");
        if (!c.leavesWork) {
            EXPECT_EQ(next.output.rfind("error: Cannot open file \"", 0), 0u) << next.output;
            EXPECT_NE(next.output.find(".journal\". No such file or directory."), std::string::npos) << next.output;
            continue;
        }
        EXPECT_NE(next.output.find("status: Sourcefile: lang.php recovered.\nname: _BYE\nsource: Bye\n"
                                   "translation: Tsch\xC3\xBCss\nprogress: translated 2 of 2 *\n"),
                  std::string::npos)
            << next.output;
        EXPECT_EQ(folder.read("Translated_lang.php"), languageFileWith("Apfel", "Tsch\xC3\xBCss"));
        // Its exit saved the work: nothing is left to recover.
        EXPECT_NE(runScript(folder, "recover " + source + "\n").output.find("error: Cannot open file"),
                  std::string::npos);
    }
}

TEST(ScriptCommand, SaveAsWritesElsewhereAndLaterSavesFollow)
{
    TempFolder folder;
    const std::string source = folder.write("lang.php", kLanguageFile);
    const std::string other = folder.path("other.php");
    const ScriptRun run = runScript(folder, "load " + source + "\n"
                                                "type Hallo\n"
                                                "save-as " + other + "\n"
                                                "key Down\n"
                                                "type Tsch\xC3\xBCss\n"
                                                "exit\n");
    EXPECT_NE(run.output.find("saved: " + other + "\nstatus: Sourcefile: lang.php loaded and parsed.\n"
                                                  "name: _HELLO\nsource: Hello\ntranslation: Hallo\n"),
              std::string::npos)
        << run.output;
    EXPECT_EQ(folder.read("other.php"), languageFileWith("Hallo", "Tsch\xC3\xBCss"));
    EXPECT_FALSE(folder.exists("Translated_lang.php"));
}

// Without an answer a failed exit stays, with the error as before; Quit
// Without Saving ends and leaves the work to recover.
TEST(ScriptCommand, FailedExitEndsOnlyWhenTheAnswerSaysSo)
{
    TempFolder folder;
    const std::string source = folder.write("lang.php", kLanguageFile);
    std::filesystem::create_directory(folder.path("Translated_lang.php"));
    const std::string problem = "Cannot create file \"" + folder.path("Translated_lang.php") + "\". Is a directory.";
    const ScriptRun run = runScript(folder, "load " + source + "\n"
                                                "type Apfel\n"
                                                "exit\n"
                                                "answer Quit Without Saving\n"
                                                "exit\n"
                                                "type never read\n");
    const std::string question = "question: " + problem
        + " Save the translation under another name, or quit and keep the work for the next start? -> ";
    EXPECT_NE(run.output.find(question + "Cancel\nerror: " + problem + "\nstatus: "), std::string::npos)
        << run.output;
    EXPECT_TRUE(run.output.ends_with(question + "Quit Without Saving\n")) << run.output;
    EXPECT_EQ(run.exitStatus, 0);

    const ScriptRun next = runScript(folder, "recover " + source + "\n");
    EXPECT_NE(next.output.find("name: _HELLO\nsource: Hello\ntranslation: Apfel\n"), std::string::npos)
        << next.output;
}

} // namespace
} // namespace kalmo

namespace kalmo {
namespace {

using namespace std::string_literals;
using testing_support::phpConstants;

struct TypedCase {
    const char* what;
    std::string file;
    std::string typed; // the argument of `type`, byte for byte
    std::string written; // the file's entry line as saved
    std::string value; // what PHP reads
    std::string note;
};

void PrintTo(const TypedCase& c, std::ostream* out) { *out << c.what; }

class TypedTextThroughScript : public testing::TestWithParam<TypedCase> {};

// The value PHP reads is the text typed, in the file's own set, and the
// saved file loads again without a complaint.
TEST_P(TypedTextThroughScript, ReachesPhpAsTyped)
{
    const TypedCase& c = GetParam();
    TempFolder folder;
    const std::string source = folder.write("page.php", "<?php\n" + c.file + "\ndefine('_A', 'a');\n?>\n");
    const std::string translated = folder.path("Translated_page.php");
    const ScriptRun run = runScript(folder, "load " + source + "\ntype " + c.typed + "\nsave\nload " + translated + "\n");
    EXPECT_EQ(run.output.find("error:"), std::string::npos) << run.output;
    EXPECT_TRUE(folder.read("Translated_page.php") == "<?php\n" + c.file + "\n" + c.written + "\n?>\n")
        << testing::PrintToString(folder.read("Translated_page.php"));
    EXPECT_EQ(phpConstants(translated)["_A"], c.value);
    if (c.note.empty())
        EXPECT_EQ(run.output.find("note:"), std::string::npos) << run.output;
    else
        EXPECT_NE(run.output.find("note: " + c.note + "\n"), std::string::npos) << run.output;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TypedTextThroughScript,
    testing::Values(
        TypedCase{"an e acute into a UTF-8 page with one bad byte", "// <meta charset=\"utf-8\"> caf\xE9", "\xC3\xA9",
                  "define('_A', '\xC3\xA9');", "\xC3\xA9",
                  "1 byte of page.php is not valid UTF-8 (on line 2); it is kept as it is"},
        TypedCase{"a private byte point into a UTF-8 file", "// UTF-8", "\xEF\x9F\xA9",
                  "define('_A', '\xEF\x9F\xA9');", "\xEF\x9F\xA9", ""},
        TypedCase{"a private byte point into an ISO-8859-2 file", "// charset=iso-8859-2 \xB3", "\xEF\x9F\xA9",
                  "define('_A', '&#63465;');", "&#63465;", ""},
        TypedCase{"NUL, tab and line breaks", "// UTF-8", "A\0B\tC\rD"s, "define('_A', 'AB C D');", "AB C D",
                  ""}),
    testing_support::NameFrom<&TypedCase::what>());

TEST(ScriptCommand, RefusedLoadShowsTheStatusOfTheFileStillLoaded)
{
    TempFolder folder;
    const std::string source = folder.write("lang.php", kLanguageFile);
    const ScriptRun run = runScript(folder, "load " + source + "\nkey Down\nload " + folder.path("missing.php") + "\n");
    EXPECT_NE(run.output.find("error: Cannot open file \"" + folder.path("missing.php")
                              + "\". No such file or directory.\nstatus: Line: 2/3\nname: _BYE\n"),
              std::string::npos)
        << run.output;
}

} // namespace
} // namespace kalmo

namespace kalmo {
namespace {

const char* const kOneEntry = "<?php\ndefine('_A', 'a');\n?>\n";

TEST(ScriptCommand, OpeningAndClosingTwiceKeepsTheEarlierTranslation)
{
    TempFolder folder;
    const std::string source = folder.write("lang.php", kOneEntry);
    const std::string work = "<?php\ndefine('_A','work');\n?>\n";
    folder.write("Translated_lang.php", work);
    const std::string asked = "question: Translated_lang.php already holds a translation (";
    const std::string startOver
        = " entries translated). Continue it, or start over? Starting over keeps it as a backup. -> Start Over\n";
    for (const char* counted : {"1 of 1", "0 of 1"}) {
        const ScriptRun run = runScript(folder, "load " + source + "\nexit\n");
        EXPECT_EQ(run.output.rfind(asked + counted + startOver, 0), 0u) << run.output;
    }
    EXPECT_EQ(folder.read("Translated_lang.php"), kOneEntry);
    EXPECT_EQ(folder.read("Translated_lang.php.bak"), kOneEntry);
    EXPECT_EQ(folder.read("Translated_lang.php.bak.1"), work);
    EXPECT_FALSE(folder.exists(".~lock.lang.php#"));
}

TEST(ScriptCommand, EveryReloadWithEncodingCarriesTheWorkOn)
{
    TempFolder folder;
    const std::string source = folder.write("lang.php", kOneEntry);
    const ScriptRun run = runScript(folder, "load " + source + "\n"
                                                "type Apfel\n"
                                                "key Down\n"
                                                "reload-as UTF-8\n"
                                                "reload-as UTF-8\n"
                                                "progress\n"
                                                "exit\n");
    EXPECT_NE(run.output.find("progress: translated 1 of 1\n"), std::string::npos) << run.output;
    EXPECT_EQ(folder.read("Translated_lang.php"), "<?php\ndefine('_A', 'Apfel');\n?>\n");
}

TEST(ScriptCommand, LoadAsksWhileAnotherRunningProgramHoldsTheFile)
{
    TempFolder folder;
    const std::string source = folder.write("lang.php", kOneEntry);
    // This test is the other program: it runs, on this host.
    char host[256] = {};
    ::gethostname(host, sizeof host - 1);
    const std::string lock = "KALMO Translator lock " + std::to_string(::getpid()) + " " + host + "\n";
    folder.write(".~lock.lang.php#", lock);
    const ScriptRun run = runScript(folder, "answer Cancel\nload " + source + "\nload " + source + "\n");
    const std::string question = "question: lang.php is open in another KALMO Translator (process "
                               + std::to_string(::getpid()) + " on " + host
                               + "). Open it anyway? Both programs' work is kept: each save keeps the other's file "
                                 "as a backup. -> ";
    EXPECT_NE(run.output.find(question + "Cancel\nstatus: Waiting..\n"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find(question + "Open Anyway\nstatus: Sourcefile: lang.php loaded and parsed.\n"),
              std::string::npos)
        << run.output;
    EXPECT_EQ(folder.read(".~lock.lang.php#"), lock);
}

} // namespace
} // namespace kalmo

namespace kalmo {
namespace {

TEST(ScriptCommand, ChecksTheEntryAsTypedAndStepsToProblems)
{
    TempFolder folder;
    const std::string source = folder.write("lang.php", "<?php\n"
                                                        "define('_HELLO', 'Hello %s');\n"
                                                        "define('_SAVED', 'Saved.');\n"
                                                        "?>\n");
    const ScriptRun run = runScript(folder, "load " + source + "\n"
                                                "type Hallo\n"
                                                "checks\n"
                                                "key Enter\n"
                                                "type Gespeichert\n"
                                                "next-problem\n"
                                                "problems\n"
                                                "ignore _HELLO:placeholders\n"
                                                "next-problem\n");
    const std::string translated = folder.path("Translated_lang.php");
    EXPECT_NE(run.output.find(translated + ":2: warning: placeholder %s is missing [placeholders]\n"
                              "status: Sourcefile: lang.php loaded and parsed.\nname: _HELLO\nsource: Hello %s\n"
                              "translation: Hallo\n"),
              std::string::npos)
        << run.output;
    EXPECT_NE(run.output.find(translated + ":2: warning: placeholder %s is missing [placeholders]\n"
                              + translated + ":3: warning: the source ends in \".\": end the translation in it too, "
                                             "or in its script's own mark [end-punctuation]\n"),
              std::string::npos)
        << run.output;
    // Once silenced, _SAVED is the only entry left to fix.
    EXPECT_TRUE(run.output.ends_with("status: Line: 2/3\nname: _SAVED\nsource: Saved.\ntranslation: Gespeichert\n"))
        << run.output;
}

} // namespace
} // namespace kalmo
