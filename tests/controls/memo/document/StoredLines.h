// The lines a memo's line store holds, for tests that compare them whole.
#pragma once

#include "controls/memo/document/CodeMemoStrings.h"

#include <string>
#include <vector>

namespace kalmo::testing {

inline std::vector<std::string> storedLines(const TCodeMemoStrings& store)
{
    std::vector<std::string> lines;
    for (int i = 0; i < store.LineCount(); ++i) {
        lines.push_back(store.Line(i));
    }
    return lines;
}

} // namespace kalmo::testing
