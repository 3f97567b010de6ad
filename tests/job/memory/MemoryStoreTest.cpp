// The memory's database: what a save stores, which record wins, languages
// kept apart, two programs writing at once, and a damaged file moved aside
// while the work goes on.
#include "job/memory/MemoryStore.h"
#include "job/memory/UserMemory.h"
#include "testing/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace kalmo {
namespace {

using testing_support::TempFolder;

MemoryRecord record(const std::string& language, const std::string& source, const std::string& translation,
                    const std::string& constant, std::int64_t time)
{
    return {language, source, translation, constant, "lang_en.php", time, 0};
}

std::vector<std::string> translations(const std::vector<MemoryRecord>& records)
{
    std::vector<std::string> texts;
    for (const MemoryRecord& found : records)
        texts.push_back(found.translation);
    return texts;
}

TEST(MemoryStore, TheNewestTranslationOfALanguageSourceAndConstantWins)
{
    TempFolder folder;
    MemoryStore store(folder.path("memory.sqlite"));
    store.add({record("de", "Save", "Sichern", "_SAVE", 100), record("de", "Save", "Speichern", "_SAVE", 200)});
    // An older record, from a TMX made long ago, does not replace a newer one.
    store.add({record("de", "Save", "Abspeichern", "_SAVE", 150)});
    store.add({record("de", "Save", "Sichern", "_STORE", 120), record("fr", "Save", "Enregistrer", "_SAVE", 300)});

    EXPECT_EQ(translations(store.exactMatches("de", "Save", "_SAVE", 5)),
              (std::vector<std::string>{"Speichern", "Sichern"}));
    // Another constant's record of the text comes first for that constant.
    EXPECT_EQ(translations(store.exactMatches("de", "Save", "_STORE", 5)),
              (std::vector<std::string>{"Sichern", "Speichern"}));
    EXPECT_EQ(translations(store.exactMatches("fr", "Save", "", 5)), (std::vector<std::string>{"Enregistrer"}));
    EXPECT_TRUE(store.exactMatches("nl", "Save", "_SAVE", 5).empty());
    const std::vector<LanguageCount> languages = store.languages();
    ASSERT_EQ(languages.size(), 2u);
    EXPECT_EQ(languages[0].language, "de");
    EXPECT_EQ(languages[0].records, 2);
    EXPECT_EQ(languages[1].records, 1);
}

TEST(MemoryStore, SearchFindsSourcesAndTranslationsWithTheirOwnWildcards)
{
    TempFolder folder;
    MemoryStore store(folder.path("memory.sqlite"));
    store.add({record("de", "100% taken", "100% belegt", "_FULL", 1), record("de", "Plot", "Parzelle", "_PLOT", 2),
               record("de", "100 taken", "100 belegt", "_X", 3)});
    EXPECT_EQ(translations(store.search("parz", "", 10)), (std::vector<std::string>{"Parzelle"}));
    EXPECT_EQ(translations(store.search("0%", "", 10)), (std::vector<std::string>{"100% belegt"}));
    EXPECT_TRUE(store.search("parz", "fr", 10).empty());
}

TEST(MemoryStore, OriginsAreKeptPerTranslatedFile)
{
    TempFolder folder;
    MemoryStore store(folder.path("memory.sqlite"));
    store.setOrigins("/a/Translated_x.php", {{"_A", "Old"}, {"_B", "Same"}});
    store.setOrigins("/a/Translated_x.php", {{"_A", "New"}});
    store.setOrigins("/b/Translated_x.php", {{"_A", "Other"}});
    EXPECT_EQ(store.origins("/a/Translated_x.php"),
              (std::map<std::string, std::string>{{"_A", "New"}, {"_B", "Same"}}));
    EXPECT_EQ(store.translatedFileCount(), 2);
}

TEST(MemoryStore, TwoProgramsWritingAtOnceLoseNothing)
{
    TempFolder folder;
    const std::string path = folder.path("memory.sqlite");
    { MemoryStore made(path); }
    constexpr int kEach = 150;
    // One transaction per record, so the two writers take turns many times.
    const auto writeRecords = [&](const std::string& prefix) {
        MemoryStore store(path);
        for (int i = 0; i < kEach; ++i)
            store.add({record("de", prefix + std::to_string(i), "x", "", i)});
    };
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        try {
            writeRecords("child ");
        } catch (...) {
            ::_exit(1);
        }
        ::_exit(0);
    }
    writeRecords("parent ");
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    MemoryStore store(path);
    ASSERT_EQ(store.languages().size(), 1u);
    EXPECT_EQ(store.languages()[0].records, 2 * kEach);
    // Readers and writers share the file through the write-ahead log.
    EXPECT_TRUE(std::filesystem::exists(path + "-wal"));
}

