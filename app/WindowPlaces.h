// Where the program's windows stand between runs: each window's place (and
// size, when it can be resized) kept in the settings, put back when the
// window is first shown, and the first place of a window that has none.
#pragma once

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>

class QWidget;

namespace kalmo {

class AppSettings;

// True when enough of `frame` lies on one screen's usable area to grab the
// window and pull it back.
bool liesOnAScreen(const QRect& frame);

// The top-left corner for a window of `size` beside `other` within `area`:
// right of it if it fits, else left, else below, else above; when none
// fits, the place that covers least of it.
QPoint placeBeside(const QRect& other, const QSize& size, const QRect& area);

// Keeps one window's place under `name` in the settings, and whether a
// window that can be resized was maximised. The window's first show puts
// back the remembered place, or, when there is none or it lies off every
// screen, the window's own default or `firstPlace` if given. A move or
// resize is written shortly after, a hide and the program's end write at
// once.
class WindowPlaceKeeper : public QObject {
    Q_OBJECT

public:
    using FirstPlace = std::function<QPoint(const QWidget& window)>;

    // The settings stay as long as the keeper: a window that closes as it is
    // destroyed still writes its place.
    WindowPlaceKeeper(QWidget& window, std::shared_ptr<AppSettings> settings, QString name, FirstPlace firstPlace = {});

    // The place remembered under `name`, if it is a place at all.
    static std::optional<QRect> Remembered(const AppSettings& settings, const QString& name);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void restore();
    void note();
    void write();

    QWidget& window_;
    std::shared_ptr<AppSettings> settings_;
    QString name_;
    FirstPlace firstPlace_;
    QTimer writeSoon_;
    std::optional<QRect> place_;
    bool shown_ = false;
    bool dirty_ = false;
};

} // namespace kalmo
