#include "controls/memo/MemoLayouts.h"
#include "job/KalmoError.h"
#include "job/TranslationJob.h"
#include "tests/job/FakeTranslationWindows.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace kalmo {
namespace {

using testing_support::FakeTranslationWindows;
using testing_support::TempFolder;

// Entries at 3 and 5; the define lines at 0, 2, 7 and 9 are never shown.
const char* const kTenLines = "<?php define('_ZERO', 'z');\n"
                              "// header\n"
                              "if (!defined('X')) {\n"
                              "define('_A', 'Alpha');\n"
                              "\n"
                              "  define(\"_B\", \"Beta\"); // second\n"
                              "$x = 1;\n"
                              "define(_C, 'x');\n"
                              "}\n"
                              "define('_LAST', 'z');\n";

class TranslationJobTest : public testing::Test {
protected:
    TranslationJobTest()
    {
        applyViewerPaneLayout(memo1);
        applyViewerPaneLayout(memo2);
        memo1.SetBounds(488, 193);
        memo2.SetBounds(488, 199);
        memo1.SetFontCell(7, 14);
        memo2.SetFontCell(7, 14);
        job.FormCreate();
    }

    void load(const std::string& name, const std::string& content)
    {
        windows.dialogAnswer = folder.write(name, content);
        job.LoadSourceFile1Click();
    }

    std::string errorOf(void (TranslationJob::*operation)())
    {
        try {
            (job.*operation)();
        } catch (const KalmoError& error) {
            return error.what();
        }
        return "<no error>";
    }

    TempFolder folder;
    FakeTranslationWindows windows;
    TCustomCodeMemo memo1;
    TCustomCodeMemo memo2;
    TranslationJob job{windows, memo1, memo2};
};

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
        {vk::Down, 5, "End of File (line: 5/9)", 1},
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
    EXPECT_EQ(working[3], R"(define('_A','It\'s A');)");
    EXPECT_EQ(working[5], R"(  define("_B","B \"quoted\""); // second)");
    EXPECT_EQ(working[2], "if (!defined('X')) {");
    EXPECT_EQ(working[7], "define(_C, 'x');");
    EXPECT_EQ(job.SourceLines()[3], "define('_A', 'Alpha');");
    EXPECT_EQ(windows.translation, R"(It\'s A)");
    EXPECT_EQ(memo2.Lines().Line(3), working[3]);
}

TEST_F(TranslationJobTest, UntouchedEntryLosesOnlyTheBlanksAfterTheComma)
{
    load("lang.php", "<?php\ndefine('_NAME', 'text');\n?>\n");
    job.Volgende();
    EXPECT_EQ(job.WorkingLines()[1], "define('_NAME','text');");
}

