// The changes that turn one line list into another, as runs of kept,
// dropped and inserted lines: the recovery journal stores work this way, so
// that a few translated entries of a huge file cost a few lines.
#pragma once

#include "job/LineList.h"

#include <cstddef>
#include <functional>
#include <string>
#include <set>
#include <vector>

namespace kalmo {

// Keep `keep` lines of the base, drop the `drop` lines after them, then put
// `insert` in their place. Base lines after the last run are kept.
struct LineRun {
    std::size_t keep = 0;
    std::size_t drop = 0;
    LineList insert;

    bool operator==(const LineRun&) const = default;
};

using LineChanges = std::vector<LineRun>;

// Runs that make `changed` from `base`. Lines that differ in place become
// one-line replacements; where the counts differ, everything between the
// common start and the common end is replaced, which is linear in time.
LineChanges changesBetween(const LineList& base, const LineList& changed);

// The runs that replace, in a base of the same length, the lines at the
// given indexes by those `lineAt` gives; what changesBetween gives when the
// two lists differ at exactly those lines.
LineChanges changesAt(const std::set<int>& lines, const std::function<std::string(int)>& lineAt);

// The base with the changes made; throws KalmoError when the runs ask for
// more lines than the base has.
LineList applyChanges(const LineList& base, const LineChanges& changes);

// How many lines the changes insert.
std::size_t insertedLines(const LineChanges& changes);

} // namespace kalmo
