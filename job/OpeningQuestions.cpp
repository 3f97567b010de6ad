// The questions asked before a load; see OpeningQuestions.h.
#include "job/OpeningQuestions.h"

#include "base/KalmoError.h"
#include "job/EntryList.h"
#include "job/LanguageFile.h"
#include "job/TranslationMerge.h"
#include "job/TranslationProgress.h"

#include <algorithm>

namespace kalmo {

Question lockedFileQuestion(const std::string& path, const LockHolder& holder)
{
    return {fileNameOf(path) + " is open in another KALMO Translator (process " + std::to_string(holder.processId)
                + " on " + holder.host
                + "). Open it anyway? Both programs' work is kept: each save keeps the other's file as a backup.",
            {"Open Anyway", "Cancel"},
            static_cast<std::size_t>(LockedFileAnswer::OpenAnyway),
            static_cast<std::size_t>(LockedFileAnswer::Cancel)};
}

std::optional<Question> earlierTranslationQuestion(const std::string& sourcePath,
                                                   const std::optional<TextEncoding>& encoding,
                                                   const std::string& translatedPath)
{
    // Read and merged as Continue reads and merges them.
    const LanguageFile source = readLanguageFile(sourcePath, encoding);
    LanguageFile earlier;
    try {
        earlier = readLanguageFile(translatedPath, source.encoding);
    } catch (const KalmoError&) {
        return std::nullopt;
    }
    const std::vector<EntryProgress> entries
        = entryProgress(source.lines, mergeTranslation(source.lines, earlier.lines).lines);
    const auto translated = std::count_if(entries.begin(), entries.end(), [](const auto& e) { return e.translated; });
    const std::string counted = std::to_string(translated) + " of " + std::to_string(entries.size());
    return Question{fileNameOf(translatedPath) + " already holds a translation (" + counted
                        + " entries translated). Continue it, or start over? Starting over keeps it as a backup.",
                    {"Continue", "Start Over", "Cancel"},
                    static_cast<std::size_t>(EarlierTranslationAnswer::Continue),
                    static_cast<std::size_t>(EarlierTranslationAnswer::Cancel)};
}

} // namespace kalmo
