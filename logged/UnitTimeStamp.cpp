#include "logged/UnitTimeStamp.h"

UnitTimeStamp UnitTimeStamp::syncedTo(std::uint16_t unitDayWord, QTime localTime)
{
    const int minuteOfDay = localTime.hour() * 60 + localTime.minute();
    UnitTimeStamp stamp;
    stamp.dayWord =
        static_cast<std::uint16_t>((unitDayWord & 0xFFF8) + minuteOfDay / MinutesPerBlock);
    stamp.minutes = static_cast<std::uint8_t>(minuteOfDay % MinutesPerBlock);
    return stamp;
}
