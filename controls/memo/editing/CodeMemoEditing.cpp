// The memo as an editor: the key-down table, the character table, the Shift
// rule every caret-moving key shares, and the editing commands they reach
// (typing, Tab, Enter, Delete, Backspace, word moves, delete-line). Every
// command that changes text begins an undo step before its first change and
// closes it, with the caret it started from, at its end.
#include "controls/memo/CodeMemoModel.h"

#include "controls/memo/MemoCharacters.h"
#include "controls/memo/MemoEditingKeys.h"
#include "controls/memo/Utf8Columns.h"

#include <algorithm>

namespace kalmo {

namespace {

// One step right from `column` on the line: past a whole character.
int columnAfter(const TCodeMemoStrings& lines, int line, int column)
{
    return line >= 0 && line < lines.LineCount() ? utf8NextColumn(lines.Line(line), column) : column + 1;
}

} // namespace

// --- key tables ---------------------------------------------------------------

// Shift extends the selection only when the caret still stands where the
// last selecting move left it; any other move starts afresh.
template <typename Move> void TCustomCodeMemo::moveWithShiftRule(ShiftState shift, Move move)
{
    const bool extend = hasShift(shift) && caretCol_ == anchorCol_ && caretLine_ == anchorLine_;
    move();
    if (extend) {
        ExtendSelection();
    } else {
        CollapseSelection();
    }
}

void TCustomCodeMemo::KeyDown(KeyCode key, ShiftState shift)
{
    if (!enabled_) {
        return;
    }
    if (OnKeyDown) {
        OnKeyDown(*this, key, shift);
    }
    if (key == 0) {
        return;
    }
    if (key != vk::Control) {
        keySeen_ = true;
        if (view_) {
            view_->restartCaretBlink();
        }
    }
    if (!keyDownEditing(key, shift)) {
        keyDownMovement(key, shift);
    }
}

// The keys that edit or reach the undo and clipboard commands. True when the
// key belongs here, whether or not ReadOnly let it act.
bool TCustomCodeMemo::keyDownEditing(KeyCode key, ShiftState shift)
{
    if (keyScheme_ == KeyScheme::Common) {
        if (const MemoEditingKey* common = commonMemoEditingKey(shortCut(key, shift))) {
            // Deleting a line is the only one of these that does not check ReadOnly itself.
            if (!readOnly_ || common->command != &TCustomCodeMemo::DeleteLineCommand)
                (this->*common->command)();
            return true;
        }
    }
    switch (key) {
    case vk::Backspace:
        if (hasAlt(shift)) {
            // Undo and redo by key work on read-only memos too.
            hasShift(shift) ? Redo() : Undo();
        } else if (!readOnly_) {
            hasCtrl(shift) ? DeleteWordBackward() : DeleteBackward();
        }
        return true;
    case vk::Delete:
        if (!readOnly_) {
            hasShift(shift) ? CutToClipboard() : DeleteForward();
        }
        return true;
    case vk::Insert:
        if (hasCtrl(shift)) {
            CopyToClipboard();
        } else if (!readOnly_) {
            if (hasShift(shift)) {
                PasteFromClipboard();
            } else {
                bool allow = true;
                if (OnOverwriteToggle) {
                    OnOverwriteToggle(*this, allow);
                }
                if (allow) {
                    overwrite_ = !overwrite_;
                }
            }
        }
        return true;
    case vk::Tab:
        if (!readOnly_ && !hasCtrl(shift)) {
            if (hasShift(shift)) {
                SetCaretCol(std::max(0, caretCol_ - tabSize_));
            } else {
                InsertTab();
            }
        }
        return true;
    case vk::LetterA + ('F' - 'A'):
        if (hasCtrl(shift)) {
            raise(OnFind);
        }
        return true;
    case vk::LetterA + ('H' - 'A'):
        if (hasCtrl(shift)) {
            raise(OnReplace);
        }
        return true;
    default:
        return false;
    }
}

void TCustomCodeMemo::keyDownMovement(KeyCode key, ShiftState shift)
{
    const bool ctrl = hasCtrl(shift);
    switch (key) {
    case vk::Left:
        moveWithShiftRule(shift, [&] { ctrl ? MoveWordLeft() : SetCaretCol(caretCol_ - 1); });
        break;
    case vk::Right:
        moveWithShiftRule(shift, [&] {
            if (ctrl) {
                MoveWordRight();
            } else if (hasShift(shift)) {
                // Selecting never runs into virtual space.
                const int length = lineLength(caretLine_);
                if (caretCol_ < length) {
                    SetCaretCol(columnAfter(lines_, caretLine_, caretCol_));
                }
            } else {
                SetCaretCol(columnAfter(lines_, caretLine_, caretCol_));
            }
        });
        break;
    case vk::Up:
    case vk::Down:
        moveWithShiftRule(shift, [&] {
            if (ctrl) {
                return;
            }
            SetCaretLine(caretLine_ + (key == vk::Up ? -1 : 1));
            if (hasShift(shift)) {
                SetCaretCol(std::min(caretCol_, lineLength(caretLine_)));
            }
        });
        break;
    case vk::Home:
        moveWithShiftRule(shift, [&] {
            SetCaretCol(0);
            if (lines_.LineCount() == 0) {
                return;
            }
            if (ctrl) {
                SetCaretLine(0);
            }
            if (firstVisibleCol_ != 0) {
                firstVisibleCol_ = 0;
                Invalidate();
            }
        });
        break;
    case vk::End:
        moveWithShiftRule(shift, [&] {
            if (lines_.LineCount() == 0) {
                SetCaretCol(0);
            } else if (ctrl) {
                SetCaretLine(lines_.LineCount() - 1);
                SetCaretCol(lineLength(caretLine_));
            } else {
                SetCaretCol(utf8Columns(TrimmedLine(caretLine_)));
            }
        });
        break;
    case vk::PageUp:
    case vk::PageDown:
        moveWithShiftRule(shift, [&] { pageBy(key == vk::PageUp ? -1 : 1, ctrl); });
        break;
    default:
        break;
    }
}

void TCustomCodeMemo::pageBy(int direction, bool ctrl)
{
    const int rows = lineHeight_ > 0 ? textArea().Height() / lineHeight_ : 0;
    const int step = direction * std::max(0, rows - 1);
    const int previousTop = firstVisibleLine_;
    SetCaretLine(caretLine_ + step);
    // When every line fits there is nothing to scroll, and ScrollToLine would
    // send the caret back to the top.
    if (lines_.LineCount() >= RowSpan()) {
        ScrollToLine(previousTop + step);
    }
    if (!ctrl) {
        return;
    }
    if (direction < 0) {
        SetCaretCol(0);
        SetCaretLine(0);
    } else {
        SetCaretLine(lines_.LineCount() - 1);
        SetCaretCol(lineLength(caretLine_));
    }
}

void TCustomCodeMemo::KeyPress(char32_t ch)
{
    if (!enabled_) {
        return;
    }
    if (OnKeyPress) {
        OnKeyPress(*this, ch);
    }
    // A character with no key-down before it does not come from the
    // keyboard; the completion machinery would swallow it.
    if (ch == 0 || (autoCompletionActive_ && !keySeen_)) {
        return;
    }
    // Under the common scheme Ctrl+A, Ctrl+X and Ctrl+Y acted at key-down.
    if (keyScheme_ == KeyScheme::Common && (ch == 1 || ch == 24 || ch == 25)) {
        return;
    }
    if (ch == 3) {
        CopyToClipboard();
        return;
    }
    if (readOnly_) {
        return;
    }
    switch (ch) {
    case 13: SplitLine(); break;
    case 1: SelectAll(); break;
    case 22: PasteFromClipboard(); break;
    case 24: CutToClipboard(); break;
    case 25: DeleteLineCommand(); break;
    default:
        if (!isTypedCharacter(ch)) {
            return;
        }
        if (delErase_ && !SelectionEmpty()) {
            deleteSelectionUnchecked(true);
        }
        InsertCharacter(ch);
        Invalidate();
        raiseReading(OnChange);
        break;
    }
    if (ch == U'(' || ch == U'.') {
        autoCompletionPending_ = true;
    }
}

// --- helpers -------------------------------------------------------------------

void TCustomCodeMemo::ensureLine()
{
    if (lines_.LineCount() == 0) {
        ChangeTrackingPause pause(*this);
        lines_.AddLine("");
    }
}

int TCustomCodeMemo::lineLength(int line) const
{
    return line >= 0 && line < lines_.LineCount() ? lines_.LineLength(line) : 0;
}

void TCustomCodeMemo::markModified(int line) { lines_.MarkModified(line); }

// The caret line gets the text at the caret (filled with spaces first when
// the caret stands beyond the end), and the caret moves past it. Overwrite
// replaces the whole character at the caret.
void TCustomCodeMemo::insertAtCaret(const std::string& text, bool overwrite)
{
    const int x0 = caretCol_;
    const std::string inserted = lines_.ExpandTabs(text);
    std::string line = lines_.Line(caretLine_);
    const int length = lines_.LineLength(caretLine_);
    if (x0 > length) {
        line.append(static_cast<std::size_t>(x0 - length), ' ');
    }
    const std::size_t at = utf8ByteOffset(line, x0);
    if (overwrite && x0 < length) {
        const std::size_t next = utf8ByteOffset(line, utf8NextColumn(line, x0));
        line.replace(at, next - at, inserted);
    } else {
        line.insert(at, inserted);
    }
    // A combining mark joins the character before it, so the caret's new
    // column is counted on the line as it now is, not added up.
    const int caretAfter = utf8Columns(std::string_view(line).substr(0, at + inserted.size()));
    {
        ChangeTrackingPause pause(*this);
        lines_.PutLine(caretLine_, line);
    }
    markModified(caretLine_);
    SetCaretCol(caretAfter);
    // A mark typed in virtual space leaves the caret where it was, so no
    // caret move has covered the padded line.
    longestLine_ = std::max(longestLine_, lines_.LineLength(caretLine_));
}

void TCustomCodeMemo::addUndo(TUndoKind kind, TMemoCaretState before, bool forward)
{
    addUndo(kind, before, caretPos(), forward);
}

void TCustomCodeMemo::addUndo(TUndoKind kind, TMemoCaretState before, TMemoPos after, bool forward)
{
    undoList_.Add(TUndo{kind, forward, before, caretState(after), {}});
}

// --- editing commands -----------------------------------------------------------

void TCustomCodeMemo::InsertCharacter(char32_t ch)
{
    // Line breaks only ever enter through SplitLine.
    if (ch == U'\r' || ch == U'\n') {
        return;
    }
    undoList_.BeginStep();
    ensureLine();
    const TMemoPos start = caretPos();
    insertAtCaret(utf8Of(ch), overwrite_);
    CollapseSelection();
    addUndo(TUndoKind::InsertChar, caretState(start));
}

void TCustomCodeMemo::InsertTab()
{
    if (overwrite_) {
        SetCaretCol(caretCol_ + tabSize_);
        return;
    }
    undoList_.BeginStep();
    ensureLine();
    const TMemoPos start = caretPos();
    insertAtCaret(std::string(static_cast<std::size_t>(tabSize_), ' '), false);
    CollapseSelection();
    addUndo(TUndoKind::InsertChar, caretState(start));
    Invalidate();
}

void TCustomCodeMemo::SplitLine()
{
    undoList_.BeginStep();
    ensureLine();
    const TMemoPos start = caretPos();
    const bool tracking = changeTracking_;
    changeTracking_ = false;
    const std::string line = lines_.Line(start.Line);
    const int length = lines_.LineLength(start.Line);
    int indent = 0;
    if (autoIndent_) {
        while (indent < length && line[static_cast<std::size_t>(indent)] == ' ') {
            ++indent;
        }
        // A line of blanks only: one less while the caret is inside it.
        if (length >= 2 && indent == length && start.Col < length) {
            indent = length - 1;
        }
    }
    std::string rest(utf8From(line, start.Col));
    while (!rest.empty() && static_cast<unsigned char>(rest.back()) <= 32) {
        rest.pop_back();
    }
    if (autoIndent_) {
        rest.erase(0, rest.find_first_not_of(' ') == std::string::npos ? rest.size() : rest.find_first_not_of(' '));
    }
    const std::string indentText(static_cast<std::size_t>(indent), ' ');
    lines_.PutLine(start.Line, utf8Left(line, start.Col));
    lines_.InsertLineKeepSelection(start.Line + 1, indentText + rest);
    markModified(start.Line);
    markModified(start.Line + 1);
    moveWithShiftRule(0, [&] { SetCaretLine(start.Line + 1); });
    SetCaretCol(indent);
    CollapseSelection();
    addUndo(TUndoKind::InsertChar, caretState(start));
    changeTracking_ = tracking;
    LinesChanged();
}

// Removes the character at the caret, or joins the next line onto the caret
// line when the caret is at or beyond the end, and records it.
void TCustomCodeMemo::deleteAtCaret(TMemoPos recordStart, bool forward)
{
    const int length = lineLength(caretLine_);
    if (caretCol_ < length) {
        std::string line = lines_.Line(caretLine_);
        const std::size_t at = utf8ByteOffset(line, caretCol_);
        const std::size_t next = utf8ByteOffset(line, utf8NextColumn(line, caretCol_));
        line.erase(at, next - at);
        {
            ChangeTrackingPause pause(*this);
            lines_.PutLine(caretLine_, line);
        }
        markModified(caretLine_);
        addUndo(TUndoKind::DeleteChar, caretState(recordStart), forward);
    } else if (caretLine_ < lines_.LineCount() - 1) {
        TMemoPos start = recordStart;
        TMemoPos end = caretPos();
        if (forward && caretCol_ > length) {
            // The lines meet at the line's end, not at the caret; the undo
            // must split there.
            start = end = TMemoPos{length, caretLine_};
        }
        joinNextLine();
        addUndo(TUndoKind::DeleteChar, caretState(start), end, forward);
    }
}

void TCustomCodeMemo::joinNextLine()
{
    const int line = caretLine_;
    {
        ChangeTrackingPause pause(*this);
        lines_.PutLine(line, lines_.Line(line) + lines_.Line(line + 1));
    }
    markModified(line);
    // The removal is part of this one step; it must not make its own.
    TMemoUndoList::EnclosedScope enclosed(undoList_);
    lines_.DeleteLine(line + 1);
}

bool TCustomCodeMemo::deleteTakesSelection()
{
    if (lines_.LineCount() == 0) {
        return true;
    }
    if (delErase_ && !SelectionEmpty()) {
        deleteSelectionUnchecked(true);
        return true;
    }
    return false;
}

void TCustomCodeMemo::DeleteForward()
{
    if (deleteTakesSelection()) {
        return;
    }
    CollapseSelection();
    undoList_.BeginStep();
    deleteAtCaret(caretPos(), true);
    LinesChanged();
}

// One Backspace without the selection rule: move left like the Left key and
// delete what the caret passed. Beyond the line's end there is nothing to
// delete, so there the caret only moves.
void TCustomCodeMemo::backspaceStep()
{
    undoList_.BeginStep();
    const TMemoPos start = caretPos();
    const bool virtualSpace = caretCol_ > lineLength(caretLine_);
    moveWithShiftRule(0, [&] { SetCaretCol(caretCol_ - 1); });
    if (virtualSpace || caretPos() == start) {
        return;
    }
    deleteAtCaret(start, false);
    if (caretLine_ > lines_.LineCount() - 1) {
        SetCaretLine(lines_.LineCount() - 1);
        SetCaretCol(lineLength(caretLine_));
    }
}

void TCustomCodeMemo::DeleteBackward()
{
    if (deleteTakesSelection()) {
        return;
    }
    backspaceStep();
    LinesChanged();
}

void TCustomCodeMemo::DeleteWordBackward()
{
    if (lines_.LineCount() == 0) {
        return;
    }
    const int line = caretLine_;
    const std::vector<char32_t> text = cellCharacters(lines_.Line(line));
    for (;;) {
        const TMemoPos before = caretPos();
        backspaceStep();
        if (caretPos() == before || caretLine_ != line) {
            break;
        }
        const auto previous = static_cast<std::size_t>(caretCol_ - 1);
        if (caretCol_ > 0 && previous < text.size() && text[previous] == U' ') {
            break;
        }
    }
    LinesChanged();
}

void TCustomCodeMemo::DeleteLineCommand()
{
    undoList_.BeginStep();
    const TMemoPos start = caretPos();
    SetCaretCol(0);
    const int count = lines_.LineCount();
    if (count == 1) {
        lines_.PutLine(0, "");
        markModified(0);
    } else if (count > 1) {
        if (caretLine_ >= count - 1) {
            SetCaretLine(caretLine_ - 1);
            lines_.RemoveLine(count - 1);
        } else {
            lines_.RemoveLine(caretLine_);
        }
        markModified(-1);
    }
    CollapseSelection();
    Invalidate();
    if (count > 0) {
        addUndo(TUndoKind::DeleteLine, caretState(start));
    }
}

void TCustomCodeMemo::deleteLineAt(int index)
{
    const bool singleLine = lines_.LineCount() == 1;
    const int savedCol = caretCol_;
    const int savedLine = caretLine_;
    SetCaretLine(index);
    DeleteLineCommand();
    // The caret goes back to where it was, shifted up when its line moved up.
    // It is kept inside the store: the saved line may have been the last one.
    int line = savedLine > index ? savedLine - 1 : savedLine;
    if (line > lines_.LineCount() - 1) {
        line = std::max(0, lines_.LineCount() - 1);
    }
    setCaretDirect(singleLine ? 0 : savedCol, line);
}

void TCustomCodeMemo::MoveWordRight()
{
    if (lines_.LineCount() == 0) {
        return;
    }
    ChangeTrackingPause pause(*this);
    const std::string line = TrimmedLine(caretLine_);
    const std::vector<char32_t> text = cellCharacters(line);
    const int n = static_cast<int>(text.size());
    const auto at = [&](int column) { return text[static_cast<std::size_t>(column)]; };
    SetCaretCol(utf8NextColumn(line, caretCol_));
    while (caretCol_ < n && (at(caretCol_ - 1) != U' ' || at(caretCol_) == U' ')) {
        SetCaretCol(utf8NextColumn(line, caretCol_));
    }
    if (caretCol_ > n && caretLine_ < lines_.LineCount() - 1) {
        SetCaretLine(caretLine_ + 1);
        SetCaretCol(0);
    }
}

void TCustomCodeMemo::MoveWordLeft()
{
    if (lines_.LineCount() == 0) {
        return;
    }
    ChangeTrackingPause pause(*this);
    const int line = caretLine_;
    const std::vector<char32_t> text = cellCharacters(TrimmedLine(line));
    const int n = static_cast<int>(text.size());
    const auto isSpaceAt = [&](int column) { return column < n && text[static_cast<std::size_t>(column)] == U' '; };
    SetCaretCol(caretCol_ - 1);
    // The characters examined belong to the starting line: once the caret has
    // wrapped to the previous line's end, it stops there.
    while (caretLine_ == line && caretCol_ > 0 && caretCol_ <= n
           && !(isSpaceAt(caretCol_ - 1) && !isSpaceAt(caretCol_))) {
        SetCaretCol(caretCol_ - 1);
    }
}

} // namespace kalmo
