// Accessibility events to Qt or to a test's sink; see AccessibleEvents.h.
#include "controls/qt/AccessibleEvents.h"

#include <QAccessible>

namespace kalmo::accessible_events {
namespace {

std::function<void(QAccessibleEvent&)>& sink()
{
    static std::function<void(QAccessibleEvent&)> current;
    return current;
}

} // namespace

bool listening() { return sink() || QAccessible::isActive(); }

void send(QAccessibleEvent& event)
{
    if (sink())
        sink()(event);
    else
        QAccessible::updateAccessibility(&event);
}

void redirect(std::function<void(QAccessibleEvent&)> replacement)
{
    sink() = std::move(replacement);
    // Whoever kept a picture of what was last announced starts afresh.
    QAccessible::setActive(listening());
}

} // namespace kalmo::accessible_events
