// Where a file's real define calls stand. A small scanner of PHP's lexical
// structure across lines (inline HTML outside the PHP tags, comments,
// strings, heredocs and nowdocs), so that a define in a comment, in a text
// or outside the tags is never taken for an entry.
#pragma once

#include "job/LineList.h"

#include <vector>

namespace kalmo {

struct DefineCall {
    int line = 0;   // 0-based index into the lines
    int column = 0; // 0-based byte offset of the name "define" (or "\define")
    int open = 0;   // 0-based byte offset of the "(" that opens its arguments
};

// Every call of PHP's define in file order: the name define in any letter
// case, alone or as "\define", in PHP code, followed by blanks and "(" on
// its line, and not a method, a static method, a variable, a declared
// function or a class ("->define(", "::define(", "$define(", "function
// define(", "new define("). PHP's short open tag "<?" is taken as text, as
// with short_open_tag off.
std::vector<DefineCall> findDefineCalls(const LineList& lines);

} // namespace kalmo
