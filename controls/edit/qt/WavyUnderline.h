// Wavy underlines below stretches of a laid-out text, as spelling checkers
// mark the words they do not know. Any widget that lays out its text with
// QTextLayout (a line edit, a wrapping field) can use it.
#pragma once

#include <QColor>
#include <QPointF>

#include <vector>

class QPainter;
class QTextLayout;

namespace kalmo {

struct TextStretch {
    int start = 0; // UTF-16 positions in the layout's text
    int length = 0;
    bool operator==(const TextStretch&) const = default;
};

// The layout's lines are placed at their own positions plus origin.
void paintWavyUnderlines(QPainter& painter, const QTextLayout& layout, QPointF origin,
                         const std::vector<TextStretch>& stretches, const QColor& color = QColor(Qt::red));

} // namespace kalmo
