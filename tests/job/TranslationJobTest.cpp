// The translation job without a screen: loading, stepping, committing, full-text edits, saving.
#include "app/layouts/MemoLayouts.h"
#include "base/KalmoError.h"
#include "job/TranslationJob.h"
#include "testing/FakeTranslationJobView.h"
#include "testing/PhpJudge.h"
#include "testing/TempFolder.h"
#include "tests/job/JobTestFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace kalmo {
namespace {

using testing_support::FakeTranslationJobView;
using testing_support::phpConstants;
using testing_support::phpSyntaxErrors;
using testing_support::TempFolder;

TEST_F(TranslationJobTest, StartsWaitingWithKeysDoingNothing)
{
    EXPECT_EQ(windows.status, "Waiting..");
    EXPECT_EQ(windows.translation, "Please load file first");
    for (KeyCode key : {vk::Enter, vk::Up, vk::Down, vk::F1, vk::F2})
        job.FormKeyDown(key);
    EXPECT_EQ(windows.status, "Waiting..");
    EXPECT_EQ(windows.beeps, 0);
    EXPECT_FALSE(job.WholeLineMode());
    EXPECT_FALSE(job.FullTextMode());
}

TEST_F(TranslationJobTest, StepsThroughTheEntriesBothWays)
{
    load("lang.php", kTenLines);
    EXPECT_EQ(windows.lastDialog.filter, "Source files (*.php)|*.PHP");
    EXPECT_EQ(windows.lastDialog.title, "Choose Sourcefile");
    EXPECT_EQ(job.CurrentEntry(), 3);
    EXPECT_EQ(windows.status, "Sourcefile: lang.php loaded and parsed.");
    EXPECT_EQ(windows.name, "_A");
    EXPECT_EQ(windows.source, "Alpha");
    EXPECT_EQ(windows.translation, "Alpha");

    struct Step {
        KeyCode key;
        int entry;
        const char* status;
        int beeps;
    };
    const Step steps[] = {
        {vk::Down, 5, "Line: 5/9", 0},
        {vk::Down, 9, "Line: 9/9", 0},
        {vk::Down, 9, "End of File (line: 9/9)", 1},
        {vk::Up, 5, "Line: 5/9", 1},
        {vk::Up, 3, "Line: 3/9", 1},
        {vk::Up, 3, "Begin of File (line: 3/9)", 2},
        {vk::Enter, 5, "Line: 5/9", 2},
    };
    for (const Step& step : steps) {
        job.FormKeyDown(step.key);
        EXPECT_EQ(job.CurrentEntry(), step.entry);
        EXPECT_EQ(windows.status, step.status);
        EXPECT_EQ(windows.beeps, step.beeps);
    }
    EXPECT_EQ(windows.name, "_B");
    EXPECT_EQ(windows.translation, "Beta");
    EXPECT_EQ(memo2.CaretLine(), 5);
    EXPECT_EQ(memo1.ActiveLineIndex(), 5);
    EXPECT_EQ(memo2.ActiveLineIndex(), 5);
}

TEST_F(TranslationJobTest, CommitRewritesEntriesAndLeavesOtherLinesAlone)
{
    load("lang.php", kTenLines);
    windows.translation = "It's A";
    job.Volgende();
    windows.translation = "B \"quoted\"";
    job.Vorige();
    const LineList& working = job.WorkingLines();
    EXPECT_EQ(working[3], R"(define('_A', 'It\'s A');)");
    EXPECT_EQ(working[5], R"(  define("_B", "B \"quoted\""); // second)");
    EXPECT_EQ(working[2], "if (!defined('X')) {");
    EXPECT_EQ(working[7], "define(_C, 'x');");
    EXPECT_EQ(job.SourceLines()[3], "define('_A', 'Alpha');");
    EXPECT_EQ(windows.translation, R"(It\'s A)");
    EXPECT_EQ(memo2.Lines().Line(3), working[3]);
}

TEST_F(TranslationJobTest, UntouchedEntryKeepsItsLineExactly)
{
    load("lang.php", "<?php\ndefine('_NAME',  'text' ); // kept\n?>\n");
    job.Volgende();
    EXPECT_EQ(job.WorkingLines()[1], "define('_NAME',  'text' ); // kept");
}

// What PHP makes of the value written for a typed text, for both value quotes.
TEST_F(TranslationJobTest, IncludedFileGivesEveryConstantTheValueTyped)
{
    struct Typed {
        const char* line;
        const char* text;
    };
    const Typed typed[] = {
        {"define('_S1', 'x');", "Don't panic"},
        {"define('_S2', 'x');", "say \"hi\" to C:\\dir\\"},
        {"define('_S3', 'x');", "Hello $name, ${x}"},
        {"define('_S4', 'x');", "Gr\xC3\xBC\xC3\x9F""e \xE4\xB8\x96\xE7\x95\x8C \xE0\xB8\xAA\xE0\xB8\xA7\xE0\xB8\xB1"},
        {"define('_D1', \"x\");", "say \"hi\""},
        {"define('_D2', \"x\");", "Hello $name and {$name} and ${name} and $_x"},
        {"define('_D3', \"x\");", "$\xC3\xBC costs 5 $, $1 or 100%"},
        {"define('_D4', \"x\");", "C:\\dir\\"},
        {"define('_D5', \"x\");", "Gr\xC3\xBC\xC3\x9F""e, Don't"},
    };
    std::string content = "<?php\n";
    for (const Typed& entry : typed)
        content += std::string(entry.line) + "\n";
    load("values.php", content + "?>\n");
    for (const Typed& entry : typed) {
        windows.translation = entry.text;
        job.Volgende();
    }
    job.Exit1Click();

    const auto constants = phpConstants(folder.path("Translated_values.php"));
    ASSERT_EQ(constants.size(), std::size(typed));
    for (const Typed& entry : typed) {
        const std::string name = std::string(entry.line).substr(8, 3);
        EXPECT_EQ(constants.at(name), entry.text) << entry.line;
    }
}

TEST_F(TranslationJobTest, LoadSavesFirstOnlyWhenExitWouldWriteSomethingElse)
{
    const std::string finished = "<?php\ndefine('_A', 'Fertig');\n?>\n";
    struct Case {
        const char* what;
        std::function<void()> work;
        bool saves;
    };
    const Case cases[] = {
        {"nothing done", [] {}, false},
        {"full-text mode on and off", [&] { job.FullEdit(); job.FullEdit(); }, false},
        {"the shown text typed again", [&] { windows.translation = "Alpha"; }, false},
        {"a translation taken back", [&] {
             windows.translation = "Alfa";
             job.Volgende();
             job.Vorige();
             windows.translation = "Alpha";
             job.Volgende();
         }, false},
        {"a translation typed", [&] { windows.translation = "Alfa"; }, true},
        {"a whole line changed", [&] {
             job.EditWholeLine();
             windows.translation = "define('_A', 'Alpha', true);";
             job.Volgende();
             job.EditWholeLine();
         }, true},
    };
    for (const Case& c : cases) {
        folder.write("Translated_one.php", finished);
        windows.answers = {"Start Over"};
        load("one.php", kTenLines);
        c.work();
        load("two.php", kTenLines);
        EXPECT_EQ(job.FileName(), folder.path("two.php")) << c.what;
        EXPECT_EQ(folder.read("Translated_one.php") != finished, c.saves) << c.what;
        job.Vorige(); // leave nothing typed behind for the next case's load
    }
}

TEST_F(TranslationJobTest, ExitWritesTheTranslationIncludingTheTextBeingTyped)
{
    load("lang.php", kTenLines);
    windows.translation = "Alfa";
    job.Exit1Click();
    EXPECT_TRUE(windows.ended);
    const std::string written = folder.read("Translated_lang.php");
    EXPECT_NE(written.find("define('_A', 'Alfa');\n"), std::string::npos);
    EXPECT_EQ(written.rfind("<?php define('_ZERO', 'z');\n", 0), 0u);
    EXPECT_EQ(folder.read("lang.php"), kTenLines);
}

TEST_F(TranslationJobTest, ExitBeforeAnyLoadWritesNothing)
{
    job.Exit1Click();
    EXPECT_TRUE(windows.ended);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.root()), {}), 0);
}

