// The main window's menu commands with their names, captions and shortcuts
// under each key scheme: the one table that the window's menu, the keys the
// program reserves in its memos, the application's shortcut priority and the
// script runner's keys all read. Qt-free, because `kalmo script` reads it too.
// A new command is a value of MenuCommand, a row here, and its handler: a
// TForm1 member listed in kMenuClicks (MainWindow.cpp) and put in its menu
// in TForm1::createMenu, and a case in ScriptSession::runMenuShortcut.
// Beside it, the menu bar's menus with the Alt+letter key that opens each.
#pragma once

#include "base/KeyCodes.h"

#include <array>
#include <optional>
#include <vector>

namespace kalmo {

enum class MenuCommand {
    LoadSourceFile,
    ContinueTranslation,
    Save,
    SaveAs,
    Help,
    About,
    Exit,
    SourceWindows,
    NextUntranslated,
    PreviousUntranslated,
    Find,
    FindNext,
    NextToReview,
    FillFromMemory,
    TranslationLanguage,
    SearchMemory,
    // Ctrl+1 … Ctrl+5: the translation field takes suggestion N.
    UseSuggestion1,
    UseSuggestion2,
    UseSuggestion3,
    UseSuggestion4,
    UseSuggestion5,
    NextProblem,
    PreviousProblem,
    Problems,
    Sidebar,
};

struct MenuCommandEntry {
    MenuCommand command;
    const char* name; // the menu item's name
    const char* caption;
    ShortCut shortCut; // as stored: key code + 0x4000 for Ctrl, 0x2000 for Shift
    ShortCut commonShortCut; // the key under the common scheme; 0 for none

