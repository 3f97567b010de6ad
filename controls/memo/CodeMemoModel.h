// The code memo's model: line store, caret, selection ends, scroll position,
// active line, the view geometry that scrolling depends on, and the events.
// The Qt widget owns one of these, feeds it sizes and input, and paints it.
//
// The order of steps inside SetCaretCol, SetCaretLine, SetActiveLineIndex and
// ScrollToLine is deliberate: they call one another (SetCaretLine ->
// SetActiveLineIndex -> ScrollToLine -> SetCaretLine), and the order gives
// the documented scroll results. What keeps the nested calls finite is that
// the view is never scrolled further than the line count allows (removing
// lines pulls it back, see fitScrollToLines) and that ScrollToLine's caret
// move home cannot start itself again.
#pragma once

#include "base/KeyCodes.h"
#include "controls/memo/document/CodeMemoStrings.h"
#include "controls/memo/MemoClipboard.h"
#include "controls/memo/MemoInput.h"
#include "controls/memo/MemoSettings.h"
#include "controls/memo/undo/MemoUndoList.h"
#include "controls/memo/view/MemoView.h"

#include <functional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace kalmo {

enum class TScrollCode { scLineUp, scLineDown, scPageUp, scPageDown, scThumbPosition };

class TCustomCodeMemo : private LineStoreOwner {
public:
    using TNotifyEvent = std::function<void(TCustomCodeMemo& sender)>;
    using TActiveLineChangeEvent = std::function<void(TCustomCodeMemo& sender, int curYPos)>;
    using TColumnChangeEvent = std::function<void(TCustomCodeMemo& sender, int curXPos)>;

    static constexpr int ScrollBarSize = 17; // the platform's standard bar width and height

    TCustomCodeMemo();
    TCustomCodeMemo(const TCustomCodeMemo&) = delete;
    TCustomCodeMemo& operator=(const TCustomCodeMemo&) = delete;

    TCodeMemoStrings& Lines() { return lines_; }
    const TCodeMemoStrings& Lines() const { return lines_; }

    // The view that receives repaint and caret requests; may be null.
    void setView(MemoView* view) { view_ = view; }
    MemoView* view() const { return view_; }

    // --- caret, selection, scroll position --------------------------------
    int CaretCol() const { return caretCol_; }
    int CaretLine() const { return caretLine_; }
    int FirstVisibleLine() const { return firstVisibleLine_; }
    int FirstVisibleCol() const { return firstVisibleCol_; }
    int SelFromCol() const { return selFromCol_; }
    int SelFromLine() const { return selFromLine_; }
    int SelToCol() const { return selToCol_; }
    int SelToLine() const { return selToLine_; }
    int AnchorCol() const { return anchorCol_; }
    int AnchorLine() const { return anchorLine_; }
    bool SelectionEmpty() const { return selFromCol_ == selToCol_ && selFromLine_ == selToLine_; }
    int ActiveLineIndex() const { return activeLineIndex_; }
    int LongestLine() const { return longestLine_; }

    void SetCaretCol(int x);
    void SetCaretLine(int y);
    void CollapseSelection();
    void ExtendSelection();
    void PlaceCaret(int column, int line);
    void ClearText();
    // ClearText followed by the store's AppendLines(lines), with the same
    // caret, selection, scroll position and events; when the store holds
    // `lines` already except at `changedLines` and at lines it changed in
    // place itself, only those lines are written.
    void RefillText(const std::vector<std::string>& lines, std::span<const int> changedLines);
    void LinesChanged();
    void SetActiveLineIndex(int line);
    void ScrollToLine(int line);
    void ScrollCaretIntoView();
    std::string TrimmedLine(int index) const;
    // Pulls the first visible line back within what the line count allows:
    // 0 when all lines fit, else no further than ScrollToLine's end-of-text
    // rule. Runs after every removal from the store; no events are raised.
    void fitScrollToLines();

