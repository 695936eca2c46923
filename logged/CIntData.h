#pragma once

#include <cstdint>

// One entry of the unit's battery discharge profile (interval) log.
struct CIntData {
    std::uint16_t present = 0;
    std::uint8_t percentFull = 0;
    float volts = 0.0f;
    float amps = 0.0f;
    std::uint16_t dayOfMonth = 0;
};
