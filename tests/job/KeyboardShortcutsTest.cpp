// How a key is written in the program's list of keys.
#include "controls/memo/MemoEditingKeys.h"
#include "job/KeyboardShortcuts.h"

#include <gtest/gtest.h>

#include <set>
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

TEST(MenuKeys, AreTakenOnceAndLeaveTheLowerPanesEditingKeysFreeUnderEachScheme)
{
    for (const KeyScheme scheme : {KeyScheme::Classic, KeyScheme::Common}) {
        std::set<ShortCut> taken;
        for (const MenuCommandEntry& entry : kMenuCommands) {
            const ShortCut key = entry.keyUnder(scheme);
            if (key != 0) {
                EXPECT_TRUE(taken.insert(key).second) << shortCutText(key) << " twice";
            }
        }
        for (const MemoEditingKey& editing : memoEditingKeys(scheme))
            EXPECT_FALSE(taken.contains(editing.keys)) << shortCutText(editing.keys) << " is a menu key";
    }
    EXPECT_EQ(menuCommandFor(shortCut('E', ssCtrl)), MenuCommand::NextProblem);
    EXPECT_EQ(menuCommandFor(shortCut('E', ssCtrl | ssShift), KeyScheme::Common), MenuCommand::PreviousProblem);
}

} // namespace
} // namespace kalmo
