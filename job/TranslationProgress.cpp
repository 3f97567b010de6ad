// Which entries still hold their source text; see TranslationProgress.h.
#include "job/TranslationProgress.h"

#include "job/EntryList.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

namespace kalmo {

std::vector<EntryProgress> entryProgress(const LineList& source, const LineList& working)
{
    const std::vector<Entry> sourceEntries = listEntries(source);
    const std::vector<Entry> workingEntries = listEntries(working);
    const bool sameLines = source.size() == working.size();
    std::unordered_map<int, std::size_t> workingByLine;
    if (sameLines) {
        for (std::size_t i = 0; i < workingEntries.size(); ++i)
            workingByLine.emplace(workingEntries[i].line, i);
    }
    const EntryIndex workingByName(workingEntries);

    std::vector<EntryProgress> progress;
    progress.reserve(sourceEntries.size());
    for (const Entry& entry : sourceEntries) {
        const Entry* counterpart = nullptr;
        if (sameLines) {
            const auto at = workingByLine.find(entry.line);
            if (at != workingByLine.end())
                counterpart = &workingEntries[at->second];
        } else if (const std::size_t named = workingByName.find(entry.name); named != EntryIndex::npos) {
            counterpart = &workingEntries[named];
        }
        const bool translated = counterpart && isTranslated(source, entry, working, *counterpart);
        progress.push_back({entry.line, entry.name, translated, entry.rebuildable});
    }
    return progress;
}

bool isLeftToTranslate(const EntryProgress& entry)
{
    return entry.writable && !entry.translated;
}

std::string progressText(const std::vector<EntryProgress>& entries, bool unsaved, std::size_t toReview)
{
    const auto writable = std::count_if(entries.begin(), entries.end(), [](const auto& e) { return e.writable; });
    const auto translated
        = std::count_if(entries.begin(), entries.end(), [](const auto& e) { return e.writable && e.translated; });
    const auto others = static_cast<std::ptrdiff_t>(entries.size()) - writable;
    return "translated " + std::to_string(translated) + " of " + std::to_string(writable)
         + (others > 0 ? ", " + std::to_string(others) + " whole-line only" : "")
         + (toReview > 0 ? ", " + std::to_string(toReview) + " to review" : "") + (unsaved ? " *" : "");
}

std::string translatedCount(const std::string& progressText)
{
    constexpr std::string_view prefix = "translated ";
    if (!progressText.starts_with(prefix))
        return {};
    const std::string count = progressText.substr(prefix.size());
    return count.substr(0, std::min(count.find(','), count.find(" *")));
}

} // namespace kalmo
