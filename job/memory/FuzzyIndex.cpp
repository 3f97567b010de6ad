// The in-memory trigram index of the translation memory; see FuzzyIndex.h.
#include "job/memory/FuzzyIndex.h"

#include <algorithm>

namespace kalmo {
namespace {

// The texts with most trigrams in common are scored exactly; with the
// shares of trigrams in common this many leave room for texts whose order
// of words differs.
constexpr std::size_t kCandidates = 40;
// A lookup reads at most about this many postings: a long text's most
// common trigrams add little to tell texts apart and cost the most.
constexpr std::size_t kPostingBudget = 1'500'000;

// Texts start and end with marks, so that a text of one or two characters
// has trigrams too, and a word at the start counts apart.
constexpr char32_t kStart = 0x02;
constexpr char32_t kEnd = 0x03;

char32_t folded(char32_t ch) { return ch >= 'A' && ch <= 'Z' ? ch - 'A' + 'a' : ch; }

std::vector<std::uint64_t> trigramsOf(const std::u32string& characters)
{
    std::u32string padded;
    padded.reserve(characters.size() + 3);
    padded += kStart;
    padded += kStart;
    for (const char32_t ch : characters)
        padded += folded(ch);
    padded += kEnd;
    std::vector<std::uint64_t> trigrams;
    trigrams.reserve(padded.size());
    for (std::size_t i = 0; i + 2 < padded.size(); ++i)
        trigrams.push_back((std::uint64_t{padded[i]} << 42) | (std::uint64_t{padded[i + 1]} << 21) | padded[i + 2]);
    std::sort(trigrams.begin(), trigrams.end());
    trigrams.erase(std::unique(trigrams.begin(), trigrams.end()), trigrams.end());
    return trigrams;
}

} // namespace

void FuzzyIndex::add(const std::string& source)
{
    const auto [held, added] = sources_.insert(source);
    if (!added)
        return;
    const MatchText text = matchTextOf(source);
    const std::vector<std::uint64_t> trigrams = trigramsOf(text.characters);
    const auto index = static_cast<std::uint32_t>(texts_.size());
    texts_.push_back({&*held, static_cast<std::uint32_t>(trigrams.size()),
                      static_cast<std::uint32_t>(text.characters.size())});
    for (const std::uint64_t trigram : trigrams)
        postings_[trigram].push_back(index);
    counts_.push_back(0);
}

std::vector<FuzzyMatch> FuzzyIndex::lookup(const std::string& text, int minScore, std::size_t limit) const
{
    const MatchText wanted = matchTextOf(text);
    const std::vector<std::uint64_t> trigrams = trigramsOf(wanted.characters);

    std::vector<const std::vector<std::uint32_t>*> lists;
    for (const std::uint64_t trigram : trigrams) {
        const auto found = postings_.find(trigram);
        if (found != postings_.end())
            lists.push_back(&found->second);
    }
    std::sort(lists.begin(), lists.end(), [](const auto* a, const auto* b) { return a->size() < b->size(); });
    std::vector<std::uint32_t> touched;
    std::size_t read = 0;
    for (const auto* list : lists) {
        if (read > kPostingBudget)
            break;
        read += list->size();
        for (const std::uint32_t index : *list) {
            if (counts_[index]++ == 0)
                touched.push_back(index);
        }
    }

    // Texts ranked by the share of trigrams they have in common (Dice), of
    // those whose length leaves room for the score asked for.
    const double wantedLength = static_cast<double>(std::max<std::size_t>(wanted.characters.size(), 1));
    std::vector<std::pair<double, std::uint32_t>> ranked;
    for (const std::uint32_t index : touched) {
        const Text& candidate = texts_[index];
        const double length = std::max<double>(candidate.characters, 1);
        const double lengthBound = std::min(length, wantedLength) / std::max(length, wantedLength);
        if (lengthBound * 100 >= minScore) {
            const double dice = 2.0 * counts_[index] / (trigrams.size() + candidate.trigrams);
            ranked.emplace_back(dice, index);
        }
        counts_[index] = 0;
    }
    const std::size_t kept = std::min(ranked.size(), kCandidates);
    std::partial_sort(ranked.begin(), ranked.begin() + static_cast<std::ptrdiff_t>(kept), ranked.end(),
                      [](const auto& a, const auto& b) { return a.first > b.first; });

    std::vector<FuzzyMatch> matches;
    for (std::size_t i = 0; i < kept; ++i) {
        const std::string& source = *texts_[ranked[i].second].source;
        if (source == text)
            continue;
        const int score = matchScore(text, wanted, source, matchTextOf(source));
        if (score >= minScore)
            matches.push_back({source, score});
    }
    std::stable_sort(matches.begin(), matches.end(), [](const auto& a, const auto& b) { return a.score > b.score; });
    if (matches.size() > limit)
        matches.resize(limit);
    return matches;
}

} // namespace kalmo
