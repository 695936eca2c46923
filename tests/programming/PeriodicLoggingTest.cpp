#include "programming/PeriodicLoggingRecord.h"
#include "tests/programming/TestBytes.h"

#include <gtest/gtest.h>

namespace {

// The interval list restated: text, code, records per day.
struct Interval {
    const char* text;
    int code;
    int perDay;
};
const Interval INTERVALS[] = {
    {"1 min", 0xFF, 1440}, {"2 min", 0xEF, 720}, {"3 min", 0xBF, 480}, {"5 min", 0x7F, 288},
    {"10 min", 0x6F, 144}, {"15 min", 0x3F, 96}, {"30 min", 0x2F, 48}, {"1 hr", 0x27, 24},
    {"2 hr", 0x23, 12},    {"4 hr", 0x21, 6},    {"6 hr", 0x03, 4},    {"8 hr", 0x20, 3},
    {"12 hr", 0x01, 2},    {"24 hr", 0x00, 1},
};
constexpr int ONE_MIN = 0;
constexpr int ONE_HOUR = 7;
constexpr int DAY = 13;

// Check boxes in the dialog's order, and their bits in byte 10 + 256 * byte 11.
const char* const BOX_TEXTS[] = {"AHr 1",         "AHr 2",        "AHr 3",
                                 "WHr 1",         "WHr 2",        "Filt Volts 1",
                                 "Filt Amps 1",   "Filt Volts 2", "% Full (both Batteries)",
                                 "Temp (min/max)"};
const int BOX_BITS[] = {0x001, 0x002, 0x004, 0x008, 0x010, 0x040, 0x080, 0x100, 0x200, 0x020};

int boxes(std::initializer_list<int> checked)
{
    int items = 0;
    for (int box : checked)
        items |= BOX_BITS[box];
    return items;
}

} // namespace

TEST(PeriodicLoggingRecord, ListsTheFourteenIntervalsWithCodeAndRecordsPerDay)
{
    ASSERT_EQ(PeriodicLoggingRecord::INTERVAL_COUNT, 14);
    for (int i = 0; i < 14; ++i) {
        EXPECT_EQ(PeriodicLoggingRecord::intervalText(i), QString::fromLatin1(INTERVALS[i].text));
        EXPECT_EQ(PeriodicLoggingRecord::intervalCode(i), INTERVALS[i].code);
        EXPECT_EQ(PeriodicLoggingRecord::recordsPerDay(i), INTERVALS[i].perDay);
    }
    for (int box = 0; box < PeriodicLoggingRecord::ITEM_COUNT; ++box) {
        EXPECT_EQ(PeriodicLoggingRecord::itemText(box), QString::fromLatin1(BOX_TEXTS[box]));
        EXPECT_EQ(PeriodicLoggingRecord::itemAt(box), BOX_BITS[box]);
    }
}

TEST(PeriodicLoggingCapacity, MatchesTheWorkedExamples)
{
    using PeriodicLoggingRecord::capacityText;
    EXPECT_EQ(capacityText(0, DAY), QStringLiteral("2436 days"));
    EXPECT_EQ(capacityText(0x3FF, ONE_MIN), QStringLiteral("0.16 days"));
    EXPECT_EQ(capacityText(boxes({0, 1, 2, 3, 4}), ONE_HOUR), QStringLiteral("19 days"));
    EXPECT_EQ(capacityText(boxes({0, 3}), ONE_HOUR), QStringLiteral("44 days")) << "43.5";
    EXPECT_FLOAT_EQ(*PeriodicLoggingRecord::capacityDays(boxes({0, 3}), ONE_HOUR), 43.5f);
    EXPECT_FLOAT_EQ(*PeriodicLoggingRecord::capacityDays(0x3FF, ONE_MIN), 232.0f / 1440.0f);
}

TEST(PeriodicLoggingCapacity, ShowsOneDecimalBetweenOneAndTenDays)
{
    // Three boxes: 9 bytes, 7 per block, 812 records; at 2 min 1.13 days.
    EXPECT_EQ(PeriodicLoggingRecord::capacityText(boxes({0, 1, 2}), 1), QStringLiteral("1.1 days"));
    // No boxes at 5 min: 2436 / 288 = 8.46.
    EXPECT_EQ(PeriodicLoggingRecord::capacityText(0, 3), QStringLiteral("8.5 days"));
}

TEST(PeriodicLoggingCapacity, CannotBeComputedWithoutAnInterval)
{
    EXPECT_EQ(PeriodicLoggingRecord::capacityDays(0, std::nullopt), std::nullopt);
    EXPECT_EQ(PeriodicLoggingRecord::capacityText(0, std::nullopt),
              QStringLiteral("Cannot be computed"));
}

TEST(PeriodicLoggingRecord, DecodesItemsIntervalAndTimeOfDay)
{
    const QByteArray record = bytes({0x27, 0xFA, 9, 90, 1, 2, 3, 4, 5, 6, 0x63, 0xFF});
    const auto values = PeriodicLoggingRecord::decode(record);
    EXPECT_EQ(values.items, 0x363);
    EXPECT_EQ(values.interval, ONE_HOUR);
    EXPECT_EQ(values.minuteOfDay, 2 * 180 + 90) << "07:30";
}

TEST(PeriodicLoggingRecord, AnUnknownIntervalCodeSelectsNothingAndGoesBackAsRead)
{
    const QByteArray record = bytes({0x10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    auto values = PeriodicLoggingRecord::decode(record);
    EXPECT_EQ(values.interval, std::nullopt);
    EXPECT_EQ(PeriodicLoggingRecord::encode(values, record), record);
}

TEST(PeriodicLoggingRecord, WritesItsFieldsAndLeavesTheUnitsBytes)
{
    const QByteArray read = bytes({0x00, 0xFF, 0xAA, 0x00, 1, 2, 3, 4, 5, 6, 0x00, 0xFC});
    PeriodicLoggingRecord::Values values;
    values.items = boxes({0, 3, 8});
    values.interval = ONE_HOUR;
    values.minuteOfDay = 7 * 60 + 30;
    EXPECT_EQ(PeriodicLoggingRecord::encode(values, read),
              bytes({0x27, 0xFA, 0xAA, 90, 1, 2, 3, 4, 5, 6, 0x09, 0x02}))
        << "07:30 is block 2 minute 90; byte 11 bits 2-7 become 0";

    values.minuteOfDay = 23 * 60 + 59;
    const QByteArray late = PeriodicLoggingRecord::encode(values, read);
    EXPECT_EQ(static_cast<unsigned char>(late[1]), 0xFF);
    EXPECT_EQ(static_cast<unsigned char>(late[3]), 179);
    EXPECT_EQ(PeriodicLoggingRecord::decode(late).minuteOfDay, 1439);
}
