// The program's pictures "LOGO", "KLOGO" and "kalmo" live in a Qt resource
// compiled into the app library; a static library's resource must be
// registered explicitly or the linker leaves it out.
#pragma once

#include <QString>

namespace kalmo {

void registerPictures();
// What a picture shows, in words, for assistive technology; empty for a
// path that is none of the program's pictures.
QString pictureDescription(const QString& resourcePath);

} // namespace kalmo