    // Direct stores for the editing commands: no events, no repaint, no
    // trimming. Out-of-range values are the caller's business.
    void setCaretDirect(int column, int line);
    void setSelection(int fromCol, int fromLine, int toCol, int toLine);
    void setAnchor(int column, int line);
    void setFirstVisibleCol(int column);
    void setFirstVisibleLine(int line);

    // A window layout is applied between these two calls. Settings written
    // meanwhile are stored without their side effects; the end of loading
    // brings the scroll bars up to date and repaints.
    void beginLayoutLoad() { loadingLayout_ = true; }
    void endLayoutLoad();
    bool loadingLayout() const { return loadingLayout_; }

    // --- keyboard and mouse (CodeMemoEditing.cpp, CodeMemoMouse.cpp) ---------
    // The widget translates its events into these calls; a disabled memo
    // ignores them all.
    void KeyDown(KeyCode key, ShiftState shift);
    void KeyPress(char32_t ch);
    // The program's key scheme, which the program tells every memo: under
    // Common the memo's own undo, cut and select-all keys act at key-down.
    void SetKeyScheme(KeyScheme scheme) { keyScheme_ = scheme; }
    void MouseDown(TMouseButton button, ShiftState shift, int x, int y);
    void MouseMove(ShiftState shift, bool leftButtonHeld, int x, int y);
    void MouseUp(TMouseButton button, ShiftState shift, int x, int y);
    void DblClick(int x, int y);
    void MouseWheel(int notches); // > 0: toward the user (down)
    TCursorShape CursorAt(int x, int y) const;

    // --- editing commands (no ReadOnly check: the key table decides) -------
    void InsertCharacter(char32_t ch);
    void InsertTab();
    void SplitLine();
    void DeleteForward();
    void DeleteBackward();
    void DeleteWordBackward();
    // Ctrl+Y: removes the caret line, or empties the store's only line. The
    // store's DeleteLine goes through here too.
    void DeleteLineCommand();
    void MoveWordLeft();
    void MoveWordRight();

    bool Overwrite() const { return overwrite_; }
    bool KeySeen() const { return keySeen_; }
    // "(" and "." ask for the completion list after this delay; without a
    // syntax styler the list never shows, so the request is only state.
    static constexpr int AutoCompletionDelayMs = 500;
    bool AutoCompletionPending() const { return autoCompletionPending_; }
    void AutoCompletionTimeout() { autoCompletionPending_ = false; }
    // Any line's modified flag set since the last ClearText or AppendLines.
    bool AnyLineModified() const { return lines_.AnyLineModified(); }

    // --- undo history, selection and clipboard (CodeMemoClipboard.cpp) -----
    TMemoUndoList& UndoList() { return undoList_; }
    const TMemoUndoList& UndoList() const { return undoList_; }
    // The history puts the document back; the caret and selection follow.
    void Undo();
    void Redo();
    bool CanUndo() const { return undoList_.CanUndo(); }
    bool CanRedo() const { return undoList_.CanRedo(); }
    int UndoCount() const { return undoList_.Count() - undoList_.Position(); }
    int RedoCount() const { return undoList_.Position(); }

    // May be null: copy and paste then do nothing.
    void SetClipboard(MemoClipboard* clipboard) { clipboard_ = clipboard; }
    MemoClipboard* Clipboard() const { return clipboard_; }
    std::string SelText() const;
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();
    // These two do nothing on a read-only memo; the commands use the
    // unchecked forms below.
    void DeleteSelection(bool repaint);
    void InsertText(const std::string& text);
    void SelectAll();
    // Assistive technology's selection and caret requests: selects from one
    // position to the other and leaves the caret at `to` (from == to only
    // moves the caret). Ignored while the memo is disabled, like all input.
    void SelectRange(TMemoPos from, TMemoPos to);
    // Character offsets of the ordered selection, a line break counting 2.
    std::pair<int, int> SelectionOffsets() const;
    void deleteSelectionUnchecked(bool repaint);
    void insertTextUnchecked(const std::string& text);

