// Window places kept in the settings; see WindowPlaces.h.
#include "app/WindowPlaces.h"

#include "app/AppSettings.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <array>
#include <utility>

namespace kalmo {
namespace {

// A window this much on screen can still be grabbed by its title and moved.
constexpr int kGrabWidth = 64;
constexpr int kGrabHeight = 32;

// A drag sends a move for every step; the file is written once it rests.
constexpr int kWriteDelayMs = 500;

QString placeKey(const QString& name) { return QStringLiteral("WindowPlaces/") + name; }

QString maximizedKey(const QString& name) { return placeKey(name) + QStringLiteral("Maximized"); }

qint64 areaOf(const QRect& rect) { return rect.isEmpty() ? 0 : qint64(rect.width()) * rect.height(); }

bool resizable(const QWidget& window) { return window.minimumSize() != window.maximumSize(); }

} // namespace

bool liesOnAScreen(const QRect& frame)
{
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect seen = frame.intersected(screen->availableGeometry());
        if (seen.width() >= std::min(kGrabWidth, frame.width()) && seen.height() >= std::min(kGrabHeight, frame.height()))
            return true;
    }
    return false;
}

QPoint placeBeside(const QRect& other, const QSize& size, const QRect& area)
{
    const std::array<QPoint, 4> candidates{{
        {other.right() + 1, other.top()},
        {other.left() - size.width(), other.top()},
        {other.left(), other.bottom() + 1},
        {other.left(), other.top() - size.height()},
    }};
    QPoint best;
    qint64 bestCover = -1;
    for (const QPoint& candidate : candidates) {
        // Kept inside the area: a place half off the screen is no place.
        QRect placed(candidate, size);
        placed.moveLeft(std::max(area.left(), std::min(placed.left(), area.right() + 1 - size.width())));
        placed.moveTop(std::max(area.top(), std::min(placed.top(), area.bottom() + 1 - size.height())));
        const qint64 cover = areaOf(placed.intersected(other));
        if (bestCover < 0 || cover < bestCover) {
            best = placed.topLeft();
            bestCover = cover;
        }
        if (cover == 0)
            break;
    }
    return best;
}

WindowPlaceKeeper::WindowPlaceKeeper(QWidget& window, std::shared_ptr<AppSettings> settings, QString name,
                                     FirstPlace firstPlace)
    : QObject(&window)
    , window_(window)
    , settings_(std::move(settings))
    , name_(std::move(name))
    , firstPlace_(std::move(firstPlace))
{
    writeSoon_.setSingleShot(true);
    writeSoon_.setInterval(kWriteDelayMs);
    connect(&writeSoon_, &QTimer::timeout, this, &WindowPlaceKeeper::write);
    connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this, &WindowPlaceKeeper::write);
    window.installEventFilter(this);
}

std::optional<QRect> WindowPlaceKeeper::Remembered(const AppSettings& settings, const QString& name)
{
    // A hand-edited value of another kind is no place.
    const QVariant value = settings.Value(placeKey(name));
    if (value.typeId() != QMetaType::QRect || !value.toRect().isValid())
        return std::nullopt;
    return value.toRect();
}

bool WindowPlaceKeeper::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &window_) {
        switch (event->type()) {
        case QEvent::Show:
            // Sent before the window reaches the screen, so it appears in its place.
            if (!shown_) {
                shown_ = true;
                restore();
            }
            break;
        case QEvent::Move:
        case QEvent::Resize:
            note();
            break;
        case QEvent::Hide:
            write();
            break;
        case QEvent::WindowStateChange:
            if (shown_ && resizable(window_))
                settings_->SetValue(maximizedKey(name_), window_.isMaximized());
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

void WindowPlaceKeeper::restore()
{
    const std::optional<QRect> remembered = Remembered(*settings_, name_);
    if (remembered && liesOnAScreen(*remembered)) {
        if (resizable(window_))
            window_.resize(remembered->size());
        window_.move(remembered->topLeft());
    } else if (firstPlace_) {
        window_.move(firstPlace_(window_));
    }
    // The place above is the one it goes back to when no longer maximised.
    if (resizable(window_) && settings_->Value(maximizedKey(name_)).toBool())
        window_.setWindowState(window_.windowState() | Qt::WindowMaximized);
}

void WindowPlaceKeeper::note()
{
    // A maximised or minimised window keeps the place it goes back to.
    if (!shown_ || !window_.isVisible() || (window_.windowState() & ~Qt::WindowActive) != Qt::WindowNoState)
        return;
    place_ = QRect(window_.pos(), window_.size());
    dirty_ = true;
    writeSoon_.start();
}

void WindowPlaceKeeper::write()
{
    writeSoon_.stop();
    if (!dirty_ || !place_)
        return;
    dirty_ = false;
    settings_->SetValue(placeKey(name_), *place_);
}

} // namespace kalmo
