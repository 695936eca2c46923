#pragma once

#include "programming/CProgramData.h"

#include <array>

// The slots of the parameter table; 11 and 28 stay empty.
enum ParameterSlot : int {
    SLOT_SWITCH1 = 0, // P1 .. P5, display switch positions 1 .. 5
    SLOT_SWITCH2 = 1,
    SLOT_SWITCH3 = 2,
    SLOT_SWITCH4 = 3,
    SLOT_SWITCH5 = 4,
    SLOT_LABELS = 5,         // P6-9
    SLOT_SHUNTS = 6,         // P11-13
    SLOT_BATT1CAP = 7,       // P14
    SLOT_BATT2CAP = 8,       // P15
    SLOT_FILTER = 9,         // P16
    SLOT_CHARGECONTROL = 10, // P17-20, never read nor written
    SLOT_BATT1ALARMS = 12,   // P22-23
    SLOT_BATT2ALARMS = 13,   // P24-25
    SLOT_BATT1LOW = 14,      // P26
    SLOT_BATT1HIGH = 15,     // P27
    SLOT_BATT2LOW = 16,      // P28
    SLOT_BATT2HIGH = 17,     // P29
    SLOT_RELAY = 18,         // P30-31
    SLOT_BATT1CHARGED = 19,  // P32
    SLOT_BATT2CHARGED = 20,  // P33
    SLOT_EFFICIENCY = 21,    // P34-35
    SLOT_EQUALIZEDAYS = 22,  // P36
    SLOT_CHARGEDAYS = 23,    // P37
    SLOT_CLOCKDAY = 24,      // P38, day count and 3-hour block
    SLOT_CLOCKMINUTE = 25,   // P38, minute in the block
    SLOT_PERIODICLOG = 26,   // P39-42
    SLOT_DISCHARGELOG = 27,  // P43
    SLOT_COMMAND = 29,       // P45-49, erase and initialise
    SLOT_NETWORK1 = 30,      // network adapter records 0x90 .. 0x93
    SLOT_NETWORK2 = 31,
    SLOT_NETWORK3 = 32,
    SLOT_NETWORK4 = 33,
};

// The unit's program parameter records P1 to P49 and the network adapter's four records, one
// CProgramData per slot. The Program Modes menu builds one when it opens and drops it when it
// closes; the parameter dialogs work on its slots.
class ParameterTable {
public:
    static constexpr int SLOT_COUNT = 34;

    ParameterTable();

    // Slots outside 0..33 are refused by the caller's contract; an empty slot has length 0.
    CProgramData& slot(int index) { return slots_.at(static_cast<std::size_t>(index)); }
    const CProgramData& slot(int index) const { return slots_.at(static_cast<std::size_t>(index)); }

private:
    std::array<CProgramData, SLOT_COUNT> slots_;
};
