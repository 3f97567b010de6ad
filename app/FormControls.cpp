// TLabel and TImage; see FormControls.h.
#include "app/FormControls.h"

#include "controls/qt/AccessibleEvents.h"
#include "controls/qt/LineExtent.h"

#include <algorithm>

#include <QAccessible>
#include <QBitmap>
#include <QEvent>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <cmath>

namespace kalmo {
namespace {

constexpr int kTextFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine;

// How far the glyphs of `text` reach above the top of its line and below
// its bottom, in whole pixels. A stacked accent on a capital (Vietnamese
// "Ể") rises above the font's ascent, and a label cut at its line loses it.
QMargins inkOverhang(const QString& text, const QFont& font)
{
    const std::optional<LineExtent> extent = lineExtentOf(text, font);
    if (!extent)
        return {};
    return QMargins(0, static_cast<int>(std::ceil(extent->inkAscent - extent->ascent)), 0,
                    static_cast<int>(std::ceil(extent->inkDescent - extent->descent)));
}

} // namespace

TLabel::TLabel(QWidget* parent)
    : QLabel(parent)
{
    setFocusPolicy(Qt::NoFocus);
}

void TLabel::SetCaption(const QString& caption)
{
    if (caption == caption_)
        return;
    caption_ = caption;
    measured_.reset();
    fitToText();
    update();
    // A label named for what it shows (a field) carries the caption as its
    // description; any other label is named by its caption.
    QAccessibleEvent changed(this, accessibleName().isEmpty() ? QAccessible::NameChanged : QAccessible::DescriptionChanged);
    accessible_events::send(changed);
}

void TLabel::SetAutoSize(bool autoSize)
{
    autoSize_ = autoSize;
    fitToText();
}

void TLabel::SetShowAccelChar(bool show)
{
    showAccelChar_ = show;
    measured_.reset();
    fitToText();
    update();
}

void TLabel::SetMaxWidth(int width)
{
    maxWidth_ = std::max(width, 0);
    measured_.reset();
    fitToText();
    update();
}

int TLabel::textFlags() const { return kTextFlags | (showAccelChar_ ? Qt::TextShowMnemonic : 0); }

QString TLabel::drawnCaption() const
{
    if (maxWidth_ <= 0 || showAccelChar_)
        return caption_;
    return QFontMetrics(font()).elidedText(caption_, Qt::ElideRight, maxWidth_, textFlags());
}

QString TLabel::ShownText() const
{
    if (!showAccelChar_)
        return drawnCaption();
    QString shown;
    shown.reserve(caption_.size());
    for (qsizetype i = 0; i < caption_.size(); ++i) {
        if (caption_[i] == QLatin1Char('&') && i + 1 < caption_.size())
            ++i;
        shown += caption_[i];
    }
    return shown;
}

int TLabel::UnderlinedIndex() const
{
    if (!showAccelChar_)
        return -1;
    int underlined = -1;
    int shownIndex = 0;
    for (qsizetype i = 0; i < caption_.size(); ++i, ++shownIndex) {
        if (caption_[i] == QLatin1Char('&') && i + 1 < caption_.size()) {
            ++i;
            if (caption_[i] != QLatin1Char('&') && underlined < 0)
                underlined = shownIndex;
        }
    }
    return underlined;
}

QSize TLabel::sizeHint() const
{
    // Layouts and the window's own sizing ask again and again; measuring
    // shapes the text each time.
    if (!measured_) {
        const QString caption = drawnCaption();
        const QMargins overhang = inkOverhang(caption, font());
        measured_ = QFontMetrics(font()).size(textFlags(), caption).grownBy(overhang);
    }
    return *measured_;
}

void TLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    const QString caption = drawnCaption();
    // Marks that rise above the line move the text down by as much, inside the label.
    painter.drawText(rect().adjusted(0, inkOverhang(caption, font()).top(), 0, 0), textFlags(), caption);
}

void TLabel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange) {
        measured_.reset();
        fitToText();
    }
    QLabel::changeEvent(event);
}

void TLabel::fitToText()
{
    if (autoSize_ && !caption_.isEmpty())
        resize(sizeHint());
    if (maxWidth_ > 0)
        setToolTip(drawnCaption() == caption_ ? QString() : caption_);
}

TImage::TImage(QWidget* parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
}

void TImage::LoadPicture(const QString& path)
{
    path_ = path;
    forgetDecodedPictures();
}

void TImage::SetTransparent(bool transparent)
{
    if (transparent == transparent_)
        return;
    transparent_ = transparent;
    forgetDecodedPictures();
}

void TImage::forgetDecodedPictures()
{
    picture_ = Version();
    sharpPicture_ = Version();
    update();
}

const QPixmap& TImage::version(bool sharp) const
{
    Version& version = sharp ? sharpPicture_ : picture_;
    if (version.decoded)
        return version.shown;
    version.decoded = true;
    if (path_.isEmpty())
        return version.shown;
    version.shown = QPixmap(sharp ? path_ + QStringLiteral("@2x") : path_);
    if (sharp)
        version.shown.setDevicePixelRatio(2);
    if (transparent_ && !version.shown.isNull()) {
        const QImage image = version.shown.toImage();
        const QColor key = image.pixelColor(0, image.height() - 1);
        version.shown.setMask(version.shown.createMaskFromColor(key, Qt::MaskInColor));
    }
    return version.shown;
}

const QPixmap& TImage::PictureAt(qreal devicePixelRatio) const
{
    return devicePixelRatio > 1.5 && !version(true).isNull() ? version(true) : version(false);
}

void TImage::paintEvent(QPaintEvent*)
{
    const QPixmap& picture = PictureAt(devicePixelRatioF());
    if (picture.isNull())
        return;
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture);
}

} // namespace kalmo
