#include "simulator/SimulatedUnit.h"
#include "tests/support/TestBytes.h"

#include <gtest/gtest.h>

namespace {

// Status flags, restated: byte 0 battery 1, byte 1 battery 2; bit 0 low, 1 charged, 2 high,
// 3 time to charge, 4 time to equalise; byte 0 bit 7 relay on.
constexpr int Low = 0x01;
constexpr int Charged = 0x02;
constexpr int High = 0x04;
constexpr int TimeToCharge = 0x08;
constexpr int TimeToEqualise = 0x10;
constexpr int Relay = 0x80;

int status(SimulatedUnit& unit, int battery)
{
    return byteAt(unit.read(0x25, 2), battery - 1);
}

bool flagSeenWithin(SimulatedUnit& unit, int battery, int flag, int hours)
{
    for (int hour = 0; hour < hours; ++hour) {
        unit.advance(3600);
        if ((status(unit, battery) & flag) != 0)
            return true;
    }
    return false;
}

} // namespace

TEST(BatteryModel, theBatteriesDischargeAtNightAndChargeInTheSun)
{
    SimulatedUnit unit(0, 0);
    unit.advance(5 * 3600);
    const int night = byteAt(unit.read(0x1A, 1), 0);
    EXPECT_LT(night, 75);
    unit.advance(9 * 3600); // 14:00
    EXPECT_GT(byteAt(unit.read(0x1A, 1), 0), night);
    EXPECT_NE(byteAt(unit.read(0x07, 3), 2) & 0x80, 0); // channel 3 charging: negative
}

TEST(BatteryModel, aBatteryMeetingItsChargedCriteriaIsFlaggedAndLogged)
{
    SimulatedUnit unit(0, 0);
    ASSERT_TRUE(flagSeenWithin(unit, 2, Charged, 72));
    EXPECT_EQ(byteAt(unit.read(0x1B, 1), 0), 100);
    // Battery 2's efficiency log has its first record.
    EXPECT_EQ(byteAt(unit.bulkRead(0x2F, 1), 0xFE), 1);
}

TEST(BatteryModel, completedCyclesGiveTheEfficiencyFigures)
{
    SimulatedUnit unit(0, 0);
    unit.fastForward(10);
    const QByteArray figures = unit.read(0xD7, 12);
    // Averages of 1, 4 and 15 cycles, as many as there were.
    EXPECT_EQ(byteAt(figures, 3), 1);
    EXPECT_EQ(byteAt(figures, 7), 4);
    EXPECT_GE(byteAt(figures, 11), 5);
    EXPECT_LE(byteAt(figures, 11), 15);
    // Amp-hour efficiency near the programmed 90 %.
    EXPECT_GT(byteAt(figures, 2), 70);
    EXPECT_LE(byteAt(figures, 2), 100);
}

TEST(BatteryModel, theLowFlagFollowsTheLowAlarmSetpoint)
{
    SimulatedUnit unit(0, 0);
    unit.write(0xEC, bytesOf({150, 0, 0})); // low below 15.0 V: always
    unit.advance(60);
    EXPECT_NE(status(unit, 1) & Low, 0);
    unit.write(0xEC, bytesOf({100, 0, 0})); // below 10.0 V, percent not used: never
    unit.advance(60);
    EXPECT_EQ(status(unit, 1) & Low, 0);
}

TEST(BatteryModel, theHighFlagFollowsTheHighAlarmSetpoint)
{
    SimulatedUnit unit(0, 0);
    unit.write(0xE9, bytesOf({100, 0, 0})); // battery 2 high above 10.0 V
    unit.advance(60);
    EXPECT_NE(status(unit, 2) & High, 0);
    EXPECT_EQ(status(unit, 1) & High, 0);
}

TEST(BatteryModel, aBatteryNeverChargedCallsForChargeAfterTheProgrammedDays)
{
    SimulatedUnit unit(0, 0);
    unit.write(0xE8, bytesOf({160, 0, 4})); // charged above 16.0 V: never
    unit.write(0xE2, bytesOf({1}));
    unit.advance(23 * 3600);
    EXPECT_EQ(status(unit, 1) & TimeToCharge, 0);
    unit.advance(2 * 3600);
    EXPECT_NE(status(unit, 1) & TimeToCharge, 0);
}

TEST(BatteryModel, equalisingFallsDueAfterTheProgrammedDaysUntilReset)
{
    SimulatedUnit unit(0, 0);
    unit.write(0xE3, bytesOf({1}));
    unit.advance(25 * 3600);
    EXPECT_NE(status(unit, 1) & TimeToEqualise, 0);
    unit.write(0x27, bytesOf({0x1B}));
    EXPECT_EQ(status(unit, 1) & TimeToEqualise, 0);
}

TEST(BatteryModel, theRelayFollowsBattery1WithItsOnAndOffSetpoints)
{
    SimulatedUnit unit(0, 0);
    // On below 14.0 V, off above 14.5 V (normal sense): at night the relay is on.
    unit.write(0xD4, bytesOf({140, 0, 0, 145, 0, 0}));
    unit.advance(60);
    EXPECT_NE(status(unit, 1) & Relay, 0);
    // Reversed: on above 14.5 V, off below 14.0 V: at night it goes off.
    unit.write(0xD4, bytesOf({145, 0, 0, 140, 0, 0}));
    unit.advance(60);
    EXPECT_EQ(status(unit, 1) & Relay, 0);
}

TEST(BatteryModel, aCapacityOfZeroTakesBattery2Away)
{
    SimulatedUnit unit(0, 0);
    unit.write(0xF1, bytesOf({0, 0}));
    unit.advance(3600);
    EXPECT_EQ(unit.read(0x02, 2), bytesOf({0, 0}));
    EXPECT_EQ(unit.read(0x1B, 1), bytesOf({0}));
    EXPECT_EQ(status(unit, 2), 0);
}

TEST(BatteryModel, discharging5PercentStepsAreProfiledForTheChosenBatteries)
{
    SimulatedUnit unit(0, 18 * 60);
    unit.write(0xD1, bytesOf({0xA0})); // 5 % steps, battery 1 only
    unit.advance(6 * 3600);
    const QByteArray pointer = unit.read(0xD1, 3);
    const int newest = (byteAt(pointer, 1) | byteAt(pointer, 2) << 8) & 0x3FFF;
    ASSERT_GT(newest, 0x2000);
    const QByteArray profile = unit.bulkRead(0x20, 2);
    for (int offset = 5; offset <= newest - 0x2000; offset += offset % 64 == 55 ? 9 : 5) {
        EXPECT_EQ(byteAt(profile, offset) & 0x80, 0) << offset; // battery 1
        const int amps = byteAt(profile, offset + 3) | byteAt(profile, offset + 4) << 8;
        EXPECT_NE(amps & 0x8000, 0) << offset; // discharging
    }
}
