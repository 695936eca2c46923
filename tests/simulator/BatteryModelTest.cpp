#include "simulator/SimulatedUnit.h"
#include "tests/support/TestBytes.h"

#include <QtEndian>
#include <gtest/gtest.h>

namespace {

// Status flags, restated: byte 0 battery 1, byte 1 battery 2; bit 0 low, 1 charged, 2 high,
// 3 time to charge, 4 time to equalise; byte 0 bit 7 relay on.
constexpr int Low = 0x01, Charged = 0x02, High = 0x04, TimeToCharge = 0x08, TimeToEqualise = 0x10;
constexpr int Relay = 0x80;

int status(SimulatedUnit& unit, int battery)
{
    return byteAt(unit.read(0x25, 2), battery - 1);
}

// A record's bytes as the little-endian number they hold.
qint32 valueOf(const QByteArray& bytes)
{
    return qFromLittleEndian<qint32>(bytes.leftJustified(4, '\0').constData());
}

} // namespace

TEST(BatteryModel, TheBatteriesDischargeAtNightInTheUnitsEncodingsChargeInTheSunAndLogCycles)
{
    SimulatedUnit unit(0, 0);
    unit.advance(5 * 3600);
    EXPECT_EQ(unit.read(0xF7, 1), bytesOf({25}));
    // Volts in eleven bits of 50 mV; a discharge is positive to the unit (the program negates
    // it); no sun, no solar current; a signed temperature.
    EXPECT_NEAR((valueOf(unit.read(0x01, 2)) & 0x7FF) * 0.05, 12.2, 1.3);
    EXPECT_GT(valueOf(unit.read(0x05, 3)), 100);
    EXPECT_LT(valueOf(unit.read(0x05, 3)), 0x800000);
    EXPECT_EQ(unit.read(0x07, 3), bytesOf({0, 0, 0}));
    EXPECT_NEAR(static_cast<qint8>(byteAt(unit.read(0x19, 1), 0)), 15, 25);
    const int night = byteAt(unit.read(0x1A, 1), 0);
    EXPECT_LT(night, 75);
    unit.advance(9 * 3600); // 14:00
    EXPECT_GT(byteAt(unit.read(0x1A, 1), 0), night);
    EXPECT_NE(byteAt(unit.read(0x07, 3), 2) & 0x80, 0); // channel 3 charging: negative
    // Channel 3 amp-hours carry seven bits of fraction; the solar charger put some tens in.
    EXPECT_NEAR((valueOf(unit.read(0x0F, 4)) >> 7) * 0.01, -100, 90);

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
    EXPECT_EQ(std::pair(byteAt(figures, 3), byteAt(figures, 7)), std::pair(1, 4));
    EXPECT_GE(byteAt(figures, 11), 5);
    EXPECT_NEAR(byteAt(figures, 2), 85, 15);
}

TEST(BatteryModel, FlagsFollowTheirSetpointsAndACapacityOfZeroTakesBattery2Away)
{
    struct Case {
        const char* what;
        quint8 address;
        QByteArray setpoint;
        int hours, command, battery, flags;
    };
    const Case cases[] = {
        {"low below 15.0 V: always", 0xEC, bytesOf({150, 0, 0}), 0, 0, 1, Low},
        {"low below 10.0 V: never", 0xEC, bytesOf({100, 0, 0}), 0, 0, 1, 0},
        {"battery 2 high above 10.0 V", 0xE9, bytesOf({100, 0, 0}), 0, 0, 2, High},
        {"battery 1 not high", 0xE9, bytesOf({100, 0, 0}), 0, 0, 1, 0},
        {"charge due after a day never charged", 0xE2, bytesOf({1}), 25, 0, 1, TimeToCharge},
        {"equalise due after a day", 0xE3, bytesOf({1}), 25, 0, 1, TimeToEqualise},
        {"equalise not due once its days are reset", 0xE3, bytesOf({1}), 25, 0x1B, 1, 0},
        {"relay on below 14.0 V at night", 0xD4, bytesOf({140, 0, 0, 145, 0, 0}), 0, 0, 1, Relay},
        {"reversed relay off at night", 0xD4, bytesOf({145, 0, 0, 140, 0, 0}), 0, 0, 1, 0},
        {"no battery 2 without capacity", 0xF1, bytesOf({0, 0}), 1, 0, 2, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SimulatedUnit unit(0, 0);
        unit.write(0xE8, bytesOf({160, 0, 4})); // charged above 16.0 V: never
        unit.write(c.address, c.setpoint);
        unit.advance(60 + c.hours * 3600);
        if (c.command != 0)
            unit.write(0x27, bytesOf({c.command}));
        EXPECT_EQ(status(unit, c.battery), c.flags);
    }
}
