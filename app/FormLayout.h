// A window's stored layout as data: every control's place and size in
// client pixels, applied in one place, the right-edge anchor that lets a
// control grow and shrink with its window's width, and a window's centred
// place.
#pragma once

#include "app/layouts/ControlPlace.h"

#include <span>

class QWidget;

namespace kalmo {

// Places the named children of `client`; a control with AutoSize keeps the
// size of its text, at least the stored one.
void applyLayout(QWidget& client, std::span<const ControlPlace> places);

// After the client area changed width: anchored controls take the change.
void followRightEdge(QWidget& client, std::span<const ControlPlace> places, int designClientWidth);

// Puts a window, at its present size, in the middle of the primary screen's
// free area.
void centreOnScreen(QWidget& window);

} // namespace kalmo
