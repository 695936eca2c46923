#pragma once

#include <QTime>
#include <QtGlobal>
#include <cstdint>

// The unit's clock reading, as the unit keeps it and stamps its log records with: a day word
// (bits 3..15 the day number, bits 0..2 the three-hour block of the day) and the minutes within
// the block (0..179). The unit counts minutes only; its day 0 is placed on the PC's calendar by
// the download (the unit base time).
struct UnitTimeStamp {
    static constexpr int MinutesPerBlock = 180;
    static constexpr qint64 SecondsPerDay = 86400;

    std::uint16_t dayWord = 0;
    std::uint8_t minutes = 0;

    int day() const { return dayWord >> 3; }
    int minuteOfDay() const { return (dayWord & 7) * MinutesPerBlock + minutes; }
    qint64 secondsSinceDayZero() const { return SecondsPerDay * day() + 60 * minuteOfDay(); }

    // The calendar time (seconds) of this stamp, given the calendar time of the unit's day 0,
    // 00:00.
    qint64 calendarTime(qint64 unitBaseTime) const { return unitBaseTime + secondsSinceDayZero(); }
    // The calendar time of the unit's day 0, 00:00, when the unit's clock reads this stamp at
    // now (calendar seconds).
    qint64 baseTimeAt(qint64 now) const { return now - secondsSinceDayZero(); }

    // The clock setting that puts the unit at the hour and minute of localTime while keeping its
    // day number; the unit's seconds are not set.
    static UnitTimeStamp syncedTo(std::uint16_t unitDayWord, QTime localTime);
};