TEST_F(TranslationJobTest, FailedExitKeepsTheProgramAndTheJob)
{
    load("lang.php", kTenLines);
    std::filesystem::create_directory(folder.path("Translated_lang.php"));
    windows.translation = "Alfa";
    EXPECT_EQ(errorOf(&TranslationJob::Exit1Click),
              "Cannot create file \"" + folder.path("Translated_lang.php") + "\". Is a directory");
    EXPECT_FALSE(windows.ended);
    EXPECT_TRUE(job.Loaded());
    EXPECT_EQ(job.LineCount(), 10);
    EXPECT_EQ(job.WorkingLines()[3], "define('_A', 'Alfa');");

    std::filesystem::remove(folder.path("Translated_lang.php"));
    job.Exit1Click();
    EXPECT_TRUE(windows.ended);
    EXPECT_NE(folder.read("Translated_lang.php").find("'Alfa'"), std::string::npos);
}

TEST_F(TranslationJobTest, UnreadableFileKeepsThePreviousJobWhole)
{
    load("lang.php", kTenLines);
    job.Volgende();
    windows.dialogAnswer = folder.path("missing.php");
    EXPECT_EQ(errorOf(&TranslationJob::LoadSourceFile1Click),
              "Cannot open file \"" + folder.path("missing.php") + "\". No such file or directory");
    EXPECT_EQ(windows.status, "Line: 5/9");
    EXPECT_EQ(job.FileName(), folder.path("lang.php"));
    EXPECT_EQ(job.CurrentEntry(), 5);
    EXPECT_EQ(job.LineCount(), 10);
    for (const std::string& notText : {std::string("<?php\n\0", 7), std::string("\xFF\xFE<\0", 4)}) {
        windows.dialogAnswer = folder.write("binary.php", notText);
        EXPECT_NE(errorOf(&TranslationJob::LoadSourceFile1Click).find("\"" + folder.path("binary.php") + "\"."),
                  std::string::npos);
        EXPECT_EQ(job.FileName(), folder.path("lang.php"));
        EXPECT_EQ(job.CurrentEntry(), 5);
    }

    job.Exit1Click();
    EXPECT_TRUE(folder.exists("Translated_lang.php"));
    EXPECT_FALSE(folder.exists("Translated_missing.php"));
    EXPECT_FALSE(folder.exists("Translated_binary.php"));
}

