// The one way our widgets tell assistive technology what changed. Qt drops
// events while no assistive technology is active, and a platform without
// one (offscreen, in tests) can never be activated; a test redirects the
// events here to see what would be sent.
#pragma once

#include <functional>

class QAccessibleEvent;

namespace kalmo::accessible_events {

// True while assistive technology listens (or a redirect is installed):
// only then is it worth working out what to send.
bool listening();
void send(QAccessibleEvent& event);
// Events go to `sink` instead of Qt until it is replaced by an empty one.
void redirect(std::function<void(QAccessibleEvent&)> sink);

} // namespace kalmo::accessible_events
