// A control's place in its window's stored layout: the name it is found by
// and its bounds in client pixels. Plain data, so the layout tables stay free
// of Qt.
#pragma once

namespace kalmo {

namespace layout {

// Bounds in client pixels, for the controls other code sizes by as well.
struct ControlBounds {
    int left;
    int top;
    int width;
    int height;
};

} // namespace layout

struct ControlPlace {
    const char* name; // the control's objectName
    layout::ControlBounds bounds;
    bool anchorRight = false; // keep the distance to the right edge
};

} // namespace kalmo
