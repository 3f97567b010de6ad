// LineLengths (TIntList), the line-length list: one column count per line,
// kept parallel to the line texts, with the longest length available at once. The memo asks for
// the longest line after every caret move, so the maximum is kept through a
// count of lines per length instead of a scan of the whole list.
#pragma once

#include <vector>

namespace kalmo {

class LineLengths {
public:
    int Count() const { return static_cast<int>(lengths_.size()); }
    int operator[](int index) const { return lengths_[static_cast<std::size_t>(index)]; }

    void Insert(int index, int length);
    void Put(int index, int length);
    void Delete(int index);
    void Clear();

    // Appends without updating the maximum; Rebuild() must follow before
    // Max() is read. This is what lets a bulk append store only the lengths.
    void AppendUnindexed(int length) { lengths_.push_back(length); }
    void Rebuild();

    // The greatest length, 0 for an empty list.
    int Max() const { return max_; }

private:
    void countIn(int length);
    void countOut(int length);

    std::vector<int> lengths_;
    std::vector<int> linesOfLength_; // linesOfLength_[n]: how many lines are n long
    int max_ = 0;
};

} // namespace kalmo
