// Where a line list differs from a base list, kept up to date line by line,
// so that "is anything unsaved" and the recovery journal's changes cost what
// changed rather than the file's length.
#pragma once

#include "job/LineChanges.h"
#include "job/LineList.h"

#include <set>

namespace kalmo {

class DifferingLines {
public:
    // Compares the two lists in full.
    void recount(const LineList& base, const LineList& changed);
    // Line `index` of either list changed in place.
    void lineChanged(const LineList& base, const LineList& changed, int index);
    // The lists differ: in length or at some line.
    bool any() const { return !sameLength_ || !lines_.empty(); }
    bool sameLength() const { return sameLength_; }
    // The lines that differ, while the lengths agree.
    const std::set<int>& lines() const { return lines_; }
    // changesBetween(base, changed), from the kept lines while the lengths
    // agree.
    LineChanges changes(const LineList& base, const LineList& changed) const;

private:
    bool sameLength_ = true;
    std::set<int> lines_;
};

} // namespace kalmo
