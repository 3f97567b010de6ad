// The memo's settings objects and the small value types its model shares
// with the widget: enumerations, the font description, rectangles and the
// scroll bars' state. Setters store a changed value and ask the owning memo
// for a repaint, so a window layout can be applied as plain property writes.
#pragma once

#include "base/Color.h"

#include <string>

namespace kalmo {

class TCustomCodeMemo;

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
enum class TScrollMode { smAuto, smStrict };
enum class TBorderStyle { bsNone, bsSingle };

constexpr bool hasVerticalBar(TScrollStyle style)
{
    return style == TScrollStyle::ssVertical || style == TScrollStyle::ssBoth;
}
constexpr bool hasHorizontalBar(TScrollStyle style)
{
    return style == TScrollStyle::ssHorizontal || style == TScrollStyle::ssBoth;
}

// Pixels, half-open on the right and bottom like the platform's rectangles.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    friend bool operator==(const TRect&, const TRect&) = default;
};

// A font as a layout describes it; the widget turns it into a real font.
struct TMemoFont {
    std::string Name = "COURIER NEW";
    int Height = -13; // negative: character height in pixels
    ColorValue Color = clBlack;
    bool Bold = false;
    friend bool operator==(const TMemoFont&, const TMemoFont&) = default;
};

struct TUrlStyle {
    ColorValue TextColor = clBlue;
    ColorValue BkColor = clWhite;
    bool Underline = true;
    friend bool operator==(const TUrlStyle&, const TUrlStyle&) = default;
};

// One scroll bar as the model decides it; the widget mirrors it.
struct TScrollBarState {
    bool Visible = false;
    int Min = 0;
    int Max = 0;
    int PageSize = 0;
    int Position = 0;
    // The last position the platform lets the thumb reach for this range.
    int LastPosition() const;
    // Positions are kept inside Min .. LastPosition(), as the platform does.
    void SetPosition(int position);
};

class TActiveLineSettings {
public:
    explicit TActiveLineSettings(TCustomCodeMemo& owner) : owner_(owner) {}

    bool ShowActiveLine() const { return showActiveLine_; }
    bool ShowActiveLineIndicator() const { return showActiveLineIndicator_; }
    bool ActiveLineAtCursor() const { return activeLineAtCursor_; }
    ColorValue ActiveLineColor() const { return activeLineColor_; }
    ColorValue ActiveLineTextColor() const { return activeLineTextColor_; }

    void SetShowActiveLine(bool value);
    void SetShowActiveLineIndicator(bool value);
    // Turning it on makes the caret line the active line at once.
    void SetActiveLineAtCursor(bool value);
    void SetActiveLineColor(ColorValue value);
    void SetActiveLineTextColor(ColorValue value);

private:
    TCustomCodeMemo& owner_;
    bool showActiveLine_ = false;
    bool showActiveLineIndicator_ = false;
    bool activeLineAtCursor_ = false;
    ColorValue activeLineColor_ = clNavy;
    ColorValue activeLineTextColor_ = clYellow;
};

class TMemoGutter {
public:
    static constexpr int MinimumMargin = 45;

    explicit TMemoGutter(TCustomCodeMemo& owner) : owner_(owner) {}

    bool Visible() const { return visible_; }
    int GutterWidth() const { return gutterWidth_; }
    int GutterMargin() const { return gutterMargin_; }
    ColorValue GutterColor() const { return gutterColor_; }
    ColorValue GutterColorTo() const { return gutterColorTo_; }
    ColorValue BorderColor() const { return borderColor_; }
    bool ShowLineNumbers() const { return showLineNumbers_; }
    int LineNumberStart() const { return lineNumberStart_; }
    ColorValue LineNumberTextColor() const { return lineNumberTextColor_; }
    int DigitCount() const { return digitCount_; }
    bool ShowLeadingZeros() const { return showLeadingZeros_; }
    const std::string& NumberSuffix() const { return numberSuffix_; }
    const TMemoFont& Font() const { return font_; }

    void SetVisible(bool value);
    void SetGutterWidth(int value);       // writes of 0 or less are ignored
    void SetGutterMargin(int value);      // never below 45
    void SetGutterColor(ColorValue value);
    void SetGutterColorTo(ColorValue value);
    void SetBorderColor(ColorValue value);
    void SetShowLineNumbers(bool value);
    void SetLineNumberStart(int value);   // never negative
    void SetLineNumberTextColor(ColorValue value);
    void SetDigitCount(int value);        // writes of 0 or less are ignored
    void SetShowLeadingZeros(bool value);
    void SetNumberSuffix(const std::string& value);
    void SetFont(const TMemoFont& value);

private:
    template <typename T> void store(T& field, const T& value);

    TCustomCodeMemo& owner_;
    bool visible_ = true;
    int gutterWidth_ = 45;
    int gutterMargin_ = MinimumMargin;
    ColorValue gutterColor_ = clBtnFace;
    ColorValue gutterColorTo_ = clWhite;
    ColorValue borderColor_ = clGray;
    bool showLineNumbers_ = true;
    int lineNumberStart_ = 1;
    ColorValue lineNumberTextColor_ = clBlack;
    int digitCount_ = 4;
    bool showLeadingZeros_ = false;
    std::string numberSuffix_;
    TMemoFont font_{"Courier New", -13, clBlack, false}; // 10 pt at 96 dpi
};

} // namespace kalmo
