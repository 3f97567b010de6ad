// Draws the program's pictures: the word mark LOGO (90 x 32, 256-colour
// palette), the emblem KLOGO (57 x 54, 24 bits) and the About background
// kalmo (640 x 480, 24 bits), each also at twice its size; and the
// program's icon in the sizes of the desktop's icon theme and as SVG. Everything is drawn with QPainter so the
// artwork can be changed and redrawn from source.
#include <QColor>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QString>
#include <QSvgGenerator>

#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

namespace {

// KLOGO stands on the main window's silver and is drawn transparent by the
// colour of its bottom-left pixel: its edges blend into that same silver.
const QColor kSilver(0xC0, 0xC0, 0xC0);
const QColor kInk(0x12, 0x2B, 0x4A);
const QColor kBlueTop(0x2F, 0x6F, 0xB5);
const QColor kBlueBottom(0x12, 0x3B, 0x6E);

QFont wordFont(double pixelSize, int weight, double spacing)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(qRound(pixelSize));
    font.setWeight(QFont::Weight(weight));
    font.setLetterSpacing(QFont::AbsoluteSpacing, spacing);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

// Text centred on a point by its ink, not by its line box, so capitals sit
// in the optical middle of a badge.
void drawCentredCaps(QPainter& painter, const QString& text, const QFont& font, QPointF centre)
{
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF ink = path.boundingRect();
    painter.drawPath(path.translated(centre - ink.center()));
}

// Median cut: split the box of colours with the widest channel range at its
// median until there are as many boxes as palette entries; each box's mean
// is one entry.
QList<QRgb> medianCutPalette(const QImage& image, int entries)
{
    using Pixel = std::array<int, 3>;
    std::vector<Pixel> pixels;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            pixels.push_back({qRed(c), qGreen(c), qBlue(c)});
        }
    struct Box {
        std::vector<Pixel> pixels;
        int widestChannel() const
        {
            int best = 0, bestRange = -1;
            for (int ch = 0; ch < 3; ++ch) {
                auto [lo, hi] = std::minmax_element(pixels.begin(), pixels.end(),
                    [ch](const Pixel& a, const Pixel& b) { return a[ch] < b[ch]; });
                if ((*hi)[ch] - (*lo)[ch] > bestRange) {
                    bestRange = (*hi)[ch] - (*lo)[ch];
                    best = ch;
                }
            }
            return best;
        }
        int range() const
        {
            const int ch = widestChannel();
            auto [lo, hi] = std::minmax_element(pixels.begin(), pixels.end(),
                [ch](const Pixel& a, const Pixel& b) { return a[ch] < b[ch]; });
            return (*hi)[ch] - (*lo)[ch];
        }
    };
    std::vector<Box> boxes{Box{pixels}};
    while (int(boxes.size()) < entries) {
        auto widest = std::max_element(boxes.begin(), boxes.end(),
            [](const Box& a, const Box& b) { return a.range() < b.range(); });
        if (widest->range() == 0)
            break;
        const int ch = widest->widestChannel();
        auto& px = widest->pixels;
        std::sort(px.begin(), px.end(), [ch](const Pixel& a, const Pixel& b) { return a[ch] < b[ch]; });
        Box upper{std::vector<Pixel>(px.begin() + px.size() / 2, px.end())};
        px.resize(px.size() / 2);
        boxes.push_back(std::move(upper));
    }
    QList<QRgb> palette;
    for (const Box& box : boxes) {
        long sum[3] = {0, 0, 0};
        for (const Pixel& p : box.pixels)
            for (int ch = 0; ch < 3; ++ch)
                sum[ch] += p[ch];
        const long n = long(box.pixels.size());
        palette.append(qRgb(int((sum[0] + n / 2) / n), int((sum[1] + n / 2) / n), int((sum[2] + n / 2) / n)));
    }
    while (palette.size() < entries)
        palette.append(qRgb(0, 0, 0));
    return palette;
}

QImage toIndexed8(const QImage& image)
{
    const QList<QRgb> palette = medianCutPalette(image, 256);
    QImage indexed(image.size(), QImage::Format_Indexed8);
    indexed.setColorTable(palette);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            int best = 0;
            long bestDistance = -1;
            for (int i = 0; i < palette.size(); ++i) {
                const long dr = qRed(c) - qRed(palette[i]);
                const long dg = qGreen(c) - qGreen(palette[i]);
                const long db = qBlue(c) - qBlue(palette[i]);
                const long d = dr * dr + dg * dg + db * db;
                if (bestDistance < 0 || d < bestDistance) {
                    bestDistance = d;
                    best = i;
                }
            }
            indexed.setPixel(x, y, uint(best));
        }
    return indexed;
}

