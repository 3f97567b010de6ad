// Setter rules of the memo's settings objects: store, normalise, repaint.
#include "controls/memo/MemoSettings.h"

#include "controls/memo/CodeMemoModel.h"

#include <algorithm>

namespace kalmo {

void TActiveLineSettings::SetShowActiveLine(bool value)
{
    showActiveLine_ = value;
    owner_.Invalidate();
}

void TActiveLineSettings::SetShowActiveLineIndicator(bool value)
{
    showActiveLineIndicator_ = value;
    owner_.Invalidate();
}

void TActiveLineSettings::SetActiveLineAtCursor(bool value)
{
    activeLineAtCursor_ = value;
    owner_.Invalidate();
    if (value && !owner_.loadingLayout()) {
        owner_.SetActiveLineIndex(owner_.CaretLine());
    }
}

void TActiveLineSettings::SetActiveLineColor(ColorValue value)
{
    activeLineColor_ = value;
    owner_.Invalidate();
}

void TActiveLineSettings::SetActiveLineTextColor(ColorValue value)
{
    activeLineTextColor_ = value;
    owner_.Invalidate();
}

template <typename T> void TMemoGutter::store(T& field, const T& value)
{
    if (!(field == value)) {
        field = value;
        owner_.Invalidate();
    }
}

void TMemoGutter::SetVisible(bool value) { store(visible_, value); }

void TMemoGutter::SetGutterWidth(int value)
{
    if (value > 0) {
        store(gutterWidth_, value);
    }
}

void TMemoGutter::SetGutterMargin(int value) { store(gutterMargin_, std::max(MinimumMargin, value)); }
void TMemoGutter::SetGutterColor(ColorValue value) { store(gutterColor_, value); }
void TMemoGutter::SetGutterColorTo(ColorValue value) { store(gutterColorTo_, value); }
void TMemoGutter::SetBorderColor(ColorValue value) { store(borderColor_, value); }
void TMemoGutter::SetShowLineNumbers(bool value) { store(showLineNumbers_, value); }
void TMemoGutter::SetLineNumberStart(int value) { store(lineNumberStart_, std::max(0, value)); }
void TMemoGutter::SetLineNumberTextColor(ColorValue value) { store(lineNumberTextColor_, value); }

void TMemoGutter::SetDigitCount(int value)
{
    if (value > 0) {
        store(digitCount_, value);
    }
}

void TMemoGutter::SetShowLeadingZeros(bool value) { store(showLeadingZeros_, value); }
void TMemoGutter::SetNumberSuffix(const std::string& value) { store(numberSuffix_, value); }
void TMemoGutter::SetFont(const TMemoFont& value) { store(font_, value); }

} // namespace kalmo
