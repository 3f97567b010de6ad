// Runs the real `kalmo script` on fixture files and compares what it prints
// and what it writes.
#include "tests/support/PhpJudge.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sys/wait.h>

namespace kalmo {
namespace {

using testing_support::phpSyntaxErrors;
using testing_support::TempFolder;

struct ScriptRun {
    std::string output;
    int exitStatus = -1;
};

ScriptRun runScript(const TempFolder& folder, const std::string& commands)
{
    const std::string input = folder.write("commands.txt", commands);
    const std::string command = std::string("'") + KALMO_CLI_PATH + "' script < '" + input + "'";
    ScriptRun run;
    FILE* pipe = ::popen(command.c_str(), "r");
    char buffer[4096];
    std::size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        run.output.append(buffer, count);
    const int status = ::pclose(pipe);
    run.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
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

TEST(ScriptCommand, ReportsErrorsAndGoesOn)
{
    TempFolder folder;
    const std::string missing = folder.path("missing.php");
    const ScriptRun run = runScript(folder, "load " + missing + "\nfrobnicate now\nkey Home\nload-cancel\n");
    EXPECT_EQ(run.output, "error: Cannot open file \"" + missing + "\". No such file or directory.\n"
                          "status: Sourcefile: missing.php loading and parsing..\n"
                          "name: Please load file first\nsource: Please load file first\n"
                          "translation: Please load file first\n"
                          "error: Unknown command \"frobnicate\"\n"
                          "status: Sourcefile: missing.php loading and parsing..\n"
                          "name: Please load file first\nsource: Please load file first\n"
                          "translation: Please load file first\n"
                          "error: Unknown key \"Home\"\n"
                          "status: Sourcefile: missing.php loading and parsing..\n"
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
                          + state + "source: Zobaczy\xC4\x87\ntranslation: Zobaczy\xC4\x87\n"
                          + saved);
    // Saved before the reload, in the set then in use; the reload's own
    // Exit wrote the untouched file in Windows-1250, which holds the same bytes.
    EXPECT_EQ(folder.read("Translated_pl.php.bak"), "<?php\ndefine('_SEE', 'Ujrze\xE6 &#8211;');\n?>\n");
    EXPECT_EQ(folder.read("Translated_pl.php"), folder.read("pl.php"));
}

} // namespace
} // namespace kalmo