    constexpr ShortCut keyUnder(KeyScheme scheme) const
    {
        return scheme == KeyScheme::Common ? commonShortCut : shortCut;
    }
};

inline constexpr std::array<MenuCommandEntry, 25> kMenuCommands{{
    {MenuCommand::LoadSourceFile, "LoadSourceFile1", "Load Source File", 16463, 16463},
    {MenuCommand::ContinueTranslation, "ContinueTranslation1", "Continue Translation\u2026",
     shortCut('O', ssCtrl | ssShift),
     shortCut('O', ssCtrl | ssShift)},
    {MenuCommand::Save, "Save1", "Save", shortCut('S', ssCtrl), shortCut('S', ssCtrl)},
    {MenuCommand::SaveAs, "SaveAs1", "Save As\u2026", shortCut('S', ssCtrl | ssShift),
     shortCut('S', ssCtrl | ssShift)},
    {MenuCommand::Help, "Help1", "Help", 16456, 16456},
    {MenuCommand::About, "About1", "About", 16449, shortCut('A', ssCtrl | ssShift)},
    {MenuCommand::Exit, "Exit1", "Exit", 16472, shortCut('Q', ssCtrl)},
    {MenuCommand::SourceWindows, "SourceWindows1", "SourceWindows", 16471, 16471},
    {MenuCommand::NextUntranslated, "NextUntranslated1", "Next Untranslated", shortCut('U', ssCtrl),
     shortCut('U', ssCtrl)},
    {MenuCommand::PreviousUntranslated, "PreviousUntranslated1", "Previous Untranslated",
     shortCut('U', ssCtrl | ssShift),
     shortCut('U', ssCtrl | ssShift)},
    {MenuCommand::Find, "Find1", "Find\u2026", shortCut('F', ssCtrl), shortCut('F', ssCtrl)},
    {MenuCommand::FindNext, "FindNext1", "Find Next", vk::F3, vk::F3},
    {MenuCommand::NextToReview, "NextToReview1", "Next To Review", shortCut('R', ssCtrl), shortCut('R', ssCtrl)},
    {MenuCommand::FillFromMemory, "FillFromMemory1", "Fill from Memory", 0, 0},
    {MenuCommand::TranslationLanguage, "TranslationLanguage1", "Translation Language\u2026", 0, 0},
    {MenuCommand::SearchMemory, "SearchMemory1", "Search Memory\u2026", shortCut('F', ssCtrl | ssShift),
     shortCut('F', ssCtrl | ssShift)},
    {MenuCommand::UseSuggestion1, "UseSuggestion1", "Use Suggestion 1", shortCut('1', ssCtrl), shortCut('1', ssCtrl)},
    {MenuCommand::UseSuggestion2, "UseSuggestion2", "Use Suggestion 2", shortCut('2', ssCtrl), shortCut('2', ssCtrl)},
    {MenuCommand::UseSuggestion3, "UseSuggestion3", "Use Suggestion 3", shortCut('3', ssCtrl), shortCut('3', ssCtrl)},
    {MenuCommand::UseSuggestion4, "UseSuggestion4", "Use Suggestion 4", shortCut('4', ssCtrl), shortCut('4', ssCtrl)},
    {MenuCommand::UseSuggestion5, "UseSuggestion5", "Use Suggestion 5", shortCut('5', ssCtrl), shortCut('5', ssCtrl)},
    {MenuCommand::NextProblem, "NextProblem1", "Next Problem", shortCut('E', ssCtrl), shortCut('E', ssCtrl)},
    {MenuCommand::PreviousProblem, "PreviousProblem1", "Previous Problem", shortCut('E', ssCtrl | ssShift),
     shortCut('E', ssCtrl | ssShift)},
    {MenuCommand::Problems, "Problems1", "Problems\u2026", shortCut('P', ssCtrl), shortCut('P', ssCtrl)},
    {MenuCommand::Sidebar, "Sidebar1", "Sidebar", vk::F4, vk::F4},
}};

// The suggestion a Use Suggestion command takes, from 1; 0 for any other command.
constexpr int suggestionNumberOf(MenuCommand command)
{
    const int number = static_cast<int>(command) - static_cast<int>(MenuCommand::UseSuggestion1) + 1;
    return number >= 1 && number <= 5 ? number : 0;
}

constexpr const MenuCommandEntry& menuCommand(MenuCommand command)
{
    for (const MenuCommandEntry& entry : kMenuCommands)
        if (entry.command == command)
            return entry;
    return kMenuCommands.front(); // every command is in the table
}

// The command a key with these modifiers runs under a scheme, if any.
constexpr std::optional<MenuCommand> menuCommandFor(ShortCut pressed, KeyScheme scheme = KeyScheme::Classic)
{
    for (const MenuCommandEntry& entry : kMenuCommands)
        if (pressed != 0 && entry.keyUnder(scheme) == pressed)
            return entry.command;
    return std::nullopt;
}

// The keys the menu takes under a scheme, whatever control has the focus:
// what the program tells its memos.
inline std::vector<ShortCut> menuShortcuts(KeyScheme scheme)
{
    std::vector<ShortCut> keys;
    for (const MenuCommandEntry& entry : kMenuCommands)
        if (entry.keyUnder(scheme) != 0)
            keys.push_back(entry.keyUnder(scheme));
    return keys;
}

// The menus of the menu bar, in order. The letter after "&" opens a menu
// with Alt (Alt+F: File) and is underlined; the title reads without the "&".
struct MenuBarEntry {
    const char* name; // the menu's name
    const char* title;

    // The Alt+letter key, as menu shortcuts are stored.
    constexpr ShortCut key() const
    {
        for (const char* at = title; *at != '\0'; ++at) {
            if (*at != '&')
                continue;
            const char letter = at[1] >= 'a' && at[1] <= 'z' ? static_cast<char>(at[1] - 'a' + 'A') : at[1];
            return shortCut(static_cast<KeyCode>(letter), ssAlt);
        }
        return 0;
    }
};

inline constexpr std::array<MenuBarEntry, 5> kMenuBar{{
    {"File1", "&File"},
    {"View1", "&View"},
    {"Navigate1", "&Navigate"},
    {"Tools1", "&Tools"},
    {"HelpMenu1", "&Help"},
}};

} // namespace kalmo
