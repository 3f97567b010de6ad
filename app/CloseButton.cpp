// The CLOSE button of the About and Help windows; see CloseButton.h.
#include "app/CloseButton.h"

#include "controls/glass/qt/GlassButton.h"

#include <QShortcut>

namespace kalmo {

TGlassButton* addCloseButton(QWidget& window, const layout::CloseButtonLayout& layout, std::function<void()> close)
{
    auto* button = new TGlassButton(&window);
    button->setObjectName(QStringLiteral("GlassButton1"));
    GlassButtonModel& model = button->model();
    model.BeginLoading();
    model.SetCaption(layout.caption);
    model.SetBackColor(layout.backColor);
    model.SetFont(GlassFont{layout.fontName, -layout.fontPixels, true, false, false, false, layout.fontColor});
    model.SetForeColor(clWhite);
    model.SetForceTransparent(layout.forceTransparent);
    model.SetGlowColor(layout.glowColor);
    model.SetInnerBorderColor(clBlack);
    model.SetOuterBorderColor(clWhite);
    model.SetShineColor(clWhite);
    model.Loaded();
    button->setTabStop(true);
    QObject::connect(button, &TGlassButton::clicked, &window, close);
    QObject::connect(new QShortcut(Qt::Key_Escape, &window), &QShortcut::activated, &window, close);
    return button;
}

} // namespace kalmo
