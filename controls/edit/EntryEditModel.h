// The entry edit's state rules without a screen: colours by focus and enabled
// state, select-on-focus, the key and character filters, the paste rule and
// the modified flag. The widget (EntryEdit.h) owns the real edit field, feeds
// this model its events and carries out the EditReaction it gets back; colours
// are read from Color() and FontColor() after every event.
//
// Text is UTF-8; every position and length here counts code points.
#pragma once

#include "base/Color.h"
#include "base/KeyCodes.h"
#include "controls/edit/EntryEditOptions.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kalmo {

struct TextSelection {
    int start = 0;
    int length = 0; // 0: a caret at start
    bool operator==(const TextSelection&) const = default;
};

// What the widget has to do after an event; every field is "nothing" by default.
struct EditReaction {
    std::optional<std::string> showText; // replace the edit field's text
    std::optional<TextSelection> select; // then set the selection or caret
    bool swallowKey = false;             // the edit field must not handle the key or character
    bool passToParent = false;           // a swallowed key still goes on to the parent window
    bool focusNext = false;              // move the focus on as Tab does
    bool offerKeyPress = false;          // give the character to OnKeyPress before dropping it
    bool raiseChange = false;            // raise OnChange
};

// How the edit got the focus: moved to it inside its window (Tab, a click,
// the program), or given back with its window when that window became
// active again.
enum class FocusCause { withinWindow, windowActivated };

// Whether the edit's top-level window looks at keys before its controls.
enum class OwnerKeyPreview { noOwner, off, on };

class EntryEditModel {
public:
    static constexpr std::uint32_t VersionNumber() { return 0x02080103; }

    explicit EntryEditModel(bool hasThemedControls = true);

    std::string Version() const;
    void SetVersion(std::string_view) {} // read-only; stored layouts still write it

    // Text is the shown text without Prefix and Suffix.
    std::string Text() const;
    EditReaction SetText(std::string_view value);
    const std::string& ShownText() const { return shown_; }
    // The edit field's text changed (typing, cut, undo, or our own showText);
    // true when that is a real change and OnChange is due.
    bool PlatformTextChanged(std::string_view shown);
    // The user changed the text through the edit field's own editing.
    void PlatformEdited() { markModified(); }

    bool Modified() const { return modified_; }
    void SetModified(bool modified) { modified_ = modified; }

    ColorValue Color() const { return color_; }
    void SetColor(ColorValue color);
    ColorValue FontColor() const { return fontColor_; }
    void SetFontColor(ColorValue color) { fontColor_ = color; }
    ColorValue BaseColor() const { return baseColor_; }
    ColorValue BaseFontColor() const { return baseFontColor_; }

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    bool Focused() const { return focused_; }
    // AutoSelect selects the whole text on a gain within the window; a window
    // made active again leaves the caret and selection the user had, so the
    // next key does not replace the work in progress.
    EditReaction FocusGained(FocusCause cause = FocusCause::withinWindow);
    void FocusLost();

    // A key goes down; for keys that also type a character KeyPress follows.
    EditReaction KeyDown(KeyCode key, ShiftState shift, OwnerKeyPreview preview);
    EditReaction KeyPress(char32_t character, ShiftState shift);
    // Paste replaces the edit field's own paste. current is in shown-text positions.
    EditReaction Paste(const std::optional<std::string>& clipboardText, TextSelection current);
    // Off, a paste takes its line breaks along; on, each one becomes a
    // space, for a view that shows the value as one paragraph.
    bool PasteOnOneLine() const { return pasteOnOneLine_; }
    void SetPasteOnOneLine(bool on) { pasteOnOneLine_ = on; }

    // A 1-pixel frame to draw around the field, if any.
    std::optional<ColorValue> FrameColor() const;

    // While a window layout is applied the state rules wait; Loaded takes
    // the stored values as the ones to return to.
    void BeginLoading() { loading_ = true; }
    void Loaded();
    bool Loading() const { return loading_; }

