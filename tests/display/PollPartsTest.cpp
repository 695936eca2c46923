#include "display/BatteryStatus.h"
#include "display/EfficiencyTable.h"
#include "display/StatusLine.h"
#include "display/UnitClock.h"
#include "link/FirmwareVersion.h"
#include "link/ReplyWatch.h"
#include "tests/support/TestBytes.h"

#include <QLocale>
#include <gtest/gtest.h>

// Restated here rather than imported, so that a change to them shows.
constexpr RgbColor BLACK{0x000000};
constexpr RgbColor WHITE{0xFFFFFF};
constexpr RgbColor RED{0x0000FF};
constexpr RgbColor GREEN{0x00FF00};
constexpr RgbColor MAGENTA{0xFF00FF};

TEST(FirmwareVersion, BytesTwentyToFortyNineAreTenthsAndAnyOtherIsOnePointZero)
{
    const std::pair<int, const char*> cases[] = {{25, "2.5"}, {20, "2.0"}, {49, "4.9"},
                                                 {19, "1.0"}, {50, "1.0"}, {0, "1.0"}};
    for (const auto& [versionByte, text] : cases)
        EXPECT_EQ(FirmwareVersion::text(FirmwareVersion::fromByte(versionByte)), text);
}

TEST(UnitClock, TheDayWordsBlockAndTheMinuteByteGiveTheTimeOfDay)
{
    // The before-noon and after-noon markers come from the locale.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    UnitClock clock;
    clock.setDayBytes(bytesOf({0x2D, 0x01})); // day 37, block 5
    EXPECT_EQ(clock.takeMinuteByte(30), 930);
    EXPECT_EQ(clock.takeMinuteByte(7), 7) << "a minute without a day reply counts from midnight";
    const std::pair<QTime, const char*> times[] = {{QTime(15, 30), "3:30 PM"},
                                                   {QTime(14, 5), "2:05 PM"},
                                                   {QTime(0, 7), "12:07 AM"},
                                                   {QTime(12, 0), "12:00 PM"}};
    for (const auto& [time, text] : times) {
        EXPECT_EQ(UnitClock::formatTimeOfDay(time), text);
        EXPECT_EQ(UnitClock::formatMinutesAfterMidnight(time.msecsSinceStartOfDay() / 60000), text);
    }
    // Block 7 starts at 21:00; minute 200 of it is 00:20 of the next day.
    EXPECT_EQ(UnitClock::formatMinutesAfterMidnight(7 * 180 + 200), QStringLiteral("12:20 AM"));
    QLocale::setDefault(QLocale::system());
}

TEST(BatteryStatus, RowsFollowTheFlagsAndAlarmStatesAndAnAlarmOffKeepsTheColours)
{
    // Battery 1: low, charged, high and relay set; battery 2: low and time to equalise.
    // Alarm states: battery 1 low 1, charged 2, high 0; battery 2 low 3 (shown as 2), eq 1.
    BatteryStatus status;
    status.applyFlags(bytesOf({0x87, 0x11}));
    status.applyAlarmStates(bytesOf({0x09, 0x00, 0x03, 0x01}));
    status.refreshRows();
    EXPECT_EQ(status.row(0), (StatusRow{QStringLiteral("B1 LOW"), true, RED, BLACK}));
    EXPECT_EQ(status.row(3), (StatusRow{QStringLiteral("---"), true, BLACK, WHITE}));
    // The relay has no alarm state in the record: it is always shown as state 1.
    EXPECT_EQ(status.row(5), (StatusRow{QStringLiteral("RELAY ON"), true, RED, BLACK}));
    EXPECT_EQ(status.row(6), (StatusRow{QStringLiteral("B2 LOW"), true, MAGENTA, BLACK}));
    EXPECT_EQ(status.row(10), (StatusRow{QStringLiteral("B2 TIME 2 EQ"), true, RED, BLACK}));
    status.applyAlarmStates(bytesOf({0x00, 0x00, 0x00, 0x00}));
    status.refreshRows();
    EXPECT_EQ(status.row(0), (StatusRow{QStringLiteral("ALARM OFF"), false, RED, BLACK}));
}

TEST(EfficiencyTable, SelfDischargeIsNegativeUnlessTheTopBitIsSet)
{
    EfficiencyTable table;
    // Per average: self-discharge word, amp-hour efficiency, cycles.
    table.applyBattery1Block(bytesOf({0x05, 0x80, 95, 3, 0x05, 0x00, 90, 7, 0x10, 0x00, 100, 21}));
    table.setBattery1Capacity(200);
    const char* texts[] = {"3", "7", "21", "95", "90", "100", "0.05", "-0.05", "-0.16", "200 Ahrs"};
    for (int cell = 0; cell < 10; ++cell)
        EXPECT_EQ(table.cell(cell).valueText, texts[cell]) << cell;
}

TEST(StatusLine, EachLinkStateHasItsTextAndColours)
{
    const QString awaiting = QStringLiteral("Waiting for Acknowlegement from Unit.");
    const std::pair<StatusLine, StatusLine> cases[] = {
        {StatusLine::notConnected(), {QStringLiteral("Not Connected"), BLACK, std::nullopt}},
        {StatusLine::forLink(0, 0), {QStringLiteral("Port Closed."), BLACK, std::nullopt}},
        {StatusLine::forLink(1, 1042), {QStringLiteral("Error: Bad Checksum"), RED, BLACK}},
        {StatusLine::forLink(1, 0), {QString(), RED, BLACK}},
        {StatusLine::forLink(2, 0), {QStringLiteral("Port Open && Idle."), GREEN, BLACK}},
        {StatusLine::forLink(3, 0), {QStringLiteral("Sending Data to Unit."), GREEN, BLACK}},
        {StatusLine::forLink(4, 0), {QStringLiteral("Receiving Data from Unit."), GREEN, BLACK}},
        {StatusLine::forLink(5, 0), {awaiting, GREEN, BLACK}},
        {StatusLine::forLink(6, 0), {awaiting, GREEN, BLACK}},
        {StatusLine::forLink(7, 0), {QStringLiteral("Unknown Error!"), RED, BLACK}},
    };
    for (const auto& [actual, expected] : cases)
        EXPECT_EQ(actual, expected) << expected.text.toStdString();
}

TEST(ReplyWatch, AReplyIsOverdueOnceTheSerialTimeOutsForItsBytesAndAMarginHavePassed)
{
    // Read multiplier 10 ms, constant 2000 ms: a 2-byte item read (4 bytes with checksum and
    // status) may take 2040 ms, and one second more for the adapter.
    ReplyWatch watch;
    watch.start(50000, 2, SerialTimeouts{1000, 10, 2000, 10, 2000});
    EXPECT_FALSE(watch.isOverdue(50000 + 3040));
    EXPECT_TRUE(watch.isOverdue(50000 + 3041));
}
