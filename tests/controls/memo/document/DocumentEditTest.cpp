// The memo's document alone: each edit kind applied and undone by its
// inverse, the edits a changed line amounts to, how an edit that no longer
// fits is bent, and which of the store's changes it tells its listener.
#include "controls/memo/document/CodeMemoStrings.h"
#include "controls/memo/document/DocumentEdit.h"
#include "controls/memo/Utf8Columns.h"
#include "testing/CaseNames.h"
#include "tests/controls/memo/document/StoredLines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace kalmo {
namespace {

using Lines = std::vector<std::string>;
using testing::storedLines;

void fill(TCodeMemoStrings& store, const Lines& lines)
{
    store.ClearLines();
    store.AppendLines(lines);
}

// Keeps every edit the store tells, or none when it does not want them.
class EditLog : public DocumentEditListener {
public:
    bool wantsEdits() const override { return wanted; }
    void edited(DocumentEdit edit) override { edits.push_back(std::move(edit)); }
    bool wanted = true;
    std::vector<DocumentEdit> edits;
};

void undoAll(TCodeMemoStrings& store, const std::vector<DocumentEdit>& edits)
{
    for (auto edit = edits.rbegin(); edit != edits.rend(); ++edit) {
        store.Apply(inverseOf(*edit));
    }
}

struct EditCase {
    const char* name;
    Lines before;
    DocumentEdit edit;
    Lines after;
};

class EditAndInverseTest : public ::testing::TestWithParam<EditCase> {};

TEST_P(EditAndInverseTest, EditGivesTheResultAndItsInverseGivesBackTheStart)
{
    const EditCase& c = GetParam();
    TCodeMemoStrings store;
    fill(store, c.before);
    store.Apply(c.edit);
    EXPECT_EQ(storedLines(store), c.after);
    int longest = 0;
    for (int i = 0; i < store.LineCount(); ++i) {
        EXPECT_EQ(store.LineLength(i), utf8Columns(store.Line(i))) << "line " << i;
        longest = std::max(longest, store.LineLength(i));
    }
    EXPECT_EQ(store.MaxLineLength(), longest);
    store.Apply(inverseOf(c.edit));
    EXPECT_EQ(storedLines(store), c.before);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, EditAndInverseTest,
    ::testing::Values(
        EditCase{"InsertTextInside", {"abef"}, insertTextEdit(0, 2, "cd"), {"abcdef"}},
        EditCase{"InsertTextAtTheEnd", {"x", "ab"}, insertTextEdit(1, 2, "c"), {"x", "abc"}},
        EditCase{"InsertUtf8Text", {"ab"}, insertTextEdit(0, 1, "\xE2\x82\xAC"), {"a\xE2\x82\xAC" "b"}},
        EditCase{"RemoveTextInside", {"abcdef"}, removeTextEdit(0, 1, "bcd"), {"aef"}},
        EditCase{"RemoveTheWholeLineText", {"a", "bc"}, removeTextEdit(1, 0, "bc"), {"a", ""}},
        EditCase{"InsertLinesFirst", {"c"}, insertLinesEdit(0, {"a", "b"}), {"a", "b", "c"}},
        EditCase{"InsertLinesAfterTheLast", {"a"}, insertLinesEdit(1, {"b"}), {"a", "b"}},
        EditCase{"RemoveLinesInside", {"a", "b", "c", "d"}, removeLinesEdit(1, {"b", "c"}), {"a", "d"}},
        EditCase{"RemoveTheOnlyLine", {"a"}, removeLinesEdit(0, {"a"}), {}}),
    testing_support::NameFrom<&EditCase::name>{});

// A history may be older than a refill of the store: its edits then land
// where they no longer fit, and must neither throw nor lose a line.
TEST(DocumentEdit, AnEditThatNoLongerFitsIsBentNotThrown)
{
    TCodeMemoStrings store;
    fill(store, {"ab", "c"});
    store.Apply(insertTextEdit(5, 0, "x"));
    store.Apply(removeTextEdit(-1, 0, "x"));
    store.Apply(insertLinesEdit(3, {"x"}));
    EXPECT_EQ(storedLines(store), (Lines{"ab", "c"}));
    store.Apply(insertTextEdit(0, 4, "x"));
    EXPECT_EQ(store.Line(0), "ab  x") << "text beyond the end stands after spaces";
    store.Apply(removeTextEdit(1, 3, "yz"));
    EXPECT_EQ(store.Line(1), "c  ") << "removing beyond the end removes only padding";
    store.Apply(removeLinesEdit(1, {"c", "gone", "gone"}));
    EXPECT_EQ(storedLines(store), (Lines{"ab  x"})) << "only the lines there are go";
    EXPECT_EQ(store.MaxLineLength(), 5);
}

struct LineChangeCase {
    const char* name;
    std::string before;
    std::string after;
    std::vector<DocumentEdit> edits;
};

class LineChangeTest : public ::testing::TestWithParam<LineChangeCase> {};

TEST_P(LineChangeTest, ALineChangeIsItsDifferingMiddle)
{
    const LineChangeCase& c = GetParam();
    const std::vector<DocumentEdit> edits = textEditsBetween(3, c.before, c.after);
    EXPECT_EQ(edits, c.edits);
    TCodeMemoStrings store;
    fill(store, {"", "", "", c.before});
    for (const DocumentEdit& edit : edits) {
        store.Apply(edit);
    }
    EXPECT_EQ(store.Line(3), c.after);
    undoAll(store, edits);
    EXPECT_EQ(store.Line(3), c.before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LineChangeTest,
    ::testing::Values(LineChangeCase{"Unchanged", "abc", "abc", {}},
                      LineChangeCase{"Typed", "abc", "abxc", {insertTextEdit(3, 2, "x")}},
                      LineChangeCase{"Trimmed", "ab  ", "ab", {removeTextEdit(3, 2, "  ")}},
                      LineChangeCase{"Replaced", "a\tb", "a    b", {removeTextEdit(3, 1, "\t"), insertTextEdit(3, 1, "    ")}},
                      // A repeated letter must not be counted twice, once as
                      // head and once as tail.
                      LineChangeCase{"RepeatedLetterRemoved", "aaa", "aa", {removeTextEdit(3, 2, "a")}},
                      LineChangeCase{"Emptied", "xyz", "", {removeTextEdit(3, 0, "xyz")}}),
    testing_support::NameFrom<&LineChangeCase::name>{});

// Every change but a refill is told; told edits undone backwards give back
// the store as it was.
TEST(DocumentEdit, TheStoreTellsItsChangesAndTheyUndo)
{
    TCodeMemoStrings store;
    fill(store, {"one", "two", "three"});
    EditLog log;
    store.SetEditListener(&log);
    store.PutLine(0, "on\te");
    store.InsertLine(1, "new");
    store.InsertLines(4, {"x", "y\tz"});
    store.AddLine("p\rq");
    store.RemoveLines(2, 3);
    store.DeleteLine(0);
    ASSERT_EQ(storedLines(store), (Lines{"new", "y    z", "p", "q"}));
    undoAll(store, log.edits);
    EXPECT_EQ(storedLines(store), (Lines{"one", "two", "three"}));

    log.edits.clear();
    store.ClearLines();
    store.AppendLines({"refill"});
    log.wanted = false;
    store.PutLine(0, "unwanted");
    EXPECT_TRUE(log.edits.empty()) << "a refill, and changes nobody wants, are not told";
}

} // namespace
} // namespace kalmo
