// One change to the memo's document as the undo history keeps it: text put
// into or taken out of one line, or whole lines put in or taken out. Each
// kind has its inverse, so a history undoes by applying inverses backwards.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace kalmo {

enum class DocumentEditKind { InsertText, RemoveText, InsertLines, RemoveLines };

struct DocumentEdit {
    DocumentEditKind Kind = DocumentEditKind::InsertText;
    int Line = 0;
    std::size_t Offset = 0;         // byte offset into the line; text edits only
    std::string Text;               // text edits: the bytes put in or taken out
    std::vector<std::string> Lines; // line edits: the lines put in or taken out, from Line on
    friend bool operator==(const DocumentEdit&, const DocumentEdit&) = default;
};

DocumentEdit insertTextEdit(int line, std::size_t offset, std::string text);
DocumentEdit removeTextEdit(int line, std::size_t offset, std::string text);
DocumentEdit insertLinesEdit(int line, std::vector<std::string> lines);
DocumentEdit removeLinesEdit(int line, std::vector<std::string> lines);

DocumentEdit inverseOf(DocumentEdit edit);

// What a line's change from `before` to `after` amounts to: the differing
// middle taken out and the new one put in (either may be absent).
std::vector<DocumentEdit> textEditsBetween(int line, const std::string& before, const std::string& after);

// Whoever records the document's changes. The document asks first, so that
// nothing is copied while nobody keeps the edits.
class DocumentEditListener {
public:
    virtual bool wantsEdits() const = 0;
    virtual void edited(DocumentEdit edit) = 0;

protected:
    ~DocumentEditListener() = default;
};

} // namespace kalmo
