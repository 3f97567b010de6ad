// The start's work after the main window's first paint; see AfterFirstPaint.h.
#include "app/AfterFirstPaint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

#include <utility>

namespace kalmo {
namespace {

bool isUserInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::DragEnter:
    case QEvent::Drop:
    case QEvent::TouchBegin: return true;
    default: return false;
    }
}

} // namespace

AfterFirstPaint::AfterFirstPaint(QWidget& window, std::function<void()> task)
    : QObject(&window)
    , window_(window)
    , task_(std::move(task))
{
    QCoreApplication::instance()->installEventFilter(this);
    fallback_.setSingleShot(true);
    connect(&fallback_, &QTimer::timeout, this, &AfterFirstPaint::run);
    fallback_.start(UndrawnWindowDelayMs);
}

bool AfterFirstPaint::eventFilter(QObject* watched, QEvent* event)
{
    if (!task_)
        return false;
    if (isUserInput(event->type())) {
        run();
    } else if (event->type() == QEvent::Paint && watched->isWidgetType()
               && static_cast<QWidget*>(watched)->window() == &window_) {
        // After the paint, not inside it: the window reaches the screen first.
        fallback_.start(0);
    }
    return false;
}

void AfterFirstPaint::run()
{
    if (!task_)
        return;
    QCoreApplication::instance()->removeEventFilter(this);
    fallback_.stop();
    // Cleared first: a question the task asks runs an event loop.
    std::exchange(task_, nullptr)();
}

} // namespace kalmo
