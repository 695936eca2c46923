#pragma once

#include "display/PollState.h"

#include <cstdint>

// The state word the poll cycle and its exchange with the unit share: bits of PollStateBit.
class PollStateWord {
public:
    void set(std::uint16_t bits) { word_ = static_cast<std::uint16_t>(word_ | bits); }
    void clear(std::uint16_t bits) { word_ = static_cast<std::uint16_t>(word_ & ~bits); }
    // All of bits are set.
    bool test(std::uint16_t bits) const { return (word_ & bits) == bits; }

private:
    std::uint16_t word_ = 0;
};
