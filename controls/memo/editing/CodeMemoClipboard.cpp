// The selection commands: selected text, copy, cut, paste, delete
// selection, insert text, select all and the selection's character offsets;
// and undo and redo, which put back the caret and selection of a step.
#include "controls/memo/CodeMemoModel.h"

#include "controls/memo/MemoCharacters.h"
#include "controls/memo/Utf8Columns.h"

#include <algorithm>

namespace kalmo {

namespace {

// The selection's ends ordered by line, then column.
std::pair<TMemoPos, TMemoPos> ordered(TMemoPos a, TMemoPos b)
{
    if (b.Line < a.Line || (b.Line == a.Line && b.Col < a.Col)) {
        return {b, a};
    }
    return {a, b};
}

std::vector<std::string> splitAtCrLf(const std::string& text)
{
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = text.find("\r\n", start);
        if (at == std::string::npos) {
            pieces.push_back(text.substr(start));
            return pieces;
        }
        pieces.push_back(text.substr(start, at - start));
        start = at + 2;
    }
}

} // namespace

std::string TCustomCodeMemo::SelText() const
{
    if (lines_.LineCount() == 0 || SelectionEmpty()) {
        return {};
    }
    const auto [first, last] = ordered({selFromCol_, selFromLine_}, {selToCol_, selToLine_});
    if (first.Line < 0 || last.Line >= lines_.LineCount()) {
        return {};
    }
    if (first.Line == last.Line) {
        const std::string_view line = lines_.Line(first.Line);
        return std::string(utf8From(utf8Left(line, last.Col), first.Col));
    }
    std::string text(utf8From(lines_.Line(first.Line), first.Col));
    for (int line = first.Line + 1; line < last.Line; ++line) {
        text += "\r\n";
        text += lines_.Line(line);
    }
    text += "\r\n";
    text += utf8Left(lines_.Line(last.Line), last.Col);
    return text;
}

void TCustomCodeMemo::CopyToClipboard()
{
    if (clipboard_) {
        clipboard_->SetText(SelText());
    }
}

void TCustomCodeMemo::CutToClipboard()
{
    // Without a clipboard the text would be deleted without being kept.
    if (readOnly_ || !clipboard_) {
        return;
    }
    CopyToClipboard();
    deleteSelectionUnchecked(true);
}

void TCustomCodeMemo::PasteFromClipboard()
{
    if (readOnly_ || !clipboard_ || !clipboard_->HasText()) {
        return;
    }
    insertTextUnchecked(normaliseLineBreaks(clipboard_->Text()));
    CollapseSelection();
    Invalidate();
}

void TCustomCodeMemo::DeleteSelection(bool repaint)
{
    if (!readOnly_) {
        deleteSelectionUnchecked(repaint);
    }
}

void TCustomCodeMemo::InsertText(const std::string& text)
{
    if (!readOnly_) {
        insertTextUnchecked(text);
    }
}

void TCustomCodeMemo::deleteSelectionUnchecked(bool repaint)
{
    if (SelectionEmpty()) {
        return;
    }
    const auto [first, last] = ordered({selFromCol_, selFromLine_}, {selToCol_, selToLine_});
    if (lines_.LineCount() == 0 || first.Line < 0 || last.Line >= lines_.LineCount()) {
        // The store changed behind the selection; there is nothing to delete.
        setSelection(0, 0, 0, 0);
        return;
    }
    undoList_.BeginStep();
    const TMemoPos start = caretPos();
    // A selection that starts beyond its line's end removes nothing of that
    // line: the joined text and the caret stand at the line's end, so that
    // the undo puts the removed text back where it came from.
    const int joinCol = std::min(first.Col, lines_.LineLength(first.Line));
    const bool tracking = changeTracking_;
    changeTracking_ = false;
    lines_.PutLine(first.Line, std::string(utf8Left(lines_.Line(first.Line), joinCol))
                                   + std::string(utf8From(lines_.Line(last.Line), last.Col)));
    markModified(first.Line);
    SetCaretLine(first.Line);
    SetCaretCol(joinCol);
    CollapseSelection();
    if (first.Line != last.Line) {
        TMemoUndoList::EnclosedScope enclosed(undoList_);
        // All but one of the lines go in one pass; the last removal takes the
        // ordinary route, which leaves the caret, the active line and the
        // trimming of the joined line as line-by-line removal would.
        if (last.Line - first.Line > 1) {
            lines_.RemoveLines(first.Line + 2, last.Line - first.Line - 1);
        }
        lines_.DeleteLine(first.Line + 1);
    }
    raiseReading(OnSelectionChange);
    if (repaint) {
        Invalidate();
    }
    changeTracking_ = tracking;
    LinesChanged();
    addUndo(TUndoKind::DeleteBuf, TMemoCaretState{start, first, last});
    CollapseSelection();
}

