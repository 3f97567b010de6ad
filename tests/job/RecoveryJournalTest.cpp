// The recovery journal's file format: every field and any line content come
// back as written, and a journal cut short, changed or of another kind is
// refused with a message that says so.
#include "base/KalmoError.h"
#include "job/LineChanges.h"
#include "job/RecoveryFolder.h"
#include "job/RecoveryJournal.h"
#include "testing/CaseNames.h"
#include "testing/TempFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace kalmo {
namespace {

using testing_support::TempFolder;

RecoveryJournal sampleJournal()
{
    RecoveryJournal journal;
    journal.sourcePath = "/home/u/lang.php";
    journal.targetPath = "/home/u/Translated_lang.php";
    journal.encoding = "Windows-1252";
    journal.processId = 4242;
    journal.host = "desk";
    journal.processStarted = "0c5e9c4a-boot/31337";
    journal.time = 1'800'000'000;
    journal.currentEntry = 3;
    journal.changedEntries = 1;
    journal.sourceFingerprint = 0xfedcba9876543210ULL;
    journal.lineEnds = LineEnds{LineEnd::CrLf, LineEnd::CrLf, LineEnd::Lf, LineEnd::None};
    journal.workingLines = {{3, 1, {"define('_A', 'Apfel');"}}};
    return journal;
}

struct JournalCase {
    const char* name;
    RecoveryJournal journal;
};

std::vector<JournalCase> journalCases()
{
    std::vector<JournalCase> cases;
    RecoveryJournal awkward = sampleJournal();
    awkward.workingLines = {{1,
                             5,
                             {"a lone \r inside", "CR LF \r\n inside", "", "raw \xFF\xFE\x80 bytes",
                              "record-like\nline 3\nkeep 1\n"}},
                            {2, 1, {std::string(1 << 20, 'x')}}};
    awkward.sourceLines = {{0, 1, {"<?php // edited whole"}}};
    cases.push_back({"awkward lines", awkward});

    RecoveryJournal empty;
    empty.sourcePath = "/e.php";
    empty.targetPath = "/Translated_e.php";
    empty.encoding = "UTF-8";
    cases.push_back({"empty file", empty});

    RecoveryJournal fullText = sampleJournal();
    fullText.fullTextMode = true;
    fullText.wholeLineMode = true;
    fullText.byteOrderMark = true;
    fullText.paneLines = LineChanges{{1, 0, {"inserted one", "inserted two"}}, {2, 3, {}}};
    cases.push_back({"full-text mode with another line count", fullText});

    RecoveryJournal typed = sampleJournal();
    typed.pendingField = "typed\nnot committed \xC3\xA9";
    typed.sourcePath = "/home/u/a folder/with\nnewline.php";
    typed.host = "host with spaces";
    cases.push_back({"pending field and odd names", typed});
    return cases;
}

class JournalFormat : public testing::TestWithParam<JournalCase> {};

TEST_P(JournalFormat, ReadsBackWhatItWrote)
{
    const RecoveryJournal& journal = GetParam().journal;
    EXPECT_EQ(parseJournal(journalText(journal)), journal);
}

INSTANTIATE_TEST_SUITE_P(Journals, JournalFormat, testing::ValuesIn(journalCases()),
                         testing_support::NameFrom<&JournalCase::name>());

// Cut anywhere or changed in any byte, a journal is refused, never misread
// and never a crash.
TEST(DamagedJournal, EveryCutAndEveryChangedByteIsRefused)
{
    RecoveryJournal journal = sampleJournal();
    journal.paneLines = LineChanges{{1, 0, {"inserted"}}};
    journal.pendingField = "typed";
    const std::string text = journalText(journal);
    for (std::size_t length = 0; length < text.size(); ++length)
        EXPECT_THROW(parseJournal(text.substr(0, length)), KalmoError) << "cut at " << length;
    for (std::size_t at = 0; at < text.size(); ++at) {
        std::string changed = text;
        changed[at] = static_cast<char>(changed[at] ^ 0x20);
        EXPECT_THROW(parseJournal(changed), KalmoError) << "changed at " << at;
    }
    EXPECT_THROW(parseJournal(text + "more"), KalmoError);
}

TEST(DamagedJournal, MessageSaysWhatIsWrongAndNamesTheFile)
{
    const std::string text = journalText(sampleJournal());
    std::string otherVersion = text;
    otherVersion.replace(otherVersion.find(" 1\n"), 3, " 2\n");
    std::string changedLine = text;
    changedLine.replace(changedLine.find("Apfel"), 5, "Birne");
    const struct {
        std::string text;
        std::string message;
    } cases[] = {
        {"<?php\n", "it does not start as a recovery journal"},
        {otherVersion, "it was written by another version of KALMO Translator"},
        {changedLine, "the checksum does not match the content"},
        {text.substr(0, text.find("line-ends")), "\"line-ends\" expected"},
    };
    TempFolder folder;
    const RecoveryFolder recovery(folder.root().string());
    for (const auto& c : cases) {
        const std::string path = folder.write("damaged.journal", c.text);
        try {
            recovery.read(path);
            ADD_FAILURE() << c.message;
        } catch (const KalmoError& error) {
            const std::string message = error.what();
            EXPECT_EQ(message.rfind("The recovery journal \"" + path + "\" is damaged: ", 0), 0u) << message;
            EXPECT_NE(message.find(c.message), std::string::npos) << message;
        }
    }
}

TEST(LineChangesBetween, RebuildTheChangedLinesAndKeepTheRest)
{
    const LineList base{"a", "b", "c", "d", "e"};
    const struct {
        const char* name;
        LineList changed;
        std::size_t inserted;
    } cases[] = {
        {"same", base, 0},
        {"two apart", {"a", "B", "c", "D", "e"}, 2},
        {"one more", {"a", "b", "new", "c", "d", "e"}, 1},
        {"two fewer", {"a", "e"}, 0},
        {"all new", {"x"}, 1},
        {"none left", {}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const LineChanges changes = changesBetween(base, c.changed);
        EXPECT_EQ(applyChanges(base, changes), c.changed);
        EXPECT_EQ(insertedLines(changes), c.inserted);
    }
    EXPECT_THROW(applyChanges({"a"}, {{1, 1, {}}}), KalmoError);
}

} // namespace
} // namespace kalmo
