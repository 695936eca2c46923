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

} // namespace

TEST(BatteryModel, TheBatteriesDischargeAtNightChargeInTheSunAndLogTheirCycles)
{
    SimulatedUnit unit(0, 0);
    unit.advance(5 * 3600);
    const int night = byteAt(unit.read(0x1A, 1), 0);
    EXPECT_LT(night, 75);
    unit.advance(9 * 3600); // 14:00
    EXPECT_GT(byteAt(unit.read(0x1A, 1), 0), night);
    EXPECT_NE(byteAt(unit.read(0x07, 3), 2) & 0x80, 0); // channel 3 charging: negative

    bool charged = false;
    for (int hour = 0; hour < 72 && !charged; ++hour) {
        unit.advance(3600);
        charged = (status(unit, 2) & Charged) != 0;
    }
    ASSERT_TRUE(charged);
    EXPECT_EQ(byteAt(unit.read(0x1B, 1), 0), 100);
    EXPECT_EQ(byteAt(unit.bulkRead(0x2F, 1), 0xFE), 1); // battery 2's first efficiency record

    unit.fastForward(10);
    const QByteArray figures = unit.read(0xD7, 12);
    // Averages of 1, 4 and 15 cycles, as many as there were, near the programmed 90 %.
    EXPECT_EQ(byteAt(figures, 3), 1);
    EXPECT_EQ(byteAt(figures, 7), 4);
    EXPECT_GE(byteAt(figures, 11), 5);
    EXPECT_GT(byteAt(figures, 2), 70);
    EXPECT_LE(byteAt(figures, 2), 100);
}

TEST(BatteryModel, FlagsFollowTheirSetpoints)
{
    struct Case {
        const char* what;
        quint8 address;
        QByteArray setpoint;
        int hours;
        int battery;
        int flag;
        bool raised;
    };
    const Case cases[] = {
        {"low below 15.0 V: always", 0xEC, bytesOf({150, 0, 0}), 0, 1, Low, true},
        {"low below 10.0 V: never", 0xEC, bytesOf({100, 0, 0}), 0, 1, Low, false},
        {"battery 2 high above 10.0 V", 0xE9, bytesOf({100, 0, 0}), 0, 2, High, true},
        {"battery 1 not high", 0xE9, bytesOf({100, 0, 0}), 0, 1, High, false},
        {"charge due after a day never charged", 0xE2, bytesOf({1}), 25, 1, TimeToCharge, true},
        {"equalise due after a day", 0xE3, bytesOf({1}), 25, 1, TimeToEqualise, true},
        {"relay on below 14.0 V at night", 0xD4, bytesOf({140, 0, 0, 145, 0, 0}), 0, 1, Relay,
         true},
        {"reversed relay off at night", 0xD4, bytesOf({145, 0, 0, 140, 0, 0}), 0, 1, Relay, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SimulatedUnit unit(0, 0);
        unit.write(0xE8, bytesOf({160, 0, 4})); // charged above 16.0 V: never
        unit.write(c.address, c.setpoint);
        unit.advance(60 + c.hours * 3600);
        EXPECT_EQ((status(unit, c.battery) & c.flag) != 0, c.raised);
    }
    SimulatedUnit unit(0, 0);
    unit.write(0xE3, bytesOf({1}));
    unit.advance(25 * 3600);
    unit.write(0x27, bytesOf({0x1B}));
    EXPECT_EQ(status(unit, 1) & TimeToEqualise, 0);
}

TEST(BatteryModel, ACapacityOfZeroTakesBattery2Away)
{
    SimulatedUnit unit(0, 0);
    unit.write(0xF1, bytesOf({0, 0}));
    unit.advance(3600);
    EXPECT_EQ(unit.read(0x02, 2) + unit.read(0x1B, 1) + unit.read(0x25, 2).mid(1),
              bytesOf({0, 0, 0, 0}));
}
