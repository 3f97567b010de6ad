// Which font draws each cluster of the memo's text outside ASCII, and the
// text it draws. The pane's font draws every cluster it has all the glyphs
// for. Any other cluster is drawn whole in the fallback font that the text
// engine picks for it, scaled so that the fallback's ascent and descent fit
// the row around the pane font's baseline (never below the pane font's
// size): a Thai consonant with a vowel and a tone mark stacked on it stays
// inside the row, and a fallback with small letters (the Thai typewriter
// faces) is not left smaller than it needs to be. A cluster is composed (NFC) before the choice, so `e` with a
// combining acute is the pane font's own `é`, and a cluster is never split
// between two fonts, which would put a mark beside its letter.
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QRawFont>
#include <QString>

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kalmo {

class MemoClusterFonts {
public:
    // How one cluster is drawn: its text and the index of its font.
    struct Shape {
        QString text;
        int font = 0;
    };

    // Forgets every choice: `text` is the pane's font without letter
    // spacing; the rows have `ascentRoom` pixels above the baseline and
    // `descentRoom` below it.
    void reset(const QFont& text, int ascentRoom, int descentRoom);

    // `cluster` is the UTF-8 of one cluster; the answer is kept.
    const Shape& shapeOf(std::string_view cluster);
    // Index 0 is the pane's font.
    const QFont& font(int index) const { return fonts_[static_cast<std::size_t>(index)].font; }
    const QFontMetricsF& metrics(int index) const { return fonts_[static_cast<std::size_t>(index)].metrics; }

private:
    struct Face {
        QFont font;
        QFontMetricsF metrics;
        QString key; // family and style of the fallback
    };

    int fallbackFor(const QString& text);
    int scaledFace(const QRawFont& raw);

    std::vector<Face> fonts_;
    QRawFont textRaw_;
    int ascentRoom_ = 0;
    int descentRoom_ = 0;
    std::unordered_map<std::string, Shape> shapes_;
};

// The characters a row shows for a stretch of line text: control characters
// (a tab taken in unchanged, a stray carriage return) keep their one cell as
// a blank instead of letting the text engine expand or break on them.
QString displayText(std::string_view bytes, bool ascii);

} // namespace kalmo