// The earlier file stays loaded, so the status goes back to what it said of it.
TEST_F(TranslationJobTest, EveryRefusedLoadPutsTheStatusBack)
{
    load("lang.php", kTenLines);
    job.Volgende();
    windows.dialogAnswer = folder.path("missing.php");
    EXPECT_NE(errorOf(&TranslationJob::ContinueTranslation), "<no error>");
    EXPECT_EQ(windows.status, "Line: 5/9");

    std::filesystem::remove(folder.path("lang.php"));
    EXPECT_THROW(job.ReloadWithEncoding(TextEncoding::Windows1252), KalmoError);
    EXPECT_EQ(windows.status, "Line: 5/9");

    // A load stopped by the save before it.
    folder.write("lang.php", kTenLines);
    windows.translation = "Beta 2";
    std::filesystem::create_directory(folder.path("Translated_lang.php"));
    windows.dialogAnswer = folder.write("two.php", kTenLines);
    EXPECT_NE(errorOf(&TranslationJob::LoadSourceFile1Click), "<no error>");
    EXPECT_EQ(windows.status, "Line: 5/9");
}

TEST_F(TranslationJobTest, CancelledLoadChangesNothingButTheStatus)
{
    load("lang.php", kTenLines);
    windows.dialogAnswer.reset();
    job.LoadSourceFile1Click();
    EXPECT_EQ(windows.status, "Waiting..");
    EXPECT_EQ(job.CurrentEntry(), 3);
    EXPECT_EQ(job.FileName(), folder.path("lang.php"));
}

TEST_F(TranslationJobTest, LoadingAnotherFileSavesTheChangedOneFirst)
{
    load("one.php", kTenLines);
    windows.translation = "Eins";
    load("two.php", kTenLines);
    EXPECT_NE(folder.read("Translated_one.php").find("define('_A', 'Eins');"), std::string::npos);
    EXPECT_EQ(job.FileName(), folder.path("two.php"));
    EXPECT_EQ(windows.translation, "Alpha");

    // Nothing changed in two.php: the next load saves nothing for it.
    load("three.php", kTenLines);
    EXPECT_FALSE(folder.exists("Translated_two.php"));
}

TEST_F(TranslationJobTest, LoadStopsWhenSavingTheChangedFileFails)
{
    load("one.php", kTenLines);
    windows.translation = "Eins";
    std::filesystem::create_directory(folder.path("Translated_one.php"));
    windows.dialogAnswer = folder.write("two.php", kTenLines);
    EXPECT_EQ(errorOf(&TranslationJob::LoadSourceFile1Click),
              "Cannot create file \"" + folder.path("Translated_one.php") + "\". Is a directory");
    EXPECT_EQ(job.FileName(), folder.path("one.php"));
    EXPECT_EQ(job.WorkingLines()[3], "define('_A', 'Eins');");
}

TEST_F(TranslationJobTest, FilesWithoutEntries)
{
    load("empty.php", "");
    EXPECT_EQ(job.LineCount(), 0);
    EXPECT_EQ(windows.beeps, 1);
    EXPECT_EQ(windows.status, "Sourcefile: empty.php loaded and parsed.");
    EXPECT_EQ(windows.translation, "Please load file first");
    job.Volgende();
    EXPECT_EQ(windows.status, "End of File (line: 0/-1)");
    job.Vorige();
    EXPECT_EQ(windows.status, "Begin of File (line: 0/-1)");
    job.Exit1Click();
    EXPECT_EQ(folder.read("Translated_empty.php"), "");

    load("plain.php", "<?php\n$a = 1;\n?>");
    EXPECT_EQ(job.CurrentEntry(), 0);
    job.Volgende();
    EXPECT_EQ(windows.status, "End of File (line: 0/2)");
}

TEST_F(TranslationJobTest, ExitWritesEveryLineWithTheEndItWasReadWith)
{
    const std::string content = "<?php\r\n\t$b = 1;  \rdefine('_A', 'x');\n\n\r?>";
    load("mixed.php", content);
    job.Exit1Click();
    EXPECT_EQ(folder.read("Translated_mixed.php"), content);
    EXPECT_EQ(folder.read("mixed.php"), content);
}

