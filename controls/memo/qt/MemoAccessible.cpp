// The memo's accessible interface and its events; see MemoAccessible.h.
#include "controls/memo/qt/MemoAccessible.h"

#include "controls/memo/Utf8Columns.h"
#include "controls/memo/qt/CodeMemo.h"
#include "controls/qt/AccessibleEvents.h"
#include "controls/qt/TextBoundaries.h"

#include <algorithm>

namespace kalmo {
namespace {

QString readingQString(const TCustomCodeMemo& memo) { return QString::fromStdU16String(readingText(memo.Lines())); }

using FindPiece = text_boundaries::Range (*)(const QString&, int, QAccessible::TextBoundaryType);

QString pieceOfText(const TCustomCodeMemo& memo, FindPiece find, int offset, QAccessible::TextBoundaryType type,
                    int* startOffset, int* endOffset)
{
    const QString all = readingQString(memo);
    const text_boundaries::Range piece = find(all, offset, type);
    *startOffset = piece.first;
    *endOffset = piece.second;
    return all.mid(piece.first, piece.second - piece.first);
}

} // namespace

MemoAccessible::MemoAccessible(TCodeMemo* memo)
    : QAccessibleWidget(memo, QAccessible::EditableText)
{
}

TCustomCodeMemo& MemoAccessible::model() const { return static_cast<TCodeMemo*>(widget())->model(); }

QString MemoAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Value)
        return readingQString(model());
    return QAccessibleWidget::text(t);
}

bool MemoAccessible::takesTyping() const { return static_cast<const TCodeMemo*>(widget())->takesTyping(); }

QAccessible::State MemoAccessible::state() const
{
    // A disabled memo stays enabled for Qt and reads as a read-only text.
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = !takesTyping();
    state.editable = !state.readOnly;
    state.multiLine = true;
    state.selectableText = true;
    return state;
}

void* MemoAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    if (type == QAccessible::EditableTextInterface)
        return static_cast<QAccessibleEditableTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

void MemoAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const
{
    const ReadingRange range = readingSelection(model());
    const bool exists = selectionIndex == 0 && range.start != range.end;
    *startOffset = exists ? range.start : 0;
    *endOffset = exists ? range.end : 0;
}

int MemoAccessible::selectionCount() const
{
    const ReadingRange range = readingSelection(model());
    return range.start != range.end ? 1 : 0;
}

void MemoAccessible::addSelection(int startOffset, int endOffset) { setSelection(0, startOffset, endOffset); }

void MemoAccessible::removeSelection(int selectionIndex)
{
    if (selectionIndex != 0)
        return;
    TCustomCodeMemo& memo = model();
    const TMemoPos caret{memo.CaretCol(), memo.CaretLine()};
    memo.SelectRange(caret, caret);
}

void MemoAccessible::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    if (selectionIndex != 0)
        return;
    TCustomCodeMemo& memo = model();
    memo.SelectRange(memoPosition(memo.Lines(), startOffset), memoPosition(memo.Lines(), endOffset));
}

int MemoAccessible::cursorPosition() const { return readingCaretOffset(model()); }

void MemoAccessible::setCursorPosition(int position)
{
    TCustomCodeMemo& memo = model();
    const TMemoPos target = memoPosition(memo.Lines(), position);
    memo.SelectRange(target, target);
}

QString MemoAccessible::text(int startOffset, int endOffset) const
{
    const QString all = readingQString(model());
    startOffset = std::clamp(startOffset, 0, static_cast<int>(all.size()));
    endOffset = std::clamp(endOffset, startOffset, static_cast<int>(all.size()));
    return all.mid(startOffset, endOffset - startOffset);
}

int MemoAccessible::characterCount() const { return readingLength(model().Lines()); }

QRect MemoAccessible::characterRect(int offset) const
{
    const TCustomCodeMemo& memo = model();
    const TMemoPos position = memoPosition(memo.Lines(), offset);
    // A wide character covers two cells; beyond a line's end a cell is one.
    int cells = 1;
    if (position.Line < memo.Lines().LineCount())
        cells = utf8NextColumn(memo.Lines().Line(position.Line), position.Col) - position.Col;
    const int row = position.Line - memo.FirstVisibleLine();
    const TRect first = memo.cellRect(position.Col - memo.FirstVisibleCol(), row);
    const TRect last = memo.cellRect(position.Col + cells - 1 - memo.FirstVisibleCol(), row);
    const QPoint topLeft = widget()->mapToGlobal(QPoint(first.Left, first.Top));
    return QRect(topLeft, QSize(last.Right - first.Left, first.Height()));
}

int MemoAccessible::offsetAtPoint(const QPoint& point) const
{
    const TCustomCodeMemo& memo = model();
    const QPoint local = widget()->mapFromGlobal(point);
    if (!widget()->rect().contains(local))
        return -1;
    return readingOffset(memo.Lines(), memo.cellAt(local.x(), local.y()));
}

