// TLabel and TImage; see FormControls.h.
#include "app/FormControls.h"

#include <QBitmap>
#include <QEvent>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

namespace kalmo {
namespace {

constexpr int kTextFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextShowMnemonic;

} // namespace

TLabel::TLabel(QWidget* parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
}

void TLabel::SetCaption(const QString& caption)
{
    if (caption == caption_)
        return;
    caption_ = caption;
    fitToText();
    update();
}

void TLabel::SetAutoSize(bool autoSize)
{
    autoSize_ = autoSize;
    fitToText();
}

QString TLabel::ShownText() const
{
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
    return QFontMetrics(font()).size(kTextFlags, caption_);
}

void TLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(rect(), kTextFlags, caption_);
}

void TLabel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        fitToText();
    QWidget::changeEvent(event);
}

void TLabel::fitToText()
{
    if (autoSize_ && !caption_.isEmpty())
        resize(sizeHint());
}

TImage::TImage(QWidget* parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
}

void TImage::LoadPicture(const QString& path)
{
    source_ = QPixmap(path);
    applyTransparency();
    update();
}

void TImage::SetTransparent(bool transparent)
{
    if (transparent == transparent_)
        return;
    transparent_ = transparent;
    applyTransparency();
    update();
}

void TImage::paintEvent(QPaintEvent*)
{
    if (picture_.isNull())
        return;
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture_);
}

void TImage::applyTransparency()
{
    // A mask cannot be taken back off a pixmap, so the picture is rebuilt
    // from the loaded one.
    picture_ = source_;
    if (!transparent_ || picture_.isNull())
        return;
    const QImage image = source_.toImage();
    const QColor key = image.pixelColor(0, image.height() - 1);
    picture_.setMask(picture_.createMaskFromColor(key, Qt::MaskInColor));
}

} // namespace kalmo
