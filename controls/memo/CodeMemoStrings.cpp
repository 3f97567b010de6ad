// The line store's operations. Changes are reported to the owning memo
// (which runs LinesChanged only while its ChangeTracking is on), except
// inside a bulk update.
#include "controls/memo/CodeMemoStrings.h"

#include "controls/memo/CodeMemoModel.h"
#include "controls/memo/Utf8Columns.h"

#include <algorithm>
#include <stdexcept>

namespace kalmo {

TCodeMemoStrings::TCodeMemoStrings(TCustomCodeMemo* owner) : owner_(owner) {}

void TCodeMemoStrings::checkIndex(int index) const
{
    if (index < 0 || index >= LineCount()) {
        throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
    }
}

const std::string& TCodeMemoStrings::Line(int index) const
{
    checkIndex(index);
    return lines_[static_cast<std::size_t>(index)].text;
}

int TCodeMemoStrings::LineLength(int index) const
{
    checkIndex(index);
    return lengths_[index];
}

TLineProp& TCodeMemoStrings::LineProp(int index)
{
    checkIndex(index);
    return lines_[static_cast<std::size_t>(index)].prop;
}

const TLineProp& TCodeMemoStrings::LineProp(int index) const
{
    checkIndex(index);
    return lines_[static_cast<std::size_t>(index)].prop;
}

int TCodeMemoStrings::tabSize() const { return owner_ ? owner_->TabSize() : 4; }

std::string TCodeMemoStrings::ExpandTabs(std::string_view text) const
{
    std::string result;
    if (text.find('\t') == std::string_view::npos) {
        result.assign(text);
        return result;
    }
    const std::string spaces(static_cast<std::size_t>(tabSize()), ' ');
    result.reserve(text.size() + spaces.size());
    for (char c : text) {
        if (c == '\t') {
            result += spaces;
        } else {
            result += c;
        }
    }
    return result;
}

std::string TCodeMemoStrings::Tidied(std::string_view text) const
{
    std::size_t end = text.size();
    while (end > 0 && static_cast<unsigned char>(text[end - 1]) <= ' ')
        --end;
    return ExpandTabs(text.substr(0, end));
}

void TCodeMemoStrings::changed()
{
    if (updateCount_ == 0 && owner_) {
        owner_->LinesChanged();
    }
}

void TCodeMemoStrings::PutLine(int index, std::string_view text)
{
    checkIndex(index);
    std::string expanded = ExpandTabs(text);
    lengths_.Put(index, utf8Columns(expanded));
    lines_[static_cast<std::size_t>(index)].text = std::move(expanded);
    putSinceFill_.insert(index);
    changed();
}

void TCodeMemoStrings::insertExpanded(int index, std::string text)
{
    if (index < 0 || index > LineCount()) {
        throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
    }
    lengths_.Insert(index, utf8Columns(text));
    lines_.insert(lines_.begin() + index, StoredLine{std::move(text), {}});
    reshapedSinceFill_ = true;
}

void TCodeMemoStrings::InsertLineKeepSelection(int index, std::string_view text)
{
    insertExpanded(index, ExpandTabs(text));
    changed();
}

void TCodeMemoStrings::InsertLine(int index, std::string_view text)
{
    if (owner_) {
        owner_->CollapseSelection();
    }
    InsertLineKeepSelection(index, text);
    if (owner_) {
        owner_->Invalidate();
    }
}

void TCodeMemoStrings::AddLine(std::string_view text)
{
    std::string piece;
    for (char c : ExpandTabs(text)) {
        if (c == '\n') {
            continue;
        }
        if (c == '\r') {
            insertExpanded(LineCount(), std::move(piece));
            piece.clear();
            continue;
        }
        piece += c;
    }
    insertExpanded(LineCount(), std::move(piece));
    changed();
}

void TCodeMemoStrings::DeleteLine(int index)
{
    if (index < 0 || index >= LineCount()) {
        return;
    }
    if (!owner_) {
        RemoveLine(index);
        changed();
        return;
    }
    TCustomCodeMemo& memo = *owner_;
    const bool singleLine = LineCount() == 1;
    const int savedCol = memo.CaretCol();
    const int savedLine = memo.CaretLine();
    memo.SetCaretLine(index);
    memo.DeleteLineCommand();
    // The caret goes back to where it was, shifted up when its line moved up.
    // It is kept inside the store: the saved line may have been the last one.
    int line = savedLine > index ? savedLine - 1 : savedLine;
    if (line > LineCount() - 1) {
        line = std::max(0, LineCount() - 1);
    }
    memo.setCaretDirect(singleLine ? 0 : savedCol, line);
}

void TCodeMemoStrings::RemoveLine(int index)
{
    checkIndex(index);
    lengths_.Delete(index);
    lines_.erase(lines_.begin() + index);
    reshapedSinceFill_ = true;
    if (owner_) {
        owner_->fitScrollToLines();
    }
}

void TCodeMemoStrings::RemoveLines(int index, int count)
{
    if (count <= 0) {
        return;
    }
    checkIndex(index);
    checkIndex(index + count - 1);
    if (count == 1) {
        RemoveLine(index);
        return;
    }
    lines_.erase(lines_.begin() + index, lines_.begin() + index + count);
    reshapedSinceFill_ = true;
    rebuildLengthsWithout(index, count, 0);
    if (owner_) {
        owner_->fitScrollToLines();
    }
}

void TCodeMemoStrings::InsertLines(int index, std::vector<std::string> texts)
{
    if (index < 0 || index > LineCount()) {
        throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
    }
    if (texts.size() == 1) {
        insertExpanded(index, ExpandTabs(texts.front()));
        return;
    }
    std::vector<StoredLine> fresh;
    fresh.reserve(texts.size());
    for (std::string& text : texts) {
        fresh.push_back(StoredLine{ExpandTabs(text), {}});
    }
    lines_.insert(lines_.begin() + index, std::make_move_iterator(fresh.begin()),
                  std::make_move_iterator(fresh.end()));
    reshapedSinceFill_ = true;
    rebuildLengthsWithout(index, 0, static_cast<int>(fresh.size()));
}

// The length list has no range operations; copying the kept entries and
// measuring only the new lines keeps a bulk change one pass long.
void TCodeMemoStrings::rebuildLengthsWithout(int index, int removed, int inserted)
{
    std::vector<int> old;
    old.reserve(static_cast<std::size_t>(lengths_.Count()));
    for (int i = 0; i < lengths_.Count(); ++i) {
        old.push_back(lengths_[i]);
    }
    lengths_.Clear();
    for (int i = 0; i < index; ++i) {
        lengths_.AppendUnindexed(old[static_cast<std::size_t>(i)]);
    }
    for (int i = 0; i < inserted; ++i) {
        lengths_.AppendUnindexed(utf8Columns(lines_[static_cast<std::size_t>(index + i)].text));
    }
    for (std::size_t i = static_cast<std::size_t>(index + removed); i < old.size(); ++i) {
        lengths_.AppendUnindexed(old[i]);
    }
    lengths_.Rebuild();
}

void TCodeMemoStrings::MarkModified(int index)
{
    if (index >= 0 && index < LineCount()) {
        lines_[static_cast<std::size_t>(index)].prop.Modified = true;
    }
    anyModified_ = true;
}

void TCodeMemoStrings::ClearLines()
{
    anyModified_ = false;
    if (owner_) {
        owner_->setSelection(0, 0, 0, 0);
        owner_->SetCaretLine(0);
        owner_->SetCaretCol(0);
        owner_->Invalidate();
    }
    clearedLengths_.clear();
    for (int i = 0; i < lengths_.Count(); ++i)
        clearedLengths_.push_back(lengths_[i]);
    clearedLines_ = std::move(lines_);
    lines_.clear();
    lengths_.Clear();
    putSinceFill_.clear();
    reshapedSinceFill_ = true;
    changed();
}

void TCodeMemoStrings::AppendLines(const std::vector<std::string>& lines)
{
    anyModified_ = false;
    BeginUpdate();
    // The job refills its panes on every step through the file: reusing the
    // cleared lines' memory keeps a refill close to the cost of a copy.
    const bool refill = lines_.empty() && !clearedLines_.empty();
    if (refill)
        lines_ = std::move(clearedLines_);
    const std::size_t reused = refill ? std::min(lines_.size(), lines.size()) : 0;
    lines_.resize(refill ? lines.size() : lines_.size());
    const std::size_t first = refill ? 0 : lines_.size();
    lines_.reserve(first + lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (i < reused) {
            StoredLine& stored = lines_[i];
            stored.prop = {};
            if (stored.text == line && i < clearedLengths_.size()) {
                lengths_.AppendUnindexed(clearedLengths_[i]);
                continue;
            }
            stored.text.assign(line);
        } else if (refill) {
            lines_[i].text = line;
            lines_[i].prop = {};
        } else {
            lines_.push_back(StoredLine{line, {}});
        }
        lengths_.AppendUnindexed(utf8Columns(line));
    }
    clearedLines_.clear();
    clearedLengths_.clear();
    lengths_.Rebuild();
    putSinceFill_.clear();
    reshapedSinceFill_ = false;
    EndUpdate();
    if (updateCount_ == 0 && owner_ && owner_->view()) {
        owner_->view()->paintNow();
    }
}

bool TCodeMemoStrings::CanRefillInPlace(std::size_t count) const
{
    return !reshapedSinceFill_ && !anyModified_ && lines_.size() == count;
}

void TCodeMemoStrings::RefillInPlace(const std::vector<std::string>& lines, std::span<const int> changed)
{
    putSinceFill_.insert(changed.begin(), changed.end());
    for (const int index : putSinceFill_) {
        const std::string& line = lines[static_cast<std::size_t>(index)];
        StoredLine& stored = lines_[static_cast<std::size_t>(index)];
        if (stored.text == line)
            continue;
        stored.text.assign(line);
        lengths_.Put(index, utf8Columns(line));
    }
    putSinceFill_.clear();
}

void TCodeMemoStrings::EndUpdate()
{
    if (updateCount_ > 0) {
        --updateCount_;
    }
}

} // namespace kalmo
