// Shared pieces of the memo model tests: a view that counts what the model
// asks of it, and a memo set up like the source viewer's upper pane.
#pragma once

#include "controls/memo/CodeMemoModel.h"
#include "app/layouts/MemoLayouts.h"

#include <string>
#include <vector>

namespace kalmo::testing {

struct CountingView : MemoView {
    int invalidations = 0;
    int rectInvalidations = 0;
    int paints = 0;
    void invalidate(bool) override { ++invalidations; }
    void invalidateRect(const TRect&, bool) override { ++rectInvalidations; }
    void paintNow() override { ++paints; }
    int total() const { return invalidations + rectInvalidations + paints; }
};

inline std::vector<std::string> numberedLines(int count)
{
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i) {
        lines.push_back("line " + std::to_string(i));
    }
    return lines;
}

// The upper viewer pane: 488 x 193, single border, flat, gutter 45, 7 x 14
// cells (RowSpan 13), refilled the way the translation job refills it.
inline void setUpViewerPane(TCustomCodeMemo& memo, const std::vector<std::string>& lines, int height = 193)
{
    applyViewerPaneLayout(memo);
    memo.SetBounds(488, height);
    memo.SetFontCell(7, 14);
    memo.ClearText();
    memo.Lines().AppendLines(lines);
}

} // namespace kalmo::testing
