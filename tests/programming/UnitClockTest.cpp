#include "programming/UnitClockRecords.h"
#include "tests/programming/TestBytes.h"

#include <gtest/gtest.h>

TEST(UnitClockRecords, Day5At1347IsBlock4AndMinute107)
{
    const auto values = UnitClockRecords::toValues(QStringLiteral("5"), 13, 47);
    EXPECT_EQ(values.minuteOfDay, 827);
    EXPECT_EQ(UnitClockRecords::encodeDayRecord(values), bytes({0x2C, 0x00}));
    EXPECT_EQ(UnitClockRecords::encodeMinuteRecord(values), bytes({107}));

    const auto shown = UnitClockRecords::decode(bytes({0x2C, 0x00}), bytes({107}));
    EXPECT_EQ(shown.day, 5);
    EXPECT_EQ(shown.minuteOfDay, 13 * 60 + 47);
}

TEST(UnitClockRecords, Day999At2359IsTheLargestClock)
{
    const auto values = UnitClockRecords::toValues(QStringLiteral("999"), 23, 59);
    EXPECT_EQ(UnitClockRecords::encodeDayRecord(values), bytes({0x3F, 0x1F})) << "7999";
    EXPECT_EQ(UnitClockRecords::encodeMinuteRecord(values), bytes({179}));
    const auto back = UnitClockRecords::decode(bytes({0x3F, 0x1F}), bytes({179}));
    EXPECT_EQ(back.day, 999);
    EXPECT_EQ(back.minuteOfDay, 1439);
}

TEST(UnitClockRecords, MidnightOfDayZeroIsAllZero)
{
    const auto values = UnitClockRecords::toValues(QStringLiteral("0"), 0, 0);
    EXPECT_EQ(UnitClockRecords::encodeDayRecord(values), bytes({0, 0}));
    EXPECT_EQ(UnitClockRecords::encodeMinuteRecord(values), bytes({0}));
}

TEST(UnitClockCheck, AcceptsDays0To999)
{
    const QString message = QStringLiteral("Days must be between 0 - 999");
    EXPECT_EQ(UnitClockRecords::validateDay(QStringLiteral("1000")), message);
    EXPECT_EQ(UnitClockRecords::validateDay(QStringLiteral("-1")), message);
    EXPECT_EQ(UnitClockRecords::validateDay(QStringLiteral("999")), QString());
    EXPECT_EQ(UnitClockRecords::validateDay(QStringLiteral("0")), QString());
    EXPECT_EQ(UnitClockRecords::validateDay(QStringLiteral("")), QString());
}
