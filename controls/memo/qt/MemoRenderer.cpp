// Painting of the code memo; see MemoRenderer.h. The order of the steps in
// paint() matters: later steps (the margin line, the border) draw over the
// earlier fills, and the scroll bars' surroundings are filled after the rows
// because the last, partly visible row may reach into them.
#include "controls/memo/qt/MemoRenderer.h"

#include "controls/qt/QtColor.h"
#include "controls/memo/GutterPainting.h"
#include "controls/memo/MemoWebAddress.h"
#include "controls/memo/Utf8Columns.h"
#include "controls/memo/qt/MemoRightToLeftRun.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPainter>
#include <QtMath>

#include <algorithm>
#include <limits>

namespace kalmo {

QRect toQRect(const TRect& rect) { return QRect(rect.Left, rect.Top, rect.Width(), rect.Height()); }

namespace {

constexpr ColorValue clScrollBar = 0xFF000000;

bool namesFixedSys(const std::string& name)
{
    return QString::fromStdString(name).compare(QLatin1String("FixedSys"), Qt::CaseInsensitive) == 0;
}

// A stored font description as a real font. "FixedSys" is the system's
// fixed-pitch font; other families go to fontconfig, which substitutes the
// Windows names ("Courier New", "Verdana") with installed lookalikes.
QFont realFont(const TMemoFont& description)
{
    QFont font = namesFixedSys(description.Name) ? QFontDatabase::systemFont(QFontDatabase::FixedFont)
                                                 : QFont(QString::fromStdString(description.Name));
    font.setPixelSize(std::max(1, std::abs(description.Height)));
    font.setBold(description.Bold);
    font.setKerning(false);
    return font;
}

} // namespace

QRect verticalBarRect(const TCustomCodeMemo& memo)
{
    if (!memo.VertScrollBar().Visible)
        return {};
    const int bar = TCustomCodeMemo::ScrollBarSize;
    const int height = memo.Height() - (memo.HorzScrollBar().Visible ? bar : 0);
    return QRect(memo.Width() - bar, 0, bar, std::max(0, height));
}

QRect horizontalBarRect(const TCustomCodeMemo& memo)
{
    if (!memo.HorzScrollBar().Visible)
        return {};
    const int bar = TCustomCodeMemo::ScrollBarSize;
    const int width = memo.Width() - (memo.VertScrollBar().Visible ? bar : 0);
    return QRect(0, memo.Height() - bar, std::max(0, width), bar);
}

MemoRenderer::TextCell MemoRenderer::measureTextFont(const TMemoFont& description)
{
    TextCell cell{0, 0, description};
    QFont font = realFont(description);
    if (const QFontMetrics metrics(font);
        metrics.horizontalAdvance(QLatin1Char('W')) != metrics.horizontalAdvance(QLatin1Char('i'))) {
        cell.usedFont.Name = "FixedSys";
        font = realFont(cell.usedFont);
    }
    const QFontMetrics metrics(font);
    cell.charWidth = metrics.horizontalAdvance(QStringLiteral("W"));
    cell.lineHeight = metrics.height() + 1;
    // Glyphs may advance by a fraction of a pixel more or less than the
    // measured cell; spacing them by the difference keeps long runs on the grid.
    const qreal spacing = cell.charWidth - QFontMetricsF(font).horizontalAdvance(QLatin1Char('W'));
    if (std::abs(spacing) > 0.001)
        font.setLetterSpacing(QFont::AbsoluteSpacing, spacing);
    fonts_.text = font;
    fonts_.ascent = metrics.ascent();
    fonts_.marginCharWidth = metrics.horizontalAdvance(QStringLiteral("w"));
    // Clusters are drawn one by one, so they need no spacing to stay on the grid.
    QFont plain = font;
    plain.setLetterSpacing(QFont::AbsoluteSpacing, 0);
    clusterFonts_.reset(plain, fonts_.ascent, cell.lineHeight - fonts_.ascent);
    return cell;
}

void MemoRenderer::useGutterFont(const TMemoFont& description)
{
    if (gutterFontSource_ == description && fonts_.gutterAscent != 0)
        return;
    gutterFontSource_ = description;
    fonts_.gutter = realFont(description);
    fonts_.gutterAscent = QFontMetrics(fonts_.gutter).ascent();
}

void MemoRenderer::paint(QPainter& painter, const TCustomCodeMemo& memo, const MemoPaintContext& context)
{
    // Nothing is drawn before the text font is measured.
    if (memo.Lines().UpdateCount() > 0 || fonts_.ascent == 0)
        return;
    const QPalette& palette = context.palette;
    const QColor back = toQColor(memo.BkColor(), palette);
    const TRect area = memo.textArea();
    const int lineHeight = memo.LineHeight();
    const int width = memo.Width();
    const int height = memo.Height();

    if (memo.Gutter().GutterWidth() > 1 && memo.Gutter().Visible())
        paintGutter(painter, memo, context);

    painter.fillRect(QRect(area.Left, area.Top, area.Width(), 2 - area.Top), back);

    bool textEnded = false;
    int drawnRows = 0;
    if (lineHeight > 0) {
        const int first = memo.FirstVisibleLine();
        const int last = first + memo.RowSpan();
        const QRect areaRect = toQRect(area);
        for (int line = first; line <= last; ++line) {
            if (line >= memo.Lines().LineCount()) {
                textEnded = true;
                break;
            }
            const QRect target(area.Left, area.Top + 1 + (line - first) * lineHeight, area.Width(), lineHeight);
            ++drawnRows;
            if (!context.exposed.isEmpty() && !context.exposed.intersects(target))
                continue;
            composeRow(memo, context, line);
            painter.save();
            painter.setClipRect(areaRect);
            painter.drawImage(target.topLeft(), row_);
            painter.restore();
        }
    } else {
        textEnded = true;
    }
    if (textEnded) {
        const int top = area.Top + 1 + drawnRows * lineHeight;
        painter.fillRect(QRect(area.Left, top, area.Width(), area.Bottom - top), back);
    }

    painter.fillRect(QRect(area.Left - 2, area.Top, 2, area.Height()), back);
    const QColor barColor = toQColor(clScrollBar, palette);
    const QRect vertical = verticalBarRect(memo);
    const QRect horizontal = horizontalBarRect(memo);
    if (!vertical.isEmpty())
        painter.fillRect(vertical.adjusted(-1, -1, 1, 1), barColor);
    if (!horizontal.isEmpty())
        painter.fillRect(horizontal.adjusted(-1, -1, 1, 1), barColor);
    if (!vertical.isEmpty() && !horizontal.isEmpty())
        painter.fillRect(QRect(vertical.left(), horizontal.top(), vertical.width(), horizontal.height()), barColor);

    if (memo.RightMargin() > 0 && memo.ShowRightMargin()) {
        // A 2-pixel pen on x covers the columns x - 1 and x.
        const int x = area.Left + fonts_.marginCharWidth * (memo.RightMargin() - memo.FirstVisibleCol());
        painter.fillRect(QRect(x - 1, area.Top, 2, area.Height()), toQColor(memo.RightMarginColor(), palette));
    }

    if (memo.BorderStyle() != TBorderStyle::bsNone && !memo.Ctl3D()) {
        const QColor border = toQColor(memo.BorderColor(), palette);
        painter.fillRect(QRect(0, 0, 1, height), border);
        painter.fillRect(QRect(0, 0, width, 1), border);
        painter.fillRect(QRect(width - 1, 0, 1, height), border);
        painter.fillRect(QRect(0, height - 1, width, 1), border);
    }
}

void MemoRenderer::paintGutter(QPainter& painter, const TCustomCodeMemo& memo, const MemoPaintContext& context)
{
    const TMemoGutter& gutter = memo.Gutter();
    const QPalette& palette = context.palette;
    const TRect rect = memo.gutterRect();
    const int left = rect.Left;
    const int top = rect.Top;
    const int gutterWidth = gutter.GutterWidth();
    const int gutterHeight = rect.Height();

    painter.fillRect(QRect(left + gutterWidth - 1, top, 1, gutterHeight), toQColor(gutter.BorderColor(), palette));
    painter.fillRect(QRect(left + gutterWidth - 2, top, 1, gutterHeight), Qt::white);

    if (gutter.GutterColorTo() == clNone) {
        painter.fillRect(QRect(left, top, gutterWidth - 2, gutterHeight), toQColor(gutter.GutterColor(), palette));
    } else {
        auto resolved = [&palette](ColorValue color) {
            const QColor c = toQColor(color, palette);
            return rgbColor(c.red(), c.green(), c.blue());
        };
        const TRect band{left, top, left + gutterWidth - 1, top + gutterHeight};
        for (const GradientBand& step : gradientBands(resolved(gutter.GutterColor()), resolved(gutter.GutterColorTo()), band))
            painter.fillRect(toQRect(step.Rect), toQColor(step.Color, palette));
    }

    const int lineHeight = memo.LineHeight();
    if (!gutter.ShowLineNumbers() || lineHeight <= 0)
        return;
    painter.save();
    painter.setClipRect(QRect(left, top, gutterWidth, gutterHeight));
    painter.setFont(fonts_.gutter);
    painter.setPen(toQColor(gutter.LineNumberTextColor(), palette));
    const int lineCount = memo.Lines().LineCount();
    int line = memo.FirstVisibleLine();
    // The first row shows its number even when the store holds no line.
    for (int y = top; y < top + gutterHeight; y += lineHeight) {
        const GutterNumber number = gutterNumber(gutter, line);
        painter.drawText(QPoint(left + number.X, y + fonts_.gutterAscent), QString::fromStdString(number.Text));
        if (++line >= lineCount)
            break;
    }
    painter.restore();
}

void MemoRenderer::composeRow(const TCustomCodeMemo& memo, const MemoPaintContext& context, int line)
{
    const TRect area = memo.textArea();
    const qreal ratio = context.devicePixelRatio;
    const QSize pixels(std::max(0, qCeil(area.Width() * ratio)), std::max(1, qCeil(memo.LineHeight() * ratio)));
    if (row_.size() != pixels || row_.devicePixelRatio() != ratio) {
        row_ = QImage(pixels, QImage::Format_RGB32);
        row_.setDevicePixelRatio(ratio);
    }
    if (row_.isNull())
        return;

    const QPalette& palette = context.palette;
    const QColor back = toQColor(memo.BkColor(), palette);
    QPainter rowPainter(&row_);
    rowPainter.fillRect(QRect(0, 0, area.Width(), memo.LineHeight()), back);

    const std::string& text = memo.Lines().Line(line);
    const bool ascii = isAsciiText(text);
    const TActiveLineSettings& active = memo.ActiveLineSettings();
    const bool activeShown = line == memo.ActiveLineIndex() && active.ShowActiveLine();

    // The selection on this line as a column range [selFrom, selTo).
    int selFrom = 0;
    int selTo = 0;
    if (!(memo.HideSelection() && !context.hasFocus)) {
        int fromCol = memo.SelFromCol(), fromLine = memo.SelFromLine();
        int toCol = memo.SelToCol(), toLine = memo.SelToLine();
        if (toLine < fromLine || (toLine == fromLine && toCol < fromCol)) {
            std::swap(fromCol, toCol);
            std::swap(fromLine, toLine);
        }
        constexpr int lineEnd = std::numeric_limits<int>::max();
        if (line >= fromLine && line <= toLine) {
            selFrom = line == fromLine ? fromCol : 0;
            selTo = line == toLine ? toCol : lineEnd;
        }
    }

    const QColor fontColor = toQColor(memo.Font().Color, palette);
    const Colors plain = activeShown ? Colors{toQColor(active.ActiveLineTextColor(), palette), toQColor(active.ActiveLineColor(), palette)}
                                     : Colors{fontColor, back};
    // Without web addresses the whole line is one run: one text call for a plain line.
    const std::vector<TTextRun> runs = memo.UrlAware() ? webAddressRuns(text)
                                                       : std::vector<TTextRun>{TTextRun{0, utf8Columns(text), false}};
    std::vector<Part> parts;
    parts.reserve(runs.size() * 3);
    for (const TTextRun& run : runs) {
        Colors colors = plain;
        if (run.webAddress && !activeShown) {
            colors.text = toQColor(memo.UrlStyle().TextColor, palette);
            colors.back = memo.UrlStyle().BkColor == clNone ? back : toQColor(memo.UrlStyle().BkColor, palette);
        }
        const Colors selected = activeShown ? Colors{colors.back, colors.text}
                                            : Colors{toQColor(memo.SelColor(), palette), toQColor(memo.SelBkColor(), palette)};
        const int runEnd = run.start + run.length;
        const int cutFrom = std::clamp(selFrom, run.start, runEnd);
        const int cutTo = std::clamp(selTo, cutFrom, runEnd);
        for (const Part& part : {Part{run.start, cutFrom, colors, run.webAddress}, Part{cutFrom, cutTo, selected, run.webAddress},
                                 Part{cutTo, runEnd, colors, run.webAddress}}) {
            if (part.to > part.from)
                parts.push_back(part);
        }
    }
    if (ascii) {
        for (const Part& part : parts)
            drawAsciiPart(rowPainter, memo, text, part);
    } else {
        drawClusters(rowPainter, memo, text, parts, plain, back);
    }

    const int restX = (utf8Columns(text) - memo.FirstVisibleCol()) * memo.CharWidth();
    if (restX < area.Width()) {
        const int from = std::max(0, restX);
        rowPainter.fillRect(QRect(from, 0, area.Width() - from, memo.LineHeight()),
                            activeShown ? toQColor(active.ActiveLineColor(), palette) : back);
    }
}

void MemoRenderer::drawAsciiPart(QPainter& rowPainter, const TCustomCodeMemo& memo, std::string_view text, const Part& part)
{
    const int charWidth = memo.CharWidth();
    if (charWidth <= 0)
        return;
    // Only the columns that fall inside the row image are drawn, so a very
    // long line costs no more than a short one.
    const int firstShown = memo.FirstVisibleCol();
    const int lastShown = firstShown + memo.textArea().Width() / charWidth + 1;
    const int from = std::max(part.from, firstShown);
    const int to = std::min(part.to, lastShown);
    if (to <= from)
        return;
    const int x = (from - firstShown) * charWidth;
    rowPainter.fillRect(QRect(x, 0, (to - from) * charWidth, memo.LineHeight()), part.colors.back);
    rowPainter.setPen(part.colors.text);
    if (part.webAddress) {
        QFont underlined = fonts_.text;
        underlined.setUnderline(memo.UrlStyle().Underline);
        rowPainter.setFont(underlined);
    } else {
        rowPainter.setFont(fonts_.text);
    }
    rowPainter.drawText(QPoint(x, fonts_.ascent), displayText(text.substr(static_cast<std::size_t>(from),
                                                                          static_cast<std::size_t>(to - from)),
                                                              true));
}

namespace {

// The part that holds `column`; the parts tile the line in order.
template <typename Part> const Part& partAt(const std::vector<Part>& parts, int column)
{
    const auto after = std::upper_bound(parts.begin(), parts.end(), column,
                                        [](int c, const Part& part) { return c < part.from; });
    return after == parts.begin() ? parts.front() : *(after - 1);
}

} // namespace

void MemoRenderer::drawClusters(QPainter& rowPainter, const TCustomCodeMemo& memo, std::string_view text,
                                const std::vector<Part>& parts, const Colors& plain, const QColor& rowBack)
{
    const int charWidth = memo.CharWidth();
    if (charWidth <= 0 || parts.empty())
        return;
    const int firstShown = memo.FirstVisibleCol();
    const int lastShown = firstShown + memo.textArea().Width() / charWidth + 1;
    const int lineHeight = memo.LineHeight();
    // Empty for a line without right-to-left text: then each cluster stands
    // in its own columns and the walk ends at the row's right edge.
    const std::vector<BidiRun> runs = visualRuns(text);
    ClusterWalker walker(text);
    TextCluster cluster;
    while (walker.next(cluster)) {
        int visual = cluster.column;
        if (const BidiRun* run = runAtColumn(runs, cluster.column)) {
            if (run->rightToLeft)
                continue;
            visual += run->visualColumn - run->column;
        }
        if (visual >= lastShown) {
            if (runs.empty())
                break;
            continue;
        }
        if (visual + cluster.width <= firstShown)
            continue;
        const QRect cells((visual - firstShown) * charWidth, 0, cluster.width * charWidth, lineHeight);
        const Part& part = partAt(parts, cluster.column);
        rowPainter.setClipRect(cells);
        if (part.colors.back != rowBack)
            rowPainter.fillRect(cells, part.colors.back);
        drawCluster(rowPainter, memo, text.substr(cluster.byte, cluster.size), cells, part);
    }
    rowPainter.setClipping(false);
    for (const BidiRun& run : runs) {
        if (run.rightToLeft && run.visualColumn < lastShown && run.visualColumn + run.columns > firstShown)
            drawRightToLeftRun(rowPainter, memo, text, run, parts, plain);
    }
}

// Outside ASCII a glyph may come from a fallback font with an advance of its
// own. Each cluster is drawn by itself, centred in its cells and squeezed
// when wider, and clipped to them by the caller (overhanging marks
// included), so the grid never shifts and no two overlap.
void MemoRenderer::drawCluster(QPainter& rowPainter, const TCustomCodeMemo& memo, std::string_view bytes, QRect cells,
                               const Part& part)
{
    const MemoClusterFonts::Shape& shape = clusterFonts_.shapeOf(bytes);
    const QFont& font = clusterFonts_.font(shape.font);
    if (part.webAddress && memo.UrlStyle().Underline) {
        QFont underlined = font;
        underlined.setUnderline(true);
        rowPainter.setFont(underlined);
    } else if (rowPainter.font() != font) {
        // Setting a font costs a lookup even when it is the same one.
        rowPainter.setFont(font);
    }
    rowPainter.setPen(part.colors.text);
    const qreal span = cells.width();
    const qreal advance = clusterFonts_.metrics(shape.font).horizontalAdvance(shape.text);
    if (advance > span) {
        rowPainter.save();
        rowPainter.translate(cells.left(), 0);
        rowPainter.scale(span / advance, 1.0);
        rowPainter.drawText(QPointF(0, fonts_.ascent), shape.text);
        rowPainter.restore();
    } else {
        rowPainter.drawText(QPointF(cells.left() + (span - advance) / 2, fonts_.ascent), shape.text);
    }
}

// The run is drawn once in the line's plain colours; a cluster coloured
// otherwise (selected) gets its own background and is drawn again clipped
// to its own pixels.
void MemoRenderer::drawRightToLeftRun(QPainter& rowPainter, const TCustomCodeMemo& memo, std::string_view text,
                                      const BidiRun& run, const std::vector<Part>& parts, const Colors& plain)
{
    const int charWidth = memo.CharWidth();
    const int lineHeight = memo.LineHeight();
    const int left = (run.visualColumn - memo.FirstVisibleCol()) * charWidth;
    const RightToLeftRun shaped(text, run, clusterFonts_, left, charWidth);
    const QRect cells(left, 0, run.columns * charWidth, lineHeight);
    rowPainter.save();
    rowPainter.setClipRect(cells);
    rowPainter.fillRect(cells, plain.back);
    rowPainter.setPen(plain.text);
    shaped.draw(rowPainter, fonts_.ascent);
    for (const int column : shaped.clusterColumns()) {
        const Colors& colors = partAt(parts, column).colors;
        if (colors == plain)
            continue;
        const auto [from, to] = shaped.clusterSpan(column);
        const QRectF own = QRectF(from, 0, to - from, lineHeight).intersected(cells);
        rowPainter.save();
        rowPainter.setClipRect(own);
        rowPainter.fillRect(own, colors.back);
        rowPainter.setPen(colors.text);
        shaped.draw(rowPainter, fonts_.ascent);
        rowPainter.restore();
    }
    rowPainter.restore();
}

QRect MemoRenderer::caretRect(const TCustomCodeMemo& memo)
{
    const TRect cell = memo.cellRect(memo.CaretCol() - memo.FirstVisibleCol(), memo.CaretLine() - memo.FirstVisibleLine());
    QRect caret(cell.Left, cell.Top + 1, 2, std::max(0, memo.LineHeight() - 2));
    const int line = memo.CaretLine();
    const int column = memo.CaretCol();
    if (line < 0 || line >= memo.Lines().LineCount() || memo.CharWidth() <= 0)
        return caret;
    const std::string& text = memo.Lines().Line(line);
    const std::vector<BidiRun> runs = visualRuns(text);
    // The caret stands where the text before it ends (at the start of a
    // line, where its first cluster begins).
    const BidiRun* run = runAtColumn(runs, column > 0 ? column - 1 : 0);
    if (run == nullptr)
        return caret;
    const int charWidth = memo.CharWidth();
    const int left = (run->visualColumn - memo.FirstVisibleCol()) * charWidth;
    const qreal x = run->rightToLeft ? RightToLeftRun(text, *run, clusterFonts_, left, charWidth).boundaryX(column)
                                     : left + (column - run->column) * charWidth;
    caret.moveLeft(memo.textArea().Left + qRound(x));
    return caret;
}

void MemoRenderer::paintCaret(QPainter& painter, const TCustomCodeMemo& memo)
{
    painter.save();
    painter.setClipRect(toQRect(memo.textArea()));
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.fillRect(caretRect(memo), Qt::white);
    painter.restore();
}

} // namespace kalmo
