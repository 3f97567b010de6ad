// The memo's line store: UTF-8 line texts, their lengths in columns, a small
// record per line, and the store's bulk-update counter. Lengths are counted
// in code points because a memo column is one character cell. Every change
// but a clear or a bulk append is told to the edit listener as a document
// edit; the undo history applies those edits back through Apply.
#pragma once

#include "controls/memo/document/DocumentEdit.h"
#include "controls/memo/document/LineLengths.h"
#include "controls/memo/document/LineStoreOwner.h"

#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kalmo {

// Per-line flags. The program attaches no objects to lines and uses no code
// folding, so only the two flags the memo reads are kept.
struct TLineProp {
    bool Modified = false;
    bool WrapContinuation = false; // always clear: word wrap is off
};

class TCodeMemoStrings {
public:
    // A store without an owner expands tabs to 4 spaces and reports changes
    // to nobody; the memo passes itself.
    explicit TCodeMemoStrings(LineStoreOwner* owner = nullptr);
    TCodeMemoStrings(const TCodeMemoStrings&) = delete;
    TCodeMemoStrings& operator=(const TCodeMemoStrings&) = delete;

    int LineCount() const { return static_cast<int>(lines_.size()); }
    // Throws std::out_of_range "List index out of bounds (i)" for a bad index.
    const std::string& Line(int index) const;
    // The line's length in columns (code points).
    int LineLength(int index) const;
    TLineProp& LineProp(int index);
    const TLineProp& LineProp(int index) const;

    // Tabs become TabSize spaces in PutLine, InsertLine and AddLine.
    void PutLine(int index, std::string_view text);
    // The public insert: collapses the memo's selection first and invalidates
    // afterwards. index == LineCount() appends.
    void InsertLine(int index, std::string_view text);
    // Insert for the editing commands: no selection change, no invalidation.
    void InsertLineKeepSelection(int index, std::string_view text);
    // Line feeds are dropped and every carriage return starts a new line.
    void AddLine(std::string_view text);
    // Goes through the owner's delete-line command (the memo moves the caret
    // there and back); out-of-range indexes are ignored.
    void DeleteLine(int index);
    // Takes out the text, its length and its record, nothing else. The
    // editing commands use this for the removals they ask for themselves.
    void RemoveLine(int index);
    // Bulk forms for the selection commands: one pass over the store however
    // many lines move. No change event, no selection change.
    void RemoveLines(int index, int count);
    void InsertLines(int index, std::vector<std::string> texts);
    void ClearLines();
    // Bulk append of unchanged texts (tabs and carriage returns kept); no
    // change event; the memo repaints once unless an outer bulk update is open.
    void AppendLines(const std::vector<std::string>& lines);

    // True when the store holds the lines of its last fill except at lines
    // it changed in place since (no line inserted, removed or marked
    // modified) and has `count` lines: RefillInPlace can then stand in for a
    // ClearLines and AppendLines.
    bool CanRefillInPlace(std::size_t count) const;
    // Gives the lines at `changed`, and those the store changed itself since
    // its last fill, the texts of `lines` as AppendLines stores them; cost
    // follows the changed lines, not the store's size.
    void RefillInPlace(const std::vector<std::string>& lines, std::span<const int> changed);
    // Since the last fill no line came or went, and these lines may differ
    // from what the fill gave.
    bool KeptShapeSinceFill() const { return !reshapedSinceFill_; }
    const std::set<int>& LinesPutSinceFill() const { return putSinceFill_; }

    // Sets the line's modified flag; any set flag counts until the next
    // ClearLines or AppendLines.
    void MarkModified(int index);
    bool AnyLineModified() const { return anyModified_; }

    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }

    // Tells every change from now on to `listener` (null: to nobody).
    void SetEditListener(DocumentEditListener* listener) { listener_ = listener; }
    // Applies an edit as it was recorded, telling nobody. A history may be
    // older than a refill, so an edit that no longer fits is bent to fit:
    // text beyond a line's end stands after spaces that fill the gap, and
    // lines beyond the store's end are left alone.
    void Apply(const DocumentEdit& edit);

    // Length in columns of the longest line, 0 for an empty store.
    int MaxLineLength() const { return lengths_.Max(); }
    const LineLengths& Lengths() const { return lengths_; }

    // The text with every tab replaced by the owner's TabSize spaces.
    std::string ExpandTabs(std::string_view text) const;
    // The form a line takes once the caret has left it: trailing blanks and
    // control characters gone, tabs widened.
    std::string Tidied(std::string_view text) const;

private:
    struct StoredLine {
        std::string text;
        TLineProp prop;
    };

    void checkIndex(int index) const;
    void insertExpanded(int index, std::string text);
    void changed();
    int tabSize() const;
    void rebuildLengthsWithout(int index, int removed, int inserted);
    bool recording() const { return listener_ && listener_->wantsEdits(); }
    std::vector<std::string> textsOf(int index, int count) const;
    void storeLine(int index, std::string text);
    void eraseLines(int index, int count);
    void insertStored(int index, std::vector<std::string> texts);

    LineStoreOwner* owner_;
    DocumentEditListener* listener_ = nullptr;
    std::vector<StoredLine> lines_;
    LineLengths lengths_;
    // The lines ClearLines took out, kept for the AppendLines that refills
    // the store right after it: their strings' memory is reused, and a line
    // that comes back unchanged keeps its counted length.
    std::vector<StoredLine> clearedLines_;
    std::vector<int> clearedLengths_;
    int updateCount_ = 0;
    bool anyModified_ = false;
    // Since the last fill: the lines changed in place, and whether any line
    // came or went.
    std::set<int> putSinceFill_;
    bool reshapedSinceFill_ = false;
};

} // namespace kalmo
