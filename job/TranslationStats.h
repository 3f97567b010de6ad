// How far the translation of a language file has come, counted over the
// entries the job would show.
#pragma once

#include "job/LineList.h"

namespace kalmo {

// entries = translated + untranslated + notRebuildable.
struct TranslationStats {
    int entries = 0;
    int translated = 0;
    int untranslated = 0;
    int otherLines = 0;     // lines of the source that are not entries
    int notRebuildable = 0; // source entries whose value the commit cannot replace
};

// translated may be null: then nothing is translated yet.
TranslationStats translationStats(const LineList& source, const LineList* translated);

} // namespace kalmo
