// The keys that edit a memo, as data beside the key tables of
// CodeMemoEditing.cpp: the program's list of keys shows them, and a test
// presses each one and checks that it runs the command named here.
#pragma once

#include "controls/KeyCodes.h"
#include "controls/memo/CodeMemoModel.h"

#include <array>

namespace kalmo {

struct MemoEditingKey {
    ShortCut keys; // in the menu shortcuts' form: key code + 0x4000 Ctrl, 0x2000 Shift, 0x8000 Alt
    const char* action;
    void (TCustomCodeMemo::*command)();
};

// Ctrl+A and Ctrl+X of the memo never arrive: the menu takes them first.
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

} // namespace kalmo
