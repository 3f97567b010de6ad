// The glass button's state and rules without a screen: published properties
// with their construction values, the press/move/release tracking that decides
// a click, hover tracking, keys, focus and the group rules. The widget owns one
// of these, feeds it input and paints what it holds.
#pragma once

#include "base/Color.h"
#include "base/KeyCodes.h"

#include <cstdint>
#include <functional>
#include <string>

namespace kalmo {

enum TAntiAlias : std::uint32_t { aaNone, aaClearType, aaAntiAlias };
enum TButtonShape : std::uint8_t { btsRectangle, btsCurvedRectangle };
enum TButtonDirection : std::uint8_t { bdLeft, bdRight };
enum TButtonLayout : std::uint8_t {
    blGlyphLeft,
    blGlyphTop,
    blGlyphRight,
    blGlyphBottom,
    blGlyphLeftAdjusted,
    blGlyphRightAdjusted,
    blGlyphTopAdjusted,
    blGlyphBottomAdjusted,
};
enum TBackGroundSymbol : std::uint8_t {
    bsArrowLeft,
    bsArrowRight,
    bsArrowUp,
    bsArrowDown,
    bsPlay,
    bsPause,
    bsStop,
    bsFastForward,
    bsForward,
    bsBackward,
    bsFastBackward,
    bsSpeaker,
    bsNoSpeaker,
    bsNone,
};
enum TGlassButtonStyle : std::uint8_t { tasButton, tasCheck };
enum TShortCutHintPos : std::uint8_t { shpLeft, shpTop, shpRight, shpBottom, shpCenter };
enum TGlassButtonState : std::uint8_t { gsNormal, gsDisabled, gsPressed, gsLatched };

enum class MouseButton { Left, Right, Middle };

// The caption font as the window layouts state it: a negative height is the
// character height in pixels.
struct GlassFont {
    std::string Name = "Tahoma";
    int Height = -11;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    ColorValue Color = clWindowText;

    bool operator==(const GlassFont&) const = default;
};

class GlassButtonModel;

// What the model needs from the window system around it.
class GlassButtonHost {
public:
    virtual void RequestRepaint() = 0;
    virtual void RepaintNow() = 0;
    virtual void SetHoverTimerActive(bool active) = 0;
    // True when the topmost control under the pointer's screen position is this button.
    virtual bool PointerOverButton() = 0;
    virtual bool CanTakeFocus() = 0;
    virtual void TakeFocus() = 0;
    // Deliver GroupNotification(sender) to every other glass button of the same parent.
    virtual void NotifyGroup(const GlassButtonModel& sender) = 0;

protected:
    ~GlassButtonHost() = default;
};

class GlassButtonModel {
public:
    using Event = std::function<void(GlassButtonModel& sender)>;

    static constexpr std::uint32_t VersionNumber() { return 0x01000100; }
    static constexpr int HoverTimerInterval = 1; // milliseconds

    explicit GlassButtonModel(GlassButtonHost* host = nullptr);
    void SetHost(GlassButtonHost* host) { host_ = host; }

    // Events; an unassigned one is skipped.
    Event OnClick;
    Event OnDblClick;
    Event OnMouseEnter;
    Event OnMouseLeave;

