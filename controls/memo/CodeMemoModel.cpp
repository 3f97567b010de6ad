// Caret, selection, active line and the operations the program calls on a
// memo (PlaceCaret, ClearText, SetActiveLineIndex). Geometry and scroll bars
// are in CodeMemoScrolling.cpp.
#include "controls/memo/CodeMemoModel.h"

#include "controls/memo/Utf8Columns.h"

#include <algorithm>

namespace kalmo {

TCustomCodeMemo::TCustomCodeMemo() : lines_(this)
{
    undoList_.OnChange = [this](bool canUndo, bool canRedo) {
        if (OnUndoChange) {
            OnUndoChange(*this, canUndo, canRedo);
        }
    };
    {
        // The construction line arrives like a layout line, before anyone listens.
        ChangeTrackingPause pause(*this);
        lines_.AddLine("");
    }
}

void TCustomCodeMemo::Invalidate(bool erase)
{
    if (view_) {
        view_->invalidate(erase);
    }
}

void TCustomCodeMemo::InvalidateRect(const TRect& rect, bool erase)
{
    if (view_) {
        view_->invalidateRect(rect, erase);
    }
}

void TCustomCodeMemo::beforeClear()
{
    setSelection(0, 0, 0, 0);
    SetCaretLine(0);
    SetCaretCol(0);
    Invalidate();
}

void TCustomCodeMemo::afterAppend()
{
    if (view_) {
        view_->paintNow();
    }
}

void TCustomCodeMemo::endLayoutLoad()
{
    loadingLayout_ = false;
    UpdateScrollBars(true);
    Invalidate();
}

void TCustomCodeMemo::SetTabSize(int value)
{
    if (value > 0) {
        tabSize_ = value;
    }
}

void TCustomCodeMemo::SetFont(const TMemoFont& value)
{
    if (font_ == value) {
        return;
    }
    font_ = value;
    if (view_) {
        view_->fontChanged();
    }
    Invalidate();
}

// The caret's line may be touched when it exists, and also on an empty store,
// where the column rules add the one line the caret needs.
bool TCustomCodeMemo::caretLineTouchesStore() const
{
    return caretLine_ >= 0 && (caretLine_ < lines_.LineCount() || lines_.LineCount() == 0);
}

void TCustomCodeMemo::SetCaretCol(int x)
{
    // The caret never stands inside a wide character.
    if (x > 0 && caretLine_ >= 0 && caretLine_ < lines_.LineCount()) {
        x = utf8ClusterStart(lines_.Line(caretLine_), x);
    }
    if (x == caretCol_) {
        return;
    }
    if (x < 0) {
        if (caretLine_ == 0) {
            x = 0;
        } else {
            SetCaretLine(caretLine_ - 1);
            x = caretLine_ < lines_.LineCount() ? lines_.LineLength(caretLine_) : 0;
        }
    }
    caretCol_ = x;
    if (caretLineTouchesStore()) {
        ChangeTrackingPause pause(*this);
        if (x > longestLine_) {
            firstVisibleCol_ = std::max(0, x - ColSpan());
            longestLine_ = x;
        } else if (lines_.Lengths().Count() == lines_.LineCount()) {
            longestLine_ = lines_.MaxLineLength();
        }
        const bool empty = lines_.LineCount() == 0;
        const int length = empty ? 0 : lines_.LineLength(caretLine_);
        if (x > length) {
            if (autoExpand_) {
                const std::string fill(static_cast<std::size_t>(x - length), ' ');
                if (empty) {
                    lines_.AddLine(fill);
                } else {
                    lines_.PutLine(caretLine_, lines_.Line(caretLine_) + fill);
                }
            } else {
                if (empty) {
                    lines_.AddLine("");
                }
                x = length;
            }
            Invalidate();
        }
        // After a bulk append LongestLine is stale, and padding widens any
        // tabs of the line; neither may leave the scroll range short.
        if (lines_.Lengths().Count() == lines_.LineCount()) {
            longestLine_ = std::max(longestLine_, lines_.MaxLineLength());
        }
    }
    caretCol_ = x;
    announceCaretMove();
    if (OnColumnChange) {
        OnColumnChange(*this, caretCol_);
    }
}

void TCustomCodeMemo::SetEnabled(bool value)
{
    if (value == enabled_) {
        return;
    }
    enabled_ = value;
    if (view_) {
        view_->enabledChanged();
    }
}

// What every caret move ends with, column or line alike.
void TCustomCodeMemo::announceCaretMove()
{
    ScrollCaretIntoView();
    UpdateScrollBars();
    raise(OnStatusChange);
    if (view_) {
        view_->updateCaret();
    }
    raiseReading(OnCursorChange);
}

void TCustomCodeMemo::SetCaretLine(int y)
{
    if (y == caretLine_) {
        return;
    }
    if (lines_.LineCount() == 0) {
        lines_.AddLine("");
    }
    y = std::clamp(y, 0, lines_.LineCount() - 1);
    if (activeLineSettings_.ActiveLineAtCursor()) {
        // Before the caret moves: this may scroll, and ScrollToLine may in
        // turn move the caret to line 0 when all lines fit.
        SetActiveLineIndex(y);
    }
    const int old = caretLine_;
    caretLine_ = y;
    // The column came from another line; here it may fall inside a wide character.
    caretCol_ = utf8ClusterStart(lines_.Line(y), caretCol_);
    if (old >= 0 && old < lines_.LineCount() && old != y) {
        ChangeTrackingPause pause(*this);
        const std::string& text = lines_.Line(old);
        std::string trimmed = TrimmedLine(old);
        if (trimmed.size() != text.size() || trimmed.find('\t') != std::string::npos) {
            lines_.PutLine(old, trimmed);
        }
    }
    // A move to another line is also "the next caret move" after a bulk
    // append, which leaves LongestLine stale.
    if (lines_.Lengths().Count() == lines_.LineCount()) {
        longestLine_ = std::max(longestLine_, lines_.MaxLineLength());
    }
    announceCaretMove();
    if (activeLineSettings_.ActiveLineAtCursor() && OnActiveLineChange) {
        OnActiveLineChange(*this, caretLine_);
    }
}

std::string TCustomCodeMemo::TrimmedLine(int index) const
{
    const std::string& text = lines_.Line(index);
    if (index + 1 < lines_.LineCount() && lines_.LineProp(index + 1).WrapContinuation) {
        return text;
    }
    std::size_t end = text.size();
    while (end > 0 && static_cast<unsigned char>(text[end - 1]) <= 32) {
        --end;
    }
    return text.substr(0, end);
}

void TCustomCodeMemo::CollapseSelection()
{
    const bool hadSelection = !SelectionEmpty();
    selFromCol_ = selToCol_ = anchorCol_ = caretCol_;
    selFromLine_ = selToLine_ = anchorLine_ = caretLine_;
    if (hadSelection) {
        raiseReading(OnSelectionChange);
        Invalidate();
    }
}

void TCustomCodeMemo::ExtendSelection()
{
    const int oldToLine = selToLine_;
    selToCol_ = anchorCol_ = caretCol_;
    selToLine_ = anchorLine_ = caretLine_;
    raiseReading(OnSelectionChange);
    InvalidateRect(rowsRect(oldToLine, caretLine_), true);
}

void TCustomCodeMemo::PlaceCaret(int column, int line)
{
    CollapseSelection();
    // Stored directly so that the column step below always runs in full.
    caretCol_ = 0;
    SetCaretLine(line);
    SetCaretCol(column);
}

void TCustomCodeMemo::ClearText()
{
    SetCaretCol(0);
    SetCaretLine(0);
    firstVisibleCol_ = 0;
    firstVisibleLine_ = 0;
    changeTracking_ = false;
    lines_.ClearLines();
    Invalidate();
    SetCaretLine(0);
    SetCaretCol(0);
    setSelection(0, 0, 0, 0);
    changeTracking_ = true;
    LinesChanged();
}

void TCustomCodeMemo::RefillText(const std::vector<std::string>& lines, std::span<const int> changedLines)
{
    if (!lines_.CanRefillInPlace(lines.size())) {
        ClearText();
        lines_.AppendLines(lines);
        return;
    }
    // ClearText's steps in its order, with the store kept: the caret goes
    // home first (tidying the line it leaves, as there), and what ClearText
    // computes for the emptied store in between (the longest line, the
    // scroll bars) is computed for no lines here too.
    SetCaretCol(0);
    SetCaretLine(0);
    firstVisibleCol_ = 0;
    firstVisibleLine_ = 0;
    changeTracking_ = false;
    setSelection(0, 0, 0, 0);
    Invalidate();
    lines_.RefillInPlace(lines, changedLines);
    changeTracking_ = true;
    raiseReading(OnChange);
    Invalidate();
    longestLine_ = 0;
    updateScrollBarsFor(0, false);
    ScrollCaretIntoView();
    Invalidate(false);
    if (lines_.UpdateCount() == 0 && view_)
        view_->paintNow();
}

void TCustomCodeMemo::LinesChanged()
{
    if (!changeTracking_) {
        return;
    }
    raiseReading(OnChange);
    Invalidate();
    if (lines_.Lengths().Count() == lines_.LineCount()) {
        longestLine_ = lines_.MaxLineLength();
    }
    UpdateScrollBars();
    ScrollCaretIntoView();
    Invalidate(false);
}

void TCustomCodeMemo::SetActiveLineIndex(int line)
{
    activeLineIndex_ = line;
    if (activeLineSettings_.ShowActiveLineIndicator() && !activeLineSettings_.ShowActiveLine()
        && gutter_.Visible()) {
        InvalidateRect(TRect{0, 0, gutter_.GutterWidth(), height_}, true);
    }
    if (!activeLineSettings_.ShowActiveLine()) {
        return;
    }
    // The caret may still be on the old line; it is brought into view first,
    // so a mirrored memo can scroll twice.
    ScrollCaretIntoView();
    if (line > firstVisibleLine_ + RowSpan() || line < firstVisibleLine_) {
        ScrollToLine(line);
    }
    Invalidate(false);
}

void TCustomCodeMemo::ScrollToLine(int line)
{
    const bool changed = line != firstVisibleLine_;
    const int rowSpan = RowSpan();
    const int count = lines_.LineCount();
    if (count < rowSpan) {
        // All lines fit, so the view stands at the top already (the store
        // keeps it there). The caret move home raises events and runs
        // SetActiveLineIndex, which must not come back here for another.
        if (scrollingCaretHome_) {
            return;
        }
        struct HomeMove {
            bool& flag;
            explicit HomeMove(bool& f) : flag(f) { flag = true; }
            ~HomeMove() { flag = false; }
        } homeMove{scrollingCaretHome_};
        firstVisibleLine_ = 0;
        SetCaretLine(0);
        SetCaretCol(0);
        return;
    }
    if (line < 0) {
        return;
    }
    if (line + rowSpan < count) {
        firstVisibleLine_ = line;
    } else {
        // Near the end the last lines fill the upper half of the view.
        firstVisibleLine_ = std::max(0, count - rowSpan / 2);
    }
    vertBar_.SetPosition(firstVisibleLine_);
    Invalidate();
    if (changed) {
        raise(OnTopLeftChanged);
    }
}

void TCustomCodeMemo::fitScrollToLines()
{
    const int count = lines_.LineCount();
    const int rowSpan = RowSpan();
    int last = std::max(0, count - 1);
    if (rowSpan > 0) {
        last = count <= rowSpan ? 0 : count - rowSpan / 2;
    }
    if (firstVisibleLine_ > last) {
        firstVisibleLine_ = last;
        vertBar_.SetPosition(last);
        Invalidate();
    }
}

void TCustomCodeMemo::ScrollCaretIntoView()
{
    const int colSpan = ColSpan();
    const int rowSpan = RowSpan();
    const int oldCol = firstVisibleCol_;
    const int oldLine = firstVisibleLine_;
    if (caretCol_ < firstVisibleCol_) {
        firstVisibleCol_ = std::max(0, caretCol_ - 2);
    }
    // With no measured cell there is no view to scroll; the strict mode's
    // caret clamp would otherwise recurse without end.
    if (colSpan > 0 && caretCol_ > firstVisibleCol_ + colSpan - 1) {
        if (hasHorizontalBar(scrollBars_) || scrollMode_ == TScrollMode::smAuto) {
            firstVisibleCol_ = std::max(0, caretCol_ - colSpan + 3);
        } else {
            SetCaretCol(firstVisibleCol_ + colSpan - 1);
        }
    }
    if (caretLine_ < firstVisibleLine_) {
        firstVisibleLine_ = caretLine_;
    }
    if (rowSpan > 0 && caretLine_ > firstVisibleLine_ + rowSpan - 1) {
        if (hasVerticalBar(scrollBars_) || scrollMode_ == TScrollMode::smAuto) {
            firstVisibleLine_ = caretLine_ - rowSpan + 1;
        } else {
            SetCaretLine(firstVisibleLine_ + rowSpan - 1);
        }
    }
    if (oldCol != firstVisibleCol_ || oldLine != firstVisibleLine_) {
        Invalidate();
    }
}

void TCustomCodeMemo::setCaretDirect(int column, int line)
{
    caretCol_ = column;
    caretLine_ = line;
}

void TCustomCodeMemo::setSelection(int fromCol, int fromLine, int toCol, int toLine)
{
    selFromCol_ = fromCol;
    selFromLine_ = fromLine;
    selToCol_ = toCol;
    selToLine_ = toLine;
}

void TCustomCodeMemo::setAnchor(int column, int line)
{
    anchorCol_ = column;
    anchorLine_ = line;
}

void TCustomCodeMemo::setFirstVisibleCol(int column) { firstVisibleCol_ = std::max(0, column); }

void TCustomCodeMemo::setFirstVisibleLine(int line) { firstVisibleLine_ = std::max(0, line); }

} // namespace kalmo
