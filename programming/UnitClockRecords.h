#pragma once

#include "link/RecordMap.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// P38, the unit's clock, in two records: 0xF9 (16-bit little-endian: day count times 8 plus the
// 3-hour block of the day) and 0x24 (the minute within the block, 0..179).
namespace UnitClockRecords {

inline constexpr int DAY_LENGTH = RecordMap::ClockDay.length;
inline constexpr int MINUTE_LENGTH = RecordMap::ClockMinute.length;
inline constexpr int MINUTES_PER_BLOCK = 180;

struct Values {
    int day = 0;
    // Minute of the day, 0..1439.
    int minuteOfDay = 0;
};

Values decode(QByteArrayView dayRecord, QByteArrayView minuteRecord);
QByteArray encodeDayRecord(const Values& values);
QByteArray encodeMinuteRecord(const Values& values);

// The message that refuses the typed day count, or empty when it may be written.
QString validateDay(const QString& day);
// The typed day and the picker's time; seconds do not reach the unit.
Values toValues(const QString& day, int hour, int minute);

} // namespace UnitClockRecords
