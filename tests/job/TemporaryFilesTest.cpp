// The temporary files of the safe write: a save killed after making one
// leaves it behind, and the next save into that folder removes it, while
// files of running programs, of other hosts and of other names stay.
#include "job/FileAccess.h"
#include "job/TemporaryFiles.h"
#include "testing/GoneProcess.h"
#include "testing/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

namespace kalmo {
namespace {

using testing_support::TempFolder;

std::set<std::string> filesIn(const TempFolder& folder)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.root()))
        names.insert(entry.path().filename().string());
    return names;
}

// Makes a temporary file as a save would, in this process.
std::string makeTemporaryFile(const std::string& folder)
{
    std::string path = temporaryFilePattern(folder);
    const int file = ::mkstemp(path.data());
    if (file >= 0)
        ::close(file);
    return std::filesystem::path(path).filename().string();
}

TEST(StaleTemporaryFiles, NextSaveRemovesThoseOfGoneProgramsOnly)
{
    TempFolder folder;
    const std::string dir = folder.root().string() + "/";
    // A save killed after it made its temporary file.
    const pid_t killed = ::fork();
    if (killed == 0) {
        makeTemporaryFile(dir);
        ::_exit(0);
    }
    ::waitpid(killed, nullptr, 0);
    const std::string running = makeTemporaryFile(dir);
    folder.write(".kalmo-" + std::to_string(testing_support::goneProcessId()) + "-another-host-abc123", "x");
    folder.write(".kalmo-abc123", "x");
    std::set<std::string> before = filesIn(folder);
    ASSERT_EQ(before.size(), 4u);
    EXPECT_TRUE(running.starts_with(".kalmo-" + std::to_string(::getpid()) + "-"));

    writeFileSafely(folder.path("Translated_lang.php"), "new");

    std::set<std::string> expected;
    for (const std::string& name : before) {
        if (!name.starts_with(".kalmo-" + std::to_string(killed) + "-"))
            expected.insert(name);
    }
    ASSERT_EQ(expected.size(), 3u);
    expected.insert("Translated_lang.php");
    EXPECT_EQ(filesIn(folder), expected);
}

} // namespace
} // namespace kalmo
