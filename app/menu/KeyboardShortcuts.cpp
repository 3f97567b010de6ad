// The program's keys in one list; see KeyboardShortcuts.h.
#include "app/menu/KeyboardShortcuts.h"

#include "controls/memo/MemoEditingKeys.h"
#include "app/menu/MenuCommands.h"

#include <array>

namespace kalmo {

namespace {

struct EntryKey {
    KeyCode key;
    const char* action;
};

// The keys the main window sees before its focused control, once a file is loaded.
constexpr std::array<EntryKey, 5> kEntryKeys{{
    {vk::Enter, "Commit and show the next entry"},
    {vk::Down, "Commit and show the next entry"},
    {vk::Up, "Commit and show the previous entry"},
    {vk::F1, "Whole-line editing on or off"},
    {vk::F2, "Full-text editing on or off"},
}};

std::string keyName(KeyCode key)
{
    if (key >= vk::LetterA && key < vk::LetterA + 26)
        return std::string(1, static_cast<char>(key));
    if (key >= vk::Digit0 && key < vk::Digit0 + 10)
        return std::string(1, static_cast<char>(key));
    if (key >= vk::F1 && key < vk::F1 + 24)
        return "F" + std::to_string(key - vk::F1 + 1);
    switch (key) {
    case vk::Backspace: return "Backspace";
    case vk::Tab: return "Tab";
    case vk::Enter: return "Enter";
    case vk::Escape: return "Escape";
    case vk::Space: return "Space";
    case vk::PageUp: return "Page Up";
    case vk::PageDown: return "Page Down";
    case vk::End: return "End";
    case vk::Home: return "Home";
    case vk::Left: return "Left";
    case vk::Up: return "Up";
    case vk::Right: return "Right";
    case vk::Down: return "Down";
    case vk::Insert: return "Insert";
    case vk::Delete: return "Delete";
    default: return "Key " + std::to_string(key);
    }
}

// A menu caption without the dots that promise a dialog.
std::string plainCaption(const char* caption)
{
    std::string text = caption;
    const std::string ellipsis = "\u2026";
    if (text.size() >= ellipsis.size() && text.compare(text.size() - ellipsis.size(), ellipsis.size(), ellipsis) == 0)
        text.erase(text.size() - ellipsis.size());
    return text;
}

} // namespace

std::string shortCutText(ShortCut value)
{
    std::string text;
    if (value & 0x4000)
        text += "Ctrl+";
    if (value & 0x8000)
        text += "Alt+";
    if (value & 0x2000)
        text += "Shift+";
    return text + keyName(value & 0xFF);
}

std::vector<KeyboardShortcut> keyboardShortcuts(KeyScheme scheme)
{
    std::vector<KeyboardShortcut> list;
    for (const MenuCommandEntry& entry : kMenuCommands)
        if (entry.keyUnder(scheme) != 0)
            list.push_back({shortCutText(entry.keyUnder(scheme)), plainCaption(entry.caption), kMenuKeysPlace});
    for (const MenuBarEntry& menu : kMenuBar) {
        std::string title = menu.title;
        title.erase(title.find('&'), 1);
        list.push_back({shortCutText(menu.key()), "Open the " + title + " menu", kMenuBarKeysPlace});
    }
    for (const EntryKey& entry : kEntryKeys)
        list.push_back({keyName(entry.key), entry.action, "Main window, with a file loaded"});
    list.push_back({keyName(vk::F2), "Full-text editing on or off", "Source viewer, with a file loaded"});
    for (const PaneTextSizeKey& entry : kPaneTextSizeKeys)
        list.push_back({entry.keys, entry.action, kViewerKeysPlace});
    for (const MemoEditingKey& entry : memoEditingKeys(scheme))
        list.push_back({shortCutText(entry.keys), entry.action, "Lower pane, in full-text editing"});
    return list;
}

} // namespace kalmo