    // --- context menu (MemoContextMenu.cpp) ----------------------------------
    bool WantsContextMenuAt(int x) const;
    std::vector<TMemoMenuItem> ContextMenuItems() const;
    void MenuCommand(int command);

    // --- plain properties --------------------------------------------------
    bool AutoIndent() const { return autoIndent_; }
    void SetAutoIndent(bool value) { autoIndent_ = value; }
    bool DelErase() const { return delErase_; }
    void SetDelErase(bool value) { delErase_ = value; }
    bool AutoCompletionActive() const { return autoCompletionActive_; }
    void SetAutoCompletionActive(bool value) { autoCompletionActive_ = value; }
    bool ChangeTracking() const { return changeTracking_; }
    void SetChangeTracking(bool value) { changeTracking_ = value; }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value) { readOnly_ = value; }
    // The widget mirrors this onto the platform's enabled state.
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    bool AutoExpand() const { return autoExpand_; }
    void SetAutoExpand(bool value) { autoExpand_ = value; }
    int TabSize() const { return tabSize_; }
    void SetTabSize(int value);
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle value);
    TScrollMode ScrollMode() const { return scrollMode_; }
    void SetScrollMode(TScrollMode value) { scrollMode_ = value; }

    TActiveLineSettings& ActiveLineSettings() { return activeLineSettings_; }
    const TActiveLineSettings& ActiveLineSettings() const { return activeLineSettings_; }
    TMemoGutter& Gutter() { return gutter_; }
    const TMemoGutter& Gutter() const { return gutter_; }

    // --- painting settings ---------------------------------------------------
    ColorValue BkColor() const { return bkColor_; }
    void SetBkColor(ColorValue value) { store(bkColor_, value); }
    ColorValue SelColor() const { return selColor_; }
    void SetSelColor(ColorValue value) { store(selColor_, value); }
    ColorValue SelBkColor() const { return selBkColor_; }
    void SetSelBkColor(ColorValue value) { store(selBkColor_, value); }
    ColorValue BorderColor() const { return borderColor_; }
    void SetBorderColor(ColorValue value) { store(borderColor_, value); }
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value) { store(borderStyle_, value); }
    bool Ctl3D() const { return ctl3D_; }
    void SetCtl3D(bool value) { store(ctl3D_, value); }
    int RightMargin() const { return rightMargin_; }
    void SetRightMargin(int value) { store(rightMargin_, value); }
    ColorValue RightMarginColor() const { return rightMarginColor_; }
    void SetRightMarginColor(ColorValue value) { store(rightMarginColor_, value); }
    bool ShowRightMargin() const { return showRightMargin_; }
    void SetShowRightMargin(bool value) { store(showRightMargin_, value); }
    bool UrlAware() const { return urlAware_; }
    void SetUrlAware(bool value) { store(urlAware_, value); }
    const TUrlStyle& UrlStyle() const { return urlStyle_; }
    void SetUrlStyle(const TUrlStyle& value) { store(urlStyle_, value); }
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool value) { store(hideSelection_, value); }
    const TMemoFont& Font() const { return font_; }
    // Asks the view to measure the font; the view answers with SetFontCell.
    void SetFont(const TMemoFont& value);

    // --- geometry --------------------------------------------------------------
    int Width() const { return width_; }
    int Height() const { return height_; }
    // A resize: the scroll bars and the caret's view follow.
    void SetBounds(int width, int height);
    int CharWidth() const { return charWidth_; }
    int LineHeight() const { return lineHeight_; }
    void SetCharWidth(int value) { SetFontCell(value, lineHeight_); }
    void SetLineHeight(int value) { SetFontCell(charWidth_, value); }
    // Negative values are ignored; 0 means "not measured yet".
    void SetFontCell(int charWidth, int lineHeight);

    TRect textArea() const;
    int RowSpan() const;
    int ColSpan() const;
    // The cell of view column m, view row r (both counted from the first visible ones).
    TRect cellRect(int column, int row) const;
    // The text cell (column, line) under a client point; the line is clamped to the store.
    TMemoPos cellAt(int x, int y) const;
    TRect gutterRect() const;
    // Screen rows of lines fromLine .. toLine (either order), across the text area.
    TRect rowsRect(int fromLine, int toLine) const;

    const TScrollBarState& VertScrollBar() const { return vertBar_; }
    const TScrollBarState& HorzScrollBar() const { return horzBar_; }
    void UpdateScrollBars(bool repaint = false);
    // The user works a scroll bar; ignored while the memo is disabled.
    void scrollVertically(TScrollCode code, int thumbPosition = 0);
    void scrollHorizontally(TScrollCode code, int thumbPosition = 0);

    // --- repaint requests ------------------------------------------------------
    void Invalidate(bool erase = true);
    void InvalidateRect(const TRect& rect, bool erase);

    // --- events (sender first; unassigned ones are skipped) ------------------
    TActiveLineChangeEvent OnActiveLineChange;
    TColumnChangeEvent OnColumnChange;
    TNotifyEvent OnSelectionChange;
    TNotifyEvent OnStatusChange;
    TNotifyEvent OnCursorChange;
    TNotifyEvent OnTopLeftChanged;
    TNotifyEvent OnChange;
    // Input events: the handlers run before the memo's own rule and may
    // change the key or character (0 swallows it).
    std::function<void(TCustomCodeMemo& sender, KeyCode& key, ShiftState shift)> OnKeyDown;
    std::function<void(TCustomCodeMemo& sender, char32_t& ch)> OnKeyPress;
    std::function<void(TCustomCodeMemo& sender, bool canUndo, bool canRedo)> OnUndoChange;
    std::function<void(TCustomCodeMemo& sender, bool& allow)> OnOverwriteToggle;
    std::function<void(TCustomCodeMemo& sender, const std::string& url)> OnURLClick;
    std::function<void(TCustomCodeMemo& sender, int line)> OnGutterClick;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnFind;
    TNotifyEvent OnReplace;

