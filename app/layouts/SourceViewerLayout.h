// The source viewer's stored layout: the places of its labels, panes and
// logo in client pixels. The window program, the script runner, the tests and
// the fuzzers all size their panes from here.
#pragma once

#include "app/layouts/ControlPlace.h"

#include <array>

namespace kalmo::layout::source_viewer {

constexpr int clientWidth = 504;
constexpr int clientHeight = 489;
constexpr ControlBounds Memo1{8, 25, 488, 193};
constexpr ControlBounds Memo2{8, 241, 488, 199};
// The font cell the panes measure for their 11-pixel Courier New; what runs
// the job without a screen gives them this one.
constexpr int paneCellWidth = 7;
constexpr int paneCellHeight = 14;

// The panes grow and shrink with the window's width.
constexpr std::array<ControlPlace, 5> controls{{
    {"Label1", {8, 6, 86, 13}},
    {"Memo1", Memo1, true},
    {"Label2", {8, 224, 101, 13}},
    {"Memo2", Memo2, true},
    {"Image1", {8, 449, 90, 32}},
}};

} // namespace kalmo::layout::source_viewer
