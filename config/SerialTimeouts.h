#pragma once

#include <cstdint>

// Serial time-outs in milliseconds. Per call, a read or write may take multiplier x bytes +
// constant in all (both 0: no limit); a read may wait readInterval between two bytes (0: no
// limit).
struct SerialTimeouts {
    std::uint32_t readInterval = 1000;
    std::uint32_t readMultiplier = 10;
    std::uint32_t readConstant = 2000;
    std::uint32_t writeMultiplier = 10;
    std::uint32_t writeConstant = 2000;

    friend bool operator==(const SerialTimeouts&, const SerialTimeouts&) = default;
};
