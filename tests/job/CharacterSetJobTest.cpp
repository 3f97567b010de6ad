// The translation job with files that are neither UTF-8 nor Windows-1252:
// the language files under tests/fixtures load in their declared sets, typed
// text is written in the file's set, a byte-order mark survives, and Reload
// with Encoding changes the set without losing work.
#include "job/TranslationJob.h"
#include "testing/JobRig.h"
#include "testing/PhpJudge.h"
#include "testing/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace kalmo {
namespace {

using testing_support::phpConstants;
using testing_support::phpSyntaxErrors;
using testing_support::TempFolder;

std::string fixture(const std::string& name)
{
    std::ifstream in(std::string(KALMO_FIXTURES_DIR) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class CharacterSetJobTest : public testing::Test, protected testing_support::JobRig {
protected:
    CharacterSetJobTest()
    {
        job.OnSaved = [this](const std::string& path) {
            ++saves;
            EXPECT_EQ(phpSyntaxErrors(path), "") << path;
        };
    }

    void load(const std::string& name, const std::string& content)
    {
        windows.dialogAnswer = folder.write(name, content);
        job.LoadSourceFile1Click();
    }

    TempFolder folder;
    int saves = 0;
};

struct FixtureCase {
    const char* file;
    const char* set;
    const char* name; // of the entry after the first
    std::string source; // as the field shows it
    std::string typed;
    std::string written; // the constant's bytes in the file
};

class DeclaredFixture : public CharacterSetJobTest, public testing::WithParamInterface<FixtureCase> {};

// Only the typed value changes: every other byte of the file, and every
// other constant PHP sees, stays as it was.
TEST_P(DeclaredFixture, ShowsItsTextAndWritesTypedTextInItsSet)
{
    const FixtureCase& c = GetParam();
    const std::string source = fixture(c.file);
    load(c.file, source);
    EXPECT_EQ(job.Encoding().name(), c.set);
    EXPECT_EQ(windows.encodingPanel, c.set);
    job.FormKeyDown(vk::Down);
    ASSERT_EQ(windows.name, c.name);
    EXPECT_EQ(windows.source, c.source);

    windows.translation = c.typed;
    job.Exit1Click();
    const std::string translated = folder.path(std::string("Translated_") + c.file);
    auto expected = phpConstants(folder.path(c.file));
    ASSERT_FALSE(expected.empty());
    std::string expectedBytes = source;
    expectedBytes.replace(expectedBytes.find(expected[c.name]), expected[c.name].size(), c.written);
    expected[c.name] = c.written;
    EXPECT_EQ(phpConstants(translated), expected);
    EXPECT_TRUE(folder.read(std::string("Translated_") + c.file) == expectedBytes);
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, DeclaredFixture,
    testing::Values(
        FixtureCase{"polish_iso8859-2.php", "ISO-8859-2", "_SEE", "Zobaczy\xC4\x87",
                    "Ujrze\xC4\x87 \xE2\x80\x93 \xE2\x80\x9Eto\xE2\x80\x9D \xC5\x84",
                    "Ujrze\xE6 &#8211; &#8222;to&#8221; \xF1"},
        FixtureCase{"russian_cp1251.php", "Windows-1251", "_HELLO",
                    "\xD0\x97\xD0\xB4\xD1\x80\xD0\xB0\xD0\xB2\xD1\x81\xD1\x82\xD0\xB2\xD1\x83\xD0\xB9\xD1\x82\xD0\xB5",
                    "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 \xE2\x80\x94 \xC3\xA9",
                    "\xCF\xF0\xE8\xE2\xE5\xF2 \x97 &#233;"},
        FixtureCase{"greek_iso8859-7.php", "ISO-8859-7", "_HELLO",
                    "\xCE\x9A\xCE\xB1\xCE\xBB\xCE\xB7\xCE\xBC\xCE\xAD\xCF\x81\xCE\xB1",
                    "\xCE\x93\xCE\xB5\xCE\xB9\xCE\xAC \xE2\x80\x93 \xD0\x96", "\xC3\xE5\xE9\xDC &#8211; &#1046;"},
        // Valid UTF-8 stays UTF-8 whatever it declares.
        FixtureCase{"thai_declares_tis620.php", "UTF-8", "_HOME",
                    "\xE0\xB8\xAB\xE0\xB8\x99\xE0\xB9\x89\xE0\xB8\xB2\xE0\xB9\x81\xE0\xB8\xA3\xE0\xB8\x81",
                    "\xE0\xB8\x81 \xE2\x80\x93", "\xE0\xB8\x81 \xE2\x80\x93"}),
    [](const testing::TestParamInfo<FixtureCase>& info) { return "Case" + std::to_string(info.index); });

TEST_F(CharacterSetJobTest, ByteOrderMarkStaysOutOfTheFirstLineAndComesBack)
{
    const std::string source = "\xEF\xBB\xBF<?php\r\ndefine('_A', 'Za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87');\r\n";
    load("bom.php", source);
    EXPECT_EQ(job.SourceLines().front(), "<?php");
    EXPECT_EQ(windows.encodingPanel, "UTF-8 BOM");
    EXPECT_EQ(windows.name, "_A");
    EXPECT_EQ(windows.source, "Za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87");
    EXPECT_EQ(memo1.Lines().Line(0), "<?php");
    windows.translation = "\xC5\xBC";
    job.Exit1Click();
    EXPECT_EQ(folder.read("Translated_bom.php"), "\xEF\xBB\xBF<?php\r\ndefine('_A', '\xC5\xBC');\r\n");
    EXPECT_EQ(phpConstants(folder.path("Translated_bom.php"))["_A"], "\xC5\xBC");
}

TEST_F(CharacterSetJobTest, ReloadWithEncodingSavesUnsavedWorkFirstAndKeepsTheChoiceForTheFile)
{
    job.ReloadWithEncoding(TextEncoding::Windows1252);
    EXPECT_EQ(windows.beeps, 1);
    EXPECT_FALSE(job.Loaded());

    const std::string polish = fixture("polish_iso8859-2.php");
    load("pl.php", polish);
    job.FormKeyDown(vk::Down);
    windows.translation = "Ujrze\xC4\x87";
    job.ReloadWithEncoding(TextEncoding::Windows1252);
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(phpConstants(folder.path("Translated_pl.php"))["_SEE"], "Ujrze\xE6");
    EXPECT_EQ(job.Encoding(), TextEncoding::Windows1252);
    EXPECT_EQ(windows.encodingPanel, "Windows-1252");
    EXPECT_EQ(windows.status, "Sourcefile: pl.php loaded and parsed.");
    // The translation goes on from what was saved, read in the new set, at
    // the first entry still untranslated.
    EXPECT_EQ(windows.name, "_ISO");
    EXPECT_EQ(job.WorkingLines()[2], "define('_SEE', 'Ujrze\xC3\xA6');");
    job.FormKeyDown(vk::Down);
    EXPECT_EQ(windows.source, "Zobaczy\xC3\xA6");

    // The choice stays with the file; another file is detected as before.
    load("other.php", "<?php define('_ISO', 'charset=iso-8859-2');\n");
    EXPECT_EQ(job.Encoding().name(), "ISO-8859-2");
    load("pl.php", polish);
    EXPECT_EQ(job.Encoding(), TextEncoding::Windows1252);

    // Nothing typed since the load: nothing to save first.
    job.ReloadWithEncoding(*TextEncoding::named("iso-8859-2"));
    EXPECT_EQ(saves, 1);
    job.FormKeyDown(vk::Down);
    EXPECT_EQ(windows.source, "Zobaczy\xC4\x87");
    job.Exit1Click();
    EXPECT_TRUE(folder.read("Translated_pl.php") == polish);
}

// A UTF-8 page with a few stray bytes stays a UTF-8 page: its bytes are
// kept, typed text is written as UTF-8, and each load says so once.
TEST_F(CharacterSetJobTest, FileThatIsUtf8ButForAFewBytesStaysUtf8AndEachLoadSaysSoOnce)
{
    const std::string source = "<?php\n"
                               "// caf\xC3\xA9, na\xEFve\r\n"
                               "define('_A', 'R\xE9sum\xE9');\n"
                               "?>\n";
    load("nearly.php", source);
    const std::vector<std::vector<std::string>> note{
        {"3 bytes of nearly.php are not valid UTF-8 (first on line 2); they are kept as they are"}};
    EXPECT_EQ(job.Encoding(), TextEncoding::Utf8);
    EXPECT_EQ(windows.notes, note);
    EXPECT_EQ(windows.source, "R\xEF\x9F\xA9sum\xEF\x9F\xA9");

    windows.translation = "R\xC3\xA9sum\xC3\xA9";
    job.Save();
    std::string expected = source;
    expected.replace(expected.find("R\xE9sum\xE9"), 6, "R\xC3\xA9sum\xC3\xA9");
    EXPECT_TRUE(folder.read("Translated_nearly.php") == expected);
    EXPECT_EQ(phpConstants(folder.path("Translated_nearly.php"))["_A"], "R\xC3\xA9sum\xC3\xA9");

    windows.dialogAnswer = folder.path("nearly.php");
    job.ContinueTranslation();
    EXPECT_EQ(windows.notes.size(), 2U);
    EXPECT_EQ(windows.translation, "R\xC3\xA9sum\xC3\xA9");

    load("clean.php", "<?php\ndefine('_A', 'R\xC3\xA9sum\xC3\xA9');\n");
    EXPECT_EQ(windows.notes.size(), 2U);
}

TEST_F(CharacterSetJobTest, WholeLineModeWritesOnlyTheChangedPartAsTyped)
{
    load("line.php", "<?php\n// \xC3\xA9\ndefine('_A', 'a'); // \xE9\n?>\n");
    job.EditWholeLine();
    ASSERT_EQ(windows.translation, "define('_A', 'a'); // \xEF\x9F\xA9");
    windows.translation = "define('_A', '\tb\x01\xEF\x9F\xA9'); // \xEF\x9F\xA9";
    job.Save();
    const std::string written = "define('_A', ' b\xEF\x9F\xAF\xEF\x9E\x9F\xEF\x9E\xA9'); // \xEF\x9F\xA9";
    EXPECT_EQ(job.SourceLines()[2], written);
    EXPECT_EQ(job.WorkingLines()[2], written);
    EXPECT_TRUE(folder.read("Translated_line.php")
                == "<?php\n// \xC3\xA9\ndefine('_A', ' b\xEF\x9F\xA9'); // \xE9\n?>\n");
}

} // namespace
} // namespace kalmo
