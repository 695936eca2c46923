#pragma once

#include "display/PollRequests.h"

#include <cstdint>

// The reads of the unit's configuration before the first poll cycle: firmware version, channel
// names, battery words, shunt types and both capacities. The step counter is program-wide, so
// the configuration is read at the first start of the display only, and again after programming
// restarts it. A step that failed is not retried: its counter value has been used.
class StartupSequence {
public:
    static constexpr int STEPS = 6;

    // The next step's read, or nothing when all six have been sent.
    const PollRequest* advance();
    // Back to step 1, whose read is returned.
    const PollRequest& restart();
    bool isOnLastStep() const { return step_ == STEPS; }

private:
    const PollRequest& current() const;

    std::uint16_t step_ = 0;
};
