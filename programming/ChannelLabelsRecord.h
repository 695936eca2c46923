#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>
#include <array>
#include <optional>

// P6-9: the labels the unit gives its channels. Byte 0 bits 0-2 name Amps 1 (and the items
// derived from it), byte 0 bit 4 names Volts 1, bytes 1 and 2 bits 0-2 name Amps 2 and 3.
namespace ChannelLabelsRecord {

inline constexpr int LENGTH = 3;
inline constexpr int AMPS_CHANNELS = 3;

// Volts 1 list: entry 0 "Battery" is bit 4 set, entry 1 "Battery 1" bit 4 clear.
QStringList volts1Texts();
// The list of Amps channel 0..2; the code is the entry's position.
QStringList ampsTexts(int channel);

struct Values {
    int volts1Choice = 0;
    // No selection when the unit's code is beyond its list.
    std::array<std::optional<int>, AMPS_CHANNELS> ampsChoice;
};

Values decode(QByteArrayView record);
// Only the named bits change; a channel without a selection keeps the code read.
QByteArray encode(const Values& values, QByteArrayView recordRead);

} // namespace ChannelLabelsRecord
