// Layout of one right-to-left run; see MemoRightToLeftRun.h.
#include "controls/memo/qt/MemoRightToLeftRun.h"

#include "controls/memo/Utf8Columns.h"
#include "controls/memo/qt/MemoClusterFonts.h"

#include <QPainter>
#include <QTextOption>

#include <algorithm>

namespace kalmo {

RightToLeftRun::RightToLeftRun(std::string_view line, const BidiRun& run, MemoClusterFonts& fonts, qreal left,
                               int cellWidth)
{
    const std::string_view bytes = line.substr(run.byte, run.size);
    QString text;
    int font = 0;
    ClusterWalker walker(bytes);
    TextCluster cluster;
    while (walker.next(cluster)) {
        const MemoClusterFonts::Shape& shape = fonts.shapeOf(bytes.substr(cluster.byte, cluster.size));
        boundaries_.push_back(Boundary{run.column + cluster.column, static_cast<int>(text.size())});
        text += shape.text;
        // The run is drawn in the font of its first letter the pane's font lacks.
        if (font == 0)
            font = shape.font;
    }
    boundaries_.push_back(Boundary{run.end(), static_cast<int>(text.size())});

    QTextOption option(Qt::AlignLeft | Qt::AlignAbsolute);
    option.setTextDirection(Qt::RightToLeft);
    layout_.setText(text);
    layout_.setFont(fonts.font(font));
    layout_.setTextOption(option);
    layout_.setCacheEnabled(true);
    layout_.beginLayout();
    QTextLine textLine = layout_.createLine();
    textLine.setNumColumns(static_cast<int>(text.size()));
    layout_.endLayout();

    const qreal natural = textLine.naturalTextWidth();
    const qreal span = static_cast<qreal>(run.columns) * cellWidth;
    scale_ = natural > span ? span / natural : 1.0;
    left_ = left + (natural > span ? 0.0 : (span - natural) / 2);
}

qreal RightToLeftRun::boundaryX(int column) const
{
    const auto found = std::find_if(boundaries_.begin(), boundaries_.end(),
                                    [column](const Boundary& b) { return b.column >= column; });
    int utf16 = found == boundaries_.end() ? boundaries_.back().utf16 : found->utf16;
    return left_ + scale_ * layout_.lineAt(0).cursorToX(&utf16);
}

std::pair<qreal, qreal> RightToLeftRun::clusterSpan(int column) const
{
    const auto found = std::find_if(boundaries_.begin(), boundaries_.end(),
                                    [column](const Boundary& b) { return b.column >= column; });
    if (found == boundaries_.end() || found + 1 == boundaries_.end())
        return {0, 0};
    const qreal from = boundaryX(found->column);
    const qreal to = boundaryX((found + 1)->column);
    return {std::min(from, to), std::max(from, to)};
}

std::vector<int> RightToLeftRun::clusterColumns() const
{
    std::vector<int> columns;
    for (std::size_t i = 0; i + 1 < boundaries_.size(); ++i)
        columns.push_back(boundaries_[i].column);
    return columns;
}

void RightToLeftRun::draw(QPainter& painter, qreal baseline) const
{
    painter.save();
    painter.translate(left_, 0);
    painter.scale(scale_, 1.0);
    layout_.draw(&painter, QPointF(0, baseline - layout_.lineAt(0).ascent()));
    painter.restore();
}

} // namespace kalmo
