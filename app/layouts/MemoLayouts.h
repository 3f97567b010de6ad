// The memo settings that the program's window layouts store: the source
// viewer's two panes and the Help window's text. Kept as code in core so the
// layout is data the tests can check without a window.
#pragma once

#include "app/layouts/SourceViewerLayout.h"

#include <string>
#include <vector>

namespace kalmo {

class TCustomCodeMemo;

// Memo1 / Memo2: read-only, disabled, grey, line-numbered from 0, active line
// shown and following the caret; the layout holds one empty line.
void applyViewerPaneLayout(TCustomCodeMemo& memo);

// A pane as the source viewer shows it, for running the job without a
// screen: its layout, its size and the font cell it measures.
void shapeViewerPane(TCustomCodeMemo& memo, const layout::ControlBounds& bounds);
// Memo1 and Memo2 at their stored places.
void shapeViewerPanes(TCustomCodeMemo& memo1, TCustomCodeMemo& memo2);

// CodeMemo1: read-only help text without gutter, vertical bar only, no border,
// right margin at column 100; its lines come from the Help window's layout.
void applyHelpMemoLayout(TCustomCodeMemo& memo, const std::vector<std::string>& helpLines);

} // namespace kalmo
