// Bit-parallel edit distance; see EditDistance.h. The table's columns are
// kept as bit vectors of vertical differences (+1 / -1 from the cell above),
// one bit per row of the shorter text, in blocks of 64 rows; each character
// of the longer text advances every block by a handful of word operations.
#include "job/memory/EditDistance.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace kalmo {
namespace {

constexpr std::size_t kBits = 64;

// For each character of the pattern, the rows (bits) where it stands.
class PatternMasks {
public:
    explicit PatternMasks(std::u32string_view pattern) : blocks_((pattern.size() + kBits - 1) / kBits)
    {
        ascii_.assign(128 * blocks_, 0);
        for (std::size_t row = 0; row < pattern.size(); ++row) {
            std::uint64_t* masks = masksFor(pattern[row], true);
            masks[row / kBits] |= std::uint64_t{1} << (row % kBits);
        }
    }

    std::size_t blocks() const { return blocks_; }

    // Null for a character the pattern does not hold.
    const std::uint64_t* find(char32_t ch) const { return const_cast<PatternMasks*>(this)->masksFor(ch, false); }

private:
    std::uint64_t* masksFor(char32_t ch, bool add)
    {
        if (ch < 128)
            return &ascii_[ch * blocks_];
        auto found = others_.find(ch);
        if (found == others_.end()) {
            if (!add)
                return nullptr;
            found = others_.emplace(ch, std::vector<std::uint64_t>(blocks_, 0)).first;
        }
        return found->second.data();
    }

    std::size_t blocks_;
    std::vector<std::uint64_t> ascii_;
    std::unordered_map<char32_t, std::vector<std::uint64_t>> others_;
};

} // namespace

std::size_t editDistance(std::u32string_view a, std::u32string_view b)
{
    // The shorter text gives the rows: fewer blocks per step.
    const std::u32string_view pattern = a.size() <= b.size() ? a : b;
    const std::u32string_view text = a.size() <= b.size() ? b : a;
    if (pattern.empty())
        return text.size();

    const PatternMasks masks(pattern);
    const std::size_t blocks = masks.blocks();
    std::vector<std::uint64_t> plusVertical(blocks, ~std::uint64_t{0});
    std::vector<std::uint64_t> minusVertical(blocks, 0);
    const std::size_t lastBits = pattern.size() - (blocks - 1) * kBits;
    const std::uint64_t lastRowBit = std::uint64_t{1} << (lastBits - 1);
    const std::uint64_t highBit = std::uint64_t{1} << (kBits - 1);

    std::size_t distance = pattern.size();
    for (const char32_t ch : text) {
        const std::uint64_t* equal = masks.find(ch);
        // Row 0 of the table grows by one per column: the first block is
        // fed a horizontal difference of +1.
        int carry = 1;
        for (std::size_t block = 0; block < blocks; ++block) {
            std::uint64_t eq = equal ? equal[block] : 0;
            const std::uint64_t pv = plusVertical[block];
            const std::uint64_t mv = minusVertical[block];
            const std::uint64_t xv = eq | mv;
            if (carry < 0)
                eq |= 1;
            const std::uint64_t xh = (((eq & pv) + pv) ^ pv) | eq;
            std::uint64_t ph = mv | ~(xh | pv);
            std::uint64_t mh = pv & xh;
            const std::uint64_t top = block + 1 == blocks ? lastRowBit : highBit;
            const int out = (ph & top) ? 1 : (mh & top) ? -1 : 0;
            ph <<= 1;
            mh <<= 1;
            if (carry < 0)
                mh |= 1;
            else if (carry > 0)
                ph |= 1;
            plusVertical[block] = mh | ~(xv | ph);
            minusVertical[block] = ph & xv;
            carry = out;
        }
        distance = static_cast<std::size_t>(static_cast<std::ptrdiff_t>(distance) + carry);
    }
    return distance;
}

} // namespace kalmo
