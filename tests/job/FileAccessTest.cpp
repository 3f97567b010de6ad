// Reading files and writing them safely: refusals, permissions, links, backups.
#include "base/KalmoError.h"
#include "job/FileAccess.h"
#include "job/LanguageFile.h"
#include "testing/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

TEST(FileAccess, ReadRefusesWhatIsNotARegularFileWithoutBlocking)
{
    TempFolder folder;
    const std::string fifo = folder.path("pipe.php");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    const std::string large = folder.path("large.php");
    {
        // Sparse: the size is what counts, not blocks on disk.
        std::ofstream(large, std::ios::binary).put('x');
        std::filesystem::resize_file(large, kMaxFileSize + 1);
    }
    const struct {
        std::string path;
        std::string reason;
    } cases[] = {
        {fifo, "It is a named pipe (FIFO), not a regular file"},
        {"/dev/zero", "It is a character device, not a regular file"},
        {large, "It is larger than 256 MiB, too large for a language file"},
    };
    for (const auto& row : cases)
        EXPECT_EQ(messageOf([&] { readWholeFile(row.path); }), "Cannot open file \"" + row.path + "\". " + row.reason);

    std::filesystem::resize_file(large, kMaxFileSize);
    EXPECT_EQ(readWholeFile(large).size(), kMaxFileSize);
}

TEST(FileAccess, ReadOnlyTargetIsNotReplaced)
{
    TempFolder folder;
    const std::string path = folder.write("out.php", "old");
    std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
    EXPECT_EQ(messageOf([&] { writeFileSafely(path, "new"); }),
              "Cannot create file \"" + path + "\". It is read-only");
    EXPECT_EQ(folder.read("out.php"), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.root()), {}), 1);
}

TEST(FileAccess, SymbolicLinkStaysAndTheFileItPointsToIsReplaced)
{
    TempFolder folder;
    std::filesystem::create_directory(folder.path("real"));
    folder.write("real/out.php", "old");
    std::filesystem::create_symlink("real/out.php", folder.path("link.php"));
    std::filesystem::create_symlink("missing.php", folder.path("dangling.php"));

    writeFileSafely(folder.path("link.php"), "new");
    writeFileSafely(folder.path("dangling.php"), "made");

    EXPECT_TRUE(std::filesystem::is_symlink(folder.path("link.php")));
    EXPECT_EQ(folder.read("real/out.php"), "new");
    EXPECT_TRUE(std::filesystem::is_symlink(folder.path("dangling.php")));
    EXPECT_EQ(folder.read("missing.php"), "made");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path("real")), {}), 1);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.root()), {}), 4);
}

TEST(FileAccess, ReplacedFileKeepsModeOwnerAndGroup)
{
    TempFolder folder;
    const std::string path = folder.write("out.php", "old");
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    // Only root can give a file away; for others the owner is already theirs.
    const bool root = testing_support::runningAsRoot();
    if (root) {
        ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
    }
    struct stat before {};
    ASSERT_EQ(::stat(path.c_str(), &before), 0);

    writeFileSafely(path, "new");

    struct stat after {};
    ASSERT_EQ(::stat(path.c_str(), &after), 0);
    EXPECT_NE(after.st_ino, before.st_ino) << "replaced, not written in place";
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(after.st_gid, before.st_gid);
}

TEST(FileAccess, BackupKeepsTheReplacedFileFirst)
{
    TempFolder folder;
    const std::string path = folder.write("out.php", "first");
    folder.write("out.php.bak", "older");
    ASSERT_EQ(::chmod(path.c_str(), 0600), 0);

    writeFileSafely(path, "second", Backup::Keep);
    EXPECT_EQ(folder.read("out.php"), "second");
    EXPECT_EQ(folder.read("out.php.bak"), "first");

    writeFileSafely(folder.path("fresh.php"), "x", Backup::Keep);
    EXPECT_FALSE(folder.exists("fresh.php.bak"));

    // A backup made new takes the private mode of the file it keeps.
    std::filesystem::remove(folder.path("out.php.bak"));
    writeFileSafely(path, "third", Backup::Keep);
    EXPECT_EQ(folder.read("out.php.bak"), "second");
    EXPECT_EQ(std::filesystem::status(folder.path("out.php.bak")).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}

TEST(FileAccess, BackupThatCannotBeWrittenStopsTheSave)
{
    TempFolder folder;
    const std::string path = folder.write("out.php", "old");
    std::filesystem::create_directory(folder.path("out.php.bak"));
    EXPECT_EQ(messageOf([&] { writeFileSafely(path, "new", Backup::Keep); }),
              "Cannot create file \"" + path + ".bak\". Is a directory");
    EXPECT_EQ(folder.read("out.php"), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.root()), {}), 2);
}

