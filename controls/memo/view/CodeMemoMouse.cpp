// Mouse rules of the memo in client pixels: press, drag selection, release,
// double-click word selection, the wheel, and the pointer shape. A click
// stores the caret line directly, so it moves the active line without
// raising OnActiveLineChange.
#include "controls/memo/CodeMemoModel.h"

#include "controls/memo/MemoWebAddress.h"
#include "controls/memo/Utf8Columns.h"

#include <algorithm>
#include <cstdlib>

namespace kalmo {

namespace {

// Division that rounds toward minus infinity, so rows above the text area
// count negative; an unmeasured cell size gives 0.
int floorDiv(int value, int step)
{
    if (step <= 0) {
        return 0;
    }
    return value >= 0 ? value / step : -((-value + step - 1) / step);
}

bool before(TMemoPos a, TMemoPos b) { return a.Line < b.Line || (a.Line == b.Line && a.Col < b.Col); }

bool isWordDelimiter(char32_t ch) { return ch == U' ' || ch == U'"' || ch == U'\''; }

// Where a click on `cell` puts the caret: a click on the right half of a wide
// character (its second cell) goes after it.
int caretColumnForClick(const TCodeMemoStrings& lines, TMemoPos cell)
{
    if (cell.Line < 0 || cell.Line >= lines.LineCount()) {
        return cell.Col;
    }
    const std::string& text = lines.Line(cell.Line);
    const int start = utf8ClusterStart(text, cell.Col);
    return start == cell.Col ? start : utf8NextColumn(text, start);
}

} // namespace

TMemoPos TCustomCodeMemo::cellAt(int x, int y) const
{
    const TRect area = textArea();
    const int column = std::max(0, floorDiv(x - area.Left, charWidth_) + firstVisibleCol_);
    const int line = floorDiv(y - area.Top, lineHeight_) + firstVisibleLine_;
    return TMemoPos{column, std::clamp(line, 0, std::max(0, lines_.LineCount() - 1))};
}

std::string TCustomCodeMemo::webAddressAtCell(TMemoPos cell) const
{
    if (cell.Line < 0 || cell.Line >= lines_.LineCount()) {
        return {};
    }
    return webAddressAt(lines_.Line(cell.Line), cell.Col);
}

void TCustomCodeMemo::trimLeftLine(int line)
{
    if (line < 0 || line >= lines_.LineCount()) {
        return;
    }
    ChangeTrackingPause pause(*this);
    const std::string trimmed = TrimmedLine(line);
    const std::string& text = lines_.Line(line);
    if (trimmed.size() != text.size() || trimmed.find('\t') != std::string::npos) {
        lines_.PutLine(line, trimmed);
    }
}

void TCustomCodeMemo::placeCaretByMouse(TMemoPos cell, ShiftState shift)
{
    if (view_) {
        view_->setCaretVisible(false);
    }
    const int old = caretLine_;
    caretLine_ = cell.Line;
    SetCaretCol(caretColumnForClick(lines_, cell));
    ScrollCaretIntoView();
    if (old != caretLine_) {
        trimLeftLine(old);
    }
    // The caret line was stored directly, so no line move refreshed
    // LongestLine (stale after a refill, and widened tabs may have grown it).
    if (lines_.Lengths().Count() == lines_.LineCount() && lines_.MaxLineLength() > longestLine_) {
        longestLine_ = lines_.MaxLineLength();
        UpdateScrollBars();
    }
    if (hasShift(shift)) {
        ExtendSelection();
    } else {
        CollapseSelection();
    }
}

void TCustomCodeMemo::MouseDown(TMouseButton button, ShiftState shift, int x, int y)
{
    if (!enabled_ || button == TMouseButton::mbMiddle) {
        return;
    }
    if (view_) {
        view_->takeFocus();
    }
    if (button == TMouseButton::mbRight) {
        return;
    }
    const TRect area = textArea();
    if (x < area.Left && gutter_.Visible()) {
        const int line = floorDiv(y - area.Top, lineHeight_) + firstVisibleLine_;
        if (line >= 0 && line < lines_.LineCount()) {
            SetCaretLine(line);
            if (OnGutterClick) {
                OnGutterClick(*this, line);
            }
        }
        return;
    }
    const TMemoPos cell = cellAt(x, y);
    pressX_ = x;
    pressY_ = y;
    dragging_ = false;
    const TMemoPos from{selFromCol_, selFromLine_};
    const TMemoPos to{selToCol_, selToLine_};
    const TMemoPos first = before(to, from) ? to : from;
    const TMemoPos last = before(to, from) ? from : to;
    if (!SelectionEmpty() && before(first, cell) && before(cell, last)) {
        pressedInSelection_ = true;
        return;
    }
    pressedInSelection_ = false;
    placeCaretByMouse(cell, shift);
    mouseSelecting_ = true;
    justPressed_ = true;
    if (urlAware_) {
        const std::string url = webAddressAtCell(caretPos());
        if (!url.empty()) {
            if (OnURLClick) {
                OnURLClick(*this, url);
            } else if (view_) {
                view_->openUrl(url);
            }
        }
    }
    if (activeLineSettings_.ActiveLineAtCursor()) {
        SetActiveLineIndex(caretLine_);
    }
}

void TCustomCodeMemo::MouseMove(ShiftState /*shift*/, bool leftButtonHeld, int x, int y)
{
    if (!enabled_ || !leftButtonHeld) {
        return;
    }
    if (pressedInSelection_) {
        // A drag of the selection starts after 2 pixels; nothing here
        // accepts a drop, so it only keeps the release from placing the caret.
        if (std::abs(x - pressX_) > 2 || std::abs(y - pressY_) > 2) {
            dragging_ = true;
        }
        return;
    }
    if (justPressed_) {
        justPressed_ = false;
        return;
    }
    if (!mouseSelecting_) {
        return;
    }
    const TRect area = textArea();
    const TMemoPos oldTo{selToCol_, selToLine_};
    const TMemoPos oldFrom{selFromCol_, selFromLine_};
    SetCaretLine(firstVisibleLine_ + floorDiv(y - area.Top, lineHeight_));
    if (x < area.Left) {
        SetCaretCol(0);
        firstVisibleCol_ = 0;
    } else {
        const TMemoPos cell{cellAt(x, y).Col, caretLine_};
        SetCaretCol(std::min(caretColumnForClick(lines_, cell), lineLength(caretLine_)));
    }
    ExtendSelection();
    if (view_ && (!(oldTo == TMemoPos{selToCol_, selToLine_}) || !(oldFrom == TMemoPos{selFromCol_, selFromLine_}))) {
        view_->paintNow();
    }
}

void TCustomCodeMemo::MouseUp(TMouseButton button, ShiftState /*shift*/, int x, int y)
{
    if (!enabled_ || button != TMouseButton::mbLeft) {
        return;
    }
    if (view_) {
        view_->setCaretVisible(true);
    }
    mouseSelecting_ = false;
    justPressed_ = false;
    if (pressedInSelection_ && !dragging_) {
        CollapseSelection();
        placeCaretByMouse(cellAt(x, y), 0);
        if (activeLineSettings_.ActiveLineAtCursor()) {
            SetActiveLineIndex(caretLine_);
        }
    }
    pressedInSelection_ = false;
    dragging_ = false;
}

void TCustomCodeMemo::DblClick(int x, int /*y*/)
{
    if (!enabled_ || (x < textArea().Left && gutter_.Visible())) {
        return;
    }
    raise(OnDblClick);
    if (caretLine_ < 0 || caretLine_ >= lines_.LineCount()) {
        return;
    }
    const std::vector<char32_t> text = cellCharacters(lines_.Line(caretLine_));
    const auto n = static_cast<int>(text.size());
    const auto at = [&](int column) { return text[static_cast<std::size_t>(column)]; };
    if (caretCol_ >= n || isWordDelimiter(at(caretCol_))) {
        return;
    }
    int from = caretCol_;
    while (from > 0 && !isWordDelimiter(at(from - 1))) {
        --from;
    }
    int to = caretCol_;
    while (to < n && !isWordDelimiter(at(to))) {
        ++to;
    }
    setSelection(from, caretLine_, to, caretLine_);
    raiseReading(OnSelectionChange);
    Invalidate();
}

void TCustomCodeMemo::MouseWheel(int notches)
{
    const int rowSpan = RowSpan();
    const int count = lines_.LineCount();
    if (!enabled_ || rowSpan <= 0 || count <= rowSpan) {
        return;
    }
    for (int k = 0; k < std::abs(notches); ++k) {
        if (notches > 0) {
            if (count - 1 <= firstVisibleLine_ + rowSpan - 1) {
                return;
            }
            ScrollToLine(firstVisibleLine_ + 4);
        } else {
            const int before = firstVisibleLine_;
            const int target = before < 5 ? 0 : before - 4;
            ScrollToLine(target);
            if (firstVisibleLine_ >= before && target < before) {
                // Near the end ScrollToLine snaps back to the end position,
                // which would keep the wheel from ever scrolling up from there.
                firstVisibleLine_ = target;
                vertBar_.SetPosition(target);
                Invalidate();
                raise(OnTopLeftChanged);
            }
        }
    }
}

TCursorShape TCustomCodeMemo::CursorAt(int x, int y) const
{
    const TRect area = textArea();
    if (x < area.Left || x >= area.Right || y < area.Top || y >= area.Bottom) {
        return TCursorShape::crArrow;
    }
    if (urlAware_) {
        const int line = floorDiv(y - area.Top, lineHeight_) + firstVisibleLine_;
        if (line < lines_.LineCount() && !webAddressAtCell(cellAt(x, y)).empty()) {
            return TCursorShape::crHandPoint;
        }
    }
    return TCursorShape::crIBeam;
}

} // namespace kalmo
