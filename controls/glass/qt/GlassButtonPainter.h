// Draws a glass button's layers and caption onto a QPainter. Kept apart from
// the widget so the same drawing serves the widget's own paint and any
// off-screen image a caller composes.
#pragma once

#include "controls/glass/GlassGeometry.h"

#include <QPainterPath>
#include <QPalette>

class QPainter;

namespace kalmo {

// The core path in Qt terms: clockwise y-down arcs become Qt's counter-clockwise ones.
QPainterPath toPainterPath(const GlassPath& path);

class GlassButtonPainter {
public:
    // palette resolves system colours; focused tells whether the button has the
    // keyboard focus. The painter's origin is the button's top-left corner.
    static void Paint(QPainter& painter, const GlassButtonModel& button, const QPalette& palette, bool focused);

    static void PaintGlassLayers(QPainter& painter, const GlassLayers& layers);
    static void PaintButtonContent(QPainter& painter, const GlassButtonModel& button, const CaptionLayout& caption);
};

} // namespace kalmo
