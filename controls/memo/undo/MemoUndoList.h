// The memo's undo history: the record kinds, the one rule by which a new
// record merges into the newest one, and the list with its undo and redo
// frame. Typing records put back the lines they changed; the other records
// undo and redo themselves through the memo's own editing commands, which
// record nothing while the list is performing.
#pragma once

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace kalmo {

class TCustomCodeMemo;

// A text position: column and line, both from 0.
struct TMemoPos {
    int Col = 0;
    int Line = 0;
    friend bool operator==(const TMemoPos&, const TMemoPos&) = default;
};

enum class TUndoKind { InsertChar, DeleteChar, DeleteLine, DeleteBuf, Paste };

// Start is the caret before the edit, End the caret after it.
class TUndo {
public:
    TUndo(TUndoKind kind, TMemoPos start, TMemoPos end, std::string text)
        : Start(start), End(end), Text(std::move(text)), kind_(kind)
    {
    }
    virtual ~TUndo() = default;
    TUndo(const TUndo&) = delete;
    TUndo& operator=(const TUndo&) = delete;

    TUndoKind Kind() const { return kind_; }
    virtual void Undo(TCustomCodeMemo& memo) = 0;
    virtual void Redo(TCustomCodeMemo& memo) = 0;

    TMemoPos Start;
    TMemoPos End;
    std::string Text; // UTF-8; a line break is a carriage return (CR LF in buffer records)

private:
    TUndoKind kind_;
};

// Typing, Tab and Enter; Enter contributes a CR followed by the indent.
// Enter trims and re-indents, and leaving a line trims it, so replaying the
// text cannot give back what the lines held: the record keeps the lines
// themselves. A run of typing starts on one line and every Enter in it adds
// one, so Before replaces lines Start.Line .. End.Line and After replaces
// line Start.Line.
class TInsertCharUndo : public TUndo {
public:
    TInsertCharUndo(TMemoPos start, TMemoPos end, std::string text, std::string before,
                    std::vector<std::string> after)
        : TUndo(TUndoKind::InsertChar, start, end, std::move(text)), Before(std::move(before)),
          After(std::move(after))
    {
    }
    void Undo(TCustomCodeMemo& memo) override;
    void Redo(TCustomCodeMemo& memo) override;
    std::string Before;
    std::vector<std::string> After;
};

// Delete (forward) and Backspace (backward): one character or one join (CR).
class TDeleteCharUndo : public TUndo {
public:
    TDeleteCharUndo(TMemoPos start, TMemoPos end, std::string text, bool forward)
        : TUndo(TUndoKind::DeleteChar, start, end, std::move(text)), Forward(forward)
    {
    }
    void Undo(TCustomCodeMemo& memo) override;
    void Redo(TCustomCodeMemo& memo) override;
    bool Forward;
};

// Ctrl+Y. Where the line stood decides where its undo puts it back: the last
// line goes back after the line above, the only line back into the emptied one.
class TDeleteLineUndo : public TUndo {
public:
    enum class Place { Inside, Last, Only };
    TDeleteLineUndo(TMemoPos start, TMemoPos end, std::string text, Place place)
        : TUndo(TUndoKind::DeleteLine, start, end, std::move(text)), place_(place)
    {
    }
    void Undo(TCustomCodeMemo& memo) override;
    void Redo(TCustomCodeMemo& memo) override;

private:
    Place place_;
};

// A record that also remembers the selection's bounds, ordered.
class TSelUndo : public TUndo {
public:
    TSelUndo(TUndoKind kind, TMemoPos start, TMemoPos end, std::string text, TMemoPos from, TMemoPos to)
        : TUndo(kind, start, end, std::move(text)), SelFrom(from), SelTo(to)
    {
    }
    TMemoPos SelFrom;
    TMemoPos SelTo;
};

class TDeleteBufUndo : public TSelUndo {
public:
    TDeleteBufUndo(TMemoPos start, TMemoPos end, std::string text, TMemoPos from, TMemoPos to)
        : TSelUndo(TUndoKind::DeleteBuf, start, end, std::move(text), from, to)
    {
    }
    void Undo(TCustomCodeMemo& memo) override;
    void Redo(TCustomCodeMemo& memo) override;
};

// Paste and insert text; the text holds CR LF line breaks.
class TPasteUndo : public TUndo {
public:
    TPasteUndo(TMemoPos start, TMemoPos end, std::string text) : TUndo(TUndoKind::Paste, start, end, std::move(text))
    {
    }
    void Undo(TCustomCodeMemo& memo) override;
    void Redo(TCustomCodeMemo& memo) override;
};

// Folds `added` into `newest` when they continue one another: typing that
// starts where the last typing ended, or a deletion of the same direction
// that starts where the last one ended. True when merged.
bool mergeUndo(TUndo& newest, const TUndo& added);

class TMemoUndoList {
public:
    explicit TMemoUndoList(TCustomCodeMemo& memo) : memo_(memo) {}
    TMemoUndoList(const TMemoUndoList&) = delete;
    TMemoUndoList& operator=(const TMemoUndoList&) = delete;

    // Discarded while performing; otherwise merged or put in front, after the
    // undone records have been dropped.
    void Add(std::unique_ptr<TUndo> record);
    void Undo();
    void Redo();
    void Clear();

    bool CanUndo() const { return position_ < Count(); }
    bool CanRedo() const { return position_ > 0; }
    int Count() const { return static_cast<int>(records_.size()); }
    // How many records at the front are undone.
    int Position() const { return position_; }
    // Index 0 is the newest record.
    const TUndo& Record(int index) const { return *records_.at(static_cast<std::size_t>(index)); }
    int Limit() const { return limit_; }
    void SetLimit(int limit);
    bool Performing() const { return performing_; }

    // Holds the performing flag for a scope and restores it after, so that
    // commands which remove lines as part of a larger change record nothing.
    class PerformingScope {
    public:
        explicit PerformingScope(TMemoUndoList& list) : list_(list), saved_(list.performing_)
        {
            list_.performing_ = true;
        }
        ~PerformingScope() { list_.performing_ = saved_; }
        PerformingScope(const PerformingScope&) = delete;
        PerformingScope& operator=(const PerformingScope&) = delete;

    private:
        TMemoUndoList& list_;
        bool saved_;
    };

private:
    void dropUndone();
    void changed();
    void perform(bool undo);

    TCustomCodeMemo& memo_;
    std::deque<std::unique_ptr<TUndo>> records_;
    int position_ = 0;
    bool performing_ = false;
    int limit_ = 100;
};

} // namespace kalmo
