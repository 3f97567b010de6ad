#include "job/FileAccess.h"
#include "job/KalmoError.h"
#include "job/LanguageFile.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace kalmo {
namespace {

using testing_support::TempFolder;

std::string messageOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const KalmoError& error) {
        return error.what();
    }
    return "<no error>";
}

TEST(FileAccess, ReadErrorsNameTheFileAndTheSystemReason)
{
    TempFolder folder;
    const std::string missing = folder.path("missing.php");
    EXPECT_EQ(messageOf([&] { readWholeFile(missing); }),
              "Cannot open file \"" + missing + "\". No such file or directory");
    std::filesystem::create_directory(folder.path("dir.php"));
    EXPECT_EQ(messageOf([&] { readWholeFile(folder.path("dir.php")); }),
              "Cannot open file \"" + folder.path("dir.php") + "\". Is a directory");
}

TEST(FileAccess, UnreadableFileGivesPermissionDenied)
{
    if (testing_support::runningAsRoot())
        GTEST_SKIP() << "root reads every file";
    TempFolder folder;
    const std::string path = folder.write("locked.php", "x");
    std::filesystem::permissions(path, std::filesystem::perms::none);
    EXPECT_EQ(messageOf([&] { readWholeFile(path); }), "Cannot open file \"" + path + "\". Permission denied");
}

TEST(FileAccess, SafeWriteReplacesTheFileAndLeavesNoTemporary)
{
    TempFolder folder;
    folder.write("out.php", "old");
    writeFileSafely(folder.path("out.php"), "new\r\n");
    EXPECT_EQ(folder.read("out.php"), "new\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.root()), {}), 1);
}

TEST(FileAccess, FailedWriteKeepsTheOldFileAndSaysWhy)
{
    TempFolder folder;
    std::filesystem::create_directory(folder.path("taken"));
    EXPECT_EQ(messageOf([&] { writeFileSafely(folder.path("taken"), "x"); }),
              "Cannot create file \"" + folder.path("taken") + "\". Is a directory");
    const std::string inMissingFolder = folder.path("nowhere/out.php");
    EXPECT_EQ(messageOf([&] { writeFileSafely(inMissingFolder, "x"); }),
              "Cannot create file \"" + inMissingFolder + "\". No such file or directory");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.root()), {}), 1);
}

TEST(FileAccess, ReadOnlyFolderKeepsTheExistingFile)
{
    if (testing_support::runningAsRoot())
        GTEST_SKIP() << "root writes into every folder";
    TempFolder folder;
    const std::string path = folder.write("out.php", "old");
    std::filesystem::permissions(folder.root(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    EXPECT_EQ(messageOf([&] { writeFileSafely(path, "new"); }),
              "Cannot create file \"" + path + "\". Permission denied");
    EXPECT_EQ(folder.read("out.php"), "old");
}

TEST(LanguageFile, KeepsTheEncodingOfTheFileItWasReadFrom)
{
    TempFolder folder;
    const std::string latin = folder.write("latin.php", "caf\xE9\n\x80\r\n");
    const LanguageFile file = readLanguageFile(latin);
    EXPECT_EQ(file.encoding, TextEncoding::Windows1252);
    EXPECT_EQ(file.lines, (LineList{"caf\xC3\xA9", "\xE2\x82\xAC"}));
    writeLanguageFile(folder.path("out.php"), {"caf\xC3\xA9 \xD0\x96"}, file.encoding);
    EXPECT_EQ(folder.read("out.php"), "caf\xE9 &#1046;\r\n");

    const std::string utf8 = folder.write("utf8.php", "\xEF\xBB\xBFgr\xC3\xBC\xC3\x9F\n");
    const LanguageFile unicode = readLanguageFile(utf8);
    EXPECT_EQ(unicode.encoding, TextEncoding::Utf8);
    writeLanguageFile(folder.path("out8.php"), unicode.lines, unicode.encoding);
    EXPECT_EQ(folder.read("out8.php"), "\xEF\xBB\xBFgr\xC3\xBC\xC3\x9F\r\n");
}

TEST(LanguageFile, EncodingIsJudgedOnTheContentBeforeANul)
{
    TempFolder folder;
    const std::string path = folder.write("nul.php", std::string("ok\n\0\xE9", 5));
    const LanguageFile file = readLanguageFile(path);
    EXPECT_EQ(file.encoding, TextEncoding::Utf8);
    EXPECT_EQ(file.lines, LineList{"ok"});
}

TEST(ErrorReport, AddsAFullStopUnlessTheTextEndsInOneOrALowerCode)
{
    EXPECT_EQ(errorReportText("No such file"), "No such file.");
    EXPECT_EQ(errorReportText("Done."), "Done.");
    EXPECT_EQ(errorReportText("Quoted \"x\""), "Quoted \"x\"");
    EXPECT_EQ(errorReportText("Dash-"), "Dash-");
    EXPECT_EQ(errorReportText("Slash/"), "Slash/.");
    EXPECT_EQ(errorReportText(""), ".");
}

} // namespace
} // namespace kalmo
