// Length bookkeeping for the line store; see LineLengths.h.
#include "controls/memo/document/LineLengths.h"

#include <cassert>

namespace kalmo {

void LineLengths::countIn(int length)
{
    const auto slot = static_cast<std::size_t>(length);
    if (slot >= linesOfLength_.size()) {
        linesOfLength_.resize(slot + 1, 0);
    }
    ++linesOfLength_[slot];
    if (length > max_) {
        max_ = length;
    }
}

void LineLengths::countOut(int length)
{
    const auto slot = static_cast<std::size_t>(length);
    assert(slot < linesOfLength_.size() && linesOfLength_[slot] > 0);
    --linesOfLength_[slot];
    // The walk down is bounded by the longest line's length, not by the
    // number of lines, and only runs when the last longest line shrinks.
    while (max_ > 0 && linesOfLength_[static_cast<std::size_t>(max_)] == 0) {
        --max_;
    }
}

void LineLengths::Insert(int index, int length)
{
    lengths_.insert(lengths_.begin() + index, length);
    countIn(length);
}

void LineLengths::Put(int index, int length)
{
    int& slot = lengths_[static_cast<std::size_t>(index)];
    if (slot == length) {
        return;
    }
    countIn(length);
    countOut(slot);
    slot = length;
}

void LineLengths::Delete(int index)
{
    const int length = lengths_[static_cast<std::size_t>(index)];
    lengths_.erase(lengths_.begin() + index);
    countOut(length);
}

void LineLengths::Clear()
{
    lengths_.clear();
    linesOfLength_.clear();
    max_ = 0;
}

void LineLengths::Rebuild()
{
    linesOfLength_.clear();
    max_ = 0;
    for (int length : lengths_) {
        if (length > max_) {
            max_ = length;
        }
    }
    linesOfLength_.assign(static_cast<std::size_t>(max_) + 1, 0);
    for (int length : lengths_) {
        ++linesOfLength_[static_cast<std::size_t>(length)];
    }
}

} // namespace kalmo
