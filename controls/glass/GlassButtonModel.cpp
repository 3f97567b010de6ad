// Rules of the glass button: setters, click tracking, hover, keys and groups.
#include "controls/glass/GlassButtonModel.h"

#include "controls/ComponentVersion.h"

namespace kalmo {
namespace {

char32_t foldAscii(char32_t c)
{
    return (c >= U'A' && c <= U'Z') ? c - U'A' + U'a' : c;
}

// One code point from UTF-8 at text[pos]; a stray byte stands for itself.
char32_t decodeAt(const std::string& text, std::size_t pos)
{
    const auto lead = static_cast<unsigned char>(text[pos]);
    int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    if (pos + extra >= text.size())
        return lead;
    char32_t c = extra == 0 ? lead : (lead & (0x3F >> extra));
    for (int i = 1; i <= extra; ++i) {
        const auto next = static_cast<unsigned char>(text[pos + i]);
        if ((next & 0xC0) != 0x80)
            return lead;
        c = (c << 6) | (next & 0x3F);
    }
    return c;
}

} // namespace

char32_t CaptionAccelerator(const std::string& caption)
{
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&')
            continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        return decodeAt(caption, i + 1);
    }
    return 0;
}

std::string CaptionText(const std::string& caption)
{
    std::string text;
    text.reserve(caption.size());
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size())
            ++i;
        text += caption[i];
    }
    return text;
}

GlassButtonModel::GlassButtonModel(GlassButtonHost* host)
    : host_(host)
{
}

std::string GlassButtonModel::Version() const
{
    return componentVersionText(VersionNumber());
}

void GlassButtonModel::requestRepaint()
{
    if (host_)
        host_->RequestRepaint();
}

void GlassButtonModel::repaintNow()
{
    if (host_)
        host_->RepaintNow();
}

void GlassButtonModel::setHoverTimer(bool active)
{
    if (hoverTimerActive_ == active)
        return;
    hoverTimerActive_ = active;
    if (host_)
        host_->SetHoverTimerActive(active);
}

void GlassButtonModel::raise(const Event& event)
{
    if (event)
        event(*this);
}

void GlassButtonModel::notifyGroup()
{
    if (groupIndex_ != 0 && host_)
        host_->NotifyGroup(*this);
}

void GlassButtonModel::SetCornerRadius(std::int32_t value)
{
    // Any non-negative radius is kept at run time; the path builder copes with
    // radii larger than the box.
    if (value < 0)
        return;
    store(cornerRadius_, value);
}

void GlassButtonModel::SetDown(bool value)
{
    if (loading_)
        downWhileLoading_ = value;
    if (groupIndex_ == 0 && style_ == tasButton)
        value = false;
    if (value == down_)
        return;
    if (down_ && groupIndex_ != 0 && !allowAllUp_)
        return;
    down_ = value;
    if (style_ == tasCheck) {
        buttonState_ = value ? gsPressed : gsNormal;
        repaintNow();
    } else {
        buttonState_ = value ? gsLatched : gsNormal;
        requestRepaint();
    }
    if (value)
        notifyGroup();
}

void GlassButtonModel::SetGroupIndex(std::int32_t value)
{
    if (value == groupIndex_)
        return;
    groupIndex_ = value;
    notifyGroup();
}

void GlassButtonModel::SetAllowAllUp(bool value)
{
    if (value == allowAllUp_)
        return;
    allowAllUp_ = value;
    notifyGroup();
}

void GlassButtonModel::SetEnabled(bool value)
{
    if (value == enabled_)
        return;
    enabled_ = value;
    // A disabled control receives no more mouse input, so the release of a
    // press in progress would never arrive and the glow would stay lit.
    if (!enabled_)
        CancelPress();
    requestRepaint();
}

void GlassButtonModel::SetSize(int width, int height)
{
    if (width == width_ && height == height_)
        return;
    width_ = width;
    height_ = height;
    requestRepaint();
}

void GlassButtonModel::Loaded()
{
    loading_ = false;
    if (downWhileLoading_ != down_)
        SetDown(downWhileLoading_);
}

bool GlassButtonModel::GlowVisible() const
{
    return isPressed_ || down_ || buttonState_ == gsPressed || buttonState_ == gsLatched;
}

