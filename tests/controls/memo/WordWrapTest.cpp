// Word wrapping of memo lines at a given width.
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

} // namespace
} // namespace kalmo
