// Applying the layout tables of the windows; see FormLayout.h.
#include "app/FormLayout.h"

#include "app/FormControls.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace kalmo {
namespace {

QWidget* control(QWidget& client, const ControlPlace& place)
{
    QWidget* widget = client.findChild<QWidget*>(QString::fromLatin1(place.name));
    Q_ASSERT_X(widget, "applyLayout", place.name);
    return widget;
}

} // namespace

void applyLayout(QWidget& client, std::span<const ControlPlace> places)
{
    for (const ControlPlace& place : places) {
        QWidget* widget = control(client, place);
        if (!widget)
            continue;
        int width = place.bounds.width;
        int height = place.bounds.height;
        // The stored sizes were measured with the design font; a substituted
        // font may need more room, never less.
        if (auto* label = qobject_cast<TLabel*>(widget); label && label->AutoSize()) {
            width = std::max(width, label->sizeHint().width());
            height = std::max(height, label->sizeHint().height());
        }
        widget->setGeometry(place.bounds.left, place.bounds.top, width, height);
        // Later controls in the table lie on top, as in the stored layout.
        widget->raise();
    }
}

void followRightEdge(QWidget& client, std::span<const ControlPlace> places, int designClientWidth)
{
    const int change = client.width() - designClientWidth;
    for (const ControlPlace& place : places) {
        if (!place.anchorRight)
            continue;
        if (QWidget* widget = control(client, place))
            widget->resize(std::max(0, place.bounds.width + change), widget->height());
    }
}

void centreOnScreen(QWidget& window)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(0, 0), window.frameGeometry().size());
        frame.moveCenter(screen->availableGeometry().center());
        window.move(frame.topLeft());
    }
}

} // namespace kalmo