// A file this run never wrote, or one changed since it wrote it, may hold
// somebody's work: a save keeps it first, and an older backup moves on.
TEST_F(TranslationJobTest, SaveKeepsTheFileFirstUnlessItIsWhatThisRunLastWrote)
{
    folder.write("Translated_lang.php", "earlier");
    windows.answers = {"Start Over"};
    load("lang.php", kTenLines);
    windows.translation = "Eins";
    // A load that fails after saving the changed file leaves the same job.
    windows.dialogAnswer = folder.write("nul.php", std::string("a\0", 2));
    EXPECT_NE(errorOf(&TranslationJob::LoadSourceFile1Click), "<no error>");
    EXPECT_EQ(folder.read("Translated_lang.php.bak"), "earlier");
    EXPECT_NE(folder.read("Translated_lang.php").find("'Eins'"), std::string::npos);

    // Unchanged since this run wrote it, also for a new job of the same file.
    windows.translation = "Zwei";
    windows.dialogAnswer = folder.path("lang.php");
    job.LoadSourceFile1Click();
    windows.translation = "Drei";
    job.Save();
    EXPECT_EQ(folder.read("Translated_lang.php.bak"), "earlier");
    EXPECT_FALSE(folder.exists("Translated_lang.php.bak.1"));

    folder.write("Translated_lang.php", "changed by another program");
    windows.translation = "Vier";
    job.Save();
    EXPECT_EQ(folder.read("Translated_lang.php.bak"), "changed by another program");
    EXPECT_EQ(folder.read("Translated_lang.php.bak.1"), "earlier");

    // A backup that cannot be written stops the save; the program stays.
    folder.write("Translated_lang.php", "changed again");
    std::filesystem::rename(folder.path("Translated_lang.php.bak"), folder.path("Translated_lang.php.bak.2"));
    std::filesystem::create_directory(folder.path("Translated_lang.php.bak"));
    windows.translation = "F\xC3\xBCnf";
    EXPECT_EQ(errorOf(&TranslationJob::Exit1Click),
              "Cannot create file \"" + folder.path("Translated_lang.php.bak") + "\". Is a directory");
    EXPECT_FALSE(windows.ended);
    EXPECT_EQ(folder.read("Translated_lang.php"), "changed again");

    std::filesystem::remove(folder.path("Translated_lang.php.bak"));
    job.Exit1Click();
    EXPECT_TRUE(windows.ended);
    EXPECT_EQ(folder.read("Translated_lang.php.bak"), "changed again");
    EXPECT_NE(folder.read("Translated_lang.php").find("'F\xC3\xBCnf'"), std::string::npos);
}

TEST_F(TranslationJobTest, Windows1252FileIsWrittenBackInItsEncoding)
{
    load("latin.php", "<?php\ndefine('_CAFE', 'caf\xE9 \x80');\n?>\n");
    EXPECT_EQ(job.Encoding(), TextEncoding::Windows1252);
    EXPECT_EQ(windows.source, "caf\xC3\xA9 \xE2\x82\xAC");
    windows.translation = "\xE2\x82\xAC \xD0\x96 \xC3\xA9";
    job.Exit1Click();
    EXPECT_EQ(folder.read("Translated_latin.php"), "<?php\ndefine('_CAFE', '\x80 &#1046; \xE9');\n?>\n");
}

TEST_F(TranslationJobTest, WorkedExampleShowsTheEscapedTextAndCommitsTheTranslation)
{
    load("mb.php", "<?php\n    define(\"_MB_TITLE\", 'Don\\'t \"panic\"');\n?>\n");
    EXPECT_EQ(windows.name, "_MB_TITLE");
    EXPECT_EQ(windows.source, R"(Don\'t "panic")");
    windows.translation = "Keine Panik";
    job.Volgende();
    EXPECT_EQ(job.WorkingLines()[1], R"(    define("_MB_TITLE", 'Keine Panik');)");
    job.Vorige();
    EXPECT_EQ(windows.translation, "Keine Panik");
    EXPECT_EQ(windows.source, R"(Don\'t "panic")");
}

TEST_F(TranslationJobTest, TextTypedForALineThatTakesNoTextStopsTheStepAndStaysInTheField)
{
    const std::string content = "<?php\ndefine('_N', 5); // five\ndefine('_M', 'multi\nline');\n"
                                " \tdefined('_X') or die('x'); // indented and without a comma\n"
                                "\n?>\n";
    load("num.php", content);
    EXPECT_EQ(windows.name, "_N");
    EXPECT_EQ(windows.translation, "");

    struct Attempt {
        const char* what;
        void (TranslationJob::*operation)();
    };
    const Attempt attempts[] = {{"Next", &TranslationJob::Volgende},
                                {"Previous", &TranslationJob::Vorige},
                                {"Exit", &TranslationJob::Exit1Click},
                                {"Load", &TranslationJob::LoadSourceFile1Click},
                                {"full-text mode", &TranslationJob::FullEdit}};
    windows.dialogAnswer = folder.write("other.php", kTenLines);
    for (const Attempt& attempt : attempts) {
        windows.translation = "six";
        EXPECT_EQ(errorOf(attempt.operation),
                  "The translation of \"_N\" cannot be written: its value is not a quoted text on one line. "
                  "Press F1 to edit the whole line, or empty the field")
            << attempt.what;
        EXPECT_EQ(windows.translation, "six") << attempt.what;
        EXPECT_EQ(job.CurrentEntry(), 1) << attempt.what;
        EXPECT_EQ(job.FileName(), folder.path("num.php")) << attempt.what;
        EXPECT_FALSE(job.FullTextMode()) << attempt.what;
    }
    EXPECT_FALSE(windows.ended);
    EXPECT_FALSE(folder.exists("Translated_num.php"));

    // An emptied field goes on without it; so do the lines the parse shows
    // with an empty text, as long as nothing is typed.
    windows.translation = "";
    job.Volgende();
    EXPECT_EQ(job.CurrentEntry(), 2);
    job.Volgende();
    EXPECT_EQ(windows.name, "_X");
    windows.translation = "typed";
    EXPECT_NE(errorOf(&TranslationJob::Volgende).find("\"_X\" cannot be written"), std::string::npos);
    windows.translation = "";
    job.Exit1Click();
    EXPECT_EQ(folder.read("Translated_num.php"), folder.read("num.php"));
}

