// One thing a whole-file command found, tied to a file and line, printed as
// compilers print theirs: "FILE:LINE: kind: message [check]".
#pragma once

#include <string>

namespace kalmo {

enum class FindingKind { Error, Warning, Note };

struct Finding {
    std::string file;
    int line = 0; // counted from 1; 0 when the finding belongs to no line
    FindingKind kind = FindingKind::Error;
    std::string message;
    std::string check;    // the check's short id ("placeholders"); empty for none
    std::string constant; // the entry's constant; empty for none
};

inline const char* kindName(FindingKind kind)
{
    switch (kind) {
    case FindingKind::Error: return "error";
    case FindingKind::Warning: return "warning";
    case FindingKind::Note: return "note";
    }
    return "";
}

// Errors and warnings ask for a fix; a note only tells.
inline bool asksForAFix(const Finding& finding) { return finding.kind != FindingKind::Note; }

} // namespace kalmo
