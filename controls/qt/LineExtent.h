// How far one line of text reaches when its scripts come from fallback
// fonts: a Thai or Devanagari face makes the line taller than the widget's
// own font, and stacked marks (Vietnamese "Ể") rise above even that. The
// fields use it to show such text whole.
#pragma once

#include <QFont>
#include <QString>

#include <optional>

namespace kalmo {

// In pixels from the baseline, upwards positive for the ascents.
struct LineExtent {
    qreal ascent = 0;     // of the line: the tallest font used
    qreal descent = 0;
    qreal inkAscent = 0;  // of the glyphs themselves
    qreal inkDescent = 0;
};

// The text laid out on one line in `font`; nothing for a text whose
// characters all lie below the combining marks (U+0300), which the
// widget's own font draws as its metrics say.
std::optional<LineExtent> lineExtentOf(const QString& text, const QFont& font);

} // namespace kalmo
