// TGlassButton: the Qt widget around GlassButtonModel. It turns Qt input into
// the model's operations, runs the hover timer and hands painting to
// GlassButtonPainter. Properties are set on model(); clicked() is OnClick.
#pragma once

#include "controls/glass/GlassButtonModel.h"

#include <QTimer>
#include <QWidget>

namespace kalmo {

class TGlassButton : public QWidget, private GlassButtonHost {
    Q_OBJECT

public:
    explicit TGlassButton(QWidget* parent = nullptr);
    ~TGlassButton() override;

    GlassButtonModel& model() { return model_; }
    const GlassButtonModel& model() const { return model_; }

    // Paints the glass layers and the caption on any painter whose origin is
    // the button's top-left corner.
    virtual void PaintButtonTo(QPainter& painter);

    // TabStop also decides Qt's focus policy, so it is written here, not on the model.
    void setTabStop(bool tabStop);

    bool hoverTimerActive() const { return hoverTimer_.isActive(); }

signals:
    void clicked();
    void doubleClicked();
    void mouseEntered();
    void mouseLeft();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void RequestRepaint() override;
    void RepaintNow() override;
    void SetHoverTimerActive(bool active) override;
    bool PointerOverButton() override;
    bool CanTakeFocus() override;
    void TakeFocus() override;
    void NotifyGroup(const GlassButtonModel& sender) override;

    void onHoverTimer();
    void applyTabStop();

    GlassButtonModel model_;
    QTimer hoverTimer_;
};

} // namespace kalmo
