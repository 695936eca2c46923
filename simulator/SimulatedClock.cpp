#include "simulator/SimulatedClock.h"

#include <algorithm>

SimulatedClock::SimulatedClock(int day, int minuteOfDay)
    : day_(std::clamp(day, 0, MaxDay)), minuteOfDay_(std::clamp(minuteOfDay, 0, MinutesPerDay - 1))
{}

quint16 SimulatedClock::dayWord() const
{
    return static_cast<quint16>(day_ * 8 + minuteOfDay_ / MinutesPerBlock);
}

quint8 SimulatedClock::minuteInBlock() const
{
    return static_cast<quint8>(minuteOfDay_ % MinutesPerBlock);
}

void SimulatedClock::setDayWord(quint16 word)
{
    day_ = word >> 3;
    minuteOfDay_ = (word & 7) * MinutesPerBlock + minuteInBlock();
    second_ = 0;
}

void SimulatedClock::setMinuteInBlock(quint8 minute)
{
    const int block = minuteOfDay_ / MinutesPerBlock;
    minuteOfDay_ = block * MinutesPerBlock + std::min<int>(minute, MinutesPerBlock - 1);
    second_ = 0;
}

bool SimulatedClock::advance(int seconds)
{
    second_ += std::clamp(seconds, 0, secondsToNextMinute());
    if (second_ < 60)
        return false;
    second_ = 0;
    if (++minuteOfDay_ == MinutesPerDay) {
        minuteOfDay_ = 0;
        day_ = day_ == MaxDay ? 0 : day_ + 1;
    }
    return true;
}
