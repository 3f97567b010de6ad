// AfterFirstPaint: work of the start that waits until the main window is on
// screen, so that the window appears without waiting for it, yet is done
// before anything the user does.
#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

class QWidget;

namespace kalmo {

// Runs a task once: just after the first paint of `window`, at once when
// user input reaches the program before then (the task comes before the
// input is handled), or after a moment for a window that is not drawn
// (started minimised). It goes with the window.
class AfterFirstPaint : public QObject {
    Q_OBJECT

public:
    static constexpr int UndrawnWindowDelayMs = 500;

    AfterFirstPaint(QWidget& window, std::function<void()> task);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void run();

    QWidget& window_;
    std::function<void()> task_;
    QTimer fallback_;
};

} // namespace kalmo
