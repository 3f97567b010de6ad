// Key presses delivered the way the window system delivers them, for the
// window tests and the program they drive from outside.
#pragma once

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <QWindow>

namespace kalmo::testing_support {

// Keys enter through the focused window, as the window system delivers
// them: menu shortcuts first, then the window, then its focused control.
inline QWindow* keyWindow()
{
    if (QWindow* window = QGuiApplication::focusWindow())
        return window;
    return QApplication::activeWindow() ? QApplication::activeWindow()->windowHandle() : nullptr;
}

inline void pressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWindow* window = keyWindow();
    QVERIFY2(window, "no window is active");
    QTest::keyClick(window, key, modifiers);
}

inline void typeText(const QString& text)
{
    QWindow* window = keyWindow();
    QVERIFY2(window, "no window is active");
    for (const QChar c : text)
        QTest::keyClick(window, c.toLatin1());
}

} // namespace kalmo::testing_support
