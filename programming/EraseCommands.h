#pragma once

#include "link/RecordMap.h"

#include <QString>
#include <cstdint>

// P45-49: one command byte written to the unit's command record 0x27 makes the unit erase a log
// or reset its program parameters at once. The record is written only, never read.
namespace EraseCommands {

enum Command : std::uint8_t {
    CMD_CLEARPERIODIC = RecordMap::ClearPeriodicLog,
    CMD_CLEARFIVEPERCENT = 0x82,
    CMD_CLEARBAT1CYCLE = 0x90,
    CMD_CLEARBAT2CYCLE = 0x91,
    CMD_INITIALISE = 0xA5,
};

// The dialog's buttons, in order.
inline constexpr int COMMAND_COUNT = 5;
Command commandAt(int button);

QString buttonText(Command command);
// Asked with Yes and No before the command goes out.
QString question(Command command);
// Shown once the command went out.
QString report(Command command);

} // namespace EraseCommands
