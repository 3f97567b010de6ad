// Pairing the lines of an edited text with the lines it was made from.
#include "job/LineAlignment.h"
#include "testing/CaseNames.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kalmo {
namespace {

struct AlignmentCase {
    const char* name;
    std::vector<std::string> earlier;
    std::vector<std::string> edited;
    std::vector<int> pairs;
};

void PrintTo(const AlignmentCase& row, std::ostream* out) { *out << row.name; }

class LineAlignment : public testing::TestWithParam<AlignmentCase> {};

TEST_P(LineAlignment, PairsEveryLineThatStayed)
{
    const AlignmentCase& row = GetParam();
    const auto pairs = alignLines(row.earlier.size(), row.edited.size(),
                                  [&](std::size_t e, std::size_t d) { return row.earlier[e] == row.edited[d]; });
    EXPECT_EQ(pairs, row.pairs);
}

INSTANTIATE_TEST_SUITE_P(
    Edits, LineAlignment,
    testing::Values(AlignmentCase{"nothing changed", {"a", "b", "c"}, {"a", "b", "c"}, {0, 1, 2}},
                    AlignmentCase{"a line removed", {"a", "b", "c", "d"}, {"a", "c", "d"}, {0, 2, 3}},
                    AlignmentCase{"a line added", {"a", "b"}, {"a", "new", "b"}, {0, -1, 1}},
                    AlignmentCase{"edits in two places",
                                  {"a", "b", "c", "d", "e", "f"},
                                  {"a", "c", "d", "x", "e", "f", "g"},
                                  {0, 2, 3, -1, 4, 5, -1}},
                    AlignmentCase{"a repeated line pairs in order", {"x", "y", "x"}, {"x", "x"}, {0, 2}},
                    AlignmentCase{"everything new", {"a", "b"}, {"c"}, {-1}},
                    AlignmentCase{"an emptied text", {"a"}, {}, {}},
                    AlignmentCase{"from nothing", {}, {"a", "b"}, {-1, -1}}),
    testing_support::NameFrom<&AlignmentCase::name>());

} // namespace
} // namespace kalmo
