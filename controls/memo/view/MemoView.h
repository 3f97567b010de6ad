// What the memo model asks of whoever shows it. The model decides when a
// repaint or a caret move is due; the widget (or a test) decides how.
// Every request has an empty default so a view overrides only what it needs.
#pragma once

#include "controls/memo/MemoSettings.h"

#include <string>

namespace kalmo {

class MemoView {
public:
    virtual ~MemoView() = default;

    // The whole client area; `erase` says whether the background is redrawn first.
    virtual void invalidate(bool /*erase*/) {}
    virtual void invalidateRect(const TRect& /*rect*/, bool /*erase*/) {}
    // Paint at once instead of waiting for the next paint request.
    virtual void paintNow() {}
    // Move the platform caret to the caret cell, if it is shown.
    virtual void updateCaret() {}
    virtual void setCaretVisible(bool /*visible*/) {}
    // The memo font changed: measure it and set the cell size.
    virtual void fontChanged() {}
    // The scroll bars' state changed: mirror it onto the real bars.
    virtual void scrollBarsChanged() {}
    // The memo was enabled or disabled: input and focus follow.
    virtual void enabledChanged() {}
    // A press, a right press or the undo of a buffer deletion focuses the memo.
    virtual void takeFocus() {}
    // A key went down: restart the caret's blink phase and show it.
    virtual void restartCaretBlink() {}
    // The caret, the selection or the text may have changed (raised with
    // OnCursorChange, OnSelectionChange and OnChange, also while no handler
    // is assigned): what assistive technology reads may differ now.
    virtual void readingChanged() {}
    // A click on a web address that no OnURLClick handler takes.
    virtual void openUrl(const std::string& /*url*/) {}
};

} // namespace kalmo
