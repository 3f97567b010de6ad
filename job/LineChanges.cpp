// Line changes between two line lists; see LineChanges.h.
#include "job/LineChanges.h"

#include "base/KalmoError.h"

#include <algorithm>

namespace kalmo {

LineChanges changesBetween(const LineList& base, const LineList& changed)
{
    const std::size_t shorter = std::min(base.size(), changed.size());
    std::size_t head = 0;
    while (head < shorter && base[head] == changed[head])
        ++head;
    std::size_t tail = 0;
    while (tail < shorter - head && base[base.size() - 1 - tail] == changed[changed.size() - 1 - tail])
        ++tail;
    const std::size_t baseMiddle = base.size() - head - tail;
    const std::size_t changedMiddle = changed.size() - head - tail;

    LineChanges changes;
    if (baseMiddle != changedMiddle) {
        changes.push_back({head, baseMiddle,
                           LineList(changed.begin() + static_cast<std::ptrdiff_t>(head),
                                    changed.begin() + static_cast<std::ptrdiff_t>(head + changedMiddle))});
        return changes;
    }
    // Same count: only the lines that differ, each run of them replaced in place.
    std::set<int> differing;
    for (std::size_t i = head; i < head + baseMiddle; ++i)
        if (base[i] != changed[i])
            differing.insert(static_cast<int>(i));
    return changesAt(differing, [&](int line) { return changed[static_cast<std::size_t>(line)]; });
}

LineChanges changesAt(const std::set<int>& lines, const std::function<std::string(int)>& lineAt)
{
    LineChanges changes;
    std::size_t next = 0;
    for (const int line : lines) {
        const auto at = static_cast<std::size_t>(line);
        if (at == next && !changes.empty()) {
            ++changes.back().drop;
            changes.back().insert.push_back(lineAt(line));
        } else {
            changes.push_back({at - next, 1, {lineAt(line)}});
        }
        next = at + 1;
    }
    return changes;
}

LineList applyChanges(const LineList& base, const LineChanges& changes)
{
    LineList result;
    result.reserve(base.size());
    std::size_t at = 0;
    for (const LineRun& run : changes) {
        if (run.keep > base.size() - at || run.drop > base.size() - at - run.keep)
            throw KalmoError("The changes reach past line " + std::to_string(base.size())
                             + " of the lines they change");
        result.insert(result.end(), base.begin() + static_cast<std::ptrdiff_t>(at),
                      base.begin() + static_cast<std::ptrdiff_t>(at + run.keep));
        at += run.keep + run.drop;
        result.insert(result.end(), run.insert.begin(), run.insert.end());
    }
    result.insert(result.end(), base.begin() + static_cast<std::ptrdiff_t>(at), base.end());
    return result;
}

std::size_t insertedLines(const LineChanges& changes)
{
    std::size_t count = 0;
    for (const LineRun& run : changes)
        count += run.insert.size();
    return count;
}

} // namespace kalmo
