#include "display/BatteryStatus.h"
#include "display/EfficiencyTable.h"
#include "display/StatusLine.h"
#include "display/UnitClock.h"
#include "link/FirmwareVersion.h"
#include "link/ReplyWatch.h"

#include <QLocale>
#include <gtest/gtest.h>

// Restated here rather than imported, so that a change to them shows.
constexpr RgbColor BLACK{0x000000};
constexpr RgbColor WHITE{0xFFFFFF};
constexpr RgbColor RED{0x0000FF};
constexpr RgbColor GREEN{0x00FF00};
constexpr RgbColor MAGENTA{0xFF00FF};

namespace {

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(static_cast<char>(v));
    return out;
}

// The before-noon and after-noon markers come from the locale; the tests fix it.
class EnglishLocale : public ::testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }
};

} // namespace

TEST(FirmwareVersion, BytesTwentyToFortyNineAreTenthsAndAnyOtherIsOnePointZero)
{
    EXPECT_EQ(FirmwareVersion::text(FirmwareVersion::fromByte(25)), QStringLiteral("2.5"));
    EXPECT_EQ(FirmwareVersion::text(FirmwareVersion::fromByte(20)), QStringLiteral("2.0"));
    EXPECT_EQ(FirmwareVersion::text(FirmwareVersion::fromByte(49)), QStringLiteral("4.9"));
    EXPECT_EQ(FirmwareVersion::fromByte(19), 1.0f);
    EXPECT_EQ(FirmwareVersion::fromByte(50), 1.0f);
    EXPECT_EQ(FirmwareVersion::fromByte(0), 1.0f);
    EXPECT_EQ(FirmwareVersion::text(FirmwareVersion::fromByte(19)), QStringLiteral("1.0"));
    EXPECT_EQ(FirmwareVersion::text(0.0f), QStringLiteral("0.0"));
}

using UnitClockText = EnglishLocale;

TEST_F(UnitClockText, BlockFiveAndMinuteThirtyIsHalfPastThreeInTheAfternoon)
{
    UnitClock clock;
    clock.setDayBytes(bytes({0x2D, 0x01})); // day 37, block 5
    EXPECT_EQ(clock.dayWord(), 0x012D);
    const int minutes = clock.takeMinuteByte(30);
    EXPECT_EQ(minutes, 930);
    EXPECT_EQ(UnitClock::formatMinutesAfterMidnight(minutes), QStringLiteral("3:30 PM"));
}

TEST_F(UnitClockText, AMinuteWithoutADayReplyCountsFromMidnight)
{
    UnitClock clock;
    clock.setDayBytes(bytes({0x05, 0x00}));
    clock.takeMinuteByte(30);
    EXPECT_EQ(clock.dayWord(), 0);
    EXPECT_EQ(clock.takeMinuteByte(7), 7);
    EXPECT_EQ(UnitClock::formatMinutesAfterMidnight(7), QStringLiteral("12:07 AM"));
}

TEST_F(UnitClockText, HoursHaveNoLeadingZeroAndMinutesHaveTwoDigits)
{
    EXPECT_EQ(UnitClock::formatTimeOfDay(QTime(14, 5)), QStringLiteral("2:05 PM"));
    EXPECT_EQ(UnitClock::formatTimeOfDay(QTime(0, 0)), QStringLiteral("12:00 AM"));
    EXPECT_EQ(UnitClock::formatTimeOfDay(QTime(12, 0)), QStringLiteral("12:00 PM"));
    EXPECT_EQ(UnitClock::formatTimeOfDay(QTime(9, 59)), QStringLiteral("9:59 AM"));
    EXPECT_EQ(UnitClock::formatTimeOfDay(QTime(23, 1)), QStringLiteral("11:01 PM"));
}

TEST_F(UnitClockText, AMinuteBeyondTheLastBlockWrapsPastMidnight)
{
    // Block 7 starts at 21:00; minute 200 of it would be 00:20 of the next day.
    EXPECT_EQ(UnitClock::formatMinutesAfterMidnight(7 * 180 + 200), QStringLiteral("12:20 AM"));
}