    // Properties. Setters store a changed value and request a repaint unless noted.
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool value);
    TAntiAlias AntiAlias() const { return antiAlias_; }
    void SetAntiAlias(TAntiAlias value) { store(antiAlias_, value); }
    ColorValue BackColor() const { return backColor_; }
    void SetBackColor(ColorValue value) { store(backColor_, value); }
    TBackGroundSymbol BackGroundSymbol() const { return backGroundSymbol_; }
    void SetBackGroundSymbol(TBackGroundSymbol value) { store(backGroundSymbol_, value); }
    ColorValue BackGroundSymbolColor() const { return backGroundSymbolColor_; }
    void SetBackGroundSymbolColor(ColorValue value) { store(backGroundSymbolColor_, value); }
    TButtonDirection ButtonDirection() const { return buttonDirection_; }
    void SetButtonDirection(TButtonDirection value) { store(buttonDirection_, value); }
    TButtonShape ButtonShape() const { return buttonShape_; }
    void SetButtonShape(TButtonShape value) { store(buttonShape_, value); }
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value) { store(caption_, value); }
    std::int32_t CornerRadius() const { return cornerRadius_; }
    void SetCornerRadius(std::int32_t value);
    bool Down() const { return down_; }
    void SetDown(bool value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    const GlassFont& Font() const { return font_; }
    void SetFont(const GlassFont& value) { store(font_, value); }
    ColorValue ForeColor() const { return foreColor_; }
    void SetForeColor(ColorValue value) { store(foreColor_, value); }
    bool ForceTransparent() const { return forceTransparent_; }
    void SetForceTransparent(bool value) { store(forceTransparent_, value); }
    ColorValue GlowColor() const { return glowColor_; }
    void SetGlowColor(ColorValue value) { store(glowColor_, value); }
    std::int32_t GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(std::int32_t value);
    ColorValue InnerBorderColor() const { return innerBorderColor_; }
    void SetInnerBorderColor(ColorValue value) { store(innerBorderColor_, value); }
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout value) { store(layout_, value); }
    ColorValue OuterBorderColor() const { return outerBorderColor_; }
    void SetOuterBorderColor(ColorValue value) { store(outerBorderColor_, value); }
    ColorValue ShineColor() const { return shineColor_; }
    void SetShineColor(ColorValue value) { store(shineColor_, value); }
    bool ShowCaption() const { return showCaption_; }
    void SetShowCaption(bool value) { store(showCaption_, value); }
    bool ShowFocusRect() const { return showFocusRect_; }
    void SetShowFocusRect(bool value) { store(showFocusRect_, value); }
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool value) { showHint_ = value; }
    TGlassButtonStyle Style() const { return style_; }
    void SetStyle(TGlassButtonStyle value) { style_ = value; } // no repaint by design
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool value) { tabStop_ = value; }
    const std::string& ShortCutHint() const { return shortCutHint_; }
    void SetShortCutHint(const std::string& value) { store(shortCutHint_, value); }
    TShortCutHintPos ShortCutHintPos() const { return shortCutHintPos_; }
    void SetShortCutHintPos(TShortCutHintPos value) { store(shortCutHintPos_, value); }
    std::string Version() const;
    void SetVersion(const std::string&) {} // read-only in effect, also from a stored layout

    // Client size, kept in step with the widget's bounds.
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetSize(int width, int height);

    // Layout loading: Down written meanwhile is re-applied once every value is read.
    void BeginLoading() { loading_ = true; }
    void Loaded();

    // Input, in client coordinates. doubleClick marks the second press of a quick
    // double click, whether or not a plain press for it came first.
    void MouseDown(MouseButton button, int x, int y, bool doubleClick = false);
    void MouseMove(int x, int y);
    void MouseUp(MouseButton button, int x, int y);
    void MouseEnter();
    void MouseLeave();
    void HoverTimerTick(bool pointerInClient);
    void SyncHoverState();

    void KeyPress(char32_t character);
    bool DialogKey(KeyCode key, ShiftState shift);
    bool DialogChar(char32_t character);
    void Click();
    // Ends a press whose release can no longer arrive (disabled or hidden while held).
    void CancelPress();

    void FocusChanged(bool focusedControlIsThis) { hasFocus_ = focusedControlIsThis; }
    void FocusEnter() { requestRepaint(); }
    void FocusExit() { requestRepaint(); }

    void GroupNotification(const GlassButtonModel& sender);

    // Run at the start of every paint.
    void NormalizeState();

    bool Inside(int x, int y) const { return x >= 0 && x < width_ && y >= 0 && y < height_; }

    // Internal state, read by the painter and the tests.
    TGlassButtonState ButtonState() const { return buttonState_; }
    bool IsHot() const { return isHot_; }
    bool IsPressed() const { return isPressed_; }
    bool IsTracking() const { return isTracking_; }
    bool HasFocus() const { return hasFocus_; }
    bool HoverTimerActive() const { return hoverTimerActive_; }
    bool GlowVisible() const;

private:
    template <typename T>
    void store(T& field, const T& value)
    {
        if (field == value)
            return;
        field = value;
        requestRepaint();
    }
    void requestRepaint();
    void repaintNow();
    void setHoverTimer(bool active);
    void notifyGroup();
    void raise(const Event& event);

    GlassButtonHost* host_ = nullptr;

    bool allowAllUp_ = false;
    TAntiAlias antiAlias_ = aaClearType;
    ColorValue backColor_ = clBlack;
    TBackGroundSymbol backGroundSymbol_ = bsNone;
    ColorValue backGroundSymbolColor_ = clWhite;
    TButtonDirection buttonDirection_ = bdRight;
    TButtonShape buttonShape_ = btsRectangle;
    std::string caption_;
    std::int32_t cornerRadius_ = 4;
    bool down_ = false;
    bool enabled_ = true;
    GlassFont font_;
    ColorValue foreColor_ = clWhite;
    bool forceTransparent_ = false;
    ColorValue glowColor_ = 0x00FFBD8D;
    std::int32_t groupIndex_ = 0;
    ColorValue innerBorderColor_ = clBlack;
    TButtonLayout layout_ = blGlyphLeft;
    ColorValue outerBorderColor_ = clWhite;
    ColorValue shineColor_ = clWhite;
    bool showCaption_ = true;
    bool showFocusRect_ = false;
    bool showHint_ = false;
    TGlassButtonStyle style_ = tasButton;
    bool tabStop_ = false;
    std::string shortCutHint_;
    TShortCutHintPos shortCutHintPos_ = shpTop;
    int width_ = 100;
    int height_ = 32;

    TGlassButtonState buttonState_ = gsNormal;
    bool isHot_ = false;
    bool isPressed_ = false;
    bool isTracking_ = false;
    bool hasFocus_ = false;
    bool clickPending_ = false;
    bool hoverTimerActive_ = false;
    bool loading_ = false;
    bool downWhileLoading_ = false;
};

// The character after the first single "&" of a caption ("&&" stands for a
// literal ampersand), or 0 when the caption has none.
char32_t CaptionAccelerator(const std::string& caption);
// The caption as it reads: each "&" that marks an accelerator left out, "&&" as one "&".
std::string CaptionText(const std::string& caption);

} // namespace kalmo
