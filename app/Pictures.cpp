// Registration of the compiled-in pictures; see Pictures.h.
#include "app/Pictures.h"

#include <QtGlobal>

#ifdef KALMO_HAS_PICTURES
static void registerPictureResource() { Q_INIT_RESOURCE(pictures); }
#endif

namespace kalmo {

void registerPictures()
{
#ifdef KALMO_HAS_PICTURES
    static const bool registered = (registerPictureResource(), true);
    (void)registered;
#endif
}

QString pictureDescription(const QString& resourcePath)
{
    if (resourcePath == QLatin1String(":/LOGO"))
        return QStringLiteral("KALMO logo");
    if (resourcePath == QLatin1String(":/KLOGO"))
        return QStringLiteral("KALMO emblem");
    if (resourcePath == QLatin1String(":/kalmo"))
        return QStringLiteral("KALMO picture");
    return QString();
}

} // namespace kalmo
