// The line store's operations. Changes are reported to the owner (the memo
// runs LinesChanged only while its ChangeTracking is on), except inside a
// bulk update, and recorded by the edit listener.
#include "controls/memo/document/CodeMemoStrings.h"

#include "controls/memo/Utf8Columns.h"

#include <algorithm>
#include <stdexcept>

namespace kalmo {

TCodeMemoStrings::TCodeMemoStrings(LineStoreOwner* owner) : owner_(owner) {}

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

int TCodeMemoStrings::tabSize() const { return owner_ ? owner_->tabWidth() : 4; }

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
        owner_->storeChanged();
    }
}

void TCodeMemoStrings::PutLine(int index, std::string_view text)
{
    checkIndex(index);
    storeLine(index, ExpandTabs(text));
    putSinceFill_.insert(index);
    changed();
}

void TCodeMemoStrings::storeLine(int index, std::string text)
{
    std::string& stored = lines_[static_cast<std::size_t>(index)].text;
    if (recording()) {
        for (DocumentEdit& edit : textEditsBetween(index, stored, text)) {
            listener_->edited(std::move(edit));
        }
    }
    lengths_.Put(index, utf8Columns(text));
    stored = std::move(text);
}

void TCodeMemoStrings::insertExpanded(int index, std::string text)
{
    if (index < 0 || index > LineCount()) {
        throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
    }
    if (recording()) {
        listener_->edited(insertLinesEdit(index, {text}));
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
        owner_->beforeInsertLine();
    }
    InsertLineKeepSelection(index, text);
    if (owner_) {
        owner_->afterInsertLine();
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
    if (owner_) {
        owner_->deleteLineAt(index);
        return;
    }
    RemoveLine(index);
    changed();
}

std::vector<std::string> TCodeMemoStrings::textsOf(int index, int count) const
{
    std::vector<std::string> texts;
    texts.reserve(static_cast<std::size_t>(count));
    for (int i = index; i < index + count; ++i) {
        texts.push_back(lines_[static_cast<std::size_t>(i)].text);
    }
    return texts;
}

void TCodeMemoStrings::RemoveLine(int index)
{
    RemoveLines(index, 1);
}

void TCodeMemoStrings::RemoveLines(int index, int count)
{
    if (count <= 0) {
        return;
    }
    checkIndex(index);
    checkIndex(index + count - 1);
    if (recording()) {
        listener_->edited(removeLinesEdit(index, textsOf(index, count)));
    }
    eraseLines(index, count);
}

void TCodeMemoStrings::eraseLines(int index, int count)
{
    if (count == 1) {
        lengths_.Delete(index);
        lines_.erase(lines_.begin() + index);
    } else {
        lines_.erase(lines_.begin() + index, lines_.begin() + index + count);
        rebuildLengthsWithout(index, count, 0);
    }
    reshapedSinceFill_ = true;
    if (owner_) {
        owner_->storeShrank();
    }
}

void TCodeMemoStrings::InsertLines(int index, std::vector<std::string> texts)
{
    if (index < 0 || index > LineCount()) {
        throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
    }
    for (std::string& text : texts) {
        if (text.find('\t') != std::string::npos) {
            text = ExpandTabs(text);
        }
    }
    if (recording()) {
        listener_->edited(insertLinesEdit(index, texts));
    }
    insertStored(index, std::move(texts));
}

void TCodeMemoStrings::insertStored(int index, std::vector<std::string> texts)
{
    if (texts.size() == 1) {
        lengths_.Insert(index, utf8Columns(texts.front()));
        lines_.insert(lines_.begin() + index, StoredLine{std::move(texts.front()), {}});
        return;
    }
    std::vector<StoredLine> fresh;
    fresh.reserve(texts.size());
    for (std::string& text : texts) {
        fresh.push_back(StoredLine{std::move(text), {}});
    }
    lines_.insert(lines_.begin() + index, std::make_move_iterator(fresh.begin()),
                  std::make_move_iterator(fresh.end()));
    reshapedSinceFill_ = true;
    rebuildLengthsWithout(index, 0, static_cast<int>(fresh.size()));
}

void TCodeMemoStrings::Apply(const DocumentEdit& edit)
{
    const int count = LineCount();
    switch (edit.Kind) {
    case DocumentEditKind::InsertText:
    case DocumentEditKind::RemoveText: {
        if (edit.Line < 0 || edit.Line >= count) {
            return;
        }
        std::string text = lines_[static_cast<std::size_t>(edit.Line)].text;
        if (text.size() < edit.Offset) {
            text.append(edit.Offset - text.size(), ' ');
        }
        if (edit.Kind == DocumentEditKind::InsertText) {
            text.insert(edit.Offset, edit.Text);
        } else {
            text.erase(edit.Offset, edit.Text.size());
        }
        lengths_.Put(edit.Line, utf8Columns(text));
        lines_[static_cast<std::size_t>(edit.Line)].text = std::move(text);
        MarkModified(edit.Line);
        return;
    }
    case DocumentEditKind::InsertLines:
        if (edit.Line < 0 || edit.Line > count || edit.Lines.empty()) {
            return;
        }
        insertStored(edit.Line, edit.Lines);
        for (int line = edit.Line; line < edit.Line + static_cast<int>(edit.Lines.size()); ++line) {
            MarkModified(line);
        }
        return;
    case DocumentEditKind::RemoveLines: {
        const int removed = std::min(static_cast<int>(edit.Lines.size()), count - edit.Line);
        if (edit.Line < 0 || removed <= 0) {
            return;
        }
        eraseLines(edit.Line, removed);
        MarkModified(-1);
        return;
    }
    }
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
        owner_->beforeClear();
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
    if (updateCount_ == 0 && owner_) {
        owner_->afterAppend();
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
