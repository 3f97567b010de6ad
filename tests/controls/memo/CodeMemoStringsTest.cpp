// The memo's line store and its line lengths.
#include "controls/memo/document/CodeMemoStrings.h"
#include "testing/CaseNames.h"
#include "controls/memo/document/LineLengths.h"
#include "controls/memo/Utf8Columns.h"
#include "MemoTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <stdexcept>

namespace kalmo {
namespace {

using testing::CountingView;

std::vector<std::string> contents(const TCodeMemoStrings& store)
{
    std::vector<std::string> lines;
    for (int i = 0; i < store.LineCount(); ++i) {
        lines.push_back(store.Line(i));
    }
    return lines;
}

TEST(CodeMemoStrings, LineOutsideTheStoreReportsTheListIndex)
{
    TCodeMemoStrings store;
    store.AddLine("only");
    EXPECT_THROW(store.Line(1), std::out_of_range);
    try {
        store.Line(5);
    } catch (const std::out_of_range& error) {
        EXPECT_STREQ(error.what(), "List index out of bounds (5)");
    }
    EXPECT_THROW(store.PutLine(-1, "x"), std::out_of_range);
}

struct AddLineCase {
    const char* text;
    std::vector<std::string> lines;
};

class AddLineTest : public ::testing::TestWithParam<AddLineCase> {};

TEST_P(AddLineTest, SplitsAtCarriageReturnsDropsLineFeedsAndWidensTabs)
{
    TCodeMemoStrings store;
    store.AddLine(GetParam().text);
    EXPECT_EQ(contents(store), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(Cases, AddLineTest,
                         ::testing::Values(AddLineCase{"plain", {"plain"}}, AddLineCase{"", {""}},
                                           AddLineCase{"a\rb", {"a", "b"}}, AddLineCase{"a\r", {"a", ""}},
                                           AddLineCase{"a\r\nb\n", {"a", "b"}},
                                           AddLineCase{"\tx\t", {"    x    "}}),
                         testing_support::NameFrom<&AddLineCase::text>{});

TEST(CodeMemoStrings, TabsWidenToTheMemosTabSizeExceptInBulkAppend)
{
    TCustomCodeMemo memo;
    memo.SetTabSize(2);
    TCodeMemoStrings& store = memo.Lines();
    store.PutLine(0, "a\tb");
    store.InsertLine(1, "\t");
    store.AppendLines({"c\td", "e\rf"});
    EXPECT_EQ(contents(store), (std::vector<std::string>{"a  b", "  ", "c\td", "e\rf"}));
    EXPECT_EQ(store.LineLength(2), 3);
}

TEST(CodeMemoStrings, LengthsCountCodePoints)
{
    TCodeMemoStrings store;
    store.AppendLines({"\xE2\x82\xAC" "uro", "caf\xC3\xA9"});
    store.AddLine("\xC3\xBC\tx");
    EXPECT_EQ(store.LineLength(0), 4);
    EXPECT_EQ(store.LineLength(1), 4);
    EXPECT_EQ(store.LineLength(2), 6);
    EXPECT_EQ(store.MaxLineLength(), 6);
}

// The longest length is kept incrementally; after any mix of operations it
// must equal a plain scan of the lines.
TEST(CodeMemoStrings, LongestLengthMatchesAScanAfterMixedEdits)
{
    TCodeMemoStrings store;
    std::mt19937 random(7);
    auto text = [&random] { return std::string(random() % 12, 'x'); };
    store.AppendLines({text(), text(), text()});
    for (int round = 0; round < 2000; ++round) {
        const int count = store.LineCount();
        switch (random() % 6) {
        case 0: store.AddLine(text()); break;
        case 1: store.InsertLine(static_cast<int>(random() % (count + 1)), text()); break;
        case 2:
            if (count > 0) store.PutLine(static_cast<int>(random() % count), text());
            break;
        case 3:
            if (count > 0) store.RemoveLine(static_cast<int>(random() % count));
            break;
        case 4: store.AppendLines({text(), text()}); break;
        case 5:
            if (random() % 50 == 0) store.ClearLines();
            break;
        }
        int scanned = 0;
        for (int i = 0; i < store.LineCount(); ++i) {
            scanned = std::max(scanned, store.LineLength(i));
        }
        ASSERT_EQ(store.MaxLineLength(), scanned) << "after round " << round;
        ASSERT_EQ(store.Lengths().Count(), store.LineCount());
    }
}

TEST(CodeMemoStrings, BulkAppendRaisesNoChangeAndPaintsOnceAtTheEnd)
{
    TCustomCodeMemo memo;
    CountingView view;
    memo.setView(&view);
    int changes = 0;
    memo.OnChange = [&changes](TCustomCodeMemo&) { ++changes; };

    memo.Lines().AppendLines(testing::numberedLines(500));
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(view.paints, 1);
    EXPECT_EQ(memo.Lines().LineCount(), 501);

    memo.Lines().BeginUpdate();
    memo.Lines().AppendLines({"a"});
    memo.Lines().PutLine(0, "b");
    EXPECT_EQ(view.paints, 1) << "no paint while an outer bulk update is open";
    memo.Lines().EndUpdate();
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(memo.Lines().UpdateCount(), 0);
}

TEST(CodeMemoStrings, ChangesRunLinesChangedOnlyWhileTracking)
{
    TCustomCodeMemo memo;
    int changes = 0;
    memo.OnChange = [&changes](TCustomCodeMemo&) { ++changes; };
    memo.Lines().PutLine(0, "tracked");
    memo.Lines().AddLine("also");
    EXPECT_EQ(changes, 2);
    memo.SetChangeTracking(false);
    memo.Lines().PutLine(0, "quiet");
    EXPECT_EQ(changes, 2);
}

TEST(CodeMemoStrings, PublicInsertCollapsesTheSelection)
{
    TCustomCodeMemo memo;
    memo.Lines().AppendLines({"abc", "def"});
    memo.setSelection(0, 0, 2, 1);
    memo.Lines().InsertLine(0, "new");
    EXPECT_TRUE(memo.SelectionEmpty());
    EXPECT_EQ(memo.Lines().Line(0), "new");

    memo.setSelection(0, 0, 2, 1);
    memo.Lines().InsertLineKeepSelection(0, "kept");
    EXPECT_FALSE(memo.SelectionEmpty());
}

struct DeleteLineCase {
    const char* name;
    int caretCol, caretLine, deleted;
    std::vector<std::string> remaining;
    int expectedCol, expectedLine;
};

class DeleteLineTest : public ::testing::TestWithParam<DeleteLineCase> {};

TEST_P(DeleteLineTest, RemovesTheLineAndPutsTheCaretBack)
{
    const DeleteLineCase& c = GetParam();
    TCustomCodeMemo memo;
    memo.ClearText();
    memo.Lines().AppendLines({"zero", "one", "two"});
    memo.PlaceCaret(c.caretCol, c.caretLine);
    memo.Lines().DeleteLine(c.deleted);
    EXPECT_EQ(contents(memo.Lines()), c.remaining);
    EXPECT_EQ(memo.CaretCol(), c.expectedCol);
    EXPECT_EQ(memo.CaretLine(), c.expectedLine);
    EXPECT_NO_THROW(memo.Lines().Line(memo.CaretLine()));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DeleteLineTest,
    ::testing::Values(DeleteLineCase{"AboveTheCaret", 2, 2, 0, {"one", "two"}, 2, 1},
                      DeleteLineCase{"BelowTheCaret", 2, 0, 1, {"zero", "two"}, 2, 0},
                      DeleteLineCase{"OutsideTheStore", 1, 1, 3, {"zero", "one", "two"}, 1, 1},
                      // the saved caret line no longer exists: it stays inside the store
                      DeleteLineCase{"TheLastLineUnderTheCaret", 1, 2, 2, {"zero", "one"}, 1, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CodeMemoStrings, DeletingTheOnlyLineEmptiesItAndResetsTheColumn)
{
    TCustomCodeMemo memo;
    memo.Lines().PutLine(0, "solo");
    memo.PlaceCaret(3, 0);
    memo.Lines().DeleteLine(0);
    EXPECT_EQ(contents(memo.Lines()), std::vector<std::string>{""});
    EXPECT_EQ(memo.CaretCol(), 0);
}

TEST(CodeMemoStrings, RefillAfterClearHoldsExactlyTheNewLines)
{
    TCustomCodeMemo memo;
    const std::vector<std::vector<std::string>> refills = {
        {"alpha", "\xC3\xBC\xC3\xBC", "", "a much longer line than the others"},
        {"alpha", "\xC3\xBC", "changed", "a much longer line than the others", "one more"},
        {"x"},
        {},
        {"\tkept tab", "alpha", "\xE2\x82\xAC"},
    };
    for (const auto& lines : refills) {
        memo.ClearText();
        memo.Lines().AppendLines(lines);
        ASSERT_EQ(memo.Lines().LineCount(), static_cast<int>(lines.size()));
        int longest = 0;
        for (int i = 0; i < memo.Lines().LineCount(); ++i) {
            EXPECT_EQ(memo.Lines().Line(i), lines[static_cast<std::size_t>(i)]);
            EXPECT_EQ(memo.Lines().LineLength(i), utf8Columns(lines[static_cast<std::size_t>(i)]));
            EXPECT_FALSE(memo.Lines().LineProp(i).Modified);
            longest = std::max(longest, utf8Columns(lines[static_cast<std::size_t>(i)]));
        }
        EXPECT_EQ(memo.Lines().MaxLineLength(), longest);
    }
}

TEST(LineLengths, MaximumFallsBackWhenTheLastLongestEntryShrinks)
{
    LineLengths list;
    list.Insert(0, 5);
    list.Insert(1, 9);
    list.Insert(2, 9);
    list.Put(1, 2);
    EXPECT_EQ(list.Max(), 9);
    list.Delete(2);
    EXPECT_EQ(list.Max(), 5);
    list.Clear();
    EXPECT_EQ(list.Max(), 0);
}

} // namespace
} // namespace kalmo
