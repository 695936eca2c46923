#pragma once

#include "logged/LogTimeText.h"

#include <QtGlobal>
#include <span>
#include <vector>

// The unit's day 0, 00:00 in these tests: 03/01/2026 00:00:00 UTC. Times are written in UTC so
// the expected texts do not depend on the machine's zone.
inline constexpr qint64 TestBaseTime = 1772323200;

inline LogTimeText utcTimeText()
{
    return LogTimeText(QTimeZone::utc());
}

// The day word of a day and three-hour block.
constexpr std::uint16_t dayWord(int day, int block)
{
    return static_cast<std::uint16_t>(day * 8 + block);
}

template <typename Record> std::vector<Record*> pointersTo(std::span<Record> records)
{
    std::vector<Record*> pointers;
    for (Record& record : records)
        pointers.push_back(&record);
    return pointers;
}
