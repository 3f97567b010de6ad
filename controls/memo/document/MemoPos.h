// A position in the memo's text, shared by the document, its undo history
// and the editor above them.
#pragma once

namespace kalmo {

// A text position: column and line, both from 0.
struct TMemoPos {
    int Col = 0;
    int Line = 0;
    friend bool operator==(const TMemoPos&, const TMemoPos&) = default;
};

} // namespace kalmo
