#include "controls/memo/Utf8Columns.h"

#include <gtest/gtest.h>

namespace kalmo {
namespace {

struct ColumnCase {
    const char* text;
    int columns;
    int column;            // asked for
    std::size_t byteOffset; // where that column starts
    int codePoint;          // the character there, -1 beyond the end
};

class Utf8ColumnsTest : public ::testing::TestWithParam<ColumnCase> {};

TEST_P(Utf8ColumnsTest, MapsColumnsToBytes)
{
    const ColumnCase& c = GetParam();
    EXPECT_EQ(utf8Columns(c.text), c.columns);
    EXPECT_EQ(utf8ByteOffset(c.text, c.column), c.byteOffset);
    EXPECT_EQ(utf8CodePointAt(c.text, c.column), c.codePoint);
}

INSTANTIATE_TEST_SUITE_P(Cases, Utf8ColumnsTest,
                         ::testing::Values(ColumnCase{"", 0, 0, 0, -1},
                                           ColumnCase{"abc", 3, 1, 1, 'b'},
                                           ColumnCase{"abc", 3, 7, 3, -1},
                                           ColumnCase{"abc", 3, -2, 0, -1},
                                           ColumnCase{"caf\xC3\xA9!", 5, 3, 3, 0xE9},
                                           ColumnCase{"caf\xC3\xA9!", 5, 4, 5, '!'},
                                           ColumnCase{"\xE2\x82\xAC" "uro", 4, 1, 3, 'u'},
                                           ColumnCase{"a\xF0\x9F\x98\x80z", 3, 2, 5, 'z'},
                                           ColumnCase{"a\xF0\x9F\x98\x80z", 3, 1, 1, 0x1F600},
                                           // a cut-off sequence is read as its lead byte, never past the end
                                           ColumnCase{"x\xE2\x82", 2, 1, 1, 0xE2}));

TEST(Utf8Columns, LeftAndFromSplitAtCodePoints)
{
    const std::string text = "na\xC3\xAFve";
    EXPECT_EQ(utf8Left(text, 3), "na\xC3\xAF");
    EXPECT_EQ(utf8From(text, 3), "ve");
    EXPECT_EQ(utf8Left(text, 99), text);
    EXPECT_EQ(utf8From(text, 99), "");
}

} // namespace
} // namespace kalmo
