// State rules of the entry edit; see EntryEditModel.h.
#include "controls/edit/EntryEditModel.h"

#include "controls/ComponentVersion.h"
#include "controls/memo/MemoCharacters.h"

#include <algorithm>
#include <cctype>

namespace kalmo {
namespace {

bool isContinuationByte(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

bool startsWithIgnoringCase(std::string_view text, std::string_view start)
{
    if (text.size() < start.size())
        return false;
    return std::equal(start.begin(), start.end(), text.begin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    });
}

constexpr char32_t kCtrlC = 3;
constexpr char32_t kBackspace = 8;
constexpr char32_t kLineFeed = 10;
constexpr char32_t kEnter = 13;
constexpr char32_t kCtrlV = 22;
constexpr char32_t kCtrlX = 24;
constexpr char32_t kEscape = 27;

// Each line break (CR LF, CR or LF) as one space.
std::string onOneLine(std::string_view text)
{
    std::string line;
    line.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        line += text[i] == '\r' || text[i] == '\n' ? ' ' : text[i];
    }
    return line;
}

} // namespace

std::string typeableText(std::string_view typed)
{
    std::string text;
    for (const char32_t ch : codePoints(typed)) {
        if (isTypedCharacter(ch))
            appendUtf8(text, ch);
    }
    return text;
}

int codePointCount(std::string_view text)
{
    return static_cast<int>(std::count_if(text.begin(), text.end(), [](char c) { return !isContinuationByte(c); }));
}

std::size_t byteOffsetOf(std::string_view text, int codePointIndex)
{
    std::size_t offset = 0;
    for (int seen = 0; offset < text.size(); ++offset) {
        if (!isContinuationByte(text[offset]) && seen++ == codePointIndex)
            return offset;
    }
    return text.size();
}

EntryEditModel::EntryEditModel(bool hasThemedControls)
    : hasThemedControls_(hasThemedControls)
{
}

std::string EntryEditModel::Version() const { return componentVersionText(VersionNumber()); }

std::string EntryEditModel::Text() const
{
    std::string_view text = shown_;
    const std::string& prefix = features_.Prefix;
    const std::string& suffix = features_.Suffix;
    if (!prefix.empty() && text.starts_with(prefix))
        text.remove_prefix(prefix.size());
    // Only a suffix that is really there is cut, so that no typed character is lost.
    if (!suffix.empty() && text.ends_with(suffix))
        text.remove_suffix(suffix.size());
    return std::string(text);
}

EditReaction EntryEditModel::SetText(std::string_view value)
{
    EditReaction reaction;
    std::string shown = features_.Prefix + std::string(value) + features_.Suffix;
    if (shown != shown_) {
        shown_ = std::move(shown);
        reaction.showText = shown_;
        // A newly written text shows from its start, with nothing selected.
        reaction.select = TextSelection{0, 0};
        reaction.raiseChange = true;
        UpdateErrorState();
    }
    if (!loading_ && !readOnly_) {
        modified_ = false;
        if (showModified_)
            fontColor_ = baseFontColor_;
    }
    return reaction;
}

bool EntryEditModel::PlatformTextChanged(std::string_view shown)
{
    if (shown == shown_)
        return false;
    shown_ = std::string(shown);
    UpdateErrorState();
    return true;
}

void EntryEditModel::SetColor(ColorValue color)
{
    color_ = color;
    baseColor_ = color;
}

void EntryEditModel::SetEnabled(bool enabled)
{
    if (enabled == enabled_)
        return;
    // A control that is being disabled loses the focus first, so the focus
    // colours are undone before the disabled colour replaces the background.
    if (!enabled && focused_)
        FocusLost();
    enabled_ = enabled;
    if (loading_)
        return;
    if (!enabled) {
        baseColor_ = color_;
        color_ = disabledColor_;
    } else {
        color_ = baseColor_;
    }
}

void EntryEditModel::Loaded()
{
    loading_ = false;
    baseColor_ = color_;
    baseFontColor_ = fontColor_;
    if (!enabled_)
        color_ = disabledColor_; // baseColor_ keeps the stored colour to return to
}

EditReaction EntryEditModel::FocusGained(FocusCause cause)
{
    EditReaction reaction;
    if (loading_ || focused_)
        return reaction;
    focused_ = true;
    focusText_ = Text();
    if (focusColor_ != clNone)
        color_ = focusColor_;
    if (!((features_.ShowError && errorState_) || showModified_)) {
        // Remember what the program last set, to give it back at focus loss.
        if (fontColor_ != baseFontColor_)
            baseFontColor_ = fontColor_;
        if (!(features_.ShowURL && TextIsUrl()) && focusFontColor_ != clNone)
            fontColor_ = focusFontColor_;
    }
    if (autoSelect_ && cause == FocusCause::withinWindow)
        reaction.select = valueRange();
    return reaction;
}

void EntryEditModel::FocusLost()
{
    if (loading_ || !focused_)
        return;
    focused_ = false;
    if (!errorState_ && color_ != baseColor_)
        color_ = baseColor_;
    if (!((features_.ShowError && errorState_) || showModified_ || (features_.ShowURL && TextIsUrl())))
        fontColor_ = baseFontColor_;
    IsValueValid(Text());
}

