// How a key is written in the program's list of keys.
#include "job/KeyboardShortcuts.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace kalmo {
namespace {

class ShortCutTextTest : public ::testing::TestWithParam<std::pair<ShortCut, std::string>> {};

TEST_P(ShortCutTextTest, WritesModifiersThenTheKey)
{
    EXPECT_EQ(shortCutText(GetParam().first), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ShortCutTextTest,
    ::testing::Values(std::pair<ShortCut, std::string>{16463, "Ctrl+O"},
                      std::pair<ShortCut, std::string>{shortCut('S', ssCtrl | ssShift), "Ctrl+Shift+S"},
                      std::pair<ShortCut, std::string>{vk::F3, "F3"},
                      std::pair<ShortCut, std::string>{shortCut(vk::F1 + 11, 0), "F12"},
                      std::pair<ShortCut, std::string>{shortCut(vk::Backspace, ssAlt | ssShift), "Alt+Shift+Backspace"},
                      std::pair<ShortCut, std::string>{shortCut(vk::Insert, ssCtrl), "Ctrl+Insert"},
                      std::pair<ShortCut, std::string>{shortCut('7', ssCtrl | ssAlt), "Ctrl+Alt+7"}));

} // namespace
} // namespace kalmo
