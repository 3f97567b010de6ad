// The source viewer's stored layout: the two panes' places and sizes in
// client pixels. The window program, the script runner, the tests and the
// fuzzers all size their panes from here.
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
// The font cell the panes measure for their 11-pixel Courier New; what runs
// the job without a screen gives them this one.
constexpr int paneCellWidth = 7;
constexpr int paneCellHeight = 14;
} // namespace source_viewer

} // namespace kalmo::layout
