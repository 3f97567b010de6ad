// MemoRenderer: draws a TCustomCodeMemo with a QPainter. Kept apart from the
// widget's event handlers so that painting can be driven on any surface (a
// widget, a QImage in a benchmark) from the model and a few Qt resources.
// Each text row is composed in a reused row image and copied into place.
//
// An ASCII line is one text call per coloured part. Any other line is drawn
// a grapheme cluster at a time, each in its own cells (the model's columns
// count a cluster, a letter with all its marks, as one unit of one or two
// cells; the renderer never changes that): a cluster is composed and drawn
// whole in one font (MemoClusterFonts), so marks sit on their letter. A line
// holding right-to-left text has its runs put in visual order on the grid
// (BidiColumns), and each right-to-left run is drawn shaped as one piece
// inside its cells (RightToLeftRun); the caret is drawn where its logical
// column appears.
#pragma once

#include "controls/memo/BidiColumns.h"
#include "controls/memo/CodeMemoModel.h"
#include "controls/memo/qt/MemoClusterFonts.h"

#include <QFont>
#include <QImage>
#include <QPalette>
#include <QRect>

#include <string_view>
#include <vector>

class QPainter;

namespace kalmo {

// The memo's pixel rectangles as Qt's, for painting and for repaint requests.
QRect toQRect(const TRect& rect);

// The memo's real fonts, as the renderer measured them.
struct MemoFonts {
    QFont text;            // spaced so that every glyph advances exactly one cell
    QFont gutter;
    int marginCharWidth = 0; // width of "w", the right margin's unit
    int ascent = 0;        // of the text font: rows draw text from their top edge
    int gutterAscent = 0;
};

struct MemoPaintContext {
    QPalette palette;
    // Without the focus a HideSelection memo shows no selection.
    bool hasFocus = false;
    // Rows outside this rectangle are not composed; an empty rectangle means everything.
    QRect exposed;
    qreal devicePixelRatio = 1.0;
};

// Where the model's showing scroll bars sit: docked to the right and bottom
// edges of the client area; empty when the bar is hidden. The widget places
// its QScrollBars here and the renderer fills around them.
QRect verticalBarRect(const TCustomCodeMemo& memo);
QRect horizontalBarRect(const TCustomCodeMemo& memo);

class MemoRenderer {
public:
    // What the text font fills: the cell, and the description it was drawn
    // from, which names "FixedSys" when the stored font was proportional (it
    // cannot fill a character grid).
    struct TextCell {
        int charWidth = 0;
        int lineHeight = 0;
        TMemoFont usedFont;
    };
    // The renderer owns the font metrics: it measures the text font here and
    // draws with it until the next measure.
    TextCell measureTextFont(const TMemoFont& description);
    // Measures the gutter's font when its description changed.
    void useGutterFont(const TMemoFont& description);
    const MemoFonts& fonts() const { return fonts_; }

    // Everything except the caret, in client pixels.
    void paint(QPainter& painter, const TCustomCodeMemo& memo, const MemoPaintContext& context);
    // The 2-pixel caret where the caret's column appears, inverting what lies beneath.
    QRect caretRect(const TCustomCodeMemo& memo);
    void paintCaret(QPainter& painter, const TCustomCodeMemo& memo);

private:
    struct Colors {
        QColor text;
        QColor back;
        friend bool operator==(const Colors&, const Colors&) = default;
    };
    // Columns [from, to) of a line drawn in one way.
    struct Part {
        int from = 0;
        int to = 0;
        Colors colors;
        bool webAddress = false;
    };

    void paintGutter(QPainter& painter, const TCustomCodeMemo& memo, const MemoPaintContext& context);
    void composeRow(const TCustomCodeMemo& memo, const MemoPaintContext& context, int line);
    void drawAsciiPart(QPainter& rowPainter, const TCustomCodeMemo& memo, std::string_view text, const Part& part);
    void drawClusters(QPainter& rowPainter, const TCustomCodeMemo& memo, std::string_view text,
                      const std::vector<Part>& parts, const Colors& plain, const QColor& rowBack);
    void drawCluster(QPainter& rowPainter, const TCustomCodeMemo& memo, std::string_view bytes, QRect cells,
                     const Part& part);
    void drawRightToLeftRun(QPainter& rowPainter, const TCustomCodeMemo& memo, std::string_view text,
                            const BidiRun& run, const std::vector<Part>& parts, const Colors& plain);

    QImage row_;
    MemoFonts fonts_;
    MemoClusterFonts clusterFonts_;
    TMemoFont gutterFontSource_;
};

} // namespace kalmo
