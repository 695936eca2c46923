#pragma once

#include <QStringList>
#include <cstdint>

// The name of the Volts 1 channel, bit 4 of byte 0 of the unit's channel names record: "Battery"
// when set, "Battery 1" when clear. The live display shows it; the labels dialog programs it.
namespace Volts1Name {

inline constexpr int BatteryBit = 0x10;

// Both names, the one of the bit set first.
QStringList texts();
QString of(std::uint8_t firstByte);

} // namespace Volts1Name
