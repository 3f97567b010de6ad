// Looking up suggestions in the translation memory; see MemoryLookup.h.
#include "job/memory/MemoryLookup.h"

#include "job/memory/MatchText.h"

#include <algorithm>

namespace kalmo {

void MemoryLookup::update(MemoryStore& store, const std::string& language)
{
    // Another language, or a memory that was replaced, is indexed afresh.
    if (language != language_ || store.path() != storePath_) {
        index_ = FuzzyIndex();
        language_ = language;
        storePath_ = store.path();
        indexedUpTo_ = 0;
    }
    const std::int64_t last = store.lastId();
    if (last == indexedUpTo_)
        return;
    store.forEachSourceAfter(language, indexedUpTo_, [this](std::int64_t, const std::string& source) {
        index_.add(source);
    });
    indexedUpTo_ = last;
}

std::vector<Suggestion> MemoryLookup::suggestions(MemoryStore& store, const std::string& language,
                                                  const std::string& constant, const std::string& source)
{
    update(store, language);
    std::vector<Suggestion> found;
    const auto offer = [&](const MemoryRecord& record, int score, std::string translation) {
        if (found.size() >= kMaxSuggestions)
            return;
        const bool known = std::any_of(found.begin(), found.end(),
                                       [&](const Suggestion& s) { return s.translation == translation; });
        if (!known)
            found.push_back({score, std::move(translation), record.source, record.constant, record.file,
                             markChangedWords(record.source, source)});
    };
    for (const MemoryRecord& record : store.exactMatches(language, source, constant, kMaxSuggestions))
        offer(record, 100, record.translation);
    if (found.size() >= kMaxSuggestions)
        return found;

    const MatchText wanted = matchTextOf(source);
    for (const FuzzyMatch& match : index_.lookup(source, kMinScore, kMaxSuggestions * 2)) {
        const std::vector<MemoryRecord> records = store.exactMatches(language, match.source, constant, 1);
        if (!records.empty())
            offer(records.front(), match.score,
                  fitTranslation(records.front().translation, matchTextOf(match.source), wanted));
    }
    return found;
}

} // namespace kalmo
