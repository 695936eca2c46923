#pragma once

#include <QtGlobal>

// The unit's clock: a day count and the minute of the day, with seconds kept for pacing only.
// The unit shows it as a day word (day × 8 + three-hour block) and the minute within the block.
class SimulatedClock {
public:
    static constexpr int MinutesPerDay = 1440;
    static constexpr int MinutesPerBlock = 180;
    static constexpr int MaxDay = 8191; // the 13 bits of the day word

    explicit SimulatedClock(int day = 0, int minuteOfDay = 0);

    int day() const { return day_; }
    int minuteOfDay() const { return minuteOfDay_; }
    int second() const { return second_; }

    quint16 dayWord() const;
    quint8 minuteInBlock() const;
    // Setting the day word moves the day and the block and keeps the minute within the block;
    // setting the minute keeps the block. Both start the minute afresh.
    void setDayWord(quint16 word);
    void setMinuteInBlock(quint8 minute);

    int secondsToNextMinute() const { return 60 - second_; }
    // Moves on by at most secondsToNextMinute(); true when a new minute began.
    bool advance(int seconds);

private:
    int day_;
    int minuteOfDay_;
    int second_ = 0;
};
