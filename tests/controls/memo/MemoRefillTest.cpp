// A refill that writes only the changed lines leaves the memo exactly as
// clearing it and appending every line does: the two are run side by side on
// random seeded sessions of caret moves, scrolling and typing.
#include "MemoTestSupport.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace kalmo {
namespace {

using testing::CountingView;

// Texts that the pane tidies (trailing blanks, tabs), wide ones that bring
// the horizontal bar, and plain ones.
const std::vector<std::string> kTexts = {
    "define('_SAVE', 'Save');",
    "define('_TAB',\t'with a tab');   ",
    "",
    "   ",
    "// a comment line that is long enough to need the horizontal scroll bar of the pane",
    "define('_WIDE', '表示する');",
    "trailing blanks \t ",
};

struct Pane {
    TCustomCodeMemo memo;
    CountingView view;
    std::vector<std::string> events;

    explicit Pane(const std::vector<std::string>& lines)
    {
        memo.setView(&view);
        testing::setUpViewerPane(memo, lines);
        const auto log = [this](const char* name) {
            return [this, name](TCustomCodeMemo&) { events.push_back(name); };
        };
        memo.OnChange = log("change");
        memo.OnSelectionChange = log("selection");
        memo.OnStatusChange = log("status");
        memo.OnCursorChange = log("cursor");
        memo.OnTopLeftChanged = log("top-left");
        memo.OnActiveLineChange = [this](TCustomCodeMemo&, int line) {
            events.push_back("active line " + std::to_string(line));
        };
        memo.OnColumnChange = [this](TCustomCodeMemo&, int column) {
            events.push_back("column " + std::to_string(column));
        };
        memo.OnUndoChange = [this](TCustomCodeMemo&, bool canUndo, bool canRedo) {
            events.push_back("undo " + std::to_string(canUndo) + std::to_string(canRedo));
        };
    }
};

std::string stateOf(Pane& pane)
{
    const TCustomCodeMemo& memo = pane.memo;
    std::ostringstream out;
    for (int i = 0; i < memo.Lines().LineCount(); ++i)
        out << i << ':' << memo.Lines().Line(i) << '|' << memo.Lines().LineLength(i) << '|'
            << memo.Lines().LineProp(i).Modified << '\n';
    const auto bar = [&](const TScrollBarState& b) {
        out << b.Visible << ',' << b.Min << ',' << b.Max << ',' << b.PageSize << ',' << b.Position << ';';
    };
    out << "caret " << memo.CaretCol() << ',' << memo.CaretLine() << " top " << memo.FirstVisibleCol() << ','
        << memo.FirstVisibleLine() << " selection " << memo.SelFromCol() << ',' << memo.SelFromLine() << '-'
        << memo.SelToCol() << ',' << memo.SelToLine() << " anchor " << memo.AnchorCol() << ',' << memo.AnchorLine()
        << " active " << memo.ActiveLineIndex() << " longest " << memo.LongestLine() << " undo " << memo.CanUndo()
        << memo.CanRedo() << " modified " << memo.AnyLineModified() << " bars ";
    bar(memo.VertScrollBar());
    bar(memo.HorzScrollBar());
    out << " paints " << pane.view.paints << " events";
    for (const std::string& event : pane.events)
        out << ' ' << event;
    pane.events.clear();
    return out.str();
}

class MemoRefill : public ::testing::TestWithParam<unsigned> {};

TEST_P(MemoRefill, ChangedLinesOnlyLeaveTheStateOfAFullRefill)
{
    std::mt19937 random(GetParam());
    const auto pick = [&](int count) { return static_cast<int>(random() % static_cast<unsigned>(count)); };
    std::vector<std::string> lines;
    for (int i = 0; i < 40; ++i)
        lines.push_back(kTexts[static_cast<std::size_t>(pick(static_cast<int>(kTexts.size())))]);
    Pane full(lines);
    Pane changed(lines);
    ASSERT_EQ(stateOf(full), stateOf(changed));

    for (int round = 0; round < 60; ++round) {
        // The same user's doings on both panes.
        const bool editable = pick(4) == 0;
        for (Pane* pane : {&full, &changed})
            pane->memo.SetReadOnly(!editable);
        for (int move = pick(4); move > 0; --move) {
            const int kind = pick(6);
            const int line = pick(static_cast<int>(lines.size()));
            const int column = pick(30);
            for (Pane* pane : {&full, &changed}) {
                switch (kind) {
                case 0: pane->memo.PlaceCaret(column, line); break;
                case 1: pane->memo.KeyDown(vk::Down, 0); break;
                case 2: pane->memo.KeyDown(vk::PageDown, 0); break;
                case 3: pane->memo.KeyDown(vk::End, ssShift); break;
                case 4: pane->memo.scrollVertically(TScrollCode::scLineDown); break;
                default: pane->memo.KeyPress(U'x'); break;
                }
            }
        }
        ASSERT_EQ(stateOf(full), stateOf(changed)) << "round " << round;

        // A commit: a few lines change, and the panes take the new list.
        std::vector<int> changedLines;
        for (int count = pick(3); count > 0; --count) {
            const int line = pick(static_cast<int>(lines.size()));
            lines[static_cast<std::size_t>(line)] = kTexts[static_cast<std::size_t>(pick(static_cast<int>(kTexts.size())))];
            changedLines.push_back(line);
        }
        full.memo.ClearText();
        full.memo.Lines().AppendLines(lines);
        changed.memo.RefillText(lines, changedLines);
        for (Pane* pane : {&full, &changed})
            pane->memo.UndoList().Clear();
        ASSERT_EQ(stateOf(full), stateOf(changed)) << "round " << round;
        // Mostly the next entry is shown; at either end of the file none is.
        if (pick(5) != 0) {
            const int line = pick(static_cast<int>(lines.size()));
            for (Pane* pane : {&full, &changed})
                pane->memo.PlaceCaret(1, line);
        }
        ASSERT_EQ(stateOf(full), stateOf(changed)) << "round " << round;
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, MemoRefill, ::testing::Range(1u, 21u));

} // namespace
} // namespace kalmo