// The memo scrolls to follow its caret; it has no scroll of its own to offer.
void MemoAccessible::scrollToSubstring(int, int) {}

QString MemoAccessible::attributes(int, int* startOffset, int* endOffset) const
{
    // One style for the whole text.
    *startOffset = 0;
    *endOffset = characterCount();
    return QString();
}

QString MemoAccessible::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                                         int* endOffset) const
{
    return pieceOfText(model(), &text_boundaries::before, offset, boundaryType, startOffset, endOffset);
}

QString MemoAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                                        int* endOffset) const
{
    return pieceOfText(model(), &text_boundaries::after, offset, boundaryType, startOffset, endOffset);
}

QString MemoAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                                     int* endOffset) const
{
    return pieceOfText(model(), &text_boundaries::at, offset, boundaryType, startOffset, endOffset);
}

void MemoAccessible::deleteText(int startOffset, int endOffset) { replaceRange(startOffset, endOffset, QString()); }

void MemoAccessible::insertText(int offset, const QString& text) { replaceRange(offset, offset, text); }

void MemoAccessible::replaceText(int startOffset, int endOffset, const QString& text)
{
    replaceRange(startOffset, endOffset, text);
}

void MemoAccessible::replaceRange(int startOffset, int endOffset, const QString& text)
{
    if (!takesTyping())
        return;
    TCustomCodeMemo& memo = model();
    memo.SelectRange(memoPosition(memo.Lines(), startOffset), memoPosition(memo.Lines(), endOffset));
    // As a paste: the selection gives way to the text, the caret ends after it.
    memo.InsertText(text.toStdString());
    memo.CollapseSelection();
    memo.Invalidate();
}

// --- events ---------------------------------------------------------------------

MemoReadingEvents::MemoReadingEvents(TCodeMemo& memo)
    : memo_(memo)
{
    timer_.setSingleShot(true);
    timer_.setInterval(0);
    QObject::connect(&timer_, &QTimer::timeout, &memo, [this] { announce(); });
    QAccessible::installActivationObserver(this);
    if (accessible_events::listening())
        remember();
}

MemoReadingEvents::~MemoReadingEvents() { QAccessible::removeActivationObserver(this); }

void MemoReadingEvents::accessibilityActiveChanged(bool)
{
    known_ = false;
    if (accessible_events::listening())
        remember();
}

void MemoReadingEvents::changed()
{
    if (!accessible_events::listening()) {
        known_ = false;
        return;
    }
    if (!known_)
        remember();
    timer_.start();
}

void MemoReadingEvents::remember()
{
    const TCustomCodeMemo& memo = memo_.model();
    text_ = readingQString(memo);
    caret_ = readingCaretOffset(memo);
    selection_ = readingSelection(memo);
    known_ = true;
}

void MemoReadingEvents::announce()
{
    if (!known_ || !accessible_events::listening())
        return;
    const TCustomCodeMemo& memo = memo_.model();
    const QString text = readingQString(memo);
    const int caret = readingCaretOffset(memo);
    const ReadingRange selection = readingSelection(memo);

    if (text != text_) {
        // Only the part between the common beginning and end changed; a
        // surrogate pair is never cut in two.
        const qsizetype shorter = std::min(text.size(), text_.size());
        qsizetype prefix = 0;
        while (prefix < shorter && text[prefix] == text_[prefix])
            ++prefix;
        if (prefix > 0 && text[prefix - 1].isHighSurrogate())
            --prefix;
        qsizetype suffix = 0;
        while (suffix < shorter - prefix && text[text.size() - 1 - suffix] == text_[text_.size() - 1 - suffix])
            ++suffix;
        if (suffix > 0 && text[text.size() - suffix].isLowSurrogate())
            --suffix;
        const int position = static_cast<int>(prefix);
        const QString removed = text_.mid(prefix, text_.size() - prefix - suffix);
        const QString inserted = text.mid(prefix, text.size() - prefix - suffix);
        if (removed.isEmpty()) {
            QAccessibleTextInsertEvent event(&memo_, position, inserted);
            event.setCursorPosition(caret);
            accessible_events::send(event);
        } else if (inserted.isEmpty()) {
            QAccessibleTextRemoveEvent event(&memo_, position, removed);
            event.setCursorPosition(caret);
            accessible_events::send(event);
        } else {
            QAccessibleTextUpdateEvent event(&memo_, position, removed, inserted);
            event.setCursorPosition(caret);
            accessible_events::send(event);
        }
    }
    if (selection != selection_) {
        // No selection reads as an empty one at the caret.
        const bool empty = selection.start == selection.end;
        QAccessibleTextSelectionEvent event(&memo_, empty ? caret : selection.start, empty ? caret : selection.end);
        event.setCursorPosition(caret);
        accessible_events::send(event);
    }
    if (caret != caret_) {
        QAccessibleTextCursorEvent event(&memo_, caret);
        accessible_events::send(event);
    }
    text_ = text;
    caret_ = caret;
    selection_ = selection;
}

} // namespace kalmo
