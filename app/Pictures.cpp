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

} // namespace kalmo
