// The undo history alone, over a line store with no editor: steps of
// document edits undone and redone, the merge rule, the edits that fall
// between steps, and any sequence of steps undone in full.
#include "controls/memo/document/CodeMemoStrings.h"
#include "controls/memo/undo/MemoUndoList.h"
#include "testing/CaseNames.h"
#include "tests/controls/memo/document/StoredLines.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace kalmo {
namespace {

using Lines = std::vector<std::string>;
using testing::storedLines;

TUndo step(TUndoKind kind, TMemoPos before, TMemoPos after, bool forward = false)
{
    return TUndo{kind, forward, caretState(before), caretState(after), {}};
}

class UndoListTest : public ::testing::Test {
protected:
    UndoListTest() { store.AppendLines({"alpha", "beta"}); }
    bool undo() { return history.Undo([this](const TMemoCaretState& state) { shown.push_back(state); }); }
    bool redo() { return history.Redo([this](const TMemoCaretState& state) { shown.push_back(state); }); }

    TCodeMemoStrings store;
    TMemoUndoList history{store};
    std::vector<TMemoCaretState> shown;
};

TEST_F(UndoListTest, UndoAndRedoApplyTheStepAndShowItsCaretAndSelection)
{
    history.BeginStep();
    store.PutLine(0, "alp");
    store.RemoveLine(1);
    const TMemoCaretState before{{3, 0}, {3, 0}, {4, 1}};
    history.Add(TUndo{TUndoKind::DeleteBuf, false, before, caretState({3, 0}), {}});
    ASSERT_TRUE(undo());
    EXPECT_EQ(storedLines(store), (Lines{"alpha", "beta"}));
    ASSERT_TRUE(redo());
    EXPECT_EQ(storedLines(store), Lines{"alp"});
    EXPECT_EQ(shown, (std::vector<TMemoCaretState>{before, caretState({3, 0})}));
    EXPECT_FALSE(redo());
}

// Leaving a line trims it, a caret in virtual space pads it: such changes
// follow the newest step, so undoing it gives back exactly what the step
// started from. Before the first step there is nothing to undo them into.
TEST_F(UndoListTest, ChangesBetweenStepsAreUndoneWithTheStepBefore)
{
    store.PutLine(1, "beta  ");
    history.BeginStep();
    store.PutLine(0, "alpha!");
    history.Add(step(TUndoKind::InsertChar, {5, 0}, {6, 0}));
    store.PutLine(1, "beta");
    store.InsertLine(2, "padded");
    ASSERT_TRUE(undo());
    EXPECT_EQ(storedLines(store), (Lines{"alpha", "beta  "}));
    EXPECT_FALSE(history.CanUndo());
    ASSERT_TRUE(redo());
    EXPECT_EQ(storedLines(store), (Lines{"alpha!", "beta", "padded"}));
}

// Deleting a selection removes lines through the delete-line command,
// which runs inside it and must not make a step of its own.
TEST_F(UndoListTest, CommandsInsideACommandJoinItsStep)
{
    history.BeginStep();
    store.PutLine(0, "alphabeta");
    {
        TMemoUndoList::EnclosedScope enclosed(history);
        history.BeginStep();
        store.RemoveLine(1);
        history.Add(step(TUndoKind::DeleteLine, {0, 1}, {0, 0}));
    }
    history.Add(step(TUndoKind::DeleteChar, {5, 0}, {5, 0}, true));
    EXPECT_EQ(history.Count(), 1);
    undo();
    EXPECT_EQ(storedLines(store), (Lines{"alpha", "beta"}));
}

// A command that began a step and changed nothing it records (Delete at the
// very end) leaves its edits to the step before.
TEST_F(UndoListTest, AStepBegunButNeverAddedFollowsTheStepBefore)
{
    history.BeginStep();
    store.PutLine(0, "alphax");
    history.Add(step(TUndoKind::InsertChar, {5, 0}, {6, 0}));
    history.BeginStep();
    store.PutLine(1, "bet");
    history.BeginStep();
    store.PutLine(1, "b");
    history.Add(step(TUndoKind::DeleteChar, {1, 1}, {1, 1}));
    undo();
    EXPECT_EQ(storedLines(store), (Lines{"alphax", "bet"}));
    undo();
    EXPECT_EQ(storedLines(store), (Lines{"alpha", "beta"}));
}

struct MergeCase {
    const char* name;
    TUndo newest;
    TUndo added;
    bool merges;
};

class MergeTest : public ::testing::TestWithParam<MergeCase> {};

TEST_P(MergeTest, OnlyContinuingTypingOrSameWayDeletionsMerge)
{
    MergeCase c = GetParam();
    c.newest.Edits = {insertTextEdit(0, 0, "a")};
    c.added.Edits = {insertTextEdit(0, 1, "b")};
    EXPECT_EQ(mergeUndo(c.newest, c.added), c.merges);
    if (c.merges) {
        EXPECT_EQ(c.newest.Edits.size(), 2u);
        EXPECT_EQ(c.newest.After, c.added.After);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MergeTest,
    ::testing::Values(
        MergeCase{"TypingOnFromItsEnd", step(TUndoKind::InsertChar, {0, 0}, {1, 0}),
                  step(TUndoKind::InsertChar, {1, 0}, {2, 0}), true},
        MergeCase{"TypingElsewhere", step(TUndoKind::InsertChar, {0, 0}, {1, 0}),
                  step(TUndoKind::InsertChar, {3, 0}, {4, 0}), false},
        MergeCase{"DeletesTheSameWay", step(TUndoKind::DeleteChar, {2, 0}, {2, 0}, true),
                  step(TUndoKind::DeleteChar, {2, 0}, {2, 0}, true), true},
        MergeCase{"DeleteThenBackspace", step(TUndoKind::DeleteChar, {2, 0}, {2, 0}, true),
                  step(TUndoKind::DeleteChar, {2, 0}, {1, 0}, false), false},
        MergeCase{"TypingThenDeleting", step(TUndoKind::InsertChar, {0, 0}, {1, 0}),
                  step(TUndoKind::DeleteChar, {1, 0}, {0, 0}), false},
        MergeCase{"PastesNever", step(TUndoKind::Paste, {0, 0}, {1, 0}), step(TUndoKind::Paste, {1, 0}, {2, 0}),
                  false}),
    testing_support::NameFrom<&MergeCase::name>{});

// Any mix of changes, grouped into steps with changes between them and undos
// on the way: undoing every step gives back the starting lines byte for byte,
// and redoing every step gives back the lines the mix ended with.
TEST(UndoListProperty, AnySequenceOfStepsUndoneInFullGivesTheStartingDocument)
{
    std::mt19937 random(20261211);
    const auto pick = [&](int count) { return static_cast<int>(random() % static_cast<unsigned>(count)); };
    const Lines words = {"", "a", "bc ", "  d", "\xC3\xA9t\xC3\xA9", "x\ty", "long line of text"};
    const auto word = [&] { return words[static_cast<std::size_t>(pick(static_cast<int>(words.size())))]; };
    for (int round = 0; round < 300; ++round) {
        TCodeMemoStrings store;
        Lines start;
        for (int n = 1 + pick(4); n > 0; --n) {
            start.push_back(word());
        }
        store.AppendLines(start);
        TMemoUndoList history(store);
        const auto change = [&] {
            const int count = store.LineCount();
            switch (pick(count > 1 ? 6 : 4)) {
            case 0: store.PutLine(pick(count), word()); break;
            case 1: store.PutLine(pick(count), store.Line(pick(count)) + word()); break;
            case 2: store.InsertLine(pick(count + 1), word()); break;
            case 3: store.InsertLines(pick(count + 1), {word(), word()}); break;
            case 4: store.RemoveLine(pick(count)); break;
            default: store.RemoveLines(0, 1 + pick(count - 1)); break;
            }
        };
        const auto restore = [](const TMemoCaretState&) {};
        for (int n = 1 + pick(12); n > 0; --n) {
            switch (pick(5)) {
            case 0:
                if (history.CanUndo()) {
                    change(); // between steps
                }
                break;
            case 1: history.Undo(restore); break;
            default: {
                history.BeginStep();
                for (int k = 1 + pick(3); k > 0; --k) {
                    change();
                }
                const auto kind = static_cast<TUndoKind>(pick(5));
                history.Add(step(kind, {pick(3), 0}, {pick(3), 0}, pick(2) == 0));
                break;
            }
            }
        }
        const Lines edited = storedLines(store);
        int undone = 0;
        while (history.Undo(restore)) {
            ++undone;
        }
        ASSERT_EQ(storedLines(store), start) << "round " << round;
        while (undone-- > 0) {
            history.Redo(restore);
        }
        ASSERT_EQ(storedLines(store), edited) << "round " << round;
    }
}

} // namespace
} // namespace kalmo
