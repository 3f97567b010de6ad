// The program's pictures "LOGO", "KLOGO" and "kalmo" live in a Qt resource
// compiled into the app library; a static library's resource must be
// registered explicitly or the linker leaves it out.
#pragma once

namespace kalmo {

void registerPictures();

} // namespace kalmo