TEST_F(TranslationJobTest, WholeLineModeWritesALineThatTakesNoText)
{
    load("num.php", "<?php\ndefine('_N', 5);\n?>\n");
    job.FormKeyDown(vk::F1);
    windows.translation = "define('_N', 6);";
    job.Volgende();
    EXPECT_EQ(job.WorkingLines()[1], "define('_N', 6);");
}

struct RoundTripCase {
    std::string name;
    std::string content;
};

void PrintTo(const RoundTripCase& c, std::ostream* out) { *out << c.name; }

std::vector<RoundTripCase> roundTripCases()
{
    std::vector<RoundTripCase> cases = {
        {"every_line_end", "<?php\r\ndefine('_A', 'a');\ndefine('_B', 'b');\rdefine('_C', 'c');\n\r"
                           "define('_D', 'd');\r\n?>\n"},
        {"no_final_line_end", "<?php\ndefine('_A', 'a');\ndefine('_LAST', 'z');"},
        {"tabs_and_trailing_blanks", "<?php \t\n\tdefine('_A',\t'a' );\t \n  define(\"_B\",  \"b\"); // \x01\n"
                                     "\n\t// done\t\n?>  "},
        {"one_line_only", "define('_A', 'a');"},
        {"empty", ""},
        {"line_ends_only", "\r\n\n\r\r\n"},
    };
    for (const auto& entry : std::filesystem::directory_iterator(KALMO_FIXTURES_DIR)) {
        std::ifstream in(entry.path(), std::ios::binary);
        cases.push_back({entry.path().stem().string(),
                         {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()}});
    }
    return cases;
}

// A file taken through the program without a change comes back byte for
// byte, however its lines end and whatever blanks they hold.
class ByteExactRoundTrip : public TranslationJobTest, public testing::WithParamInterface<RoundTripCase> {
protected:
    void loadCase() { load(GetParam().name + ".php", GetParam().content); }
    void expectWrittenUnchanged()
    {
        job.Exit1Click();
        const std::string written = folder.read("Translated_" + GetParam().name + ".php");
        EXPECT_EQ(written, GetParam().content);
    }
};

TEST_P(ByteExactRoundTrip, SteppingThroughEveryEntryChangesNoByte)
{
    loadCase();
    for (int step = 0; step <= job.LineCount() && windows.status.rfind("End of File", 0) != 0; ++step)
        job.FormKeyDown(vk::Down);
    EXPECT_EQ(windows.status.rfind("End of File", 0), 0u);
    expectWrittenUnchanged();
}

TEST_P(ByteExactRoundTrip, PassingTheCaretOverEveryLineInFullTextModeChangesNoByte)
{
    loadCase();
    job.FormKeyDown(vk::F2);
    for (int line = 0; line < memo2.Lines().LineCount(); ++line) {
        memo2.SetCaretLine(line);
        memo2.SetCaretCol(memo2.Lines().LineLength(line) + 3);
    }
    memo2.SetCaretLine(0);
    job.FormKeyDown(vk::F2);
    expectWrittenUnchanged();
}

INSTANTIATE_TEST_SUITE_P(Files, ByteExactRoundTrip, testing::ValuesIn(roundTripCases()),
                         [](const testing::TestParamInfo<RoundTripCase>& info) {
                             std::string name = info.param.name;
                             std::replace_if(name.begin(), name.end(), [](char c) { return !std::isalnum(c); }, '_');
                             return name;
                         });

} // namespace
} // namespace kalmo

namespace kalmo {
namespace {

// Editing modes: F1 shows and commits whole lines, F2 turns the lower pane
// into a free editor whose lines become the working lines.
class EditingModesTest : public TranslationJobTest {
protected:
    EditingModesTest()
    {
        memo2.OnActiveLineChange = [this](TCustomCodeMemo&, int) { job.Memo2ActiveLineChange(); };
    }

