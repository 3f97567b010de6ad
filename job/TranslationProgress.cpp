// Which entries still hold their source text; see TranslationProgress.h.
#include "job/TranslationProgress.h"

#include "job/EntryList.h"

#include <algorithm>
#include <optional>
#include <string_view>

namespace kalmo {
namespace {

std::string progressCountText(std::size_t translated, std::size_t writable, std::size_t others, bool unsaved,
                              std::size_t toReview)
{
    return "translated " + std::to_string(translated) + " of " + std::to_string(writable)
         + (others > 0 ? ", " + std::to_string(others) + " whole-line only" : "")
         + (toReview > 0 ? ", " + std::to_string(toReview) + " to review" : "") + (unsaved ? " *" : "");
}

} // namespace

std::vector<EntryProgress> entryProgress(const LineList& source, const LineList& working)
{
    ProgressTally tally;
    tally.recount(source, working);
    return tally.entries();
}

void ProgressTally::recount(const LineList& source, const LineList& working)
{
    recount(source, working, listEntriesOfBoth(source, working));
}

void ProgressTally::recount(const LineList& source, const LineList& working, const EntryListings& listed)
{
    sourceEntries_ = listed.source;
    const std::vector<Entry>& workingEntries = listed.working;
    sameLength_ = source.size() == working.size();
    // Only needed to pair entries by name, when lines came or went.
    const std::optional<EntryIndex> workingByName
        = sameLength_ ? std::nullopt : std::optional<EntryIndex>(std::in_place, workingEntries);

    progress_.clear();
    progress_.reserve(sourceEntries_.size());
    counterparts_.assign(sourceEntries_.size(), -1);
    writable_ = 0;
    translated_ = 0;
    // Both lists are in file order: the working entry on a source entry's
    // line is found by walking along.
    auto onSameLine = workingEntries.begin();
    for (std::size_t i = 0; i < sourceEntries_.size(); ++i) {
        const Entry& entry = sourceEntries_[i];
        const Entry* counterpart = nullptr;
        if (sameLength_) {
            while (onSameLine != workingEntries.end() && onSameLine->line < entry.line)
                ++onSameLine;
            if (onSameLine != workingEntries.end() && onSameLine->line == entry.line)
                counterpart = &*onSameLine;
        } else if (const std::size_t named = workingByName->find(entry.name); named != EntryIndex::npos) {
            counterpart = &workingEntries[named];
        }
        const bool translated = counterpart && isTranslated(source, entry, working, *counterpart);
        progress_.push_back({entry.line, entry.name, translated, entry.rebuildable});
        writable_ += entry.rebuildable ? 1 : 0;
        translated_ += entry.rebuildable && translated ? 1 : 0;
        if (sameLength_ && counterpart)
            counterparts_[i] = counterpart->column;
    }
}

bool ProgressTally::workingLineChanged(const LineList& source, const LineList& working, int line)
{
    if (!sameLength_ || source.size() != working.size())
        return false;
    const Entry* onLine = entryOnLine(sourceEntries_, line);
    if (!onLine)
        return true; // no source entry stands there, so no count changes
    const auto at = static_cast<std::size_t>(onLine - sourceEntries_.data());
    int& column = counterparts_[at];
    if (column < 0)
        return false;
    Entry before;
    before.line = line;
    before.column = column;
    const auto readAgain = entryReadAgain(before, working[static_cast<std::size_t>(line)]);
    if (!readAgain)
        return false;
    column = readAgain->column;
    EntryProgress& entry = progress_[at];
    const bool translated = isTranslated(source, *onLine, working, *readAgain);
    if (entry.writable && translated != entry.translated)
        translated ? ++translated_ : --translated_;
    entry.translated = translated;
    return true;
}

std::string ProgressTally::text(bool unsaved, std::size_t toReview) const
{
    return progressCountText(translated_, writable_, progress_.size() - writable_, unsaved, toReview);
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
    return progressCountText(static_cast<std::size_t>(translated), static_cast<std::size_t>(writable),
                             entries.size() - static_cast<std::size_t>(writable), unsaved, toReview);
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
