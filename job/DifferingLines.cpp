// Where a line list differs from a base; see DifferingLines.h.
#include "job/DifferingLines.h"

namespace kalmo {

void DifferingLines::recount(const LineList& base, const LineList& changed)
{
    lines_.clear();
    sameLength_ = base.size() == changed.size();
    if (!sameLength_)
        return;
    for (std::size_t i = 0; i < base.size(); ++i)
        if (base[i] != changed[i])
            lines_.insert(static_cast<int>(i));
}

void DifferingLines::lineChanged(const LineList& base, const LineList& changed, int index)
{
    if (!sameLength_)
        return;
    const auto at = static_cast<std::size_t>(index);
    if (base[at] != changed[at])
        lines_.insert(index);
    else
        lines_.erase(index);
}

LineChanges DifferingLines::changes(const LineList& base, const LineList& changed) const
{
    if (!sameLength_)
        return changesBetween(base, changed);
    return changesAt(lines_, [&](int line) { return changed[static_cast<std::size_t>(line)]; });
}

} // namespace kalmo
