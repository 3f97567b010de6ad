// The memo's built-in right-click menu as data: which entries it shows and
// when they are grayed, and what their command numbers do. The widget shows
// the entries and sends the chosen number back.
#include "controls/memo/CodeMemoModel.h"

namespace kalmo {

bool TCustomCodeMemo::WantsContextMenuAt(int x) const { return x > gutter_.GutterWidth(); }

std::vector<TMemoMenuItem> TCustomCodeMemo::ContextMenuItems() const
{
    const bool noSelection = SelectionEmpty();
    const bool noClipboardText = clipboard_ == nullptr || !clipboard_->HasText();
    return {
        {"Undo", memo_command::Undo, !CanUndo() || readOnly_, false},
        {"Redo", memo_command::Redo, !CanRedo() || readOnly_, false},
        {"", 0, false, true},
        {"Copy\tCtrl-C", memo_command::Copy, noSelection, false},
        {"Cut\tCtrl-X", memo_command::Cut, noSelection, false},
        {"Paste\tCtrl-V", memo_command::Paste, noClipboardText || readOnly_, false},
        {"Delete", memo_command::DeleteSelection, noSelection, false},
        {"", 0, false, true},
        {"Select All\tCtrl-A", memo_command::SelectAll, false, false},
    };
}

void TCustomCodeMemo::MenuCommand(int command)
{
    switch (command) {
    case memo_command::Copy: CopyToClipboard(); break;
    case memo_command::Cut: CutToClipboard(); break;
    case memo_command::Paste: PasteFromClipboard(); break;
    case memo_command::SelectAll: SelectAll(); break;
    case memo_command::Undo: Undo(); break;
    case memo_command::Redo: Redo(); break;
    case memo_command::DeleteSelection: DeleteSelection(true); break;
    default: break;
    }
}

} // namespace kalmo
