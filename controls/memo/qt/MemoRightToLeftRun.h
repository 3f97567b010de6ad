// A right-to-left run of a memo line laid out as one piece, so that its
// letters join and its brackets mirror, and fitted into the cells the run
// takes on the grid: centred when it is narrower, squeezed when wider. It
// tells where each of its logical columns appears, for the caret and the
// selection, which stay logical.
#pragma once

#include "controls/memo/BidiColumns.h"

#include <QTextLayout>

#include <string_view>
#include <utility>
#include <vector>

class QColor;
class QPainter;

namespace kalmo {

class MemoClusterFonts;

class RightToLeftRun {
public:
    // `left` is where the run's first cell on screen starts in row pixels.
    RightToLeftRun(std::string_view line, const BidiRun& run, MemoClusterFonts& fonts, qreal left, int cellWidth);
    RightToLeftRun(const RightToLeftRun&) = delete;
    RightToLeftRun& operator=(const RightToLeftRun&) = delete;

    // Where the boundary before logical column `column` appears (the run's
    // end column: after its last cluster, at its left end).
    qreal boundaryX(int column) const;
    // The pixels the cluster starting at logical column `column` covers, left first.
    std::pair<qreal, qreal> clusterSpan(int column) const;
    // The logical columns at which the run's clusters start, in logical order.
    std::vector<int> clusterColumns() const;

    // Draws the whole run with the pen's colour, its baseline at `baseline`.
    void draw(QPainter& painter, qreal baseline) const;

private:
    struct Boundary {
        int column;
        int utf16;
    };

    QTextLayout layout_;
    std::vector<Boundary> boundaries_; // every cluster's start, then the run's end
    qreal left_ = 0;  // where the laid-out text starts
    qreal scale_ = 1; // below 1 when squeezed
};

} // namespace kalmo