TEST(BatteryStatus, RowsFollowFlagsAndAlarmStates)
{
    BatteryStatus status;
    // Battery 1: low, charged, high and relay set; battery 2: low and time to equalise.
    status.applyFlags(bytes({0x87, 0x11}));
    // Battery 1 low 1, charged 2, high 0; battery 2 low 3 (shown as 2), time to eq 1.
    status.applyAlarmStates(bytes({0x09, 0x00, 0x03, 0x01}));
    status.refreshRows();

    EXPECT_EQ(status.row(0), (StatusRow{QStringLiteral("B1 LOW"), true, RED, BLACK}));
    EXPECT_EQ(status.row(1), (StatusRow{QStringLiteral("B1 CHRGD"), true, MAGENTA, BLACK}));
    EXPECT_EQ(status.row(2).text, QStringLiteral("ALARM OFF"));
    EXPECT_FALSE(status.row(2).enabled);
    EXPECT_EQ(status.row(3), (StatusRow{QStringLiteral("---"), true, BLACK, WHITE}));
    // The relay has no alarm state in the record: it is always shown as state 1.
    EXPECT_EQ(status.row(5), (StatusRow{QStringLiteral("RELAY ON"), true, RED, BLACK}));
    EXPECT_EQ(status.row(6), (StatusRow{QStringLiteral("B2 LOW"), true, MAGENTA, BLACK}));
    EXPECT_EQ(status.row(10), (StatusRow{QStringLiteral("B2 TIME 2 EQ"), true, RED, BLACK}));
    EXPECT_EQ(status.alarmState(6), 2);
}

TEST(BatteryStatus, AnAlarmThatIsOffKeepsTheColoursTheRowHad)
{
    BatteryStatus status;
    status.applyFlags(bytes({0x01, 0x00}));
    status.applyAlarmStates(bytes({0x01, 0x00, 0x00, 0x00}));
    status.refreshRows();
    ASSERT_EQ(status.row(0).textColor, RED);

    status.applyAlarmStates(bytes({0x00, 0x00, 0x00, 0x00}));
    status.refreshRows();
    EXPECT_EQ(status.row(0).text, QStringLiteral("ALARM OFF"));
    EXPECT_FALSE(status.row(0).enabled);
    EXPECT_EQ(status.row(0).textColor, RED);
    EXPECT_EQ(status.row(0).background, BLACK);
}

TEST(BatteryStatus, EveryStatusTextComesFromItsRow)
{
    const char* texts[] = {"B1 LOW",       "B1 CHRGD",       "B1 HI",       "B1 TIME 2 CHRG",
                           "B1 TIME 2 EQ", "RELAY ON",       "B2 LOW",      "B2 CHRGD",
                           "B2 HI",        "B2 TIME 2 CHRG", "B2 TIME 2 EQ"};
    BatteryStatus status;
    status.applyFlags(bytes({0xFF, 0xFF}));
    status.applyAlarmStates(bytes({0x55, 0x55, 0x55, 0x55}));
    status.refreshRows();
    for (int row = 0; row < 11; ++row)
        EXPECT_EQ(status.row(row).text, QString::fromLatin1(texts[row])) << "row " << row;
}

TEST(EfficiencyTable, SelfDischargeIsNegativeUnlessTheTopBitIsSet)
{
    EfficiencyTable table;
    table.applyBattery1Block(bytes({0x05, 0x80, 95, 3, 0x05, 0x00, 90, 7, 0x10, 0x00, 100, 21}));

    EXPECT_EQ(table.cell(6).valueText, QStringLiteral("0.05"));
    EXPECT_EQ(table.cell(7).valueText, QStringLiteral("-0.05"));
    EXPECT_EQ(table.cell(8).valueText, QStringLiteral("-0.16"));
    EXPECT_FLOAT_EQ(table.cell(7).value, -0.05f);
    EXPECT_EQ(table.cell(3).valueText, QStringLiteral("95"));
    EXPECT_EQ(table.cell(5).valueText, QStringLiteral("100"));
    EXPECT_EQ(table.cell(0).valueText, QStringLiteral("3"));
    EXPECT_EQ(table.cell(1).valueText, QStringLiteral("7"));
    EXPECT_EQ(table.cell(2).valueText, QStringLiteral("21"));
    EXPECT_EQ(table.cell(6).rawReply[0], 0x05);
    EXPECT_EQ(table.cell(6).rawReply[1], 0x80);
    // Battery 2's figures are never filled.
    EXPECT_TRUE(table.cell(10).valueText.isEmpty());
}

