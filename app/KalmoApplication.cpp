// The application object's error net; see KalmoApplication.h.
#include "app/KalmoApplication.h"

#include "base/KalmoError.h"

namespace kalmo {

KalmoApplication::KalmoApplication(int& argc, char** argv, AppServices services)
    : QApplication(argc, argv)
    , services_(std::move(services))
{
    setApplicationName(QString::fromUtf8(ApplicationTitle));
}

bool KalmoApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const KalmoError& error) {
        reportError(services_, activeWindow(), error.what());
        return false;
    }
}

} // namespace kalmo
