// The Qt side of the balloon component: applying the after-load plan to the
// owner window, painting the plan with QPainter and moving the window when
// its surface is dragged.
#include "controls/balloon/qt/BalloonShape.h"

#include "controls/qt/QtColor.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>
#include <QPolygon>
#include <QWindow>

namespace kalmo {
namespace {

QPoint toQPoint(BalloonPoint point)
{
    return {point.x, point.y};
}

QPolygon toQPolygon(const BalloonTriangle& triangle)
{
    QPolygon polygon;
    for (const BalloonPoint& vertex : triangle)
        polygon << toQPoint(vertex);
    return polygon;
}

// The rectangle a QPainter outline of pen width 1 needs to touch the same
// pixels as a filled-and-outlined figure on (left, top, right, bottom).
QRectF outlineRect(const BalloonRect& rect)
{
    return QRectF(rect.left, rect.top, rect.right - rect.left - 1, rect.bottom - rect.top - 1);
}

QPen balloonPen(const QColor& color, int width)
{
    QPen pen(color, width);
    // Wide pens end and join round; the one-pixel pen is drawn pixel-exact.
    pen.setCapStyle(width > 1 ? Qt::RoundCap : Qt::SquareCap);
    pen.setJoinStyle(width > 1 ? Qt::RoundJoin : Qt::MiterJoin);
    return pen;
}

} // namespace

QRegion balloonRegion(const BalloonRegionGeometry& geometry)
{
    QRegion region;
    const std::vector<BalloonSpan> rows = roundRectRegionRows(geometry.body, geometry.ellipse);
    // Rows with the same span become one rectangle, which keeps the region small.
    for (std::size_t i = 0; i < rows.size();) {
        std::size_t j = i + 1;
        while (j < rows.size() && rows[j].left == rows[i].left && rows[j].right == rows[i].right
               && rows[j].y == rows[j - 1].y + 1)
            ++j;
        region += QRect(QPoint(rows[i].left, rows[i].y), QPoint(rows[i].right - 1, rows[j - 1].y));
        i = j;
    }
    if (geometry.hasPointer)
        region += QRegion(toQPolygon(geometry.pointer), Qt::WindingFill);
    return region;
}

void paintBalloonPlan(QPainter& painter, const BalloonPaintPlan& plan, const QPalette& palette)
{
    const BalloonPaintGeometry& g = plan.geometry;
    const qreal radius = g.ellipse / 2.0;

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(balloonPen(toQColor(plan.penColor, palette), plan.penWidth));
    painter.setBrush(toQColor(plan.brushColor, palette));
    painter.drawRoundedRect(outlineRect(g.body), radius, radius, Qt::AbsoluteSize);

    if (g.hasPointer) {
        painter.drawPolygon(toQPolygon(g.pointer));
        // The seam leaves out its end point; an empty seam draws nothing.
        if (const auto last = lastPixelOfLine(g.seamFrom, g.seamTo)) {
            painter.setPen(balloonPen(toQColor(plan.seamColor, palette), plan.penWidth));
            painter.drawLine(toQPoint(g.seamFrom), toQPoint(*last));
        }
    }
    painter.restore();
}

QObject* TBalloonShape::checkedOwner(QObject* owner)
{
    const auto* window = qobject_cast<QWidget*>(owner);
    if (window == nullptr || !window->isWindow())
        throw EBalloonShapeError(kBalloonOwnerError);
    return owner;
}

TBalloonShape::TBalloonShape(QObject* owner)
    : QObject(checkedOwner(owner))
    , owner_(qobject_cast<QWidget*>(owner))
{
    // The owner announces its end before it deletes its children, so by the
    // time this component goes with it there is no window left to restore.
    connect(owner_, &QObject::destroyed, this, [this] { ownerGone_ = true; });
}

TBalloonShape::~TBalloonShape()
{
    if (!ownerGone_ && owner_)
        restoreOwner();
}

void TBalloonShape::ApplyBalloonShape(const WindowFrame& frame)
{
    const QSize designed = owner_->size();
    const std::optional<BalloonShapePlan> plan =
        model_.ApplyBalloonShape({designed.width(), designed.height()}, frame);
    if (!plan)
        return;

    savedFlags_ = owner_->windowFlags();
    savedSize_ = designed;
    paintHook_ = plan->installPaintHook;
    dragHook_ = plan->installDragHook;
    owner_->installEventFilter(this);

    if (plan->removeBorder) {
        // Changing the flags re-creates the native window and hides it.
        const bool visible = owner_->isVisible();
        const QPoint position = owner_->pos();
        owner_->setWindowFlags(savedFlags_ | Qt::FramelessWindowHint);
        owner_->move(position);
        if (visible)
            owner_->show();
    }
    owner_->resize(plan->clientSize.width, plan->clientSize.height);
    owner_->setMask(balloonRegion(plan->region));
    owner_->update();
}

void TBalloonShape::PaintBalloon(QWidget* sender)
{
    QPainter painter(sender);
    paintBalloonPlan(painter, model_.PaintBalloon({sender->width(), sender->height()}), sender->palette());
}

bool TBalloonShape::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != owner_)
        return false;
    switch (event->type()) {
    case QEvent::Paint:
        if (paintHook_)
            PaintBalloon(owner_);
        return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease:
        return dragHook_ && handleMouse(event);
    default:
        return false;
    }
}

// A press that drags is taken from the owner, as a press on a caption bar
// would never reach the window's client area.
bool TBalloonShape::handleMouse(QEvent* event)
{
    auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint global = mouse->globalPosition().toPoint();

    if (event->type() == QEvent::MouseButtonPress) {
        if (mouse->button() != Qt::LeftButton)
            return false;
        // Presses that a child ignored also arrive here; they stay the child's.
        const HitArea area = owner_->childAt(mouse->position().toPoint()) != nullptr
            ? HitArea::ChildControl
            : HitArea::OwnSurface;
        if (!model_.PressMovesWindow(area))
            return false;
        if (QWindow* window = owner_->windowHandle(); window != nullptr && window->startSystemMove())
            return true;
        dragging_ = true;
        dragStartGlobal_ = global;
        dragStartWindowPos_ = owner_->pos();
        return true;
    }

    if (!dragging_)
        return false;
    if (event->type() == QEvent::MouseButtonRelease && mouse->button() == Qt::LeftButton) {
        dragging_ = false;
        return true;
    }
    if (event->type() == QEvent::MouseMove) {
        if (!(mouse->buttons() & Qt::LeftButton)) {
            // The release went elsewhere; do not carry the window along.
            dragging_ = false;
            return false;
        }
        owner_->move(dragStartWindowPos_ + (global - dragStartGlobal_));
        return true;
    }
    return false;
}

// Undoes the shaping when the component ends before its window, so that the
// window is neither left cut to an unpainted balloon nor stuck without a
// frame it could be moved by.
void TBalloonShape::restoreOwner()
{
    owner_->removeEventFilter(this);
    if (!model_.Shaped())
        return;
    owner_->clearMask();
    const bool visible = owner_->isVisible();
    const QPoint position = owner_->pos();
    owner_->setWindowFlags(savedFlags_);
    owner_->move(position);
    owner_->resize(savedSize_);
    if (visible)
        owner_->show();
}

} // namespace kalmo