private:
    // What the line store asks of its owner.
    int tabWidth() const override { return tabSize_; }
    void storeChanged() override { LinesChanged(); }
    void storeShrank() override { fitScrollToLines(); }
    void beforeInsertLine() override { CollapseSelection(); }
    void afterInsertLine() override { Invalidate(); }
    void deleteLineAt(int index) override;
    void beforeClear() override;
    void afterAppend() override;

    // Turns ChangeTracking off for one step and restores its previous value.
    class ChangeTrackingPause {
    public:
        explicit ChangeTrackingPause(TCustomCodeMemo& memo) : memo_(memo), saved_(memo.changeTracking_)
        {
            memo_.changeTracking_ = false;
        }
        ~ChangeTrackingPause() { memo_.changeTracking_ = saved_; }
        ChangeTrackingPause(const ChangeTrackingPause&) = delete;
        ChangeTrackingPause& operator=(const ChangeTrackingPause&) = delete;

    private:
        TCustomCodeMemo& memo_;
        bool saved_;
    };

    template <typename T> void store(T& field, const T& value)
    {
        if (!(field == value)) {
            field = value;
            Invalidate();
        }
    }
    void raise(const TNotifyEvent& event) { if (event) event(*this); }
    // Raises one of the events that change what assistive technology reads.
    void raiseReading(const TNotifyEvent& event)
    {
        raise(event);
        if (view_) view_->readingChanged();
    }
    bool caretLineTouchesStore() const;
    void announceCaretMove();
    // The scroll bars for a store of lineCount lines; UpdateScrollBars
    // passes the store's own count.
    void updateScrollBarsFor(int lineCount, bool repaint);
    void updateScrollBarsPass(bool& visibilityChanged, int lineCount);
    void scrollBy(TScrollBarState& bar, int& first, int change);

    // Editing internals (CodeMemoEditing.cpp, CodeMemoMouse.cpp).
    template <typename Move> void moveWithShiftRule(ShiftState shift, Move move);
    void keyDownMovement(KeyCode key, ShiftState shift);
    bool keyDownEditing(KeyCode key, ShiftState shift);
    void pageBy(int direction, bool ctrl);
    void ensureLine();
    int lineLength(int line) const;
    void insertAtCaret(const std::string& text, bool overwrite);
    void deleteAtCaret(TMemoPos recordStart, bool forward);
    void backspaceStep();
    // What Delete and Backspace do before their own work: nothing in an
    // empty store, the selection deleted under DelErase. True when that was
    // all.
    bool deleteTakesSelection();
    void joinNextLine();
    void trimLeftLine(int line);
    void markModified(int line);
    // Closes the command's undo step: the caret went from `before` to where it
    // is now, or to `after`.
    void addUndo(TUndoKind kind, TMemoCaretState before, bool forward = false);
    void addUndo(TUndoKind kind, TMemoCaretState before, TMemoPos after, bool forward = false);
    void showHistoryState(const TMemoCaretState& state);
    TMemoPos caretPos() const { return TMemoPos{caretCol_, caretLine_}; }
    // Puts the anchor where no caret can stand, so that the next Shift move
    // starts a selection afresh; for caret moves made outside the Shift rule.
    void forgetSelectingMove() { anchorCol_ = anchorLine_ = -1; }
    void placeCaretByMouse(TMemoPos cell, ShiftState shift);
    std::string webAddressAtCell(TMemoPos cell) const;

    TCodeMemoStrings lines_;
    MemoView* view_ = nullptr;

    int caretCol_ = 0;
    int caretLine_ = 0;
    int firstVisibleLine_ = 0;
    int firstVisibleCol_ = 0;
    int selFromCol_ = 0;
    int selFromLine_ = 0;
    int selToCol_ = 0;
    int selToLine_ = 0;
    int anchorCol_ = 0;
    int anchorLine_ = 0;
    int activeLineIndex_ = -1;
    int longestLine_ = 0;
    bool changeTracking_ = true;
    int charWidth_ = 0;
    int lineHeight_ = 0;
    bool readOnly_ = false;
    KeyScheme keyScheme_ = KeyScheme::Classic;
    bool enabled_ = true;
    bool autoExpand_ = true;
    int tabSize_ = 4;
    TScrollStyle scrollBars_ = TScrollStyle::ssBoth;
    TScrollMode scrollMode_ = TScrollMode::smAuto;
    TActiveLineSettings activeLineSettings_{*this};
    TMemoGutter gutter_{*this};

    ColorValue bkColor_ = clWhite;
    ColorValue selColor_ = clWhite;
    ColorValue selBkColor_ = clNavy;
    ColorValue borderColor_ = clGray;
    TBorderStyle borderStyle_ = TBorderStyle::bsSingle;
    bool ctl3D_ = false;
    int rightMargin_ = 80;
    ColorValue rightMarginColor_ = 0x00E2E2E2;
    bool showRightMargin_ = true;
    bool urlAware_ = true;
    TUrlStyle urlStyle_;
    bool hideSelection_ = true;
    TMemoFont font_;

    // Editing state.
    TMemoUndoList undoList_{lines_};
    MemoClipboard* clipboard_ = nullptr;
    bool autoIndent_ = true;
    bool delErase_ = true;
    bool autoCompletionActive_ = true;
    bool autoCompletionPending_ = false;
    bool overwrite_ = false;
    bool keySeen_ = false;
    bool mouseSelecting_ = false;
    bool pressedInSelection_ = false;
    bool justPressed_ = false;
    bool dragging_ = false;
    int pressX_ = 0;
    int pressY_ = 0;

    bool loadingLayout_ = false;
    // Set while ScrollToLine moves the caret home; a nested ScrollToLine then
    // leaves the caret to that move.
    bool scrollingCaretHome_ = false;
    int width_ = 0;
    int height_ = 0;
    TScrollBarState vertBar_;
    TScrollBarState horzBar_;
};

} // namespace kalmo
