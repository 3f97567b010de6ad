// Dropping a language file onto a window; see LanguageFileDrop.h.
#include "app/LanguageFileDrop.h"

#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include <optional>

namespace kalmo {
namespace {

// The one local *.php file the drag carries, as the load dialog would name it.
std::optional<std::string> languageFileIn(const QMimeData* data)
{
    if (!data || !data->hasUrls() || data->urls().size() != 1)
        return std::nullopt;
    const QUrl url = data->urls().front();
    if (!url.isLocalFile() || !url.fileName().endsWith(QStringLiteral(".php"), Qt::CaseInsensitive))
        return std::nullopt;
    return QFile::encodeName(url.toLocalFile()).toStdString();
}

} // namespace

LanguageFileDrop::LanguageFileDrop(QWidget& window, Load load) : QObject(&window), load_(std::move(load))
{
    window.setAcceptDrops(true);
    window.installEventFilter(this);
    for (QWidget* control : window.findChildren<QWidget*>()) {
        if (control->acceptDrops())
            control->installEventFilter(this);
    }
}

bool LanguageFileDrop::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
        if (languageFileIn(static_cast<QDropEvent*>(event)->mimeData())) {
            static_cast<QDropEvent*>(event)->acceptProposedAction();
            return true;
        }
        break;
    case QEvent::Drop:
        if (auto path = languageFileIn(static_cast<QDropEvent*>(event)->mimeData())) {
            static_cast<QDropEvent*>(event)->acceptProposedAction();
            // The load may ask questions; the drag's source waits for the
            // drop to end, not for the user.
            QTimer::singleShot(0, this, [this, path = std::move(*path)] { load_(path); });
            return true;
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace kalmo
