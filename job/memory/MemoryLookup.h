// The suggestions for one source text: the memory's records of the same
// text (the entry's own constant first), then the texts most like it, each
// translation fitted to the entry's placeholders, numbers and tags. It keeps
// the fuzzy index of one language, brought up to date with the database
// before each lookup, so records another program stored meanwhile count too.
#pragma once

#include "job/memory/ChangedWords.h"
#include "job/memory/FuzzyIndex.h"
#include "job/memory/MemoryStore.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kalmo {

struct Suggestion {
    int score = 0; // per cent
    std::string translation; // fitted to the entry's source text
    std::string source;      // the record's
    std::string constant;
    std::string file;
    // The record's source, the words the entry's source text lacks marked.
    std::vector<MarkedPiece> sourceMarks;
};

class MemoryLookup {
public:
    static constexpr std::size_t kMaxSuggestions = 5;
    // Matches below this score say more about chance than about the text.
    static constexpr int kMinScore = 50;

    std::vector<Suggestion> suggestions(MemoryStore& store, const std::string& language, const std::string& constant,
                                        const std::string& source);

private:
    void update(MemoryStore& store, const std::string& language);

    FuzzyIndex index_;
    std::string language_;
    std::string storePath_;
    std::int64_t indexedUpTo_ = 0;
};

} // namespace kalmo
