// The recent-files list: order, no duplicates, the cap, progress kept
// across loads; and the "N of M" taken from the job's progress text.
#include "job/RecentFiles.h"
#include "job/TranslationProgress.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kalmo {
namespace {

std::vector<std::string> pathsOf(const RecentFiles& files)
{
    std::vector<std::string> paths;
    for (const RecentFile& file : files.Files())
        paths.push_back(file.path);
    return paths;
}

TEST(RecentFiles, NewestFirstWithoutDuplicatesAndCapped)
{
    RecentFiles files;
    for (int i = 0; i < 12; ++i)
        files.Push("/f" + std::to_string(i) + ".php");
    files.Push("/f5.php");
    EXPECT_EQ(pathsOf(files), (std::vector<std::string>{"/f5.php", "/f11.php", "/f10.php", "/f9.php", "/f8.php",
                                                        "/f7.php", "/f6.php", "/f4.php", "/f3.php", "/f2.php"}));
    files.Remove("/f11.php");
    EXPECT_EQ(files.Files().size(), 9u);
    EXPECT_EQ(files.Files()[1].path, "/f10.php");
}

TEST(RecentFiles, ALoadKeepsTheProgressOfTheLastSave)
{
    RecentFiles files;
    files.Push("/a.php");
    files.Push("/a.php", "3 of 10");
    files.Push("/b.php");
    files.Push("/a.php");
    EXPECT_EQ(files.Files(), (std::vector<RecentFile>{{"/a.php", "3 of 10"}, {"/b.php", ""}}));
    files.Push("/a.php", "4 of 10");
    EXPECT_EQ(files.Files().front().progress, "4 of 10");
}

TEST(TranslatedCount, TakesTheCountOutOfTheProgressText)
{
    const std::vector<std::pair<std::string, std::string>> cases{
        {"translated 3 of 10", "3 of 10"},
        {"translated 3 of 10 *", "3 of 10"},
        {"translated 0 of 7, 2 whole-line only", "0 of 7"},
        {"translated 12 of 40, 1 whole-line only *", "12 of 40"},
        {"", ""},
        {"Waiting..", ""},
    };
    for (const auto& [text, count] : cases)
        EXPECT_EQ(translatedCount(text), count) << text;
    // The count of the job's own wording, read back.
    const std::vector<EntryProgress> entries{{1, "_A", true, true}, {2, "_B", false, true}, {3, "_C", false, false}};
    EXPECT_EQ(translatedCount(progressText(entries, true)), "1 of 2");
}

} // namespace
} // namespace kalmo
