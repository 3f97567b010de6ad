// The memo's undo history: steps of document edits, one step per user
// command, each with the caret and selection before and after it; the one
// rule by which a new step merges into the newest one; and the list that
// undoes by applying a step's inverse edits through the document and redoes
// by applying them again. The editor above decides where the caret goes.
#pragma once

#include "controls/memo/document/CodeMemoStrings.h"
#include "controls/memo/document/DocumentEdit.h"
#include "controls/memo/document/MemoPos.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace kalmo {

// What a command was, for the merge rule.
enum class TUndoKind { InsertChar, DeleteChar, DeleteLine, DeleteBuf, Paste };

// A caret with the selection around it; an empty selection is none.
struct TMemoCaretState {
    TMemoPos Caret;
    TMemoPos SelFrom;
    TMemoPos SelTo;
    bool HasSelection() const { return !(SelFrom == SelTo); }
    friend bool operator==(const TMemoCaretState&, const TMemoCaretState&) = default;
};

inline TMemoCaretState caretState(TMemoPos caret) { return TMemoCaretState{caret, caret, caret}; }

// One step of the history. Edits holds the command's own edits followed by
// what changed after it before the next step began (leaving a line trims it,
// a caret in virtual space pads it), so that undoing it gives back exactly
// the document the command started from.
struct TUndo {
    TUndoKind Kind = TUndoKind::InsertChar;
    bool Forward = false; // deletions: Delete rather than Backspace
    TMemoCaretState Before;
    TMemoCaretState After;
    std::vector<DocumentEdit> Edits;
};

// Folds `added` into `newest` when they continue one another: typing that
// starts where the last typing ended, or a deletion of the same direction
// that starts where the last one ended. True when merged.
bool mergeUndo(TUndo& newest, TUndo& added);

class TMemoUndoList : private DocumentEditListener {
public:
    // Listens to the document's edits from the start.
    explicit TMemoUndoList(TCodeMemoStrings& document);
    ~TMemoUndoList();
    TMemoUndoList(const TMemoUndoList&) = delete;
    TMemoUndoList& operator=(const TMemoUndoList&) = delete;

    // Raised whenever CanUndo or CanRedo may have changed.
    std::function<void(bool canUndo, bool canRedo)> OnChange;

    // A command is about to change the document: the edits from here on
    // belong to the step that the command's Add closes. Earlier ones join
    // the newest step done.
    void BeginStep();
    // Closes the step begun last with these bounds: merged into the newest
    // step or put in front, after the undone steps have been dropped.
    void Add(TUndo record);
    // Apply the newest done (oldest undone) step's edits backwards (forwards)
    // through the document, then call `restore` with the caret and selection
    // to show; false when there was nothing to undo (redo).
    using Restore = std::function<void(const TMemoCaretState&)>;
    bool Undo(const Restore& restore);
    bool Redo(const Restore& restore);
    void Clear();

    bool CanUndo() const { return position_ < Count(); }
    bool CanRedo() const { return position_ > 0; }
    int Count() const { return static_cast<int>(records_.size()); }
    // How many steps at the front are undone.
    int Position() const { return position_; }
    // Index 0 is the newest step.
    const TUndo& Record(int index) const { return records_.at(static_cast<std::size_t>(index)); }
    int Limit() const { return limit_; }
    void SetLimit(int limit);

    // Holds for a scope: commands run inside a larger one neither begin nor
    // add a step, so their edits join the enclosing command's step.
    class EnclosedScope {
    public:
        explicit EnclosedScope(TMemoUndoList& list) : list_(list), saved_(list.enclosed_) { list_.enclosed_ = true; }
        ~EnclosedScope() { list_.enclosed_ = saved_; }
        EnclosedScope(const EnclosedScope&) = delete;
        EnclosedScope& operator=(const EnclosedScope&) = delete;

    private:
        TMemoUndoList& list_;
        bool saved_;
    };

private:
    bool wantsEdits() const override;
    void edited(DocumentEdit edit) override;
    void closeStep();
    void dropUndone();
    void changed();

    TCodeMemoStrings& document_;
    std::deque<TUndo> records_;
    std::vector<DocumentEdit> openEdits_;
    bool stepOpen_ = false;
    int position_ = 0;
    bool enclosed_ = false;
    int limit_ = 100;
};

} // namespace kalmo
