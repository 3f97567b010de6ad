// The keys that edit a memo, as data beside the key tables of
// CodeMemoEditing.cpp: the program's list of keys shows them, and a test
// presses each one and checks that it runs the command named here.
#pragma once

#include "base/KeyCodes.h"
#include "controls/memo/CodeMemoModel.h"

#include <algorithm>
#include <array>
#include <vector>

namespace kalmo {

struct MemoEditingKey {
    ShortCut keys; // in the menu shortcuts' form: key code + 0x4000 Ctrl, 0x2000 Shift, 0x8000 Alt
    const char* action;
    void (TCustomCodeMemo::*command)();
};

// Under the classic scheme Ctrl+A and Ctrl+X of the memo never arrive: the
// menu takes them first.
inline constexpr std::array<MemoEditingKey, 13> kMemoEditingKeys{{
    {shortCut(vk::Backspace, ssAlt), "Undo", &TCustomCodeMemo::Undo},
    {shortCut(vk::Backspace, ssAlt | ssShift), "Redo", &TCustomCodeMemo::Redo},
    {shortCut(vk::Backspace, 0), "Delete the character before the caret", &TCustomCodeMemo::DeleteBackward},
    {shortCut(vk::Backspace, ssCtrl), "Delete the word before the caret", &TCustomCodeMemo::DeleteWordBackward},
    {shortCut(vk::Delete, 0), "Delete the character at the caret", &TCustomCodeMemo::DeleteForward},
    {shortCut('Y', ssCtrl), "Delete the line", &TCustomCodeMemo::DeleteLineCommand},
    {shortCut(vk::Enter, 0), "Break the line at the caret", &TCustomCodeMemo::SplitLine},
    {shortCut(vk::Tab, 0), "Insert a tab", &TCustomCodeMemo::InsertTab},
    {shortCut('C', ssCtrl), "Copy", &TCustomCodeMemo::CopyToClipboard},
    {shortCut(vk::Insert, ssCtrl), "Copy", &TCustomCodeMemo::CopyToClipboard},
    {shortCut(vk::Delete, ssShift), "Cut", &TCustomCodeMemo::CutToClipboard},
    {shortCut('V', ssCtrl), "Paste", &TCustomCodeMemo::PasteFromClipboard},
    {shortCut(vk::Insert, ssShift), "Paste", &TCustomCodeMemo::PasteFromClipboard},
}};

// Under the common scheme these act at key-down, before the keys above;
// Ctrl+Y no longer deletes the line.
inline constexpr std::array<MemoEditingKey, 6> kCommonMemoEditingKeys{{
    {shortCut('Z', ssCtrl), "Undo", &TCustomCodeMemo::Undo},
    {shortCut('Z', ssCtrl | ssShift), "Redo", &TCustomCodeMemo::Redo},
    {shortCut('Y', ssCtrl), "Redo", &TCustomCodeMemo::Redo},
    {shortCut('K', ssCtrl | ssShift), "Delete the line", &TCustomCodeMemo::DeleteLineCommand},
    {shortCut('X', ssCtrl), "Cut", &TCustomCodeMemo::CutToClipboard},
    {shortCut('A', ssCtrl), "Select all", &TCustomCodeMemo::SelectAll},
}};

inline const MemoEditingKey* commonMemoEditingKey(ShortCut pressed)
{
    const auto found = std::find_if(kCommonMemoEditingKeys.begin(), kCommonMemoEditingKeys.end(),
                                    [pressed](const MemoEditingKey& entry) { return entry.keys == pressed; });
    return found == kCommonMemoEditingKeys.end() ? nullptr : &*found;
}

// Every editing key under a scheme, as the list of keys shows them.
inline std::vector<MemoEditingKey> memoEditingKeys(KeyScheme scheme)
{
    std::vector<MemoEditingKey> keys;
    for (const MemoEditingKey& entry : kMemoEditingKeys)
        if (scheme == KeyScheme::Classic || !commonMemoEditingKey(entry.keys))
            keys.push_back(entry);
    if (scheme == KeyScheme::Common)
        keys.insert(keys.end(), kCommonMemoEditingKeys.begin(), kCommonMemoEditingKeys.end());
    return keys;
}

} // namespace kalmo
