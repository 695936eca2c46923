#pragma once

#include <cstdint>

// One record of the unit: the address byte a READ or WRITE names and how many bytes it holds.
struct UnitRecord {
    std::uint8_t address;
    int length;
};

// The unit's records that more than one part of the program reads or writes. Records that only
// one part knows (a parameter record, a log pointer) stay with it.
namespace RecordMap {

// The bytes of one page of the log memory, the unit of a block READ.
inline constexpr int LogPageBytes = 256;

// The firmware version byte.
inline constexpr UnitRecord Version{0xF7, 1};
// The serial test and the search of the ports read it: any complete answer is the unit.
inline constexpr UnitRecord Probe{0x0F, 4};
// What the three current channels measure, one choice byte each.
inline constexpr UnitRecord ChannelNames{0xE1, 3};
// The shunt type of each current channel.
inline constexpr UnitRecord ShuntTypes{0xF6, 3};
// Each battery's capacity word in amp-hours; 0 means no battery.
inline constexpr UnitRecord Battery1Capacity{0xF2, 2};
inline constexpr UnitRecord Battery2Capacity{0xF1, 2};
// Both capacity words in one READ: battery 1's record runs on into battery 2's.
inline constexpr UnitRecord BatteryWords{0xF2, 4};
// The unit clock: the 16-bit day word (bits 3..15 day number, bits 0..2 the three-hour block of
// the day) and the minutes within the block (0..179).
inline constexpr UnitRecord ClockDay{0xF9, 2};
inline constexpr UnitRecord ClockMinute{0x24, 1};
// The alarm states and the status flags of both batteries.
inline constexpr UnitRecord AlarmStates{0xCE, 4};
inline constexpr UnitRecord StatusFlags{0x25, 2};
// The efficiency figures of each battery.
inline constexpr UnitRecord Battery1Efficiency{0xDA, 12};
inline constexpr UnitRecord Battery2Efficiency{0xD7, 12};
// Written only, never read: one command byte, acted on at once.
inline constexpr UnitRecord Command{0x27, 1};
// The command byte that clears the unit's periodic log.
inline constexpr std::uint8_t ClearPeriodicLog = 0x72;

} // namespace RecordMap
