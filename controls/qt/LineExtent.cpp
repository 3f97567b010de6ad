// Line and ink extent of one line of text; see LineExtent.h.
#include "controls/qt/LineExtent.h"

#include <QGlyphRun>
#include <QTextLayout>

#include <algorithm>

namespace kalmo {

std::optional<LineExtent> lineExtentOf(const QString& text, const QFont& font)
{
    if (std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x0300; }))
        return std::nullopt;
    QTextLayout layout(text, font);
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    LineExtent extent{line.ascent(), line.descent(), line.ascent(), line.descent()};
    // Glyph positions are on the baseline, which lies `ascent` below the line's top.
    for (const QGlyphRun& run : layout.glyphRuns()) {
        const QRawFont raw = run.rawFont();
        const QList<quint32> glyphs = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        for (qsizetype i = 0; i < glyphs.size(); ++i) {
            const QRectF ink = raw.boundingRect(glyphs[i]).translated(positions[i]);
            extent.inkAscent = std::max(extent.inkAscent, line.ascent() - ink.top());
            extent.inkDescent = std::max(extent.inkDescent, ink.bottom() - line.ascent());
        }
    }
    return extent;
}

} // namespace kalmo
