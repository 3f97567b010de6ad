// One thing a whole-file command found, tied to a file and line, printed as
// compilers print theirs: "FILE:LINE: kind: message".
#pragma once

#include <string>

namespace kalmo {

enum class FindingKind { Error, Warning, Note };

struct Finding {
    std::string file;
    int line = 0; // counted from 1; 0 when the finding belongs to no line
    FindingKind kind = FindingKind::Error;
    std::string message;
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

} // namespace kalmo
