// The undo history's list, merge rule and frame, and what each record kind
// does when undone and redone.
#include "controls/memo/undo/MemoUndoList.h"

#include "controls/memo/CodeMemoModel.h"
#include "controls/memo/MemoCharacters.h"
#include "controls/memo/Utf8Columns.h"

#include <algorithm>

namespace kalmo {

namespace {

void moveCaretTo(TCustomCodeMemo& memo, TMemoPos pos)
{
    memo.SetCaretLine(pos.Line);
    memo.SetCaretCol(pos.Col);
}

// Leaving a line trims its trailing blanks. Where a deletion joins lines or
// removes such a blank, the line first gets them back up to the caret, so
// that the join happens at the column it happened at.
void moveCaretFilled(TCustomCodeMemo& memo, TMemoPos pos)
{
    moveCaretTo(memo, pos);
    memo.expandCaretLine(pos.Col);
}

} // namespace

bool mergeUndo(TUndo& newest, const TUndo& added)
{
    if (newest.Kind() != added.Kind() || !(added.Start == newest.End)) {
        return false;
    }
    switch (newest.Kind()) {
    case TUndoKind::InsertChar: {
        auto& run = static_cast<TInsertCharUndo&>(newest);
        const auto& more = static_cast<const TInsertCharUndo&>(added);
        // The added typing began on the run's last line; its lines supersede it.
        if (!run.After.empty()) {
            run.After.pop_back();
        }
        run.After.insert(run.After.end(), more.After.begin(), more.After.end());
        run.Text += added.Text;
        run.End = added.End;
        return true;
    }
    case TUndoKind::DeleteChar:
        if (static_cast<TDeleteCharUndo&>(newest).Forward != static_cast<const TDeleteCharUndo&>(added).Forward) {
            return false;
        }
        // Backspaces run leftwards, so the newer character stands in front;
        // forward deletions replay it the same way (each from the start).
        newest.Text = added.Text + newest.Text;
        newest.End = added.End;
        return true;
    default:
        return false;
    }
}

void TInsertCharUndo::Undo(TCustomCodeMemo& memo)
{
    // The caret stands on the line that stays, not on one about to go.
    memo.SetCaretLine(Start.Line);
    memo.replaceLines(Start.Line, End.Line - Start.Line + 1, {Before});
}

void TInsertCharUndo::Redo(TCustomCodeMemo& memo)
{
    memo.SetCaretLine(Start.Line);
    memo.replaceLines(Start.Line, 1, After);
}

// Each deletion removed one whole character (a base with its marks), so the
// text goes back character by character, not code point by code point.
void TDeleteCharUndo::Undo(TCustomCodeMemo& memo)
{
    for (std::string_view character : utf8Clusters(Text)) {
        if (Forward) {
            moveCaretTo(memo, Start);
        }
        if (character == "\r") {
            memo.SplitLine();
        } else {
            for (char32_t ch : codePoints(character)) {
                memo.InsertCharacter(ch);
            }
            memo.Invalidate();
        }
    }
}

// The removed text starts at End in both directions, so it goes again by
// deleting forward from there. A Backspace from Start would join at the
// previous line's present end, which may have lost trailing blanks.
void TDeleteCharUndo::Redo(TCustomCodeMemo& memo)
{
    moveCaretFilled(memo, End);
    std::vector<std::string_view> characters = utf8Clusters(Text);
    if (Forward) {
        // The newer deletion stands in front, though it lay further right.
        std::reverse(characters.begin(), characters.end());
    }
    for (std::string_view character : characters) {
        // The line may have gained or lost trailing blanks since: a join
        // happened at its end, a removed blank lay inside it.
        if (character == "\r") {
            memo.endCaretLineAtCaret();
        } else {
            memo.expandCaretLine(memo.CaretCol() + 1);
        }
        memo.DeleteForward();
    }
}

void TDeleteLineUndo::Undo(TCustomCodeMemo& memo)
{
    memo.CollapseSelection();
    switch (place_) {
    case Place::Inside:
        memo.insertTextUnchecked(Text + "\r\n");
        break;
    case Place::Last:
        // The caret stands on the line that was above; the text goes after it.
        if (memo.CaretLine() < memo.Lines().LineCount()) {
            memo.SetCaretCol(memo.Lines().LineLength(memo.CaretLine()));
        }
        memo.CollapseSelection();
        memo.insertTextUnchecked("\r\n" + Text);
        break;
    case Place::Only:
        memo.insertTextUnchecked(Text);
        break;
    }
}

void TDeleteLineUndo::Redo(TCustomCodeMemo& memo) { memo.DeleteLineCommand(); }

void TDeleteBufUndo::Undo(TCustomCodeMemo& memo)
{
    memo.CollapseSelection();
    memo.insertTextUnchecked(Text);
    if (memo.view()) {
        memo.view()->takeFocus();
    }
    memo.setSelection(SelFrom.Col, SelFrom.Line, SelTo.Col, SelTo.Line);
    memo.Invalidate();
}

void TDeleteBufUndo::Redo(TCustomCodeMemo& memo)
{
    // End is where the lines were joined. A selection that started beyond
    // its line's end was joined at that end, which may since have moved.
    moveCaretFilled(memo, End);
    if (End.Col < SelFrom.Col) {
        memo.endCaretLineAtCaret();
    }
    memo.setSelection(SelFrom.Col, SelFrom.Line, SelTo.Col, SelTo.Line);
    memo.deleteSelectionUnchecked(true);
}

void TPasteUndo::Undo(TCustomCodeMemo& memo)
{
    moveCaretFilled(memo, Start);
    memo.setSelection(Start.Col, Start.Line, End.Col, End.Line);
    memo.deleteSelectionUnchecked(true);
}

void TPasteUndo::Redo(TCustomCodeMemo& memo)
{
    memo.CollapseSelection();
    memo.insertTextUnchecked(Text);
}

void TMemoUndoList::changed()
{
    if (memo_.OnUndoChange) {
        memo_.OnUndoChange(memo_, CanUndo(), CanRedo());
    }
}

void TMemoUndoList::dropUndone()
{
    while (position_ > 0 && !records_.empty()) {
        records_.pop_front();
        --position_;
    }
    position_ = 0;
}

void TMemoUndoList::Add(std::unique_ptr<TUndo> record)
{
    if (performing_ || !record) {
        return;
    }
    // Undone records go first: a record typed after an undo must not merge
    // into one that is no longer in the text.
    const bool dropped = position_ > 0;
    dropUndone();
    if (!records_.empty() && mergeUndo(*records_.front(), *record)) {
        if (dropped) {
            changed();
        }
        return;
    }
    records_.push_front(std::move(record));
    while (Count() > limit_) {
        records_.pop_back();
    }
    changed();
}

void TMemoUndoList::Clear()
{
    records_.clear();
    position_ = 0;
    changed();
}

void TMemoUndoList::SetLimit(int limit)
{
    limit_ = std::max(1, limit);
    while (Count() > limit_) {
        records_.pop_back();
    }
    position_ = std::min(position_, Count());
}

// The frame shared by undo and redo. Indenting and overwriting would change
// what the replayed commands insert, so both are off while a record runs;
// the selection is collapsed so that a replayed Backspace or Delete removes
// one character, never a selection.
void TMemoUndoList::perform(bool undo)
{
    const bool autoIndent = memo_.autoIndent_;
    const bool overwrite = memo_.overwrite_;
    struct Restore {
        TCustomCodeMemo& memo;
        bool autoIndent;
        bool overwrite;
        ~Restore()
        {
            memo.autoIndent_ = autoIndent;
            memo.overwrite_ = overwrite;
        }
    } restore{memo_, autoIndent, overwrite};
    memo_.autoIndent_ = false;
    memo_.overwrite_ = false;
    PerformingScope performing(*this);
    if (!undo) {
        --position_;
    }
    TUndo& record = *records_[static_cast<std::size_t>(position_)];
    moveCaretTo(memo_, undo ? record.End : record.Start);
    memo_.CollapseSelection();
    if (undo) {
        record.Undo(memo_);
        ++position_;
    } else {
        record.Redo(memo_);
    }
    moveCaretTo(memo_, undo ? record.Start : record.End);
    // The record placed the caret, not a selecting move; a Shift move right
    // after must not extend from wherever the anchor happens to stand.
    memo_.forgetSelectingMove();
}

void TMemoUndoList::Undo()
{
    if (!CanUndo()) {
        return;
    }
    perform(true);
    changed();
}

void TMemoUndoList::Redo()
{
    if (!CanRedo()) {
        return;
    }
    perform(false);
    if (memo_.view()) {
        memo_.view()->paintNow();
    }
    changed();
}

} // namespace kalmo
