// Display cells and byte offsets of UTF-8 lines.
#include "controls/memo/Utf8Columns.h"

#include <gtest/gtest.h>

namespace kalmo {
namespace {

// Short names for the multi-byte pieces of the cases.
#define E_ACUTE "\xC3\xA9"        // é, one code point
#define COMBINING_ACUTE "\xCC\x81" // joins the letter before it
#define XIAN "\xE6\x98\xBE"       // 显, wide
#define SHI "\xE7\xA4\xBA"        // 示, wide
#define THAI_KO "\xE0\xB8\x81"    // ก
#define THAI_MAI_EK "\xE0\xB9\x88" // tone mark, joins the consonant
#define THAI_SARA_I "\xE0\xB8\xB4" // vowel above, joins the consonant
#define FULLWIDTH_A "\xEF\xBC\xA1" // Ａ, wide
#define GRINNING "\xF0\x9F\x98\x80" // emoji, wide

struct ColumnCase {
    const char* name;
    const char* text;
    int cells;
    int column;             // asked for
    std::size_t byteOffset; // of the cluster covering that column
    int clusterStart;       // where a caret asked for that column stands
    int next;               // one step right from there
};

class Utf8ColumnsTest : public ::testing::TestWithParam<ColumnCase> {};

TEST_P(Utf8ColumnsTest, MapsCellsToClustersAndBytes)
{
    const ColumnCase& c = GetParam();
    EXPECT_EQ(utf8Columns(c.text), c.cells);
    EXPECT_EQ(utf8ByteOffset(c.text, c.column), c.byteOffset);
    EXPECT_EQ(utf8ClusterStart(c.text, c.column), c.clusterStart);
    EXPECT_EQ(utf8NextColumn(c.text, c.column), c.next);
    EXPECT_EQ(static_cast<int>(cellCharacters(c.text).size()), c.cells);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Utf8ColumnsTest,
    ::testing::Values(ColumnCase{"Empty", "", 0, 0, 0, 0, 1},
                      ColumnCase{"Ascii", "abc", 3, 1, 1, 1, 2},
                      ColumnCase{"AsciiBeyondEnd", "abc", 3, 7, 3, 7, 8},
                      ColumnCase{"NegativeColumn", "abc", 3, -2, 0, -2, -1},
                      ColumnCase{"PrecomposedAccent", "caf" E_ACUTE "!", 5, 4, 5, 4, 5},
                      ColumnCase{"CombiningAccentJoinsLetter", "cafe" COMBINING_ACUTE "!", 5, 3, 3, 3, 4},
                      ColumnCase{"AfterCombinedLetter", "cafe" COMBINING_ACUTE "!", 5, 4, 6, 4, 5},
                      ColumnCase{"LoneCombiningMarkTakesOneCell", COMBINING_ACUTE "x", 2, 1, 2, 1, 2},
                      ColumnCase{"WideFirstCell", "'" XIAN SHI "');", 8, 1, 1, 1, 3},
                      ColumnCase{"WideSecondCellSnapsToStart", "'" XIAN SHI "');", 8, 2, 1, 1, 3},
                      ColumnCase{"AfterWidePair", "'" XIAN SHI "');", 8, 5, 7, 5, 6},
                      ColumnCase{"FullwidthLatin", "x" FULLWIDTH_A "y", 4, 2, 1, 1, 3},
                      ColumnCase{"EmojiIsWide", "a" GRINNING "z", 4, 3, 5, 3, 4},
                      ColumnCase{"ThaiMarksJoinConsonant", THAI_KO THAI_SARA_I THAI_MAI_EK THAI_KO, 2, 1, 9, 1, 2},
                      // a cut-off sequence is a cell per byte, never read past the end
                      ColumnCase{"CutOffSequence", "x\xE2\x82", 3, 1, 1, 1, 2},
                      ColumnCase{"StrayContinuationByte", "\x80" "a", 2, 1, 1, 1, 2}),
    [](const ::testing::TestParamInfo<ColumnCase>& info) { return std::string(info.param.name); });

// Accessibility counts in UTF-16 units: a wide CJK character is one unit,
// an emoji two, a combining mark a unit of its own, a malformed byte one.
struct Utf16Case {
    const char* name;
    const char* text;
    int column;       // asked for
    int offset;       // UTF-16 units before the cluster covering it
    int backToColumn; // the column read back from that offset + extra
    int extra;        // units into the cluster
};

class Utf16OffsetTest : public ::testing::TestWithParam<Utf16Case> {};

TEST_P(Utf16OffsetTest, MapsCellsToUtf16UnitsAndBack)
{
    const Utf16Case& c = GetParam();
    EXPECT_EQ(utf16Offset(c.text, c.column), c.offset);
    EXPECT_EQ(columnAtUtf16Offset(c.text, c.offset + c.extra), c.backToColumn);
    EXPECT_EQ(static_cast<int>(utf16Text(c.text).size()), utf16Offset(c.text, utf8Columns(c.text)));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Utf16OffsetTest,
    ::testing::Values(Utf16Case{"Ascii", "abc", 2, 2, 2, 0},
                      Utf16Case{"AsciiBeyondEnd", "abc", 9, 3, 3, 5},
                      Utf16Case{"SecondCellOfWide", "'" XIAN SHI "'", 2, 1, 1, 0},
                      Utf16Case{"AfterWidePair", "'" XIAN SHI "'", 5, 3, 5, 0},
                      Utf16Case{"InsideSurrogatePair", "a" GRINNING "z", 1, 1, 1, 1},
                      Utf16Case{"AfterSurrogatePair", "a" GRINNING "z", 3, 3, 3, 0},
                      Utf16Case{"OnCombiningMark", "e" COMBINING_ACUTE "x", 0, 0, 0, 1},
                      Utf16Case{"AfterCombinedLetter", "e" COMBINING_ACUTE "x", 1, 2, 1, 0},
                      Utf16Case{"AfterMalformedByte", "\x80" XIAN "a", 3, 2, 3, 0},
                      Utf16Case{"NegativeColumn", XIAN, -1, 0, 0, -4}),
    [](const ::testing::TestParamInfo<Utf16Case>& info) { return std::string(info.param.name); });

TEST(Utf8Columns, Utf16TextWritesSurrogatesAndReplacesMalformedBytes)
{
    EXPECT_EQ(utf16Text("a" GRINNING XIAN "\xFF"), std::u16string(u"a\U0001F600\u663E\uFFFD"));
}

TEST(Utf8Columns, LeftAndFromSplitAtClusters)
{
    const std::string text = "na" "i\xCC\x88" "ve " XIAN "!";
    EXPECT_EQ(utf8Left(text, 3), "na" "i\xCC\x88");
    EXPECT_EQ(utf8From(text, 3), "ve " XIAN "!");
    // inside the wide character: the left part stops before it, the rest starts with it
    EXPECT_EQ(utf8Left(text, 7), "na" "i\xCC\x88" "ve ");
    EXPECT_EQ(utf8From(text, 7), XIAN "!");
    EXPECT_EQ(utf8Left(text, 99), text);
    EXPECT_EQ(utf8From(text, 99), "");
}

TEST(Utf8Columns, CellCharactersRepeatAWideCharacterAndSkipMarks)
{
    EXPECT_EQ(cellCharacters("a" XIAN "e" COMBINING_ACUTE " "),
              (std::vector<char32_t>{U'a', U'\u663E', U'\u663E', U'e', U' '}));
}

TEST(Utf8Columns, ClustersCoverEveryByteOnce)
{
    const std::string text = "x" THAI_KO THAI_MAI_EK "\xFF" XIAN COMBINING_ACUTE "e";
    ClusterWalker walker(text);
    TextCluster cluster;
    std::vector<std::pair<std::size_t, int>> seen; // byte, width
    std::size_t end = 0;
    int column = 0;
    while (walker.next(cluster)) {
        EXPECT_EQ(cluster.byte, end);
        EXPECT_EQ(cluster.column, column);
        seen.emplace_back(cluster.byte, cluster.width);
        end = cluster.byte + cluster.size;
        column += cluster.width;
    }
    EXPECT_EQ(end, text.size());
    const std::vector<std::pair<std::size_t, int>> expected{{0, 1}, {1, 1}, {7, 1}, {8, 2}, {13, 1}};
    EXPECT_EQ(seen, expected);
}

} // namespace
} // namespace kalmo
