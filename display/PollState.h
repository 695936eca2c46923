#pragma once

#include <cstdint>

// The main window's state word. Only the poll cycle changes it.
enum PollStateBit : std::uint16_t {
    ST_RUNNING = 0x001,
    ST_STARTUP = 0x010,
    ST_FLAGSNEW = 0x020,
    ST_CLOCKNEW = 0x040,
    ST_CONNECTED = 0x100,
    ST_BUSY = 0x200,
};

// The main window's one-shot timers, by id.
enum PollTimerId : int {
    TIMER_ITEM = 1,
    TIMER_STARTUP = 2,
    TIMER_STATUS = 3,
    TIMER_CLOCK = 4,
    TIMER_EFFICIENCY = 5,
    TIMER_KEEPALIVE = 8,
    TIMER_AUTOSTART = 9,
    TIMER_AUTOSEARCH = 10,
};
