// Key preview and menu-shortcut priority; see KeyRouting.h.
#include "app/KeyRouting.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenuBar>
#include <QWidget>
#include <QWindow>

namespace kalmo {

KeyPreviewFilter::KeyPreviewFilter(QWidget& window, Handler handler)
    : QObject(&window)
    , window_(window)
    , handler_(std::move(handler))
{
    // The QWindow exists once the window is shown and may be replaced later.
    window_.installEventFilter(this);
    watchWindowHandle();
}

void KeyPreviewFilter::watchWindowHandle()
{
    QWindow* handle = window_.windowHandle();
    if (!handle || handle == watchedHandle_)
        return;
    if (watchedHandle_)
        watchedHandle_->removeEventFilter(this);
    handle->installEventFilter(this);
    watchedHandle_ = handle;
}

bool KeyPreviewFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &window_) {
        if (event->type() == QEvent::Show || event->type() == QEvent::WinIdChange)
            watchWindowHandle();
        return false;
    }
    // While a menu is open, or the menu bar is being worked from the
    // keyboard (after Alt), its keys belong to the menu.
    const bool menuHasKeys = QApplication::activePopupWidget() || qobject_cast<QMenuBar*>(QApplication::focusWidget());
    if (watched == watchedHandle_ && event->type() == QEvent::KeyPress && !menuHasKeys)
        handler_(static_cast<const QKeyEvent&>(*event));
    return false;
}

MenuShortcutPriority::MenuShortcutPriority(QObject* parent)
    : QObject(parent)
{
    QCoreApplication::instance()->installEventFilter(this);
}

MenuShortcutPriority::~MenuShortcutPriority()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
}

bool MenuShortcutPriority::eventFilter(QObject*, QEvent* event)
{
    if (event->type() != QEvent::ShortcutOverride)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const QKeySequence pressed(key->keyCombination());
    for (const QPointer<QAction>& action : actions_) {
        if (action && action->isEnabled() && action->shortcut().matches(pressed) == QKeySequence::ExactMatch) {
            // Not overridden: the control does not get to claim the key
            // (a line edit would for Ctrl+X and Ctrl+A), so the menu takes it.
            event->ignore();
            return true;
        }
    }
    return false;
}

} // namespace kalmo