void GlassButtonModel::MouseDown(MouseButton button, int /*x*/, int /*y*/, bool doubleClick)
{
    if (!enabled_ || button != MouseButton::Left)
        return;
    if (doubleClick && isPressed_) {
        // The plain press of this second click already ran; only its click is dropped.
        clickPending_ = false;
        raise(OnDblClick);
        return;
    }
    clickPending_ = !doubleClick;
    if (doubleClick)
        raise(OnDblClick);
    isPressed_ = true;
    if (!down_) {
        buttonState_ = gsPressed;
        requestRepaint();
    }
    if (style_ == tasCheck) {
        buttonState_ = gsPressed;
        repaintNow();
    }
    if (tabStop_ && host_)
        host_->TakeFocus();
    isTracking_ = true;
}

void GlassButtonModel::MouseMove(int x, int y)
{
    if (!enabled_)
        return;
    if (isTracking_) {
        TGlassButtonState next = down_ ? gsLatched : (Inside(x, y) ? gsPressed : gsNormal);
        if (style_ == tasCheck && down_)
            next = gsPressed;
        if (next != buttonState_) {
            buttonState_ = next;
            requestRepaint();
        }
    } else if (!isHot_) {
        SyncHoverState();
    }
}

void GlassButtonModel::MouseUp(MouseButton button, int x, int y)
{
    if (!enabled_ || button != MouseButton::Left)
        return;
    const bool inside = Inside(x, y);
    isPressed_ = false;
    requestRepaint();
    if (isTracking_) {
        isTracking_ = false;
        if (groupIndex_ == 0) {
            buttonState_ = gsNormal;
            isHot_ = false;
            if (style_ == tasCheck) {
                SetDown(!down_);
                buttonState_ = gsNormal;
            }
            if (inside)
                requestRepaint();
        } else if (inside) {
            SetDown(!down_);
            if (down_)
                repaintNow();
        } else {
            if (down_)
                buttonState_ = gsLatched;
            repaintNow();
        }
        SyncHoverState();
    }
    if (clickPending_) {
        clickPending_ = false;
        if (inside)
            Click();
    }
    requestRepaint();
}

void GlassButtonModel::MouseEnter()
{
    isHot_ = true;
    setHoverTimer(true);
    raise(OnMouseEnter);
}

void GlassButtonModel::MouseLeave()
{
    setHoverTimer(false);
    isHot_ = false;
    raise(OnMouseLeave);
}

void GlassButtonModel::HoverTimerTick(bool pointerInClient)
{
    if (pointerInClient)
        return;
    setHoverTimer(false);
    isHot_ = false;
    if (enabled_)
        requestRepaint();
}

void GlassButtonModel::SyncHoverState()
{
    if (!enabled_)
        return;
    if (host_ && host_->PointerOverButton())
        MouseEnter();
    else
        MouseLeave();
}

void GlassButtonModel::KeyPress(char32_t character)
{
    if (character == U' ')
        Click();
}

bool GlassButtonModel::DialogKey(KeyCode key, ShiftState shift)
{
    if (key != vk::Enter || !hasFocus_ || shift != 0)
        return false;
    if (!enabled_ || (host_ && !host_->CanTakeFocus()))
        return false;
    Click();
    return true;
}

bool GlassButtonModel::DialogChar(char32_t character)
{
    const char32_t accelerator = CaptionAccelerator(caption_);
    if (accelerator == 0 || foldAscii(accelerator) != foldAscii(character))
        return false;
    if (!enabled_ || (host_ && !host_->CanTakeFocus()))
        return false;
    Click();
    return true;
}

void GlassButtonModel::CancelPress()
{
    if (!isPressed_ && !isTracking_ && !clickPending_)
        return;
    isPressed_ = false;
    isTracking_ = false;
    clickPending_ = false;
    if (buttonState_ == gsPressed && !down_)
        buttonState_ = gsNormal;
    requestRepaint();
}

void GlassButtonModel::Click()
{
    raise(OnClick);
}

void GlassButtonModel::GroupNotification(const GlassButtonModel& sender)
{
    if (&sender == this || sender.groupIndex_ != groupIndex_ || groupIndex_ == 0)
        return;
    if (down_ && sender.down_) {
        down_ = false;
        buttonState_ = gsNormal;
        requestRepaint();
    }
    allowAllUp_ = sender.allowAllUp_;
}

void GlassButtonModel::NormalizeState()
{
    if (!enabled_) {
        buttonState_ = gsDisabled;
        isTracking_ = false;
    } else if (buttonState_ == gsDisabled) {
        buttonState_ = (down_ && groupIndex_ != 0) ? gsLatched : gsNormal;
    }
    if (style_ == tasCheck && down_)
        buttonState_ = gsPressed;
}

} // namespace kalmo
