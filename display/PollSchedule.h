#pragma once

#include "display/PollRequests.h"

#include <array>
#include <cstdint>

class CLiveItemTable;

// The order of the poll cycle's requests while the display runs: a schedule of nine timer
// ticks (six live item requests, then the status, clock and efficiency pairs), the step of each
// pair and the live item cursor. All of it is program-wide: stopping the display resets none.
class PollSchedule {
public:
    static constexpr int LENGTH = 9;

    // After the start-up sequence: the schedule's first timer, without moving on, so that the
    // first cycle reads one live item more than the others.
    int restart();
    // The timer to arm next, moving on.
    int next();
    // The read of a pair timer's next step (its counter goes 1, 2, 1, ...).
    const PollRequest& nextPairStep(int timerId);
    // Whether the pair step just taken was its first.
    bool isFirstPairStep(int timerId) const { return pairSteps_[pairOf(timerId)] == 1; }
    // The next polled item after the cursor (1 follows 28); 0 when no item is polled.
    int nextItem(const CLiveItemTable& items);

private:
    static std::size_t pairOf(int timerId);

    std::uint16_t index_ = 0;
    std::array<std::uint16_t, 3> pairSteps_{};
    std::uint16_t itemCursor_ = 0;
};
