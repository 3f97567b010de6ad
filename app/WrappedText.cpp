// The read-only wrapping text; see WrappedText.h.
#include "app/WrappedText.h"

#include <QEvent>
#include <QTextDocument>

#include <algorithm>
#include <cmath>
#include <memory>

namespace kalmo {

WrappedText::WrappedText(QWidget* parent)
    : QTextEdit(parent)
{
    setReadOnly(true);
    setAcceptRichText(false);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setLineWrapMode(QTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    // It reads as a label: no frame, the background of what it stands on.
    setFrameStyle(QFrame::NoFrame);
    viewport()->setAutoFillBackground(false);
    document()->setDocumentMargin(0);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void WrappedText::SetText(const QString& text)
{
    if (text == Text())
        return;
    setPlainText(text);
    measuredWidth_ = -1;
    updateGeometry();
}

QString WrappedText::Text() const
{
    // The raw text keeps non-breaking spaces, which toPlainText() turns into spaces.
    QString text = document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return text;
}

int WrappedText::heightForWidth(int width) const
{
    if (width != measuredWidth_) {
        // Measured on a copy: laying out the shown document at another
        // width would move what is on screen.
        const std::unique_ptr<QTextDocument> copy(document()->clone());
        copy->setTextWidth(std::max(1, width - 2 * frameWidth()));
        measuredWidth_ = width;
        measuredHeight_ = static_cast<int>(std::ceil(copy->size().height())) + 2 * frameWidth();
    }
    return measuredHeight_;
}

void WrappedText::changeEvent(QEvent* event)
{
    QTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        measuredWidth_ = -1;
        updateGeometry();
    }
}

QSize WrappedText::sizeHint() const
{
    const int width = QTextEdit::sizeHint().width();
    return {width, heightForWidth(width)};
}

QSize WrappedText::minimumSizeHint() const
{
    // One line high; a layout that asks for the height at a width gets more.
    return {fontMetrics().averageCharWidth() * 4, fontMetrics().lineSpacing() + 2 * frameWidth()};
}

} // namespace kalmo
