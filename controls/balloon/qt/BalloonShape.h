// TBalloonShape: the non-visual component that turns its owner window into a
// speech balloon. The owner keeps working as a normal window; the component
// changes it once, in its after-load step, and watches it through an event
// filter for painting and dragging. All geometry and rules come from
// BalloonShapeModel; this file only applies them to a Qt window.
#pragma once

#include "controls/balloon/BalloonShapeModel.h"

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRegion>
#include <QSize>
#include <QString>
#include <QWidget>

class QPainter;
class QPalette;

namespace kalmo {

class TBalloonShape : public QObject {
    Q_OBJECT

public:
    // owner must be a top-level window; anything else (a child widget, a
    // plain object, none) raises EBalloonShapeError.
    explicit TBalloonShape(QObject* owner);
    ~TBalloonShape() override;

    bool Reshape() const { return model_.Reshape(); }
    void SetReshape(bool value) { model_.SetReshape(value); }
    TBalloonPosition BalloonPosition() const { return model_.BalloonPosition(); }
    void SetBalloonPosition(TBalloonPosition value) { model_.SetBalloonPosition(value); }
    int BalloonEllips() const { return model_.BalloonEllips(); }
    void SetBalloonEllips(int value) { model_.SetBalloonEllips(value); }
    int BalloonIndent() const { return model_.BalloonIndent(); }
    void SetBalloonIndent(int value) { model_.SetBalloonIndent(value); }
    ColorValue BalloonColor() const { return model_.BalloonColor(); }
    void SetBalloonColor(ColorValue value) { model_.SetBalloonColor(value); }
    ColorValue BorderColor() const { return model_.BorderColor(); }
    void SetBorderColor(ColorValue value) { model_.SetBorderColor(value); }
    int BorderWidth() const { return model_.BorderWidth(); }
    void SetBorderWidth(int value) { model_.SetBorderWidth(value); }
    bool DragBalloon() const { return model_.DragBalloon(); }
    void SetDragBalloon(bool value) { model_.SetDragBalloon(value); }
    QString Version() const { return QString::fromStdString(model_.Version()); }
    void SetVersion(const QString&) {}

    // The after-load step: call it once the owner's layout (size, children,
    // the properties above) is applied. With Reshape on it makes the owner
    // frameless, sets its size and mask, and starts painting and dragging;
    // with Reshape off, or on a second call, it does nothing.
    void ApplyBalloonShape(const WindowFrame& frame = kLayoutWindowFrame);

    // Paints the balloon on sender's surface. The owner calls it through the
    // event filter at every paint, before the owner's own paintEvent, which
    // thereby plays the part of an earlier paint handler.
    void PaintBalloon(QWidget* sender);

    QWidget* ownerWindow() const { return owner_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static QObject* checkedOwner(QObject* owner);
    bool handleMouse(QEvent* event);
    void restoreOwner();

    BalloonShapeModel model_;
    QPointer<QWidget> owner_;
    bool ownerGone_ = false;
    bool paintHook_ = false;
    bool dragHook_ = false;

    // What the owner looked like before shaping, for the restore.
    Qt::WindowFlags savedFlags_;
    QSize savedSize_;

    // A move by hand, for platforms that cannot move a window themselves.
    bool dragging_ = false;
    QPoint dragStartGlobal_;
    QPoint dragStartWindowPos_;
};

// The window region of a shaped window as a Qt region.
QRegion balloonRegion(const BalloonRegionGeometry& geometry);

// Draws one paint plan; system colours are looked up in palette.
void paintBalloonPlan(QPainter& painter, const BalloonPaintPlan& plan, const QPalette& palette);

} // namespace kalmo
