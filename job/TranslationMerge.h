// Carrying a translation over to a new version of its source file: the new
// source's lines, with the old translated file's line for every constant it
// had already translated.
#pragma once

#include "job/LineList.h"

#include <string>
#include <vector>

namespace kalmo {

struct MergedConstant {
    std::string name;
    int line = 0; // 0-based: in the source, or in the old file for dropped ones
};

struct TranslationMerge {
    LineList lines; // the working lines to continue with
    std::vector<MergedConstant> carriedOver; // translated in the old file, kept
    std::vector<MergedConstant> added;       // only in the source
    std::vector<MergedConstant> dropped;     // only in the old file, not written
    // The two files had the same shape (line count and the constant on every
    // entry line), so lines is the old file as it was.
    bool keptOldFile = false;
};

// The line at an entry of the source is the old file's line of the same
// constant when its value differs from the source's (first definition wins);
// every other line is the source's.
TranslationMerge mergeTranslation(const LineList& source, const LineList& oldTranslated);

} // namespace kalmo
