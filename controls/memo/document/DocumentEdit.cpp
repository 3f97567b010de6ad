// The edit kinds' constructors, inverses and the diff of one changed line.
#include "controls/memo/document/DocumentEdit.h"

#include <algorithm>
#include <utility>

namespace kalmo {

DocumentEdit insertTextEdit(int line, std::size_t offset, std::string text)
{
    return DocumentEdit{DocumentEditKind::InsertText, line, offset, std::move(text), {}};
}

DocumentEdit removeTextEdit(int line, std::size_t offset, std::string text)
{
    return DocumentEdit{DocumentEditKind::RemoveText, line, offset, std::move(text), {}};
}

DocumentEdit insertLinesEdit(int line, std::vector<std::string> lines)
{
    return DocumentEdit{DocumentEditKind::InsertLines, line, 0, {}, std::move(lines)};
}

DocumentEdit removeLinesEdit(int line, std::vector<std::string> lines)
{
    return DocumentEdit{DocumentEditKind::RemoveLines, line, 0, {}, std::move(lines)};
}

DocumentEdit inverseOf(DocumentEdit edit)
{
    switch (edit.Kind) {
    case DocumentEditKind::InsertText: edit.Kind = DocumentEditKind::RemoveText; break;
    case DocumentEditKind::RemoveText: edit.Kind = DocumentEditKind::InsertText; break;
    case DocumentEditKind::InsertLines: edit.Kind = DocumentEditKind::RemoveLines; break;
    case DocumentEditKind::RemoveLines: edit.Kind = DocumentEditKind::InsertLines; break;
    }
    return edit;
}

// Byte-wise: the edits only have to put the bytes back, and a split inside
// a UTF-8 sequence is undone by the same split.
std::vector<DocumentEdit> textEditsBetween(int line, const std::string& before, const std::string& after)
{
    const std::size_t shorter = std::min(before.size(), after.size());
    std::size_t head = 0;
    while (head < shorter && before[head] == after[head]) {
        ++head;
    }
    std::size_t tail = 0;
    while (tail < shorter - head && before[before.size() - 1 - tail] == after[after.size() - 1 - tail]) {
        ++tail;
    }
    std::vector<DocumentEdit> edits;
    if (head + tail < before.size()) {
        edits.push_back(removeTextEdit(line, head, before.substr(head, before.size() - head - tail)));
    }
    if (head + tail < after.size()) {
        edits.push_back(insertTextEdit(line, head, after.substr(head, after.size() - head - tail)));
    }
    return edits;
}

} // namespace kalmo
