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
    const EntriesByName oldByName = firstEntryByName(oldEntries);
    const EntriesByName sourceByName = firstEntryByName(sourceEntries);

    TranslationMerge merge;
    merge.keptOldFile = sameShape(source, sourceEntries, oldTranslated, oldEntries);
    merge.lines = merge.keptOldFile ? oldTranslated : source;
    for (const Entry& entry : sourceEntries) {
        if (sourceByName.at(entry.name) != static_cast<std::size_t>(&entry - sourceEntries.data()))
            continue;
        const auto found = oldByName.find(entry.name);
        if (found == oldByName.end()) {
            merge.added.push_back({entry.name, entry.line});
            continue;
        }
        const Entry& old = oldEntries[found->second];
        if (!isTranslated(source, entry, oldTranslated, old))
            continue;
        merge.carriedOver.push_back({entry.name, entry.line});
        if (!merge.keptOldFile)
            merge.lines[static_cast<std::size_t>(entry.line)] = oldTranslated[static_cast<std::size_t>(old.line)];
    }
    for (const Entry& old : oldEntries) {
        if (!sourceByName.contains(old.name) && oldByName.at(old.name) == static_cast<std::size_t>(&old - oldEntries.data()))
            merge.dropped.push_back({old.name, old.line});
    }
    return merge;
}

} // namespace kalmo
