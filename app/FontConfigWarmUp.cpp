// Reading the font configuration ahead of the first font lookup.
#include "app/FontConfigWarmUp.h"

#include <fontconfig/fontconfig.h>

namespace kalmo {

FontConfigWarmUp::FontConfigWarmUp() : thread_([] { FcInit(); }) {}

void FontConfigWarmUp::Ready()
{
    if (thread_.joinable())
        thread_.join();
}

} // namespace kalmo