    // A free edit in the lower pane, as the editor would make it.
    void editLowerPane(int line, const std::string& text) { memo2.Lines().PutLine(line, text); }
};

TEST_F(EditingModesTest, WholeLineModeShowsTheSourceLineAndDropsTextTypedBeforeTheToggle)
{
    load("lang.php", kTenLines);
    windows.translation = "typed";
    job.FormKeyDown(vk::F1);
    EXPECT_TRUE(job.WholeLineMode());
    EXPECT_EQ(windows.translationBackground, clBlack);
    EXPECT_EQ(windows.translationText, clWhite);
    EXPECT_EQ(windows.name, "define('_A', 'Alpha');");
    EXPECT_EQ(windows.source, "define('_A', 'Alpha');");
    EXPECT_EQ(windows.translation, "define('_A', 'Alpha');");
    job.FormKeyDown(vk::F1);
    EXPECT_EQ(windows.translationBackground, clWhite);
    EXPECT_EQ(windows.translationText, clBlack);
    EXPECT_EQ(windows.translation, "Alpha");
}

TEST_F(EditingModesTest, WholeLineCommitChangesBothListsOnlyWhenTheLineWasEdited)
{
    load("lang.php", kTenLines);
    windows.translation = "Alfa";
    job.Volgende();
    job.Vorige();
    job.FormKeyDown(vk::F1);
    job.Volgende(); // untouched: the translation stays
    EXPECT_EQ(job.WorkingLines()[3], "define('_A', 'Alfa');");
    EXPECT_EQ(job.SourceLines()[3], "define('_A', 'Alpha');");

    job.Vorige();
    windows.translation = "define('_A', 'Alpha', true);";
    job.Volgende();
    EXPECT_EQ(job.SourceLines()[3], "define('_A', 'Alpha', true);");
    EXPECT_EQ(job.WorkingLines()[3], "define('_A', 'Alpha', true);");
    EXPECT_EQ(memo1.Lines().Line(3), "define('_A', 'Alpha', true);");
    job.FormKeyDown(vk::F1);
    EXPECT_EQ(windows.name, "_B");
    EXPECT_EQ(windows.translation, "Beta");
}

TEST_F(EditingModesTest, WholeLineToggleWithoutAnEntryFollowsTheLastDirection)
{
    load("none.php", "<?php\n$a = 1;\n?>\n"); // the load's Next goes forward
    windows.beeps = 0;
    job.FormKeyDown(vk::F1);
    EXPECT_EQ(windows.beeps, 1);
    EXPECT_EQ(windows.status, "End of File (line: 0/2)");

    job.Vorige();
    windows.status.clear();
    job.FormKeyDown(vk::F1);
    EXPECT_EQ(windows.status, "Begin of File (line: 0/2)");

    load("empty.php", ""); // no line 0 at all
    job.FormKeyDown(vk::F1);
    EXPECT_EQ(windows.status, "End of File (line: 0/-1)");
    EXPECT_EQ(job.CurrentEntry(), 0);
}

TEST_F(EditingModesTest, WholeLineToggleOnLineZeroShowsItWithoutMakingItAnEntry)
{
    load("zero.php", "define('_Z', 'zero');\n$a = 1;\n?>\n");
    EXPECT_EQ(job.CurrentEntry(), 0);
    job.FormKeyDown(vk::F1);
    EXPECT_EQ(windows.translation, "define('_Z', 'zero');");
    windows.translation = "changed";
    job.Volgende();
    EXPECT_EQ(job.WorkingLines()[0], "define('_Z', 'zero');");
}

TEST_F(EditingModesTest, FullTextModeHandsTheLowerPaneToTheUserAndBack)
{
    load("lang.php", kTenLines);
    job.FormKeyDown(vk::F2);
    EXPECT_TRUE(job.FullTextMode());
    EXPECT_FALSE(windows.translationEnabled);
    EXPECT_TRUE(windows.viewerShownAndFocused);
    EXPECT_TRUE(memo2.Enabled());
    EXPECT_FALSE(memo2.ReadOnly());

    editLowerPane(1, "// edited header");
    editLowerPane(3, "define('_A', 'Freely edited');");
    job.ViewerKeyDown(vk::F2);
    EXPECT_FALSE(job.FullTextMode());
    EXPECT_TRUE(windows.translationEnabled);
    EXPECT_FALSE(windows.viewerShownAndFocused);
    EXPECT_FALSE(memo2.Enabled());
    EXPECT_TRUE(memo2.ReadOnly());
    EXPECT_EQ(job.WorkingLines()[1], "// edited header");
    EXPECT_EQ(windows.translation, "Freely edited");

    job.Volgende();
    job.Exit1Click();
    const std::string written = folder.read("Translated_lang.php");
    EXPECT_NE(written.find("// edited header\n"), std::string::npos);
    EXPECT_NE(written.find("define('_A', 'Freely edited');\n"), std::string::npos);
}

TEST_F(EditingModesTest, NavigationInFullTextModeKeepsTheFreeEdits)
{
    load("lang.php", kTenLines);
    job.FormKeyDown(vk::F2);
    editLowerPane(6, "$x = 2;");
    windows.translation = "ignored while disabled";
    job.FormKeyDown(vk::Down);
    EXPECT_EQ(job.CurrentEntry(), 5);
    EXPECT_EQ(job.WorkingLines()[6], "$x = 2;");
    EXPECT_EQ(job.WorkingLines()[3], "define('_A', 'Alpha');");
    EXPECT_EQ(memo2.Lines().Line(6), "$x = 2;");

    editLowerPane(8, "} // end");
    job.Exit1Click();
    const std::string written = folder.read("Translated_lang.php");
    EXPECT_NE(written.find("$x = 2;\n"), std::string::npos);
    EXPECT_NE(written.find("} // end\n"), std::string::npos);
}

TEST_F(EditingModesTest, EntriesFindTheirLinesAfterFullTextEditsChangedTheLineCount)
{
    load("lang.php", kTenLines);
    job.FormKeyDown(vk::F2);
    memo2.Lines().DeleteLine(4); // the blank line between the two entries
    job.FormKeyDown(vk::F2);
    EXPECT_EQ(job.WorkingLines().size(), 9u);
    EXPECT_EQ(job.SourceLines().size(), 10u);

    job.Volgende(); // entry 5 now stands at working line 4
    EXPECT_EQ(job.CurrentEntry(), 5);
    EXPECT_EQ(windows.translation, "Beta");
    EXPECT_EQ(memo2.CaretLine(), 4);
    windows.translation = "Beeta";
    job.Vorige();
    EXPECT_EQ(job.WorkingLines()[4], "  define(\"_B\", \"Beeta\"); // second");
    EXPECT_EQ(job.WorkingLines()[5], "$x = 1;");
}

TEST_F(EditingModesTest, EntryLineShownIsTheWorkingLineAsTheJobHoldsIt)
{
    using Shown = std::pair<int, std::string>;
    load("lang.php", kTenLines);
    EXPECT_EQ(windows.entryLine, Shown(3, "define('_A', 'Alpha');"));
    windows.translation = "Alfa";
    job.Volgende();
    EXPECT_EQ(windows.entryLine, Shown(5, "  define(\"_B\", \"Beta\"); // second"));
    job.Vorige();
    EXPECT_EQ(windows.entryLine, Shown(3, "define('_A', 'Alfa');"));
    job.FormKeyDown(vk::F1);
    EXPECT_EQ(windows.entryLine, Shown(3, "define('_A', 'Alfa');"));
    job.FormKeyDown(vk::F1);

    // Full-text edits moved the entry's working line up by one; the index
    // stays the one the status bar counts.
    job.FormKeyDown(vk::F2);
    memo2.Lines().DeleteLine(4);
    memo2.Lines().PutLine(4, "  define(\"_B\", \"Bravo\"); // second");
    job.FormKeyDown(vk::F2);
    job.Volgende();
    EXPECT_EQ(windows.entryLine, Shown(5, "  define(\"_B\", \"Bravo\"); // second"));
}

TEST_F(EditingModesTest, LineCountChangedByFullTextEditsGivesEveryLineTheMostFrequentEnd)
{
    load("mixed.php", "<?php\r\ndefine('_A', 'x');\r\n// gone\n?>");
    job.FormKeyDown(vk::F2);
    memo2.Lines().DeleteLine(2);
    job.FormKeyDown(vk::F2);
    job.Exit1Click();
    EXPECT_EQ(folder.read("Translated_mixed.php"), "<?php\r\ndefine('_A', 'x');\r\n?>");
}

TEST_F(EditingModesTest, TranslationOfAnEntryWhoseLineWasRemovedIsKeptAndReported)
{
    load("lang.php", kTenLines);
    job.FormKeyDown(vk::F2);
    memo2.Lines().DeleteLine(3);
    job.FormKeyDown(vk::F2);
    EXPECT_EQ(windows.translation, "");
    windows.translation = "Alfa";
    const LineList before = job.WorkingLines();
    EXPECT_EQ(errorOf(&TranslationJob::Volgende),
              "The translation of \"_A\" was not written: its line is no longer in \"Translated_lang.php\"");
    EXPECT_EQ(windows.translation, "Alfa");
    EXPECT_EQ(job.WorkingLines(), before);
    EXPECT_EQ(job.CurrentEntry(), 3);

    // In whole-line mode the field shows the source line; emptying it is
    // the way on there too.
    job.FormKeyDown(vk::F1);
    windows.translation = "";
    job.Volgende();
    EXPECT_EQ(job.WorkingLines(), before);
    EXPECT_EQ(job.CurrentEntry(), 5);
}

TEST_F(EditingModesTest, PassingTheCaretOverEveryLineChangesNoByte)
{
    const std::string content = "<?php  \r\n\tdefine('_A',\t'x');\t\r\n// note \x01\n\n\tif (1) {\r\n"
                                "    define(\"_B\", \"y\"); \r}\n?>";
    load("tidy.php", content);
    job.FormKeyDown(vk::F2);
    for (int line = 0; line < memo2.Lines().LineCount(); ++line) {
        memo2.SetCaretLine(line);
        memo2.SetCaretCol(40); // beyond the line's end
    }
    memo2.SetCaretLine(0);
    job.FormKeyDown(vk::F2);
    EXPECT_EQ(job.WorkingLines(), job.SourceLines());
    job.Exit1Click();
    EXPECT_EQ(folder.read("Translated_tidy.php"), content);
}

TEST_F(EditingModesTest, PassingTheCaretOverLinesAfterRemovingOneChangesNoOtherLine)
{
    load("tidy.php", "<?php  \n\tdefine('_A',\t'x');\t\n// gone\n\tif (1) {\n    define(\"_B\", \"y\"); \n}\n?>");
    job.FormKeyDown(vk::F2);
    memo2.Lines().DeleteLine(2);
    for (int line = 0; line < memo2.Lines().LineCount(); ++line) {
        memo2.SetCaretLine(line);
        memo2.SetCaretCol(40); // beyond the line's end
    }
    memo2.SetCaretLine(0);
    job.FormKeyDown(vk::F2);
    job.Exit1Click();
    EXPECT_EQ(folder.read("Translated_tidy.php"),
              "<?php  \n\tdefine('_A',\t'x');\t\n\tif (1) {\n    define(\"_B\", \"y\"); \n}\n?>");
}

TEST_F(EditingModesTest, FullTextEditsReachTheFileAndUntouchedLinesKeepTheirBytes)
{
    load("tidy.php", "<?php\n\t$a = 1;  \ndefine('_A', 'x');\n?>\n");
    job.FormKeyDown(vk::F2);
    memo2.SetCaretLine(1);
    editLowerPane(2, "define('_A', 'edited');");
    memo2.SetCaretLine(3);
    job.Exit1Click(); // still in full-text mode
    EXPECT_EQ(folder.read("Translated_tidy.php"), "<?php\n\t$a = 1;  \ndefine('_A', 'edited');\n?>\n");
}

TEST_F(EditingModesTest, LowerPaneActiveLineIsMirroredOnlyInFullTextMode)
{
    load("lang.php", kTenLines);
    memo2.SetCaretLine(7);
    EXPECT_EQ(memo1.ActiveLineIndex(), 3);
    job.FormKeyDown(vk::F2);
    memo2.SetCaretLine(8);
    EXPECT_EQ(memo1.ActiveLineIndex(), 8);
    EXPECT_EQ(memo1.CaretLine(), 3);
}

TEST_F(EditingModesTest, LoadInFullTextModeSavesTheFreeEditsFirstAndKeepsTheMode)
{
    load("one.php", kTenLines);
    job.FormKeyDown(vk::F2);
    editLowerPane(1, "// mine");
    load("two.php", kTenLines);
    EXPECT_NE(folder.read("Translated_one.php").find("// mine\n"), std::string::npos);
    EXPECT_TRUE(job.FullTextMode());
    EXPECT_EQ(memo2.Lines().Line(1), "// header");
}

} // namespace
} // namespace kalmo