    bool TextIsUrl() const;
    bool IsValueValid(std::string_view text);
    // With ShowError, ErrorState := the text fails validation; for a
    // validation that changed its verdict on the same text.
    void UpdateErrorState();
    bool ErrorState() const { return errorState_; }
    // The colours the field shows: while enabled with ShowError and
    // ErrorState, ErrorColor and ErrorFontColor; otherwise Color and FontColor.
    ColorValue ShownColor() const;
    ColorValue ShownFontColor() const;
    std::function<void(std::string_view text, bool& valid)> OnValueValidate;

    bool AutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool on) { autoSelect_ = on; }
    ColorValue FocusColor() const { return focusColor_; }
    void SetFocusColor(ColorValue color) { focusColor_ = color; }
    ColorValue FocusFontColor() const { return focusFontColor_; }
    void SetFocusFontColor(ColorValue color) { focusFontColor_ = color; }
    ColorValue FocusBorderColor() const { return focusBorderColor_; }
    void SetFocusBorderColor(ColorValue color) { focusBorderColor_ = color; }
    ColorValue DisabledColor() const { return disabledColor_; }
    void SetDisabledColor(ColorValue color) { disabledColor_ = color; }
    bool DisabledBorder() const { return disabledBorder_; }
    void SetDisabledBorder(bool on) { disabledBorder_ = on; }
    bool ReturnIsTab() const { return returnIsTab_; }
    void SetReturnIsTab(bool on) { returnIsTab_ = on; }
    bool CanUndo() const { return canUndo_; }
    void SetCanUndo(bool on) { canUndo_ = on; }
    bool ShowModified() const { return showModified_; }
    void SetShowModified(bool on) { showModified_ = on; }
    ColorValue ModifiedColor() const { return modifiedColor_; }
    void SetModifiedColor(ColorValue color) { modifiedColor_ = color; }
    std::int32_t MaxLength() const { return maxLength_; }
    void SetMaxLength(std::int32_t length) { maxLength_ = length; }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool on) { readOnly_ = on; }
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool on) { hideSelection_ = on; }

    TEntryEditFeatures& Features() { return features_; }
    const TEntryEditFeatures& Features() const { return features_; }

private:
    TextSelection valueRange() const;
    void markModified();
    EditReaction restoreFocusText();

    std::string shown_;
    std::string focusText_;
    bool modified_ = false;
    bool loading_ = false;
    bool focused_ = false;
    bool enabled_ = true;
    bool errorState_ = false;
    bool validating_ = false;
    bool hasThemedControls_;

    ColorValue color_ = clWindow;
    ColorValue baseColor_ = clWindow;
    ColorValue fontColor_ = clWindowText;
    ColorValue baseFontColor_ = clWindowText;

    bool autoSelect_ = true;
    ColorValue focusColor_ = clNone;
    ColorValue focusFontColor_ = clWindowText;
    ColorValue focusBorderColor_ = clNone;
    ColorValue disabledColor_ = clSilver;
    bool disabledBorder_ = true;
    bool returnIsTab_ = false;
    bool pasteOnOneLine_ = false;
    bool canUndo_ = true;
    bool showModified_ = false;
    ColorValue modifiedColor_ = clHighlight;
    std::int32_t maxLength_ = 0;
    bool readOnly_ = false;
    bool hideSelection_ = true;

    TEntryEditFeatures features_;
};

// What a key or an input method may put into the field: the text it
// delivers without control characters (a NUL, a Ctrl+Shift+U code, a line
// break), which the field never takes as typed text. The keys that deliver
// them keep their commands (Backspace, Ctrl+Z, ...); a paste is no typing.
std::string typeableText(std::string_view typed);

// Code points in a UTF-8 text, and the byte offset of code point index.
int codePointCount(std::string_view text);
std::size_t byteOffsetOf(std::string_view text, int codePointIndex);

} // namespace kalmo
