#pragma once

#include <QByteArrayView>
#include <QString>
#include <QTime>
#include <cstdint>

// The unit's clock as the poll cycle reads it: the day word at record 0xF9 (bits 0..2 are the
// three-hour block of the day) and the minutes within the block at record 0x24.
class UnitClock {
public:
    static constexpr int MINUTES_PER_BLOCK = 180;

    // Two bytes of record 0xF9, little-endian.
    void setDayBytes(QByteArrayView reply);
    // The minute byte of record 0x24 completes a reading: returns the minutes since the unit's
    // midnight and forgets the day bytes, so a minute reply without a day reply counts block 0.
    int takeMinuteByte(std::uint8_t minuteInBlock);

    std::uint16_t dayWord() const;

    // "%#I:%M %p": 12-hour clock without a leading zero on the hour, two-digit minutes and the
    // locale's before-noon or after-noon marker (14:05 is 2:05 PM).
    static QString formatTimeOfDay(const QTime& time);
    static QString formatMinutesAfterMidnight(int minutes);
    // "day %1, %2": the unit's day number and time of day.
    static QString dayAndTimeText(int day, int minutes);
    // The titles of the unit's and the PC's time of day.
    static QString unitTimeTitle();
    static QString pcTimeTitle();

private:
    std::uint8_t dayBytes_[2] = {0, 0};
};
