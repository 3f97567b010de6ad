// FontConfigWarmUp: reads the font configuration on a second thread at start.
#pragma once

#include <thread>

namespace kalmo {

// Fontconfig parses its configuration and opens its caches on the first font
// lookup, which would otherwise happen while the main window makes its first
// label. Started before the application object, the reading overlaps the
// connection to the display. Fontconfig does not wait for a reading already
// under way: a lookup that came while this thread reads would read it all
// again beside it, so the first lookup waits for Ready() instead.
class FontConfigWarmUp {
public:
    FontConfigWarmUp();

    // Returns once the configuration is read; at once from the second call on.
    void Ready();

private:
    std::jthread thread_;
};

} // namespace kalmo