EditReaction EntryEditModel::KeyDown(KeyCode key, ShiftState shift, OwnerKeyPreview preview)
{
    EditReaction reaction;
    // A window that previews keys has Escape for itself; only without one
    // does Escape take back the edits made since the focus came.
    if (key == vk::Escape && preview == OwnerKeyPreview::off && canUndo_)
        return restoreFocusText();
    if ((key == vk::Tab || key == vk::Enter) && hasCtrl(shift))
        return reaction;
    if (key == vk::Enter && returnIsTab_) {
        reaction.swallowKey = true;
        reaction.focusNext = true;
        return reaction;
    }
    if (key == vk::Delete)
        markModified();
    return reaction;
}

EditReaction EntryEditModel::KeyPress(char32_t character, ShiftState shift)
{
    EditReaction reaction;
    const bool ctrl = hasCtrl(shift);
    if (character == kEnter) {
        // Never a line break in the field, never a beep, never a character for the window.
        reaction.swallowKey = true;
        reaction.offerKeyPress = !ctrl;
        return reaction;
    }
    if (character == kEscape && !canUndo_)
        return reaction;
    if (ctrl && (character == kCtrlC || character == kCtrlV || character == kCtrlX))
        return reaction;
    if (character == kBackspace)
        return reaction; // the edit field reports its own change
    if (character == kLineFeed && ctrl) {
        reaction.swallowKey = true;
        return reaction;
    }
    // A control character types nothing (see typeableText).
    if (!isTypedCharacter(character))
        return reaction;
    // A plain string field takes every other character.
    markModified();
    return reaction;
}

EditReaction EntryEditModel::Paste(const std::optional<std::string>& clipboardText, TextSelection current)
{
    if (readOnly_ || !clipboardText)
        return {};
    const std::string pastedText = pasteOnOneLine_ ? onOneLine(*clipboardText) : *clipboardText;
    const std::string value = Text();
    const TextSelection range = valueRange();
    const int valueLength = range.length;
    const int start = std::clamp(current.start - range.start, 0, valueLength);
    const int end = std::clamp(current.start + current.length - range.start, start, valueLength);
    std::string newValue = value.substr(0, byteOffsetOf(value, start)) + pastedText
        + value.substr(byteOffsetOf(value, end));
    if (maxLength_ > 0
        && codePointCount(features_.Prefix) + codePointCount(newValue) + codePointCount(features_.Suffix) > maxLength_)
        return {};

    EditReaction reaction = SetText(newValue);
    const int pasted = codePointCount(pastedText);
    const int at = range.start + start;
    reaction.select = current.length > 0 ? TextSelection{at, pasted} : TextSelection{at + pasted, 0};
    markModified();
    return reaction;
}

std::optional<ColorValue> EntryEditModel::FrameColor() const
{
    if (!enabled_) {
        if (disabledBorder_ && hasThemedControls_)
            return clSilver;
        return std::nullopt;
    }
    if (focused_ && focusBorderColor_ != clNone)
        return focusBorderColor_;
    return std::nullopt;
}

bool EntryEditModel::TextIsUrl() const
{
    const std::string text = Text();
    return text.find("://") != std::string::npos || text.find('@', 1) != std::string::npos
        || startsWithIgnoringCase(text, "www.");
}

bool EntryEditModel::IsValueValid(std::string_view text)
{
    // A validation handler that asks again must not recurse.
    if (validating_)
        return true;
    struct Guard {
        bool& flag;
        ~Guard() { flag = false; }
    } guard{validating_};
    validating_ = true;
    bool valid = true;
    if (OnValueValidate)
        OnValueValidate(text, valid);
    return valid;
}

void EntryEditModel::UpdateErrorState()
{
    if (features_.ShowError)
        errorState_ = !IsValueValid(Text());
}

ColorValue EntryEditModel::ShownColor() const
{
    return enabled_ && features_.ShowError && errorState_ ? features_.ErrorColor : color_;
}

ColorValue EntryEditModel::ShownFontColor() const
{
    return enabled_ && features_.ShowError && errorState_ ? features_.ErrorFontColor : fontColor_;
}

TextSelection EntryEditModel::valueRange() const
{
    const std::string& prefix = features_.Prefix;
    const int start = (!prefix.empty() && shown_.starts_with(prefix)) ? codePointCount(prefix) : 0;
    return {start, codePointCount(Text())};
}

void EntryEditModel::markModified()
{
    modified_ = true;
    if (showModified_)
        fontColor_ = modifiedColor_;
}

EditReaction EntryEditModel::restoreFocusText()
{
    EditReaction reaction = SetText(focusText_);
    if (focusFontColor_ != clNone)
        fontColor_ = focusFontColor_;
    reaction.select = valueRange();
    modified_ = false;
    // The key is used up here but still reaches the parent, as a cancel key would.
    reaction.swallowKey = true;
    reaction.passToParent = true;
    return reaction;
}

} // namespace kalmo
