// The memo settings that the program's window layouts store: the source
// viewer's two panes and the Help window's text. Kept as code in core so the
// layout is data the tests can check without a window.
#pragma once

#include <string>
#include <vector>

namespace kalmo {

class TCustomCodeMemo;

// Memo1 / Memo2: read-only, disabled, grey, line-numbered from 0, active line
// shown and following the caret; the layout holds one empty line.
void applyViewerPaneLayout(TCustomCodeMemo& memo);

// CodeMemo1: read-only help text without gutter, vertical bar only, no border,
// right margin at column 100; its lines come from the Help window's layout.
void applyHelpMemoLayout(TCustomCodeMemo& memo, const std::vector<std::string>& helpLines);

} // namespace kalmo
