// Word wrapping of memo lines at a given width, and prose joined into paragraphs.
#include "controls/memo/WordWrap.h"

#include <gtest/gtest.h>

namespace kalmo {
namespace {

using Lines = std::vector<std::string>;

struct WrapCase {
    const char* name;
    Lines lines;
    int cells;
    Lines wrapped;
};

class WordWrapping : public testing::TestWithParam<WrapCase> {};

TEST_P(WordWrapping, BreaksAtSpacesWithinTheWidth)
{
    EXPECT_EQ(wrapAtWords(GetParam().lines, GetParam().cells), GetParam().wrapped);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, WordWrapping,
    testing::Values(WrapCase{"short_and_empty_lines_stay", {"Quick Help", "", "fits"}, 10, {"Quick Help", "", "fits"}},
                    WrapCase{"breaks_before_the_word_that_overflows", {"aaa bbb ccc dd"}, 8, {"aaa bbb", "ccc dd"}},
                    WrapCase{"a_word_exactly_as_wide_fits", {"abcd efgh"}, 4, {"abcd", "efgh"}},
                    WrapCase{"a_longer_word_is_cut", {"x abcdefghij y"}, 4, {"x", "abcd", "efgh", "ij y"}},
                    WrapCase{"multibyte_letters_count_once", {"\xC3\xA4\xC3\xA4 \xC3\xB6\xC3\xB6"}, 3,
                             {"\xC3\xA4\xC3\xA4", "\xC3\xB6\xC3\xB6"}},
                    WrapCase{"no_width_changes_nothing", {"aaa bbb"}, 0, {"aaa bbb"}}),
    [](const testing::TestParamInfo<WrapCase>& info) { return std::string(info.param.name); });

struct JoinCase {
    const char* name;
    Lines lines;
    Lines paragraphs;
};

class ParagraphJoining : public testing::TestWithParam<JoinCase> {};

TEST_P(ParagraphJoining, JoinsLinesBetweenBlankLines)
{
    EXPECT_EQ(joinParagraphs(GetParam().lines), GetParam().paragraphs);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParagraphJoining,
    testing::Values(JoinCase{"lines_of_a_paragraph_join_with_a_space", {"Any changes you make", "will be"},
                             {"Any changes you make will be"}},
                    JoinCase{"blank_lines_separate_and_stay", {"Quick Help", "", "a", "b", "", "c"},
                             {"Quick Help", "", "a b", "", "c"}},
                    JoinCase{"leading_and_doubled_blank_lines_stay", {"", "a", "", "", "b"}, {"", "a", "", "", "b"}},
                    JoinCase{"nothing_gives_nothing", {}, {}}),
    [](const testing::TestParamInfo<JoinCase>& info) { return std::string(info.param.name); });

} // namespace
} // namespace kalmo
