// The main window's menu commands with their names, captions and shortcuts
// under each key scheme: the one table that the window's menu, the memo's refusal of menu keys, the
// application's shortcut priority and the script runner's keys all read.
#pragma once

#include "controls/KeyCodes.h"

#include <array>
#include <optional>

namespace kalmo {

// "Classic" keeps every key as the program always had it; "Common" frees
// Ctrl+X/C/V/A/Z/Y for the focused control and exits with Ctrl+Q.
enum class KeyScheme { Classic, Common };

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

inline constexpr std::array<MenuCommandEntry, 13> kMenuCommands{{
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
    {MenuCommand::Sidebar, "Sidebar1", "Sidebar", vk::F4, vk::F4},
}};

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

} // namespace kalmo
