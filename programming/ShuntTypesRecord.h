#pragma once

#include "link/RecordMap.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>
#include <array>

// P11-13: bit 4 of bytes 0, 1 and 2 gives the shunt of Amps 1, 2 and 3 (clear "100A/100mV", set
// "500A/50mV"); bit 5 of byte 1 makes the unit read Amps 2 as shunt input 1 plus shunt input 2,
// a feature of firmware 2.0 and later.
namespace ShuntTypesRecord {

inline constexpr int LENGTH = RecordMap::ShuntTypes.length;
inline constexpr int CHANNELS = 3;

// The list of each channel; the code is the entry's position.
QStringList shuntTexts();

struct Values {
    std::array<int, CHANNELS> shuntChoice{};
    bool amps2IsSum = false;
};

Values decode(QByteArrayView record);
// The Amps 2 sum bit is written only with firmware 2.0 or later; before, it stays as read.
QByteArray encode(const Values& values, QByteArrayView recordRead, float firmwareVersion);

} // namespace ShuntTypesRecord
