// The undo history's list, merge rule, and the undo and redo of a step
// through the document.
#include "controls/memo/undo/MemoUndoList.h"

#include <algorithm>
#include <iterator>

namespace kalmo {

bool mergeUndo(TUndo& newest, TUndo& added)
{
    if (newest.Kind != added.Kind || !(added.Before.Caret == newest.After.Caret)) {
        return false;
    }
    switch (newest.Kind) {
    case TUndoKind::InsertChar:
        break;
    case TUndoKind::DeleteChar:
        if (newest.Forward != added.Forward) {
            return false;
        }
        break;
    default:
        return false;
    }
    newest.Edits.insert(newest.Edits.end(), std::make_move_iterator(added.Edits.begin()),
                        std::make_move_iterator(added.Edits.end()));
    newest.After = added.After;
    return true;
}

TMemoUndoList::TMemoUndoList(TCodeMemoStrings& document) : document_(document)
{
    document_.SetEditListener(this);
}

TMemoUndoList::~TMemoUndoList() { document_.SetEditListener(nullptr); }

// Edits outside any step are only worth keeping while a done step can take
// them; before the oldest one they can never be undone.
bool TMemoUndoList::wantsEdits() const { return stepOpen_ || CanUndo(); }

void TMemoUndoList::edited(DocumentEdit edit)
{
    if (stepOpen_) {
        openEdits_.push_back(std::move(edit));
    } else if (CanUndo()) {
        records_[static_cast<std::size_t>(position_)].Edits.push_back(std::move(edit));
    }
}

// An open step that no Add closed changed the document all the same: its
// edits follow the newest done step.
void TMemoUndoList::closeStep()
{
    if (!stepOpen_) {
        return;
    }
    stepOpen_ = false;
    if (CanUndo()) {
        std::vector<DocumentEdit>& edits = records_[static_cast<std::size_t>(position_)].Edits;
        edits.insert(edits.end(), std::make_move_iterator(openEdits_.begin()),
                     std::make_move_iterator(openEdits_.end()));
    }
    openEdits_.clear();
}

void TMemoUndoList::BeginStep()
{
    if (enclosed_) {
        return;
    }
    closeStep();
    stepOpen_ = true;
}

void TMemoUndoList::changed()
{
    if (OnChange) {
        OnChange(CanUndo(), CanRedo());
    }
}

void TMemoUndoList::dropUndone()
{
    records_.erase(records_.begin(), records_.begin() + std::min(position_, Count()));
    position_ = 0;
}

void TMemoUndoList::Add(TUndo record)
{
    if (enclosed_) {
        return;
    }
    record.Edits = std::move(openEdits_);
    openEdits_.clear();
    stepOpen_ = false;
    // Undone steps go first: a step typed after an undo must not merge into
    // one that is no longer in the text.
    const bool dropped = position_ > 0;
    dropUndone();
    if (!records_.empty() && mergeUndo(records_.front(), record)) {
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
    openEdits_.clear();
    stepOpen_ = false;
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

bool TMemoUndoList::Undo(const Restore& restore)
{
    closeStep();
    if (!CanUndo()) {
        return false;
    }
    const TUndo& record = records_[static_cast<std::size_t>(position_)];
    for (auto edit = record.Edits.rbegin(); edit != record.Edits.rend(); ++edit) {
        document_.Apply(inverseOf(*edit));
    }
    ++position_;
    // What placing the caret changes now follows the step before.
    restore(record.Before);
    changed();
    return true;
}

bool TMemoUndoList::Redo(const Restore& restore)
{
    closeStep();
    if (!CanRedo()) {
        return false;
    }
    --position_;
    const TUndo& record = records_[static_cast<std::size_t>(position_)];
    for (const DocumentEdit& edit : record.Edits) {
        document_.Apply(edit);
    }
    restore(record.After);
    changed();
    return true;
}

} // namespace kalmo
