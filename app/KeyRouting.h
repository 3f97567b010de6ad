// Two application-wide event filters that give a window's keys the order
// the program needs: key preview (the window sees a key before its focused
// control, without consuming it) and menu shortcuts that win over whatever
// control has the focus, in every window.
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>

class QAction;
class QKeyEvent;
class QWidget;

namespace kalmo {

// Key preview: calls the handler with each key pressed in `window` before
// the focused control sees it, and lets the key go on. It watches the
// window's QWindow, where every key of the window arrives exactly once, so a
// key that a control ignores and passes to its parents is not seen twice,
// even when the handler moved the focus.
class KeyPreviewFilter : public QObject {
    Q_OBJECT

public:
    using Handler = std::function<void(const QKeyEvent& key)>;

    KeyPreviewFilter(QWidget& window, Handler handler);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watchWindowHandle();

    QWidget& window_;
    Handler handler_;
    QPointer<QObject> watchedHandle_;
};

class MenuShortcutPriority : public QObject {
    Q_OBJECT

public:
    // Installs itself on the application for as long as it lives.
    explicit MenuShortcutPriority(QObject* parent = nullptr);
    ~MenuShortcutPriority() override;

    void addAction(QAction* action) { actions_.append(action); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QPointer<QAction>> actions_;
};

} // namespace kalmo
