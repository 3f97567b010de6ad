// A control's place in its window's stored layout: the name it is found by
// and its bounds in client pixels. Plain data, so the layout tables stay free
// of Qt.
#pragma once

namespace kalmo {

struct ControlPlace {
    const char* name; // the control's objectName
    int left;
    int top;
    int width;
    int height;
    bool anchorRight = false; // keep the distance to the right edge
};

namespace layout {

// Bounds in client pixels, for the controls other code sizes by as well.
struct ControlBounds {
    int left;
    int top;
    int width;
    int height;
};

constexpr ControlPlace place(const char* name, const ControlBounds& bounds, bool anchorRight = false)
{
    return {name, bounds.left, bounds.top, bounds.width, bounds.height, anchorRight};
}

} // namespace layout

} // namespace kalmo
