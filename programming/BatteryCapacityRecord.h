#pragma once

#include "link/RecordMap.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// P14 and P15: the battery's capacity in amp-hours, 16-bit little-endian, 0..9999; 0 means the
// battery is absent.
namespace BatteryCapacityRecord {

inline constexpr int LENGTH = RecordMap::Battery1Capacity.length;

int decode(QByteArrayView record);
QByteArray encode(int ampHours);

struct Entry {
    QString ampHours;
    bool noBattery = false;
};

// The caption of the choice that marks the battery absent.
QString noBatteryText();

// The message that refuses the entry, or empty when it may be written.
QString validate(const Entry& entry);
// "No Battery" writes 0; otherwise the typed number (0 too) with the battery present.
int ampHoursToWrite(const Entry& entry);
bool isPresent(const Entry& entry);

} // namespace BatteryCapacityRecord
