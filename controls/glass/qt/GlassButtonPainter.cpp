// Turns the glass button's layer and caption data into QPainter calls.
#include "controls/glass/qt/GlassButtonPainter.h"

#include "controls/qt/QtColor.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLinearGradient>
#include <QPaintDevice>
#include <QPainter>
#include <QRadialGradient>

#include <cstdlib>

namespace kalmo {
namespace {

QColor fromArgb(Argb argb)
{
    return QColor::fromRgba(argb);
}

QRectF toQRectF(const RectF& r)
{
    return QRectF(r.x, r.y, r.width, r.height);
}

Qt::Alignment toAlignment(TextAlign horizontal, TextAlign vertical)
{
    Qt::Alignment a;
    a |= horizontal == TextAlign::Near ? Qt::AlignLeft : horizontal == TextAlign::Far ? Qt::AlignRight : Qt::AlignHCenter;
    a |= vertical == TextAlign::Near ? Qt::AlignTop : vertical == TextAlign::Far ? Qt::AlignBottom : Qt::AlignVCenter;
    return a;
}

void strokePath(QPainter& painter, const GlassPath& path, Argb color)
{
    QPen pen(fromArgb(color));
    pen.setWidthF(1.0);
    painter.strokePath(toPainterPath(path), pen);
}

// The outline-font test: a family the font database knows that scales freely.
bool isOutlineFont(const QFont& font)
{
    const QString family = QFontInfo(font).family();
    return QFontDatabase::hasFamily(family) && QFontDatabase::isScalable(family);
}

} // namespace

QPainterPath toPainterPath(const GlassPath& glassPath)
{
    QPainterPath path;
    bool started = false;
    for (const PathSegment& s : glassPath.segments) {
        switch (s.kind) {
        case PathSegment::Kind::Arc: {
            // Qt measures angles counter-clockwise on screen; the core clockwise.
            const QRectF box = toQRectF(s.box);
            if (!started)
                path.arcMoveTo(box, -s.startAngle);
            path.arcTo(box, -s.startAngle, -s.sweepAngle);
            started = true;
            break;
        }
        case PathSegment::Kind::Line: {
            const QPointF from(s.from.x, s.from.y);
            if (!started)
                path.moveTo(from);
            else if (path.currentPosition() != from)
                path.lineTo(from);
            path.lineTo(QPointF(s.to.x, s.to.y));
            started = true;
            break;
        }
        case PathSegment::Kind::Ellipse:
            path.addEllipse(toQRectF(s.box));
            break;
        }
    }
    if (glassPath.closed && started)
        path.closeSubpath();
    return path;
}

void GlassButtonPainter::Paint(QPainter& painter, const GlassButtonModel& button, const QPalette& palette, bool focused)
{
    const SystemColorResolver resolve = [&palette](ColorValue color) {
        const QColor c = toQColor(color, palette);
        return rgbColor(c.red(), c.green(), c.blue());
    };
    const int dpi = painter.device() ? painter.device()->logicalDpiY() : 96;
    PaintGlassLayers(painter, BuildGlassLayers(button, resolve));
    PaintButtonContent(painter, button, BuildCaptionLayout(button, dpi, focused, resolve));
}

void GlassButtonPainter::PaintGlassLayers(QPainter& painter, const GlassLayers& layers)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    // Core coordinates put pixel centres on integers; Qt puts them on halves.
    painter.translate(0.5, 0.5);

    strokePath(painter, layers.outerOutline, layers.outerPen);
    painter.fillPath(toPainterPath(layers.body), fromArgb(layers.bodyFill));

    if (layers.glow && !layers.glowEllipse.segments.empty()) {
        painter.save();
        painter.setClipPath(toPainterPath(layers.glowClip), Qt::IntersectClip);
        // A radial gradient in bounding-box units stretches to the ellipse, so
        // the colour runs linearly from the centre to the boundary as the path
        // gradient it stands for does.
        QRadialGradient gradient(QPointF(0.5, 0.5), 0.5);
        gradient.setCoordinateMode(QGradient::ObjectBoundingMode);
        gradient.setColorAt(0.0, fromArgb(layers.glowCentre));
        gradient.setColorAt(1.0, fromArgb(layers.glowSurround));
        painter.fillPath(toPainterPath(layers.glowEllipse), gradient);
        painter.restore();
    }

    if (layers.sheen) {
        const RectF& g = layers.sheenGradient;
        QLinearGradient gradient(QPointF(g.x, g.y), QPointF(g.x, g.y + g.height));
        gradient.setSpread(QGradient::RepeatSpread);
        gradient.setColorAt(0.0, fromArgb(layers.sheenTop));
        gradient.setColorAt(1.0, fromArgb(layers.sheenBottom));
        painter.fillPath(toPainterPath(layers.sheenPath), gradient);
    }

    strokePath(painter, layers.innerOutline, layers.innerPen);
    painter.restore();
}

void GlassButtonPainter::PaintButtonContent(QPainter& painter, const GlassButtonModel& button,
                                            const CaptionLayout& caption)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    if (caption.focusOutline) {
        painter.save();
        painter.translate(0.5, 0.5);
        strokePath(painter, caption.focusPath, caption.focusPen);
        painter.restore();
    }
    if (!caption.draw) {
        painter.restore();
        return;
    }

    QString text = QString::fromStdString(caption.text);
    // An escaped break arrives as line feed + carriage return; Qt needs one separator.
    text.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    painter.setPen(fromArgb(caption.color));

    QFont font(QString::fromStdString(caption.fontName));
    font.setPointSize(caption.pointSize > 0 ? caption.pointSize : 1);
    font.setBold(caption.bold);
    font.setItalic(caption.italic);
    font.setUnderline(caption.underline);

    if (button.AntiAlias() != aaNone && isOutlineFont(font)) {
        font.setStyleStrategy(QFont::PreferAntialias);
        painter.setRenderHint(QPainter::TextAntialiasing, true);
        painter.setFont(font);
        const QRect box(caption.box.x, caption.box.y, caption.box.width, caption.box.height);
        painter.drawText(box, int(toAlignment(caption.horizontal, caption.vertical)) | Qt::TextWordWrap
                             | Qt::TextShowMnemonic,
                         text);
    } else {
        // Plain single-line output in the font's own pixel height, centred by measurement.
        const GlassFont& glassFont = button.Font();
        QFont plain(QString::fromStdString(glassFont.Name));
        plain.setPixelSize(glassFont.Height != 0 ? std::abs(glassFont.Height) : 1);
        plain.setBold(glassFont.Bold);
        plain.setItalic(glassFont.Italic);
        plain.setUnderline(glassFont.Underline);
        plain.setStrikeOut(glassFont.StrikeOut);
        painter.setFont(plain);
        const QFontMetrics metrics(plain, painter.device());
        const QSize size(metrics.horizontalAdvance(text), metrics.height());
        const PointI origin = FallbackCaptionOrigin(button.Width(), button.Height(), size.width(), size.height());
        painter.drawText(QRect(QPoint(origin.x, origin.y), size), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                         text);
    }
    painter.restore();
}

} // namespace kalmo
