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

} // namespace kalmo
