// FontConfigWarmUp: reads the font configuration on a second thread at start.
#pragma once

#include <thread>

namespace kalmo {

// Fontconfig parses its configuration and opens its caches on the first font
// lookup, which would otherwise happen while the main window makes its first
// label. Started before the application object, the reading overlaps the
// connection to the display. Fontconfig guards its own start, so Qt's lookup
// may meet the thread half-way. The thread is joined when this goes.
class FontConfigWarmUp {
public:
    FontConfigWarmUp();

private:
    std::jthread thread_;
};

} // namespace kalmo