TEST(EfficiencyTable, CapacityIsShownInAmpHoursAndClearEmptiesEveryFigure)
{
    EfficiencyTable table;
    table.setBattery1Capacity(200);
    EXPECT_EQ(table.cell(9).valueText, QStringLiteral("200 Ahrs"));
    EXPECT_EQ(table.cell(9).value, 200.0f);

    table.clear();
    for (int i = 0; i < 20; ++i) {
        EXPECT_TRUE(table.cell(i).valueText.isEmpty());
        EXPECT_EQ(table.cell(i).value, 0.0f);
    }
}

TEST(StatusLine, EachLinkStateHasItsTextAndColours)
{
    EXPECT_EQ(StatusLine::forLink(0, 0), (StatusLine{QStringLiteral("Port Closed."), BLACK, {}}));
    EXPECT_EQ(StatusLine::forLink(2, 0),
              (StatusLine{QStringLiteral("Port Open && Idle."), GREEN, BLACK}));
    EXPECT_EQ(StatusLine::forLink(3, 0).text, QStringLiteral("Sending Data to Unit."));
    EXPECT_EQ(StatusLine::forLink(4, 0).text, QStringLiteral("Receiving Data from Unit."));
    const QString awaiting = QStringLiteral("Waiting for Acknowlegement from Unit.");
    EXPECT_EQ(StatusLine::forLink(5, 0), (StatusLine{awaiting, GREEN, BLACK}));
    EXPECT_EQ(StatusLine::forLink(6, 0), (StatusLine{awaiting, GREEN, BLACK}));
    EXPECT_EQ(StatusLine::forLink(-1, 0),
              (StatusLine{QStringLiteral("Unknown Error!"), RED, BLACK}));
    EXPECT_EQ(StatusLine::forLink(7, 0).text, QStringLiteral("Unknown Error!"));
}

TEST(StatusLine, AnErrorShowsTheTextOfItsCodeInRedOnBlack)
{
    EXPECT_EQ(StatusLine::forLink(1, 1042),
              (StatusLine{QStringLiteral("Error: Bad Checksum"), RED, BLACK}));
    EXPECT_EQ(StatusLine::forLink(1, 1043).text,
              QStringLiteral("Error reading data from Zeltravanic unit."));
    EXPECT_EQ(StatusLine::forLink(1, 0).text, QString());
}

TEST(ReplyWatch, AReplyIsOverdueOnceTheSerialTimeOutsForItsBytesAndAMarginHavePassed)
{
    // Read multiplier 10 ms, constant 2000 ms: a 2-byte item read (4 bytes with checksum and
    // status) may take 2040 ms, and one second more for the adapter.
    const SerialTimeouts timeouts{1000, 10, 2000, 10, 2000};
    EXPECT_EQ(ReplyWatch::limitFor(2, timeouts), 3040);

    ReplyWatch watch;
    watch.start(50000, 2, timeouts);
    EXPECT_FALSE(watch.isOverdue(50000 + 3040));
    EXPECT_TRUE(watch.isOverdue(50000 + 3041));
}

TEST(ReplyWatch, WithoutSerialLimitsAFixedLimitStillBoundsTheWait)
{
    const SerialTimeouts unlimited{0, 0, 0, 0, 0};
    EXPECT_EQ(ReplyWatch::limitFor(12, unlimited), 10000);
}
