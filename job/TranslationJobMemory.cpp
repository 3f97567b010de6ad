// The translation job's side of the translation memory: the entries to
// review, a suggestion taken into the field, and untranslated entries
// filled from the memory. The memory itself lives in job/memory/ and
// follows the job through TranslationJobEvents.
#include "job/TranslationJob.h"

#include "job/EntryList.h"
#include "job/TranslationExchange.h"
#include "job/TranslationJobEvents.h"
#include "job/TranslationJobView.h"
#include "job/TranslationProgress.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace kalmo {

void TranslationJob::RemoveListener(TranslationJobEvents& listener)
{
    listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), &listener), listeners_.end());
}

void TranslationJob::MarkForReview(std::set<std::string> names)
{
    toReview_ = std::move(names);
    updateProgress();
}

void TranslationJob::endReviewOfShownEntry()
{
    if (currentEntry_ == 0 || toReview_.empty())
        return;
    if (toReview_.erase(entryName(sourceLines_[static_cast<std::size_t>(currentEntry_)])) > 0)
        updateProgress();
}

void TranslationJob::UseSuggestedTranslation(const std::optional<std::string>& text)
{
    if (!text || !loaded_ || currentEntry_ == 0 || wholeLineMode_ || fullTextMode_) {
        windows_.Beep();
        return;
    }
    windows_.SetTranslationField(*text);
    windows_.SelectTranslationField();
}

int TranslationJob::FillUntranslated(const std::vector<ExchangeMessage>& messages)
{
    if (!loaded_) {
        windows_.Beep();
        return 0;
    }
    commitBeforeMoving(true);
    // What the user translated since the memory was asked stays.
    std::set<std::string> untranslated;
    for (const EntryProgress& entry : progress_.entries())
        if (isLeftToTranslate(entry))
            untranslated.insert(entry.name);
    std::vector<ExchangeMessage> wanted;
    std::copy_if(messages.begin(), messages.end(), std::back_inserter(wanted),
                 [&](const ExchangeMessage& message) { return untranslated.contains(message.context); });
    ExchangeImport filled = importMessages(sourceLines_, fileNameOf(TranslatedFilePath()), workingLines_, wanted);
    if (filled.written > 0) {
        workingLines_ = std::move(filled.lines);
        listsReplaced();
        refreshViewer();
        showCurrentEntryAgain();
        updateProgress();
        KeepJournal();
    }
    return filled.written;
}

} // namespace kalmo
