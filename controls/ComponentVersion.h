// The read-only Version text every control of the library reports.
#pragma once

#include <cstdint>
#include <string>

namespace kalmo {

// Four bytes, most significant first, in decimal joined by "." (0x01030000 gives "1.3.0.0").
inline std::string componentVersionText(std::uint32_t packed)
{
    return std::to_string((packed >> 24) & 0xFF) + '.' + std::to_string((packed >> 16) & 0xFF) + '.'
        + std::to_string((packed >> 8) & 0xFF) + '.' + std::to_string(packed & 0xFF);
}

} // namespace kalmo
