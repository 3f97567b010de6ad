// Splitting file content into lines and joining them back with their ends.
#include "job/LineList.h"
#include "testing/CaseNames.h"

#include <gtest/gtest.h>

namespace kalmo {
namespace {

using enum LineEnd;

struct SplitCase {
    std::string content;
    LineList lines;
    LineEnds ends;
};

void PrintTo(const SplitCase& row, std::ostream* out)
{
    *out << testing::PrintToString(row.content);
}

class LineSplitting : public testing::TestWithParam<SplitCase> {};

// Every line comes back with its own end, and joining the lines with those
// ends gives the content back byte for byte.
TEST_P(LineSplitting, KeepsEachLineEndAndJoinsBackByteForByte)
{
    LineEnds ends;
    EXPECT_EQ(splitLines(GetParam().content, &ends), GetParam().lines);
    EXPECT_EQ(ends, GetParam().ends);
    EXPECT_EQ(joinLines(GetParam().lines, ends), GetParam().content);
}

INSTANTIATE_TEST_SUITE_P(
    Contents, LineSplitting,
    testing::Values(SplitCase{"", {}, {}}, SplitCase{"a", {"a"}, {None}}, SplitCase{"a\n", {"a"}, {Lf}},
                    SplitCase{"a\nb\n", {"a", "b"}, {Lf, Lf}}, SplitCase{"a\rb\r", {"a", "b"}, {Cr, Cr}},
                    SplitCase{"a\r\nb\r\n", {"a", "b"}, {CrLf, CrLf}},
                    SplitCase{"a\n\rb", {"a", "", "b"}, {Lf, Cr, None}}, SplitCase{"\n\n", {"", ""}, {Lf, Lf}},
                    SplitCase{"a\r\n\r\nb", {"a", "", "b"}, {CrLf, CrLf, None}},
                    SplitCase{"a\r\nb\nc\rd", {"a", "b", "c", "d"}, {CrLf, Lf, Cr, None}},
                    SplitCase{"a\r", {"a"}, {Cr}},
                    // NUL is an ordinary byte here; the reader refuses such files.
                    SplitCase{std::string("ab\0cd\nef", 8), {std::string("ab\0cd", 5), "ef"}, {Lf, None}}),
    testing_support::NameFrom<&SplitCase::content>{});

struct JoinCase {
    const char* what;
    LineList lines;
    LineEnds loadedEnds;
    std::string content;
};

void PrintTo(const JoinCase& row, std::ostream* out)
{
    *out << row.what;
}

class LineJoining : public testing::TestWithParam<JoinCase> {};

TEST_P(LineJoining, WritesTheLoadedEndsOrTheFilesMostFrequentOne)
{
    const std::string joined = joinLines(GetParam().lines, GetParam().loadedEnds);
    EXPECT_EQ(joined, GetParam().content) << GetParam().what;
    // Whatever the ends, the file reads back as the lines written.
    EXPECT_EQ(splitLines(joined), GetParam().lines) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, LineJoining,
    testing::Values(
        JoinCase{"same count keeps each end", {"x", "y", "z"}, {Cr, CrLf, Lf}, "x\ry\r\nz\n"},
        JoinCase{"a line added takes the most frequent end", {"a", "b", "new", "c"}, {Lf, CrLf, Lf},
                 "a\nb\nnew\nc\n"},
        JoinCase{"a line removed", {"a", "c"}, {CrLf, Lf, CrLf}, "a\r\nc\r\n"},
        JoinCase{"a tie goes to the first line's end", {"a", "b", "c"}, {Lf, CrLf}, "a\nb\nc\n"},
        JoinCase{"a tie the first line is not in goes to the end met first", {"a", "b", "c", "d", "e", "f"},
                 {Cr, CrLf, Lf, Lf, CrLf}, "a\r\nb\r\nc\r\nd\r\ne\r\nf\r\n"},
        JoinCase{"count changed, no final end stays without", {"a", "b", "c"}, {Cr, None}, "a\rb\rc"},
        JoinCase{"single line without an end gets CR LF where it needs one", {"a", "b"}, {None}, "a\r\nb"},
        JoinCase{"an empty file's lines end in CR LF", {"a", "b"}, {}, "a\r\nb\r\n"},
        JoinCase{"no lines, no bytes", {}, {Lf}, ""},
        JoinCase{"an emptied last line keeps an end, else it would vanish", {"a", ""}, {Lf, None}, "a\n\n"},
        JoinCase{"an empty last line added keeps an end", {"a", "b", ""}, {Lf, None}, "a\nb\n\n"},
        JoinCase{"an emptied line after a CR does not join it into one CR LF", {"a", "", "c"}, {Cr, Lf, Lf},
                 "a\r\rc\n"}),
    [](const testing::TestParamInfo<JoinCase>& info) { return "Case" + std::to_string(info.index); });

} // namespace
} // namespace kalmo