void TCustomCodeMemo::insertTextUnchecked(const std::string& rawText)
{
    // Stored lines hold neither line breaks nor tabs; the recorded text is
    // what the lines really got, so that its undo removes exactly that.
    const std::string text = lines_.ExpandTabs(normaliseLineBreaks(rawText));
    deleteSelectionUnchecked(false);
    if (text.empty()) {
        return;
    }
    undoList_.BeginStep();
    ensureLine();
    const TMemoPos start = caretPos();
    std::string line = lines_.Line(start.Line);
    const int length = lines_.LineLength(start.Line);
    if (start.Col > length) {
        // As typing does: the text stands at the caret, not at the line's end.
        line.append(static_cast<std::size_t>(start.Col - length), ' ');
    }
    const std::size_t at = utf8ByteOffset(line, start.Col);
    const std::string head = line.substr(0, at);
    const std::string tail = line.substr(at);
    std::vector<std::string> pieces = splitAtCrLf(text);
    const bool tracking = changeTracking_;
    changeTracking_ = false;
    if (pieces.size() == 1) {
        lines_.PutLine(start.Line, head + text + tail);
        markModified(start.Line);
        changeTracking_ = tracking;
        SetCaretCol(start.Col);
        // Counted on the new line: a pasted combining mark joins the character before it.
        SetCaretCol(utf8Columns(head + text));
    } else {
        const int k = static_cast<int>(pieces.size()) - 1;
        const int lastLength = utf8Columns(pieces.back());
        lines_.PutLine(start.Line, head + pieces.front());
        pieces.back() += tail;
        lines_.InsertLines(start.Line + 1, std::vector<std::string>(std::make_move_iterator(pieces.begin() + 1),
                                                                     std::make_move_iterator(pieces.end())));
        for (int line = start.Line; line <= start.Line + k; ++line) {
            markModified(line);
        }
        SetCaretLine(start.Line + k);
        SetCaretCol(lastLength);
        ScrollCaretIntoView();
        changeTracking_ = tracking;
        LinesChanged();
    }
    // The caret may not have moved (text of zero width at a virtual column),
    // so no caret move has covered the longer line.
    longestLine_ = std::max(longestLine_, lines_.MaxLineLength());
    addUndo(TUndoKind::Paste, caretState(start));
    CollapseSelection();
    Invalidate();
}

void TCustomCodeMemo::Undo()
{
    undoList_.Undo([this](const TMemoCaretState& state) { showHistoryState(state); });
}

void TCustomCodeMemo::Redo()
{
    undoList_.Redo([this](const TMemoCaretState& state) {
        showHistoryState(state);
        if (view_) {
            view_->paintNow();
        }
    });
}

// After the history changed the document: the caret goes where the step
// says, with the selection the step removed back around it.
void TCustomCodeMemo::showHistoryState(const TMemoCaretState& state)
{
    longestLine_ = std::max(longestLine_, lines_.MaxLineLength());
    SetCaretLine(state.Caret.Line);
    SetCaretCol(state.Caret.Col);
    LinesChanged();
    CollapseSelection();
    if (state.HasSelection()) {
        if (view_) {
            view_->takeFocus();
        }
        setSelection(state.SelFrom.Col, state.SelFrom.Line, state.SelTo.Col, state.SelTo.Line);
    }
    Invalidate();
    // The step placed the caret, not a selecting move; a Shift move right
    // after must not extend from wherever the anchor happens to stand.
    forgetSelectingMove();
}

void TCustomCodeMemo::SelectAll()
{
    selFromCol_ = 0;
    selFromLine_ = 0;
    if (lines_.LineCount() > 0) {
        selToLine_ = lines_.LineCount() - 1;
        selToCol_ = lines_.LineLength(selToLine_);
    }
    Invalidate();
    raiseReading(OnSelectionChange);
}

void TCustomCodeMemo::SelectRange(TMemoPos from, TMemoPos to)
{
    if (!enabled_) {
        return;
    }
    PlaceCaret(from.Col, from.Line);
    // PlaceCaret collapsed the selection where the caret was before it.
    CollapseSelection();
    if (to == from) {
        return;
    }
    SetCaretLine(to.Line);
    SetCaretCol(to.Col);
    ExtendSelection();
}

std::pair<int, int> TCustomCodeMemo::SelectionOffsets() const
{
    const auto [first, last] = ordered({selFromCol_, selFromLine_}, {selToCol_, selToLine_});
    int start = first.Col;
    const int end = std::min(first.Line, lines_.LineCount());
    for (int line = 0; line < end; ++line) {
        start += lines_.LineLength(line) + 2;
    }
    return {start, start + utf8Columns(SelText())};
}

} // namespace kalmo