QImage drawLogo(int scale)
{
    // Square corners: the word mark sits on silver windows and on the light
    // About picture, and no corner colour suits both.
    QImage image(QSize(90, 32) * scale, QImage::Format_RGB32);
    QPainter p(&image);
    p.scale(scale, scale);
    p.setRenderHint(QPainter::Antialiasing);

    const QRectF badge(0, 0, 90, 32);
    QLinearGradient fill(badge.topLeft(), badge.bottomLeft());
    fill.setColorAt(0.0, kBlueTop);
    fill.setColorAt(1.0, kBlueBottom);
    QPainterPath shape;
    shape.addRect(badge);
    p.fillPath(shape, fill);

    // A soft sheen over the upper half gives the badge its glass edge.
    QPainterPath sheen;
    sheen.addRect(badge.adjusted(1, 1, -1, -badge.height() / 2));
    QLinearGradient sheenFill(badge.topLeft(), QPointF(badge.left(), badge.center().y()));
    sheenFill.setColorAt(0.0, QColor(255, 255, 255, 55));
    sheenFill.setColorAt(1.0, QColor(255, 255, 255, 8));
    p.fillPath(sheen, sheenFill);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(QColor(0x0B, 0x27, 0x4B), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(0, 0, 89, 31));
    p.setPen(QPen(QColor(255, 255, 255, 60), 1));
    p.drawLine(1, 1, 88, 1);
    p.setRenderHint(QPainter::Antialiasing);

    p.setPen(Qt::NoPen);
    const QFont word = wordFont(16, QFont::Bold, 2.0);
    p.setBrush(QColor(0x0A, 0x1E, 0x3A, 110));
    drawCentredCaps(p, QStringLiteral("KALMO"), word, QPointF(45.5, 16.7));
    p.setBrush(Qt::white);
    drawCentredCaps(p, QStringLiteral("KALMO"), word, QPointF(45, 16));
    p.end();
    return toIndexed8(image);
}

// The blue disc with its "K", in the disc's own proportions; KLOGO and the
// program's icon both show it.
void paintEmblem(QPainter& p, const QRectF& disc)
{
    const double k = disc.width() / 50.0; // the design's disc is 50 wide
    QPainterPath round;
    round.addEllipse(disc);
    QRadialGradient body(disc.center() - QPointF(8, 10) * k, 40 * k);
    body.setColorAt(0.0, QColor(0x4A, 0x8C, 0xD4));
    body.setColorAt(1.0, kBlueBottom);
    p.fillPath(round, body);
    p.setPen(QPen(QColor(0x0B, 0x27, 0x4B), 1.2 * k));
    p.setBrush(Qt::NoBrush);
    p.drawPath(round);

    QPainterPath ring;
    ring.addEllipse(disc.adjusted(3.5 * k, 3.5 * k, -3.5 * k, -3.5 * k));
    p.setPen(QPen(QColor(255, 255, 255, 90), 1.2 * k));
    p.drawPath(ring);

    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    drawCentredCaps(p, QStringLiteral("K"), wordFont(disc.height() * 30.0 / 49.0, QFont::Black, 0),
                    disc.center() + QPointF(0.5, 0.5) * k);

    QPainterPath highlight;
    highlight.addEllipse(QRectF(disc.left() + 9 * k, disc.top() + 3 * k, disc.width() - 18 * k, disc.height() * 0.42));
    QLinearGradient shine(highlight.boundingRect().topLeft(), highlight.boundingRect().bottomLeft());
    shine.setColorAt(0.0, QColor(255, 255, 255, 110));
    shine.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.fillPath(highlight, shine);
}

QImage drawKLogo(int scale)
{
    QImage image(QSize(57, 54) * scale, QImage::Format_RGB32);
    image.fill(kSilver);
    QPainter p(&image);
    p.scale(scale, scale);
    p.setRenderHint(QPainter::Antialiasing);
    paintEmblem(p, QRectF(3.5, 2.5, 50, 49));
    p.end();
    return image.convertToFormat(QImage::Format_RGB888);
}

// The program's icon: the emblem on a transparent square of 64 units.
void paintIcon(QPaintDevice& device, double side)
{
    QPainter p(&device);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(side / 64.0, side / 64.0);
    paintEmblem(p, QRectF(2, 2, 60, 60));
}

