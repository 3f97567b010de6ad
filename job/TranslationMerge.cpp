// Carrying a translation over to a new version of its source; see TranslationMerge.h.
#include "job/TranslationMerge.h"

#include "job/EntryList.h"

namespace kalmo {
namespace {

bool sameShape(const LineList& source, const std::vector<Entry>& sourceEntries, const LineList& old,
               const std::vector<Entry>& oldEntries)
{
    if (source.size() != old.size() || sourceEntries.size() != oldEntries.size())
        return false;
    for (std::size_t i = 0; i < sourceEntries.size(); ++i) {
        if (sourceEntries[i].line != oldEntries[i].line || sourceEntries[i].name != oldEntries[i].name)
            return false;
    }
    return true;
}

} // namespace

TranslationMerge mergeTranslation(const LineList& source, const LineList& oldTranslated)
{
    const std::vector<Entry> sourceEntries = listEntries(source);
    const std::vector<Entry> oldEntries = listEntries(oldTranslated);
    const EntryIndex oldByName(oldEntries);
    const EntryIndex sourceByName(sourceEntries);

    TranslationMerge merge;
    merge.keptOldFile = sameShape(source, sourceEntries, oldTranslated, oldEntries);
    merge.lines = merge.keptOldFile ? oldTranslated : source;
    for (std::size_t i = 0; i < sourceEntries.size(); ++i) {
        const Entry& entry = sourceEntries[i];
        if (!sourceByName.isFirst(i))
            continue;
        const std::size_t found = oldByName.find(entry.name);
        if (found == EntryIndex::npos) {
            merge.added.push_back({entry.name, entry.line});
            continue;
        }
        const Entry& old = oldEntries[found];
        if (!isTranslated(source, entry, oldTranslated, old))
            continue;
        merge.carriedOver.push_back({entry.name, entry.line});
        if (!merge.keptOldFile)
            merge.lines[static_cast<std::size_t>(entry.line)] = oldTranslated[static_cast<std::size_t>(old.line)];
    }
    for (std::size_t i = 0; i < oldEntries.size(); ++i) {
        if (oldByName.isFirst(i) && !sourceByName.contains(oldEntries[i].name))
            merge.dropped.push_back({oldEntries[i].name, oldEntries[i].line});
    }
    return merge;
}

} // namespace kalmo
