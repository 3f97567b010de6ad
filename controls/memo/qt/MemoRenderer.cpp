// Painting of the code memo; see MemoRenderer.h. The order of the steps in
// paint() matters: later steps (the margin line, the border) draw over the
// earlier fills, and the scroll bars' surroundings are filled after the rows
// because the last, partly visible row may reach into them.
#include "controls/memo/qt/MemoRenderer.h"

#include "controls/qt/QtColor.h"
#include "controls/memo/GutterPainting.h"
#include "controls/memo/MemoWebAddress.h"
#include "controls/memo/Utf8Columns.h"

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

// The characters a row shows for a stretch of line text: control characters
// (a tab taken in unchanged, a stray carriage return) keep their one cell as
// a blank instead of letting the text engine expand or break on them.
QString displayText(std::string_view bytes, bool ascii)
{
    QString text = ascii ? QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()))
                         : QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    for (QChar& c : text) {
        if (c.unicode() < 0x20)
            c = QLatin1Char(' ');
    }
    return text;
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
    const MemoFonts& fonts = fonts_;
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
    QFont urlFont = fonts.text;
    urlFont.setUnderline(memo.UrlStyle().Underline);
    // Without web addresses the whole line is one run: one text call for a plain line.
    const std::vector<TTextRun> runs = memo.UrlAware() ? webAddressRuns(text)
                                                       : std::vector<TTextRun>{TTextRun{0, utf8Columns(text), false}};
    for (const TTextRun& run : runs) {
        Colors colors{fontColor, back};
        if (run.webAddress) {
            colors.text = toQColor(memo.UrlStyle().TextColor, palette);
            colors.back = memo.UrlStyle().BkColor == clNone ? back : toQColor(memo.UrlStyle().BkColor, palette);
        }
        if (activeShown)
            colors = Colors{toQColor(active.ActiveLineTextColor(), palette), toQColor(active.ActiveLineColor(), palette)};
        const Colors selected = activeShown ? Colors{colors.back, colors.text}
                                            : Colors{toQColor(memo.SelColor(), palette), toQColor(memo.SelBkColor(), palette)};
        const QFont& font = run.webAddress ? urlFont : fonts.text;

        const int runEnd = run.start + run.length;
        const int cutFrom = std::clamp(selFrom, run.start, runEnd);
        const int cutTo = std::clamp(selTo, cutFrom, runEnd);
        drawPart(rowPainter, memo, text, ascii, run.start, cutFrom, colors, font, fonts.ascent);
        drawPart(rowPainter, memo, text, ascii, cutFrom, cutTo, selected, font, fonts.ascent);
        drawPart(rowPainter, memo, text, ascii, cutTo, runEnd, colors, font, fonts.ascent);
    }

    const int restX = (utf8Columns(text) - memo.FirstVisibleCol()) * memo.CharWidth();
    if (restX < area.Width()) {
        const int from = std::max(0, restX);
        rowPainter.fillRect(QRect(from, 0, area.Width() - from, memo.LineHeight()),
                            activeShown ? toQColor(active.ActiveLineColor(), palette) : back);
    }
}

void MemoRenderer::drawPart(QPainter& rowPainter, const TCustomCodeMemo& memo, std::string_view text, bool ascii,
                            int fromColumn, int toColumn, const Colors& colors, const QFont& font, int ascent)
{
    const int charWidth = memo.CharWidth();
    if (toColumn <= fromColumn || charWidth <= 0)
        return;
    // Only the columns that fall inside the row image are drawn, so a very
    // long line costs no more than a short one.
    const int firstShown = memo.FirstVisibleCol();
    const int lastShown = firstShown + memo.textArea().Width() / charWidth + 1;
    const int from = std::max(fromColumn, firstShown);
    const int to = std::min(toColumn, lastShown);
    if (to <= from)
        return;
    const int x = (from - firstShown) * charWidth;
    const int lineHeight = memo.LineHeight();
    rowPainter.fillRect(QRect(x, 0, (to - from) * charWidth, lineHeight), colors.back);
    rowPainter.setPen(colors.text);

    if (ascii) {
        const std::size_t begin = utf8ByteOffset(text, from);
        const std::size_t end = utf8ByteOffset(text, to);
        rowPainter.setFont(font);
        rowPainter.drawText(QPoint(x, ascent), displayText(text.substr(begin, end - begin), true));
        return;
    }
    // Outside ASCII a glyph may come from a fallback font with an advance of
    // its own. Each cluster is drawn by itself, centred in its cells and
    // squeezed when wider, and clipped to them (overhanging marks included),
    // so the grid never shifts and no two overlap. The part's own bounds cut
    // a wide character that the scroll position halves.
    QFont plain = font;
    plain.setLetterSpacing(QFont::AbsoluteSpacing, 0);
    rowPainter.setFont(plain);
    const QFontMetricsF metrics(plain);
    const QRect part(x, 0, (to - from) * charWidth, lineHeight);
    rowPainter.save();
    ClusterWalker walker(text);
    TextCluster cluster;
    while (walker.next(cluster)) {
        if (cluster.column + cluster.width <= from)
            continue;
        if (cluster.column >= to)
            break;
        const QString shown = displayText(text.substr(cluster.byte, cluster.size), false);
        const qreal span = cluster.width * charWidth;
        const int left = (cluster.column - firstShown) * charWidth;
        const qreal advance = metrics.horizontalAdvance(shown);
        rowPainter.setClipRect(part.intersected(QRect(left, 0, cluster.width * charWidth, lineHeight)));
        if (advance > span) {
            rowPainter.save();
            rowPainter.translate(left, 0);
            rowPainter.scale(span / advance, 1.0);
            rowPainter.drawText(QPointF(0, ascent), shown);
            rowPainter.restore();
        } else {
            rowPainter.drawText(QPointF(left + (span - advance) / 2, ascent), shown);
        }
    }
    rowPainter.restore();
}

QRect MemoRenderer::caretRect(const TCustomCodeMemo& memo)
{
    const TRect cell = memo.cellRect(memo.CaretCol() - memo.FirstVisibleCol(), memo.CaretLine() - memo.FirstVisibleLine());
    return QRect(cell.Left, cell.Top + 1, 2, std::max(0, memo.LineHeight() - 2));
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
