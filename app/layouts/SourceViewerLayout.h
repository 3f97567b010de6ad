// The source viewer's stored layout: the two panes' places and sizes in
// client pixels. The window program and the script runner both size their
// panes from here.
#pragma once

namespace kalmo::layout {

struct ControlBounds {
    int left;
    int top;
    int width;
    int height;
};

namespace source_viewer {
constexpr int clientWidth = 504;
constexpr int clientHeight = 489;
constexpr ControlBounds Memo1{8, 25, 488, 193};
constexpr ControlBounds Memo2{8, 241, 488, 199};
} // namespace source_viewer

} // namespace kalmo::layout
