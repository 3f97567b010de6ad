// Font choice per cluster; see MemoClusterFonts.h.
#include "controls/memo/qt/MemoClusterFonts.h"

#include <QGlyphRun>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace kalmo {

namespace {

bool supportsAll(const QRawFont& font, const QString& text)
{
    const QList<uint> characters = text.toUcs4();
    return std::all_of(characters.begin(), characters.end(), [&font](uint ch) { return font.supportsCharacter(ch); });
}

QString faceKey(const QRawFont& raw) { return raw.familyName() + QLatin1Char('/') + raw.styleName(); }

} // namespace

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

void MemoClusterFonts::reset(const QFont& text, int ascentRoom, int descentRoom)
{
    fonts_.clear();
    fonts_.push_back(Face{text, QFontMetricsF(text), QString()});
    textRaw_ = QRawFont::fromFont(text);
    ascentRoom_ = ascentRoom;
    descentRoom_ = descentRoom;
    shapes_.clear();
}

const MemoClusterFonts::Shape& MemoClusterFonts::shapeOf(std::string_view cluster)
{
    const std::string key(cluster);
    if (const auto found = shapes_.find(key); found != shapes_.end())
        return found->second;
    Shape shape{displayText(cluster, false).normalized(QString::NormalizationForm_C), 0};
    if (!supportsAll(textRaw_, shape.text))
        shape.font = fallbackFor(shape.text);
    return shapes_.emplace(key, std::move(shape)).first->second;
}

// The text engine's own fallback: the face of the first glyph run that
// the pane's font does not draw, preferring one that has every character
// of the cluster.
int MemoClusterFonts::fallbackFor(const QString& text)
{
    QTextLayout layout(text, fonts_.front().font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    const QString textKey = faceKey(textRaw_);
    for (const QGlyphRun& run : runs) {
        const QRawFont raw = run.rawFont();
        if (faceKey(raw) != textKey && supportsAll(raw, text))
            return scaledFace(raw);
    }
    for (const QGlyphRun& run : runs) {
        if (faceKey(run.rawFont()) != textKey)
            return scaledFace(run.rawFont());
    }
    return 0;
}

int MemoClusterFonts::scaledFace(const QRawFont& raw)
{
    const QString key = faceKey(raw);
    const auto known = std::find_if(fonts_.begin(), fonts_.end(), [&key](const Face& face) { return face.key == key; });
    if (known != fonts_.end())
        return static_cast<int>(known - fonts_.begin());
    const QFont& text = fonts_.front().font;
    // The raw font comes at the pane font's size; its size in whole pixels
    // is rounded down (a hair of slack keeps an exact fit) so that it fits.
    // A fallback is never made smaller than the pane's font: an accented
    // Latin letter from a face with a tall ascent would otherwise shrink
    // beside its neighbours, for a mark that overhangs by a fraction.
    qreal scale = 1.0;
    if (raw.ascent() > 0 && raw.descent() > 0)
        scale = std::max(1.0, std::min(ascentRoom_ / raw.ascent(), descentRoom_ / raw.descent()));
    QFont font = text;
    font.setFamily(raw.familyName());
    font.setStyleName(raw.styleName());
    font.setPixelSize(std::max(1, static_cast<int>(std::floor(text.pixelSize() * scale + 0.05))));
    fonts_.push_back(Face{font, QFontMetricsF(font), key});
    return static_cast<int>(fonts_.size()) - 1;
}

} // namespace kalmo