TEST_F(TranslationJobTest, ExitWritesTheTranslationIncludingTheTextBeingTyped)
{
    load("lang.php", kTenLines);
    windows.translation = "Alfa";
    job.Exit1Click();
    EXPECT_TRUE(windows.ended);
    const std::string written = folder.read("Translated_lang.php");
    EXPECT_NE(written.find("define('_A','Alfa');\r\n"), std::string::npos);
    EXPECT_EQ(written.rfind("<?php define('_ZERO', 'z');\r\n", 0), 0u);
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
    EXPECT_EQ(job.WorkingLines()[3], "define('_A','Alfa');");

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
    EXPECT_EQ(windows.status, "Sourcefile: missing.php loading and parsing..");
    EXPECT_EQ(job.FileName(), folder.path("lang.php"));
    EXPECT_EQ(job.CurrentEntry(), 5);
    EXPECT_EQ(job.LineCount(), 10);

    job.Exit1Click();
    EXPECT_TRUE(folder.exists("Translated_lang.php"));
    EXPECT_FALSE(folder.exists("Translated_missing.php"));
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
    EXPECT_NE(folder.read("Translated_one.php").find("define('_A','Eins');"), std::string::npos);
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
    EXPECT_EQ(job.WorkingLines()[3], "define('_A','Eins');");
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

TEST_F(TranslationJobTest, ExitWritesCrLfAndNothingAfterANul)
{
    const char content[] = "a\n\tb  \ndefine('_A', 'x');\nc\0ignored\n";
    load("lf.php", std::string(content, sizeof content - 1));
    job.Exit1Click();
    EXPECT_EQ(folder.read("Translated_lf.php"), "a\r\n\tb  \r\ndefine('_A','x');\r\nc\r\n");
}

TEST_F(TranslationJobTest, Windows1252FileIsWrittenBackInItsEncoding)
{
    load("latin.php", "<?php\ndefine('_CAFE', 'caf\xE9 \x80');\n?>\n");
    EXPECT_EQ(job.Encoding(), TextEncoding::Windows1252);
    EXPECT_EQ(windows.source, "caf\xC3\xA9 \xE2\x82\xAC");
    windows.translation = "\xE2\x82\xAC \xD0\x96 \xC3\xA9";
    job.Exit1Click();
    EXPECT_EQ(folder.read("Translated_latin.php"), "<?php\r\ndefine('_CAFE','\x80 &#1046; \xE9');\r\n?>\r\n");
}

TEST_F(TranslationJobTest, WorkedExampleShowsTheEscapedTextAndCommitsTheTranslation)
{
    load("mb.php", "<?php\n    define(\"_MB_TITLE\", 'Don\\'t \"panic\"');\n?>\n");
    EXPECT_EQ(windows.name, "_MB_TITLE");
    EXPECT_EQ(windows.source, R"(Don\'t "panic")");
    windows.translation = "Keine Panik";
    job.Volgende();
    EXPECT_EQ(job.WorkingLines()[1], R"(    define("_MB_TITLE",'Keine Panik');)");
    job.Vorige();
    EXPECT_EQ(windows.translation, "Keine Panik");
    EXPECT_EQ(windows.source, R"(Don\'t "panic")");
}

TEST_F(TranslationJobTest, UnquotedValuesAreShownEmptyAndNeverRewritten)
{
    load("num.php", "<?php\ndefine('_N', 5); // five\ndefine('_M', 'multi\nline');\n?>\n");
    EXPECT_EQ(windows.name, "_N");
    EXPECT_EQ(windows.translation, "");
    windows.translation = "six";
    job.Volgende();
    EXPECT_EQ(job.WorkingLines()[1], "define('_N', 5); // five");
    EXPECT_EQ(job.CurrentEntry(), 2);
    windows.translation = "typed";
    job.Volgende();
    EXPECT_EQ(job.WorkingLines()[2], "define('_M', 'multi");
}

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
    EXPECT_EQ(job.WorkingLines()[3], "define('_A','Alfa');");
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
    EXPECT_NE(written.find("// edited header\r\n"), std::string::npos);
    EXPECT_NE(written.find("define('_A','Freely edited');\r\n"), std::string::npos);
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
    EXPECT_NE(written.find("$x = 2;\r\n"), std::string::npos);
    EXPECT_NE(written.find("} // end\r\n"), std::string::npos);
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
    EXPECT_EQ(job.WorkingLines()[4], "  define(\"_B\",\"Beeta\"); // second");
    EXPECT_EQ(job.WorkingLines()[5], "$x = 1;");
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
    EXPECT_NE(folder.read("Translated_one.php").find("// mine\r\n"), std::string::npos);
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
    EXPECT_EQ(job.WorkingLines()[3], "define('_A','Alfa');");
    EXPECT_EQ(memo2.Lines().Line(3), "define('_A','Alfa');");
    EXPECT_EQ(memo2.CaretLine(), 3);

    job.FormKeyDown(vk::Down); // navigation in the mode keeps it too
    job.FormKeyDown(vk::F2);
    EXPECT_EQ(job.WorkingLines()[3], "define('_A','Alfa');");
    job.Exit1Click();
    EXPECT_NE(folder.read("Translated_lang.php").find("define('_A','Alfa');\r\n"), std::string::npos);
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
