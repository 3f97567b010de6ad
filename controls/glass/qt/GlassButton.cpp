// TGlassButton: Qt events in, model operations out, painting delegated.
//
// The button paints nothing of its own under the glass: it is not an opaque
// widget, so Qt has already drawn the parent (its background, its own paint
// and the siblings beneath) into the area before paintEvent runs. That is the
// parent's image the translucent body darkens, and it shows overlapping glass
// buttons beneath as well, which is what ForceTransparent asks for.
#include "controls/glass/qt/GlassButton.h"

#include "controls/qt/QtKeys.h"
#include "controls/glass/qt/GlassButtonPainter.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace kalmo {
namespace {

MouseButton toMouseButton(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton: return MouseButton::Left;
    case Qt::RightButton: return MouseButton::Right;
    default: return MouseButton::Middle;
    }
}

QPoint eventPoint(const QMouseEvent* event)
{
    // Pixel coordinates: a release on the column x = width must count as outside.
    const QPointF p = event->position();
    return QPoint(static_cast<int>(std::floor(p.x())), static_cast<int>(std::floor(p.y())));
}

} // namespace

TGlassButton::TGlassButton(QWidget* parent)
    : QWidget(parent)
{
    model_.SetHost(this);
    model_.OnClick = [this](GlassButtonModel&) { emit clicked(); };
    model_.OnDblClick = [this](GlassButtonModel&) { emit doubleClicked(); };
    model_.OnMouseEnter = [this](GlassButtonModel&) { emit mouseEntered(); };
    model_.OnMouseLeave = [this](GlassButtonModel&) { emit mouseLeft(); };

    hoverTimer_.setInterval(GlassButtonModel::HoverTimerInterval);
    connect(&hoverTimer_, &QTimer::timeout, this, &TGlassButton::onHoverTimer);

    setMouseTracking(true);
    applyTabStop();
    setGeometry(0, 0, model_.Width(), model_.Height());
}

TGlassButton::~TGlassButton()
{
    // Callbacks capture this; none may run while the QWidget part is torn down.
    model_.OnClick = nullptr;
    model_.OnDblClick = nullptr;
    model_.OnMouseEnter = nullptr;
    model_.OnMouseLeave = nullptr;
    model_.SetHost(nullptr);
}

void TGlassButton::PaintButtonTo(QPainter& painter)
{
    GlassButtonPainter::Paint(painter, model_, palette(), hasFocus());
}

void TGlassButton::paintEvent(QPaintEvent*)
{
    model_.NormalizeState();
    QPainter painter(this);
    PaintButtonTo(painter);
}

void TGlassButton::resizeEvent(QResizeEvent*)
{
    model_.SetSize(width(), height());
}

void TGlassButton::mousePressEvent(QMouseEvent* event)
{
    const QPoint p = eventPoint(event);
    model_.MouseDown(toMouseButton(event->button()), p.x(), p.y());
    event->accept();
}

void TGlassButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QPoint p = eventPoint(event);
    model_.MouseDown(toMouseButton(event->button()), p.x(), p.y(), true);
    event->accept();
}

void TGlassButton::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = eventPoint(event);
    model_.MouseMove(p.x(), p.y());
    event->accept();
}

void TGlassButton::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint p = eventPoint(event);
    model_.MouseUp(toMouseButton(event->button()), p.x(), p.y());
    event->accept();
}

void TGlassButton::enterEvent(QEnterEvent*)
{
    model_.MouseEnter();
}

void TGlassButton::leaveEvent(QEvent*)
{
    model_.MouseLeave();
}

void TGlassButton::keyPressEvent(QKeyEvent* event)
{
    const ShiftState shift = toShiftState(event->modifiers());
    const KeyCode key = toKeyCode(event->key());
    if (key == vk::Enter) {
        if (model_.DialogKey(vk::Enter, shift)) {
            event->accept();
            return;
        }
    } else if (event->key() == Qt::Key_Space && !hasCtrl(shift) && !hasAlt(shift)) {
        model_.KeyPress(U' ');
        event->accept();
        return;
    } else if (!event->text().isEmpty() && (shift == 0 || shift == ssAlt || shift == ssShift)) {
        const QString text = event->text();
        if (model_.DialogChar(text.toUcs4().value(0))) {
            event->accept();
            return;
        }
    }
    QWidget::keyPressEvent(event);
}

void TGlassButton::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    model_.FocusChanged(true);
    model_.FocusEnter();
}

void TGlassButton::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    // Deactivating the window keeps this the window's focused control.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        model_.FocusChanged(false);
    model_.FocusExit();
}

void TGlassButton::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    // A hidden widget loses the mouse grab; its release would never come.
    model_.CancelPress();
}

void TGlassButton::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        model_.SetEnabled(isEnabled());
}

void TGlassButton::RequestRepaint()
{
    update();
}

void TGlassButton::RepaintNow()
{
    repaint();
}

void TGlassButton::SetHoverTimerActive(bool active)
{
    if (active)
        hoverTimer_.start();
    else
        hoverTimer_.stop();
}

bool TGlassButton::PointerOverButton()
{
    return QApplication::widgetAt(QCursor::pos()) == this;
}

bool TGlassButton::CanTakeFocus()
{
    return isEnabled() && isVisible();
}

void TGlassButton::TakeFocus()
{
    setFocus(Qt::MouseFocusReason);
}

void TGlassButton::NotifyGroup(const GlassButtonModel& sender)
{
    if (!parentWidget())
        return;
    for (TGlassButton* sibling : parentWidget()->findChildren<TGlassButton*>(Qt::FindDirectChildrenOnly)) {
        if (sibling != this)
            sibling->model_.GroupNotification(sender);
    }
}

void TGlassButton::onHoverTimer()
{
    model_.HoverTimerTick(rect().contains(mapFromGlobal(QCursor::pos())));
}

void TGlassButton::setTabStop(bool tabStop)
{
    model_.SetTabStop(tabStop);
    applyTabStop();
}

void TGlassButton::applyTabStop()
{
    // Without TabStop neither Tab nor a click focuses the button; code still can.
    const Qt::FocusPolicy policy = model_.TabStop() ? Qt::TabFocus : Qt::NoFocus;
    if (focusPolicy() != policy)
        setFocusPolicy(policy);
}

} // namespace kalmo
