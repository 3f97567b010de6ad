// Runs of right-to-left text on the cell grid: which runs a line falls
// into, where each stands on screen, and that a line without such text is
// left alone.
#include "controls/memo/BidiColumns.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kalmo {
namespace {

#define MARHABA "\u0645\u0631\u062d\u0628\u0627" // مرحبا, five letters that join
#define BIK "\u0628\u0643"                       // بك
#define BI_KASRA "\u0628\u0650"                  // بِ, a letter with its vowel mark
#define SHALOM "\u05e9\u05dc\u05d5\u05dd"        // שלום
#define OLAM "\u05e2\u05d5\u05dc\u05dd"          // עולם
#define XIAN "\u663e"                            // 显, wide

struct ShownRun {
    int column;
    int columns;
    int visualColumn;
    bool rightToLeft;
    friend bool operator==(const ShownRun&, const ShownRun&) = default;
};

void PrintTo(const ShownRun& run, std::ostream* out)
{
    *out << (run.rightToLeft ? "R" : "L") << run.column << "+" << run.columns << "@" << run.visualColumn;
}

struct BidiCase {
    const char* name;
    const char* line;
    std::vector<ShownRun> runs; // in visual order
};

class VisualRunsTest : public ::testing::TestWithParam<BidiCase> {};

TEST_P(VisualRunsTest, PutsRunsInVisualOrderOnTheGrid)
{
    const BidiCase& c = GetParam();
    const std::string line = c.line;
    std::vector<ShownRun> runs;
    std::size_t bytes = 0;
    for (const BidiRun& run : visualRuns(line)) {
        runs.push_back(ShownRun{run.column, run.columns, run.visualColumn, run.rightToLeft});
        bytes += run.size;
    }
    EXPECT_EQ(runs, c.runs);
    EXPECT_EQ(hasRightToLeftText(line), !c.runs.empty());
    if (!runs.empty()) {
        EXPECT_EQ(bytes, line.size()) << "the runs cover every byte once";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VisualRunsTest,
    ::testing::Values(
        BidiCase{"AsciiIsLeftAlone", "define('_X', 'Hello');", {}},
        BidiCase{"WideAndAccentedAreLeftAlone", "'" XIAN "e\u0301'", {}},
        // A placeholder between two Arabic words splits them: each word is
        // turned round in its own place, %s stays between them.
        BidiCase{"PlaceholderBetweenArabicWords",
                 "define('_X', '" MARHABA " %s " BIK "');",
                 {{0, 14, 0, false}, {14, 5, 14, true}, {19, 4, 19, false}, {23, 2, 23, true}, {25, 3, 25, false}}},
        // Digits inside Arabic read left to right, but the words around them swap sides.
        BidiCase{"NumberInsideArabic",
                 "'" MARHABA " 12 " BIK "'",
                 {{0, 1, 0, false}, {9, 3, 1, true}, {7, 2, 4, false}, {1, 6, 6, true}, {12, 1, 12, false}}},
        BidiCase{"HebrewWordsWithTheirSpace", "x " SHALOM " " OLAM " y",
                 {{0, 2, 0, false}, {2, 9, 2, true}, {11, 2, 11, false}}},
        BidiCase{"MarkStaysWithItsLetter", "a" BI_KASRA "\u0643b", {{0, 1, 0, false}, {1, 2, 1, true}, {3, 1, 3, false}}},
        // Space at the line's end goes back to the line's own direction.
        BidiCase{"TrailingSpaceAfterHebrew", "ab " SHALOM "  ", {{0, 3, 0, false}, {3, 4, 3, true}, {7, 2, 7, false}}},
        // A right-to-left override turns even Latin round; the override and
        // its end are invisible characters with a cell each.
        BidiCase{"OverrideReversesLatin", "a\u202e" "bc\u202c" "d", {{0, 2, 0, false}, {2, 3, 2, true}, {5, 1, 5, false}}}),
    [](const ::testing::TestParamInfo<BidiCase>& info) { return std::string(info.param.name); });

TEST(VisualRuns, RunAtColumnFindsTheLogicalRun)
{
    const std::vector<BidiRun> runs = visualRuns("'" MARHABA " 12 " BIK "'");
    ASSERT_NE(runAtColumn(runs, 8), nullptr);
    EXPECT_EQ(runAtColumn(runs, 8)->column, 7);
    EXPECT_EQ(runAtColumn(runs, 13), nullptr);
}

} // namespace
} // namespace kalmo
