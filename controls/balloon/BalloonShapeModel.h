// The balloon component without its window: the published properties and
// their setter rules, the after-load step as a plan the widget carries out,
// the paint step as a list of figures and colours, and the rule for which
// presses drag the window. Everything that can be decided without a window
// system is decided here.
#pragma once

#include "base/Color.h"
#include "base/KalmoError.h"
#include "controls/balloon/BalloonGeometry.h"

#include <cstdint>
#include <optional>
#include <string>

namespace kalmo {

// Raised when the component is given an owner that is not a top-level window.
class EBalloonShapeError : public KalmoError {
public:
    using KalmoError::KalmoError;
};

inline constexpr const char* kBalloonOwnerError = "Control parent must be a form!";

// The frame of a sizeable window as the stored layouts were designed with
// it: a 23-pixel caption bar and an 8-pixel frame on every side. Removing
// the frame keeps the window's outer size, so these numbers decide how much
// room the balloon gains; fixed numbers keep the outline the same whatever
// window manager runs the program.
struct WindowFrame {
    int captionHeight = 23;
    int border = 8;
};

inline constexpr WindowFrame kLayoutWindowFrame{};

// The window's client size after its frame is removed (the outer size stays,
// so the client area takes over the frame) and its height is then reduced
// by a caption bar's height. Child controls keep their client coordinates.
BalloonSize shapedClientSize(BalloonSize designedClient, const WindowFrame& frame);

// The after-load step, in the order the widget applies it.
struct BalloonShapePlan {
    bool installPaintHook = true;   // balloon painted before the window's own painting
    bool removeBorder = true;       // no caption, no frame
    int heightReduction = 0;        // a caption bar's height
    BalloonSize clientSize;         // R and B once border and height are settled
    BalloonRegionGeometry region;   // the window is cut to this
    bool installDragHook = true;    // presses on the own surface may drag (see PressMovesWindow)
};

// One paint of the balloon: body and pointer with the border pen and the
// balloon brush, then the seam in the balloon colour.
struct BalloonPaintPlan {
    ColorValue penColor = clBlack;
    int penWidth = 1;
    ColorValue brushColor = clWhite;
    ColorValue seamColor = clWhite;
    BalloonPaintGeometry geometry;
};

// Where a press on the shaped window lands.
enum class HitArea : std::uint8_t {
    OwnSurface,    // the window's own surface
    ChildControl,  // a child control, which handles its own input
};

class BalloonShapeModel {
public:
    static constexpr std::uint32_t kPackedVersion = 0x01030000;

    bool Reshape() const { return reshape_; }
    void SetReshape(bool value) { reshape_ = value; }

    TBalloonPosition BalloonPosition() const { return position_; }
    void SetBalloonPosition(TBalloonPosition value);

    int BalloonEllips() const { return ellips_; }
    void SetBalloonEllips(int value);

    int BalloonIndent() const { return indent_; }
    void SetBalloonIndent(int value);

    ColorValue BalloonColor() const { return balloonColor_; }
    void SetBalloonColor(ColorValue value) { balloonColor_ = value; }

    ColorValue BorderColor() const { return borderColor_; }
    void SetBorderColor(ColorValue value) { borderColor_ = value; }

    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int value);

    bool DragBalloon() const { return dragBalloon_; }
    void SetDragBalloon(bool value) { dragBalloon_ = value; }

    std::string Version() const;
    // Layouts store the version too; reading it back must not change it.
    void SetVersion(const std::string&) {}

    // The after-load step for a window whose layout gives it designedClient.
    // Nothing to do while Reshape is off, and nothing a second time: the
    // outline is computed once and a repeated call would shrink the window
    // again.
    std::optional<BalloonShapePlan> ApplyBalloonShape(BalloonSize designedClient,
                                                      const WindowFrame& frame = kLayoutWindowFrame);
    bool Shaped() const { return shaped_; }

    // Reads the current properties, so a colour changed after shaping shows
    // at the next paint while the window's outline stays.
    BalloonPaintPlan PaintBalloon(BalloonSize client) const;

    // A press on the shaped window's own surface acts as a press on a caption
    // bar while DragBalloon is on; child controls keep their own input.
    bool PressMovesWindow(HitArea area) const;

private:
    bool reshape_ = false;
    TBalloonPosition position_ = bpTopLeft;
    int ellips_ = 20;
    int indent_ = 15;
    ColorValue balloonColor_ = clWhite;
    ColorValue borderColor_ = clBlack;
    int borderWidth_ = 1;
    bool dragBalloon_ = false;
    bool shaped_ = false;
};

} // namespace kalmo