TEST(LanguageFile, KeepsTheEncodingAndTheLineEndsOfTheFileItWasReadFrom)
{
    TempFolder folder;
    const std::string latin = folder.write("latin.php", "caf\xE9\n\x80\r\n");
    const LanguageFile file = readLanguageFile(latin);
    EXPECT_EQ(file.encoding, TextEncoding::Windows1252);
    EXPECT_EQ(file.lines, (LineList{"caf\xC3\xA9", "\xE2\x82\xAC"}));
    EXPECT_EQ(file.lineEnds, (LineEnds{LineEnd::Lf, LineEnd::CrLf}));
    writeLanguageFile(folder.path("out.php"), {"caf\xC3\xA9 \xD0\x96", "\xE2\x82\xAC"}, file.lineEnds, file.encoding);
    EXPECT_EQ(folder.read("out.php"), "caf\xE9 &#1046;\n\x80\r\n");

    const std::string bytes = "\xEF\xBB\xBFgr\xC3\xBC\xC3\x9F\rx";
    const LanguageFile unicode = readLanguageFile(folder.write("utf8.php", bytes));
    EXPECT_EQ(unicode.encoding, TextEncoding::Utf8);
    EXPECT_TRUE(unicode.byteOrderMark);
    EXPECT_EQ(unicode.lines.front(), "gr\xC3\xBC\xC3\x9F");
    writeLanguageFile(folder.path("out8.php"), unicode.lines, unicode.lineEnds, unicode.encoding,
                      unicode.byteOrderMark);
    EXPECT_EQ(folder.read("out8.php"), bytes);
}

struct NotTextCase {
    const char* name;
    std::string bytes;
    std::string reason;
};

class LanguageFileRefusal : public testing::TestWithParam<NotTextCase> {};

TEST_P(LanguageFileRefusal, NamesTheFileAndWhyItIsNotAText)
{
    TempFolder folder;
    const std::string path = folder.write("lang.php", GetParam().bytes);
    EXPECT_EQ(messageOf([&] { readLanguageFile(path); }), "Cannot open file \"" + path + "\". " + GetParam().reason);
    EXPECT_EQ(folder.read("lang.php"), GetParam().bytes);
}

using namespace std::string_literals;

const std::string kSaveAsUtf8 = " file; save it as UTF-8 and load it again";

INSTANTIATE_TEST_SUITE_P(
    Contents, LanguageFileRefusal,
    testing::Values(
        NotTextCase{"NulInTheMiddle", "<?php\nab\0cd\n"s, "It holds a NUL byte (at byte 8), so it is not a text file"},
        NotTextCase{"NulAtTheEnd", "<?php\n\0"s, "It holds a NUL byte (at byte 6), so it is not a text file"},
        NotTextCase{"Utf16LeWithMark", "\xFF\xFE<\0?\0\n\0"s, "It is a UTF-16 (little-endian)" + kSaveAsUtf8},
        NotTextCase{"Utf16BeWithMark", "\xFE\xFF\0<\0?\0\n"s, "It is a UTF-16 (big-endian)" + kSaveAsUtf8},
        NotTextCase{"Utf16LeWithoutMark", "<\0?\0p\0\n\0"s, "It is a UTF-16 (little-endian)" + kSaveAsUtf8},
        NotTextCase{"Utf16BeWithoutMark", "\0<\0?\0p\0\n"s, "It is a UTF-16 (big-endian)" + kSaveAsUtf8},
        NotTextCase{"Utf16MarkAlone", "\xFF\xFE"s, "It is a UTF-16 (little-endian)" + kSaveAsUtf8},
        NotTextCase{"Utf32LeWithMark", "\xFF\xFE\0\0<\0\0\0"s, "It is a UTF-32 (little-endian)" + kSaveAsUtf8},
        NotTextCase{"Utf32BeWithMark", "\0\0\xFE\xFF\0\0\0<"s, "It is a UTF-32 (big-endian)" + kSaveAsUtf8},
        NotTextCase{"Utf32LeWithoutMark", "<\0\0\0?\0\0\0"s, "It is a UTF-32 (little-endian)" + kSaveAsUtf8}),
    [](const testing::TestParamInfo<NotTextCase>& info) { return std::string(info.param.name); });

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