TEST(UserMemory, ADamagedFileIsMovedAsideOnceAndANewMemoryTakesItsPlace)
{
    TempFolder folder;
    const std::string path = folder.path("kalmo/memory.sqlite");
    std::filesystem::create_directories(folder.path("kalmo"));
    const std::string garbage(4096, 'x');
    folder.write("kalmo/memory.sqlite", garbage);
    UserMemory memory(path);
    std::vector<std::string> told;
    memory.onProblem = [&](const std::string& message) { told.push_back(message); };

    EXPECT_TRUE(memory.use([](MemoryStore& store) { store.add({record("de", "Save", "Speichern", "_SAVE", 1)}); }));
    EXPECT_TRUE(memory.use([](MemoryStore& store) { EXPECT_EQ(store.exactMatches("de", "Save", "", 1).size(), 1u); }));
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find(path), std::string::npos) << told[0];
    EXPECT_NE(told[0].find("moved aside"), std::string::npos) << told[0];

    std::vector<std::string> aside;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path("kalmo")))
        if (entry.path().filename().string().starts_with("memory.sqlite.broken-"))
            aside.push_back(entry.path().string());
    ASSERT_EQ(aside.size(), 1u);
    EXPECT_EQ(folder.read("kalmo/" + std::filesystem::path(aside[0]).filename().string()), garbage);
}

TEST(UserMemory, AMemoryThatCannotBeMadeIsToldOnceAndLeftAlone)
{
    TempFolder folder;
    // A file where the memory's folder would be.
    folder.write("kalmo", "not a folder");
    UserMemory memory(folder.path("kalmo/memory.sqlite"));
    int told = 0;
    memory.onProblem = [&](const std::string&) { ++told; };
    int ran = 0;
    EXPECT_FALSE(memory.use([&](MemoryStore&) { ++ran; }));
    EXPECT_FALSE(memory.use([&](MemoryStore&) { ++ran; }));
    EXPECT_EQ(ran, 0);
    EXPECT_EQ(told, 1);
    EXPECT_EQ(folder.read("kalmo"), "not a folder");
}

TEST(UserMemory, AMissingMemoryIsNotMadeWhenOnlyReadFrom)
{
    TempFolder folder;
    UserMemory memory(folder.path("memory.sqlite"), UserMemory::Missing::LeaveAlone);
    EXPECT_TRUE(memory.absent());
    EXPECT_FALSE(memory.use([](MemoryStore&) {}));
    EXPECT_FALSE(folder.exists("memory.sqlite"));
}

TEST(UserMemory, BrokenNamesNeverReplaceAnEarlierOne)
{
    TempFolder folder;
    const std::string path = folder.path("memory.sqlite");
    const std::time_t when = 1'700'000'000;
    const std::string first = brokenMemoryName(path, when);
    EXPECT_TRUE(first.starts_with(path + ".broken-2023")) << first;
    folder.write(std::filesystem::path(first).filename().string(), "x");
    EXPECT_EQ(brokenMemoryName(path, when), first + ".1");
}

} // namespace
} // namespace kalmo
