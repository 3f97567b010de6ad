// Wavy underlines below stretches of a laid-out text; see WavyUnderline.h.
#include "controls/edit/qt/WavyUnderline.h"

#include <QPainter>
#include <QPainterPath>
#include <QTextLayout>

#include <algorithm>

namespace kalmo {
namespace {

// Waves of 4 pixels, 2 pixels high, one below the baseline.
void paintWave(QPainter& painter, qreal left, qreal right, qreal y)
{
    constexpr qreal halfWave = 2;
    QPainterPath path(QPointF(left, y));
    bool up = true;
    for (qreal x = left; x < right; x += halfWave, up = !up)
        path.lineTo(std::min(x + halfWave, right), up ? y - halfWave : y);
    painter.drawPath(path);
}

} // namespace

void paintWavyUnderlines(QPainter& painter, const QTextLayout& layout, QPointF origin,
                         const std::vector<TextStretch>& stretches, const QColor& color)
{
    if (stretches.empty())
        return;
    painter.save();
    // Crisp one-pixel waves, as the platforms' spelling checkers draw them.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(color, 1));
    painter.setBrush(Qt::NoBrush);
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        const int lineStart = line.textStart();
        const int lineEnd = lineStart + line.textLength();
        const qreal y = origin.y() + line.y() + line.ascent() + 2.5;
        for (const TextStretch& stretch : stretches) {
            const int start = std::max(stretch.start, lineStart);
            const int end = std::min(stretch.start + stretch.length, lineEnd);
            if (start >= end)
                continue;
            // Right to left, the end may stand left of the start.
            const qreal a = line.cursorToX(start);
            const qreal b = line.cursorToX(end);
            paintWave(painter, origin.x() + std::min(a, b), origin.x() + std::max(a, b), y);
        }
    }
    painter.restore();
}

} // namespace kalmo
