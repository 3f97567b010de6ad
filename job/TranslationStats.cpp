// Counting how far a language file's translation has come; see TranslationStats.h.
#include "job/TranslationStats.h"

#include "job/EntryList.h"

namespace kalmo {

TranslationStats translationStats(const LineList& source, const LineList* translated)
{
    const std::vector<Entry> sourceEntries = listEntries(source);
    std::vector<Entry> translatedEntries;
    if (translated)
        translatedEntries = listEntries(*translated);
    const EntryIndex byName(translatedEntries);

    TranslationStats stats;
    stats.entries = static_cast<int>(sourceEntries.size());
    stats.otherLines = static_cast<int>(source.size()) - stats.entries;
    for (const Entry& entry : sourceEntries) {
        // Entries a translation cannot be written into are counted apart,
        // never as left to translate.
        if (!entry.rebuildable) {
            ++stats.notRebuildable;
            continue;
        }
        const std::size_t found = byName.find(entry.name);
        if (found != EntryIndex::npos && isTranslated(source, entry, *translated, translatedEntries[found]))
            ++stats.translated;
        else
            ++stats.untranslated;
    }
    return stats;
}

} // namespace kalmo
