// The memo's geometry (text area, RowSpan, ColSpan, cells) and its scroll
// bars as state: which bar shows, its range, page and position, and what the
// user's scroll-bar actions do to the first visible line and column.
#include "controls/memo/CodeMemoModel.h"

#include <algorithm>

namespace kalmo {

int TScrollBarState::LastPosition() const
{
    return PageSize > 0 ? std::max(Min, Max - PageSize + 1) : std::max(Min, Max);
}

void TScrollBarState::SetPosition(int position) { Position = std::clamp(position, Min, LastPosition()); }

TRect TCustomCodeMemo::textArea() const
{
    const int gutterPart = gutter_.Visible() && gutter_.GutterWidth() > 2 ? gutter_.GutterWidth() + 2 : 2;
    TRect area{2 + gutterPart, 2, width_ - 2, height_ - 2};
    if (hasVerticalBar(scrollBars_) && vertBar_.Visible) {
        area.Right -= ScrollBarSize;
    }
    if (hasHorizontalBar(scrollBars_) && horzBar_.Visible) {
        area.Bottom -= ScrollBarSize;
    }
    const int grow = borderStyle_ == TBorderStyle::bsNone ? 2 : (ctl3D_ ? 0 : 1);
    area.Left -= grow;
    area.Top -= grow;
    area.Right += grow;
    area.Bottom += grow;
    return area;
}

int TCustomCodeMemo::RowSpan() const
{
    if (charWidth_ == 0 || lineHeight_ == 0) {
        return 0;
    }
    const TRect area = textArea();
    return (area.Bottom - 1 - area.Top) / lineHeight_;
}

int TCustomCodeMemo::ColSpan() const
{
    if (charWidth_ == 0 || lineHeight_ == 0) {
        return 0;
    }
    const TRect area = textArea();
    return (area.Right - 1 - area.Left) / charWidth_;
}

TRect TCustomCodeMemo::cellRect(int column, int row) const
{
    const TRect area = textArea();
    return TRect{area.Left + column * charWidth_, area.Top + 1 + row * lineHeight_,
                 area.Left + (column + 1) * charWidth_, area.Top + 1 + (row + 1) * lineHeight_};
}

TRect TCustomCodeMemo::gutterRect() const { return TRect{1, 1, 1 + gutter_.GutterWidth(), 1 + textArea().Height()}; }

TRect TCustomCodeMemo::rowsRect(int fromLine, int toLine) const
{
    const TRect area = textArea();
    const int firstRow = std::min(fromLine, toLine) - firstVisibleLine_;
    const int lastRow = std::max(fromLine, toLine) - firstVisibleLine_;
    return TRect{area.Left, std::max(area.Top, area.Top + 1 + firstRow * lineHeight_), area.Right,
                 std::min(area.Bottom, area.Top + 1 + (lastRow + 1) * lineHeight_)};
}

void TCustomCodeMemo::SetBounds(int width, int height)
{
    if (width == width_ && height == height_) {
        return;
    }
    width_ = width;
    height_ = height;
    UpdateScrollBars(true);
    ScrollCaretIntoView();
    // The bar follows the view's top line, which the caret may just have moved.
    vertBar_.SetPosition(firstVisibleLine_);
    if (view_) {
        view_->updateCaret();
        view_->scrollBarsChanged();
    }
    Invalidate();
}

void TCustomCodeMemo::SetFontCell(int charWidth, int lineHeight)
{
    if (charWidth < 0 || lineHeight < 0 || (charWidth == charWidth_ && lineHeight == lineHeight_)) {
        return;
    }
    charWidth_ = charWidth;
    lineHeight_ = lineHeight;
    UpdateScrollBars(true);
    if (view_) {
        view_->updateCaret();
    }
    Invalidate();
}

void TCustomCodeMemo::SetScrollBars(TScrollStyle value)
{
    if (value == scrollBars_) {
        return;
    }
    scrollBars_ = value;
    UpdateScrollBars(true);
    Invalidate();
}

void TCustomCodeMemo::updateScrollBarsPass(bool& visibilityChanged, int lineCount)
{
    const bool wasVertical = vertBar_.Visible;
    const bool wasHorizontal = horzBar_.Visible;
    if (hasVerticalBar(scrollBars_)) {
        const int rowSpan = RowSpan();
        const int count = lineCount;
        if (rowSpan <= 0 || rowSpan >= count) {
            vertBar_.PageSize = 0;
            firstVisibleLine_ = 0;
            vertBar_.Visible = false;
        } else {
            // Range and page first, so the position is clamped the way the
            // platform clamps it; the view's top line itself is left alone.
            vertBar_.Min = 0;
            vertBar_.Max = count - 1;
            vertBar_.PageSize = rowSpan;
            vertBar_.SetPosition(firstVisibleLine_);
            vertBar_.Visible = true;
        }
    }
    if (hasHorizontalBar(scrollBars_)) {
        const int colSpan = ColSpan();
        if (colSpan > 0 && colSpan < longestLine_) {
            horzBar_.Min = 0;
            horzBar_.Max = longestLine_;
            horzBar_.PageSize = colSpan + 1;
            horzBar_.SetPosition(firstVisibleCol_);
            horzBar_.Visible = true;
        } else {
            if (caretCol_ < colSpan) {
                horzBar_.Visible = false;
                horzBar_.PageSize = 0;
            }
            firstVisibleCol_ = 0;
        }
    }
    visibilityChanged = wasVertical != vertBar_.Visible || wasHorizontal != horzBar_.Visible;
}

void TCustomCodeMemo::UpdateScrollBars(bool repaint)
{
    updateScrollBarsFor(lines_.LineCount(), repaint);
}

void TCustomCodeMemo::updateScrollBarsFor(int lineCount, bool repaint)
{
    if (!hasVerticalBar(scrollBars_)) {
        vertBar_.Visible = false;
    }
    if (!hasHorizontalBar(scrollBars_)) {
        horzBar_.Visible = false;
    }
    if (!changeTracking_) {
        if (view_) {
            view_->scrollBarsChanged();
        }
        return;
    }
    // A bar that appears or disappears changes the text area and so the other
    // bar's span; a few passes settle it (showing a bar only shrinks spans).
    for (int pass = 0; pass < 4; ++pass) {
        bool visibilityChanged = false;
        updateScrollBarsPass(visibilityChanged, lineCount);
        if (!visibilityChanged) {
            break;
        }
    }
    if (repaint) {
        InvalidateRect(gutterRect(), true);
        InvalidateRect(textArea(), true);
    }
    if (vertBar_.Visible && vertBar_.Position > vertBar_.Max - vertBar_.PageSize + 1) {
        vertBar_.Position = vertBar_.Max - vertBar_.PageSize + 1;
        firstVisibleLine_ = vertBar_.Position;
        raise(OnTopLeftChanged);
    }
    if (horzBar_.Visible && horzBar_.Position > horzBar_.Max - horzBar_.PageSize + 1) {
        horzBar_.Position = horzBar_.Max - horzBar_.PageSize + 2;
        firstVisibleCol_ = horzBar_.Position;
        raise(OnTopLeftChanged);
    }
    if (view_) {
        view_->scrollBarsChanged();
    }
}

void TCustomCodeMemo::scrollBy(TScrollBarState& bar, int& first, int change)
{
    const int target = std::clamp(first + change, 0, std::max(0, bar.Max));
    if (target == first) {
        return;
    }
    first = target;
    bar.SetPosition(target);
    Invalidate();
    if (view_) {
        view_->setCaretVisible(firstVisibleCol_ < caretCol_);
        view_->scrollBarsChanged();
    }
    raise(OnTopLeftChanged);
}

void TCustomCodeMemo::scrollVertically(TScrollCode code, int thumbPosition)
{
    if (!enabled_) {
        return;
    }
    // A page click moves by the bar's own step of one plus the rows in view.
    const int page = RowSpan() + 1;
    switch (code) {
    case TScrollCode::scLineUp: scrollBy(vertBar_, firstVisibleLine_, -1); break;
    case TScrollCode::scLineDown: scrollBy(vertBar_, firstVisibleLine_, 1); break;
    case TScrollCode::scPageUp: scrollBy(vertBar_, firstVisibleLine_, -page); break;
    case TScrollCode::scPageDown: scrollBy(vertBar_, firstVisibleLine_, page); break;
    case TScrollCode::scThumbPosition:
        scrollBy(vertBar_, firstVisibleLine_, thumbPosition - firstVisibleLine_);
        break;
    }
}

void TCustomCodeMemo::scrollHorizontally(TScrollCode code, int thumbPosition)
{
    if (!enabled_) {
        return;
    }
    switch (code) {
    case TScrollCode::scLineUp:
    case TScrollCode::scPageUp: scrollBy(horzBar_, firstVisibleCol_, -1); break;
    case TScrollCode::scLineDown:
    case TScrollCode::scPageDown: scrollBy(horzBar_, firstVisibleCol_, 1); break;
    case TScrollCode::scThumbPosition:
        scrollBy(horzBar_, firstVisibleCol_, thumbPosition - firstVisibleCol_);
        break;
    }
}

} // namespace kalmo