namespace kalmo {
namespace {

TEST_F(EditingModesTest, LeavingFullTextModePutsBothHighlightsBackOnTheEntry)
{
    load("lang.php", kTenLines);
    job.FormKeyDown(vk::F2);
    memo2.SetCaretLine(8);
    job.FormKeyDown(vk::F2);
    EXPECT_EQ(memo1.ActiveLineIndex(), 3);
    EXPECT_EQ(memo2.ActiveLineIndex(), 3);
}

} // namespace
} // namespace kalmo

namespace kalmo {
namespace {

TEST_F(EditingModesTest, TranslationTypedBeforeFullTextModeIsKept)
{
    load("lang.php", kTenLines);
    windows.translation = "Alfa";
    job.FormKeyDown(vk::F2);
    EXPECT_EQ(job.WorkingLines()[3], "define('_A', 'Alfa');");
    EXPECT_EQ(memo2.Lines().Line(3), "define('_A', 'Alfa');");
    EXPECT_EQ(memo2.CaretLine(), 3);

    job.FormKeyDown(vk::Down); // navigation in the mode keeps it too
    job.FormKeyDown(vk::F2);
    EXPECT_EQ(job.WorkingLines()[3], "define('_A', 'Alfa');");
    job.Exit1Click();
    EXPECT_NE(folder.read("Translated_lang.php").find("define('_A', 'Alfa');\n"), std::string::npos);
}

// The lower pane's undo steps name lines and columns of the text they were
// recorded on. Every refill of the panes empties its history, so an undo
// afterwards cannot write an old line over the new text.
TEST_F(EditingModesTest, RefillingThePanesEmptiesTheLowerPaneHistory)
{
    const std::string a = "<?php\ndefine('_A', 'Apple');\n?>\n";
    const std::string b = "<?php\ndefine('_B', 'Banana');\ndefine('_C', 'Cherry');\n?>\n";
    const auto typeAtTheEndOfTheEntryLine = [this] {
        memo2.KeyDown(vk::End, 0);
        memo2.KeyDown(vk::LetterA + 24, 0);
        memo2.KeyPress(U'y');
        ASSERT_TRUE(memo2.CanUndo());
    };
    const std::vector<std::pair<const char*, std::function<void()>>> refills{
        {"LeavingFullTextMode", [&] {
             typeAtTheEndOfTheEntryLine();
             job.ViewerKeyDown(vk::F2);
             job.FormKeyDown(vk::F2);
         }},
        {"LoadInFullTextMode", [&] {
             typeAtTheEndOfTheEntryLine();
             load("B.php", b);
         }},
        {"LoadAfterLeavingFullTextMode", [&] {
             typeAtTheEndOfTheEntryLine();
             job.ViewerKeyDown(vk::F2);
             load("B.php", b);
             job.FormKeyDown(vk::F2);
         }},
        {"CommitInFullTextMode", [&] {
             typeAtTheEndOfTheEntryLine();
             job.FormKeyDown(vk::Down);
         }},
    };
    for (const auto& [name, refill] : refills) {
        SCOPED_TRACE(name);
        load("A.php", a);
        job.FormKeyDown(vk::F2);
        refill();
        ASSERT_TRUE(job.FullTextMode());
        EXPECT_FALSE(memo2.CanUndo());
        EXPECT_FALSE(memo2.CanRedo());
        std::vector<std::string> before;
        for (int i = 0; i < memo2.Lines().LineCount(); ++i)
            before.push_back(memo2.Lines().Line(i));
        memo2.KeyDown(vk::Backspace, ssAlt);
        for (int i = 0; i < memo2.Lines().LineCount(); ++i)
            EXPECT_EQ(memo2.Lines().Line(i), before.at(static_cast<std::size_t>(i)));
        job.FormKeyDown(vk::F2);
    }
}

} // namespace
} // namespace kalmo
