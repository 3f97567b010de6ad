// How a key is written in the program's list of keys, the menu bar's
// Alt+letter keys in that list, and the menu's keys under each scheme, none
// taken by another key.
#include "app/menu/KeyboardShortcuts.h"

#include "app/menu/MenuCommands.h"

#include <gtest/gtest.h>

#include <algorithm>
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

class MenuBarKeysTest : public ::testing::TestWithParam<KeyScheme> {};

TEST_P(MenuBarKeysTest, EachOpensItsOwnMenuAndNoOtherKeyIsTheSame)
{
    const std::vector<KeyboardShortcut> list = keyboardShortcuts(GetParam());
    std::set<ShortCut> letters;
    for (const MenuBarEntry& menu : kMenuBar) {
        ASSERT_NE(menu.key() & 0x8000, 0) << menu.title;
        EXPECT_TRUE(letters.insert(menu.key()).second) << menu.title;
        const std::string keys = shortCutText(menu.key());
        EXPECT_EQ(std::count_if(list.begin(), list.end(), [&](const KeyboardShortcut& key) { return key.keys == keys; }), 1)
            << keys;
    }
    EXPECT_EQ(shortCutText(kMenuBar.front().key()), "Alt+F");
}

INSTANTIATE_TEST_SUITE_P(Schemes, MenuBarKeysTest, ::testing::Values(KeyScheme::Classic, KeyScheme::Common));

// A menu key acts in every window, before the focused control: it must not
// be a key the main window or the lower pane already uses, under either scheme.
TEST(KeyboardShortcuts, EveryMenuKeyIsFreeUnderBothSchemes)
{
    for (const KeyScheme scheme : {KeyScheme::Classic, KeyScheme::Common}) {
        std::multiset<std::string> menuKeys;
        std::set<std::string> otherKeys;
        for (const KeyboardShortcut& shortcut : keyboardShortcuts(scheme)) {
            if (shortcut.where == kMenuKeysPlace)
                menuKeys.insert(shortcut.keys);
            else
                otherKeys.insert(shortcut.keys);
        }
        for (const std::string& key : menuKeys) {
            EXPECT_EQ(menuKeys.count(key), 1u) << key;
            EXPECT_FALSE(otherKeys.contains(key)) << key;
        }
        for (const char* key : {"Ctrl+1", "Ctrl+5", "Ctrl+R", "Ctrl+Shift+F", "Ctrl+E", "Ctrl+Shift+E", "Ctrl+P"})
            EXPECT_TRUE(menuKeys.contains(key)) << key;
    }
    EXPECT_EQ(menuCommandFor(shortCut('E', ssCtrl)), MenuCommand::NextProblem);
    EXPECT_EQ(menuCommandFor(shortCut('E', ssCtrl | ssShift), KeyScheme::Common), MenuCommand::PreviousProblem);
}

class MenuKeysTest : public ::testing::TestWithParam<KeyScheme> {};

TEST_P(MenuKeysTest, EachKeyRunsOneCommandAndLeavesTheEntryKeysAlone)
{
    std::set<ShortCut> keys;
    for (const MenuCommandEntry& entry : kMenuCommands) {
        const ShortCut key = entry.keyUnder(GetParam());
        if (key == 0)
            continue;
        EXPECT_TRUE(keys.insert(key).second) << entry.name << " shares its key";
        for (const KeyCode entryKey : {vk::Enter, vk::Up, vk::Down, vk::F1, vk::F2})
            EXPECT_NE(key & 0xFF, entryKey) << entry.name;
    }
    EXPECT_EQ(menuCommandFor(vk::F4, GetParam()), MenuCommand::Sidebar);
    const std::vector<KeyboardShortcut> list = keyboardShortcuts(GetParam());
    EXPECT_TRUE(std::any_of(list.begin(), list.end(), [](const KeyboardShortcut& shortcut) {
        return shortcut.keys == "F4" && shortcut.action == "Sidebar" && shortcut.where == kMenuKeysPlace;
    }));
}

INSTANTIATE_TEST_SUITE_P(Schemes, MenuKeysTest, ::testing::Values(KeyScheme::Classic, KeyScheme::Common));

} // namespace
} // namespace kalmo
