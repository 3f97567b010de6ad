#include "job/LineList.h"
#include "job/TextEncoding.h"

#include <gtest/gtest.h>

namespace kalmo {
namespace {

struct SplitCase {
    std::string content;
    LineList lines;
};

class LineSplitting : public testing::TestWithParam<SplitCase> {};

TEST_P(LineSplitting, FollowsTheBreakAndNulRules)
{
    EXPECT_EQ(splitLines(GetParam().content), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Contents, LineSplitting,
    testing::Values(SplitCase{"", {}}, SplitCase{"a", {"a"}}, SplitCase{"a\n", {"a"}},
                    SplitCase{"a\nb\n", {"a", "b"}}, SplitCase{"a\rb\r", {"a", "b"}},
                    SplitCase{"a\r\nb\r\n", {"a", "b"}}, SplitCase{"a\n\rb", {"a", "", "b"}},
                    SplitCase{"\n\n", {"", ""}}, SplitCase{"a\r\n\r\nb", {"a", "", "b"}},
                    SplitCase{std::string("ab\0cd\nef", 8), {"ab"}}, SplitCase{std::string("\0x", 2), {}},
                    SplitCase{"a\r", {"a"}}));

TEST(LineList, WritingEndsEveryLineWithCrLf)
{
    EXPECT_EQ(joinLines({}), "");
    EXPECT_EQ(joinLines({""}), "\r\n");
    EXPECT_EQ(joinLines({"a", "", "b"}), "a\r\n\r\nb\r\n");
    EXPECT_EQ(joinLines(splitLines("x\ny\rz")), "x\r\ny\r\nz\r\n");
}

TEST(TextEncoding, ValidUtf8IsTakenAsItIs)
{
    const std::string text = "Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC \xF0\x9F\x98\x80";
    EXPECT_TRUE(isValidUtf8(text));
    EXPECT_EQ(detectEncoding(text), TextEncoding::Utf8);
    EXPECT_EQ(toUtf8(text, TextEncoding::Utf8), text);
    EXPECT_EQ(fromUtf8(text, TextEncoding::Utf8), text);
}

TEST(TextEncoding, RejectsMalformedUtf8)
{
    for (const std::string bad : {"\xC3", "\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xFF",
                                  "caf\xE9"}) {
        EXPECT_FALSE(isValidUtf8(bad)) << testing::PrintToString(bad);
        EXPECT_EQ(detectEncoding(bad), TextEncoding::Windows1252);
    }
}

TEST(TextEncoding, EveryWindows1252ByteRoundTrips)
{
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    const std::string utf8 = windows1252ToUtf8(all);
    EXPECT_TRUE(isValidUtf8(utf8));
    EXPECT_EQ(utf8ToWindows1252(utf8), all);
    EXPECT_EQ(windows1252ToUtf8("\x80\xE9"), "\xE2\x82\xAC\xC3\xA9");
    EXPECT_EQ(windows1252ToUtf8("\x81\x8D\x8F\x90\x9D"), "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D");
}

TEST(TextEncoding, CharactersWindows1252CannotHoldBecomeCharacterReferences)
{
    EXPECT_EQ(utf8ToWindows1252("\xE2\x82\xAC 5"), "\x80 5");
    EXPECT_EQ(utf8ToWindows1252("\xD0\x96" "a\xF0\x9F\x98\x80"), "&#1046;a&#128512;");
}

} // namespace
} // namespace kalmo
