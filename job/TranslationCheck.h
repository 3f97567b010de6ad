// The checks a translated language file must pass before the CMS loads it:
// every entry a PHP string on one line that reads back as written, the same
// placeholders as the source, each constant once, none missing or extra.
#pragma once

#include "job/Finding.h"
#include "job/LineList.h"

#include <string>
#include <vector>

namespace kalmo {

struct NamedLines {
    std::string name; // as findings name the file
    const LineList* lines = nullptr;
};

// Findings about translated against source, in the translated file's line
// order, then the constants missing from it in the source's line order.
// Without a translated file (lines null) the source is checked on its own.
std::vector<Finding> checkTranslation(const NamedLines& source, const NamedLines& translated);

} // namespace kalmo