QImage drawIcon(int side)
{
    QImage image(side, side, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    paintIcon(image, side);
    return image;
}

bool saveScalableIcon(const QString& path)
{
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(QSize(64, 64));
    svg.setViewBox(QRect(0, 0, 64, 64));
    svg.setTitle(QStringLiteral("KALMO Translator"));
    paintIcon(svg, 64);
    return QFile::exists(path);
}

QImage drawBackground(int scale)
{
    const int w = 640, h = 480;
    QImage image(QSize(w, h) * scale, QImage::Format_RGB32);
    QPainter p(&image);
    p.scale(scale, scale);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0.0, QColor(0xF7, 0xF9, 0xFC));
    sky.setColorAt(0.55, QColor(0xE6, 0xEE, 0xF7));
    sky.setColorAt(1.0, QColor(0xCF, 0xDC, 0xEC));
    p.fillRect(image.rect(), sky);

    // Layered waves, each a little deeper in tone, rising to the right.
    struct Wave {
        double left, c1, c2, right;
        QColor top, bottom;
    };
    const Wave waves[] = {
        {300, 210, 330, 170, QColor(0xC8, 0xD8, 0xEC, 150), QColor(0xB4, 0xC9, 0xE2, 170)},
        {350, 270, 380, 240, QColor(0xAE, 0xC6, 0xE2, 150), QColor(0x94, 0xB2, 0xD6, 180)},
        {400, 330, 420, 310, QColor(0x8C, 0xAD, 0xD4, 150), QColor(0x6E, 0x95, 0xC4, 190)},
    };
    for (const Wave& wave : waves) {
        QPainterPath path(QPointF(0, wave.left));
        path.cubicTo(QPointF(w * 0.35, wave.c1), QPointF(w * 0.65, wave.c2), QPointF(w, wave.right));
        path.lineTo(w, h);
        path.lineTo(0, h);
        path.closeSubpath();
        QLinearGradient fill(0, std::min(wave.left, wave.right), 0, h);
        fill.setColorAt(0.0, wave.top);
        fill.setColorAt(1.0, wave.bottom);
        p.fillPath(path, fill);
        p.setPen(QPen(QColor(255, 255, 255, 120), 1.2));
        p.setBrush(Qt::NoBrush);
        QPainterPath crest(QPointF(0, wave.left));
        crest.cubicTo(QPointF(w * 0.35, wave.c1), QPointF(w * 0.65, wave.c2), QPointF(w, wave.right));
        p.drawPath(crest);
    }

    // A faint emblem on the right, like a watermark, away from the texts.
    p.setPen(QPen(QColor(255, 255, 255, 70), 10));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(500, 250), 110, 110);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 55));
    drawCentredCaps(p, QStringLiteral("K"), wordFont(150, QFont::Black, 0), QPointF(500, 250));

    // A thin rule under the heading and version lines.
    QLinearGradient rule(24, 0, 340, 0);
    rule.setColorAt(0.0, QColor(0x2F, 0x6F, 0xB5, 200));
    rule.setColorAt(1.0, QColor(0x2F, 0x6F, 0xB5, 0));
    p.fillRect(QRectF(24, 80, 316, 2), rule);
    p.end();
    return image.convertToFormat(QImage::Format_RGB888);
}

bool save(const QImage& image, const QString& folder, const QString& name)
{
    const QString path = folder + QLatin1Char('/') + name + QStringLiteral(".png");
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

// The icon theme's sizes, as freedesktop icon themes list them.
bool saveIcons(const QString& iconsFolder, const QString& name)
{
    bool ok = true;
    for (const int side : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString folder = iconsFolder + QStringLiteral("/hicolor/%1x%1/apps").arg(side);
        ok = ok && QDir().mkpath(folder) && save(drawIcon(side), folder, name);
    }
    const QString scalable = iconsFolder + QStringLiteral("/hicolor/scalable/apps");
    return ok && QDir().mkpath(scalable) && saveScalableIcon(scalable + QLatin1Char('/') + name + QStringLiteral(".svg"));
}

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: make-pictures <resources folder> <icons folder> <icon name>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!saveIcons(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3])))
        return 1;
    // Each picture at its own size and, for screens at twice the scale, at
    // twice its size under the same name with "@2x".
    bool ok = true;
    for (const int scale : {1, 2}) {
        const QString suffix = scale == 1 ? QString() : QStringLiteral("@2x");
        ok = ok && save(drawLogo(scale), folder, QStringLiteral("LOGO") + suffix)
            && save(drawKLogo(scale), folder, QStringLiteral("KLOGO") + suffix)
            && save(drawBackground(scale), folder, QStringLiteral("kalmo") + suffix);
    }
    return ok ? 0 : 1;
}
