// Visual order of a line's runs; see BidiColumns.h. FriBidi resolves the
// levels of code points; a cluster takes its first code point's level (a
// mark has its base's level anyway), so no cluster is ever split.
#include "controls/memo/BidiColumns.h"

#include "controls/memo/MemoCharacters.h"
#include "controls/memo/Utf8Columns.h"

#include <fribidi.h>

#include <algorithm>

namespace kalmo {

namespace {

struct LevelledRun {
    BidiRun run;
    FriBidiLevel level = 0;
};

// Rule L2: from the highest level down to the lowest odd one, every
// maximal sequence of runs at that level or above is reversed.
void reorderByLevels(std::vector<LevelledRun>& runs)
{
    FriBidiLevel highest = 0;
    for (const LevelledRun& r : runs)
        highest = std::max(highest, r.level);
    for (FriBidiLevel level = highest; level >= 1; --level) {
        auto from = runs.begin();
        while (from != runs.end()) {
            from = std::find_if(from, runs.end(), [level](const LevelledRun& r) { return r.level >= level; });
            const auto to = std::find_if(from, runs.end(), [level](const LevelledRun& r) { return r.level < level; });
            std::reverse(from, to);
            from = to;
        }
    }
}

} // namespace

bool hasRightToLeftText(std::string_view line)
{
    if (isAsciiText(line))
        return false;
    const std::vector<char32_t> characters = codePoints(line);
    return std::any_of(characters.begin(), characters.end(),
                       [](char32_t ch) { return FRIBIDI_IS_RTL(fribidi_get_bidi_type(static_cast<FriBidiChar>(ch))); });
}

std::vector<BidiRun> visualRuns(std::string_view line)
{
    if (!hasRightToLeftText(line))
        return {};
    std::vector<TextCluster> clusters;
    std::vector<FriBidiChar> characters;
    std::vector<std::size_t> firstCharacter; // of each cluster
    ClusterWalker walker(line);
    TextCluster cluster;
    while (walker.next(cluster)) {
        clusters.push_back(cluster);
        firstCharacter.push_back(characters.size());
        for (const char32_t ch : codePoints(line.substr(cluster.byte, cluster.size)))
            characters.push_back(static_cast<FriBidiChar>(ch));
    }
    const auto length = static_cast<FriBidiStrIndex>(characters.size());
    std::vector<FriBidiCharType> types(characters.size());
    std::vector<FriBidiBracketType> brackets(characters.size());
    std::vector<FriBidiLevel> levels(characters.size());
    fribidi_get_bidi_types(characters.data(), length, types.data());
    fribidi_get_bracket_types(characters.data(), length, types.data(), brackets.data());
    FriBidiParType direction = FRIBIDI_PAR_LTR;
    // Either call fails only when memory runs out: the line is then shown in
    // logical order rather than not at all. The second applies the last part
    // of rule L1 (white space at the line's end goes back to the base level).
    if (fribidi_get_par_embedding_levels_ex(types.data(), brackets.data(), length, &direction, levels.data()) == 0
        || fribidi_reorder_line(FRIBIDI_FLAGS_DEFAULT, types.data(), length, 0, direction, levels.data(), nullptr,
                                nullptr)
               == 0)
        return {};

    std::vector<LevelledRun> runs;
    for (std::size_t i = 0; i < clusters.size(); ++i) {
        const TextCluster& c = clusters[i];
        const FriBidiLevel level = levels[firstCharacter[i]];
        if (runs.empty() || runs.back().level != level) {
            runs.push_back(LevelledRun{BidiRun{c.byte, 0, c.column, 0, 0, FRIBIDI_LEVEL_IS_RTL(level) != 0}, level});
        }
        BidiRun& run = runs.back().run;
        run.size = c.byte + c.size - run.byte;
        run.columns = c.column + c.width - run.column;
    }
    reorderByLevels(runs);

    std::vector<BidiRun> result;
    result.reserve(runs.size());
    int visualColumn = 0;
    for (LevelledRun& r : runs) {
        r.run.visualColumn = visualColumn;
        visualColumn += r.run.columns;
        result.push_back(r.run);
    }
    return result;
}

const BidiRun* runAtColumn(const std::vector<BidiRun>& runs, int column)
{
    const auto found = std::find_if(runs.begin(), runs.end(),
                                    [column](const BidiRun& run) { return column >= run.column && column < run.end(); });
    return found == runs.end() ? nullptr : &*found;
}

} // namespace kalmo
