// The source texts of one language's records, indexed by their trigrams (three
// characters in a row, after MatchText's tokens) in memory, so that a lookup
// over a hundred thousand records counts shared trigrams for the few records
// that have any and scores only the most promising by edit distance.
#pragma once

#include "job/memory/MatchText.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace kalmo {

struct FuzzyMatch {
    std::string source;
    int score = 0;
};

class FuzzyIndex {
public:
    // Adds a source text; a text already held is not added twice.
    void add(const std::string& source);
    std::size_t size() const { return texts_.size(); }

    // The held texts that score at least minScore against the text, best
    // first, at most `limit`; the text itself is left out.
    std::vector<FuzzyMatch> lookup(const std::string& text, int minScore, std::size_t limit) const;

private:
    struct Text {
        const std::string* source;
        std::uint32_t trigrams;   // distinct trigrams
        std::uint32_t characters; // of its MatchText
    };

    std::unordered_set<std::string> sources_;
    std::vector<Text> texts_;
    std::unordered_map<std::uint64_t, std::vector<std::uint32_t>> postings_;
    // Shared-trigram counts of one lookup, zero between lookups.
    mutable std::vector<std::uint32_t> counts_;
};

} // namespace kalmo
