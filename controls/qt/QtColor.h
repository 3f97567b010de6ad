// The one place where stored colour values become QColor.
#pragma once

#include "base/Color.h"

#include <QColor>
#include <QPalette>

namespace kalmo {

// System colours are looked up in the palette at drawing time, as the
// platform's colour scheme would be; plain values are 0x00BBGGRR.
QColor toQColor(ColorValue color, const QPalette& palette);
QColor toQColor(ColorValue color);

} // namespace kalmo
