#include "simulator/Scenario.h"

#include "simulator/SimulatedUnit.h"
#include "tests/support/TestBytes.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<SimulatedUnit> unitIn(const char* scenario)
{
    auto unit = std::make_unique<SimulatedUnit>(0, 0);
    EXPECT_TRUE(Scenario::apply(QString::fromLatin1(scenario), *unit));
    return unit;
}

} // namespace

TEST(Scenario, emptyLeavesEveryLogEmpty)
{
    auto unit = unitIn("empty");
    EXPECT_EQ(unit->read(0xD2, 4).mid(2), bytesOf({0xC0, 0x1F}));
    EXPECT_EQ(unit->read(0xD1, 3).mid(1), bytesOf({0x00, 0x20}));
    EXPECT_EQ(unit->bulkRead(0x2F, 1).mid(0xFC), bytesOf({0, 0, 0, 0}));
}

TEST(Scenario, wrappedHasWrappedThePeriodicLogAndTheDischargeProfile)
{
    auto unit = unitIn("wrapped");
    EXPECT_NE(unit->bulkRead(0x1F, 1).at(0xC0), '\0');   // last periodic block in use
    EXPECT_NE(byteAt(unit->read(0xD1, 3), 2) & 0x80, 0); // discharge profile wrapped
    // All ten items: 23-byte records.
    EXPECT_EQ(unit->bulkRead(0x03, 1).mid(1, 2), bytesOf({0xFF, 0x03}));
}

TEST(Scenario, aYearWrapsBothEfficiencyLogs)
{
    auto unit = unitIn("year");
    const QByteArray indexes = unit->bulkRead(0x2F, 1).mid(0xFC);
    EXPECT_NE(byteAt(indexes, 1) & 0x80, 0);
    EXPECT_NE(byteAt(indexes, 3) & 0x80, 0);
    EXPECT_EQ(unit->clock().day(), 365);
}

TEST(Scenario, singleBatteryHasNoBattery2)
{
    auto unit = unitIn("single-battery");
    EXPECT_EQ(unit->read(0xF2, 4).mid(2), bytesOf({0, 0}));
    EXPECT_EQ(unit->read(0x02, 2), bytesOf({0, 0}));
}

TEST(Scenario, alarmsRaisesTheHighAndEqualiseFlags)
{
    auto unit = unitIn("alarms");
    const int flags = byteAt(unit->read(0x25, 2), 0);
    EXPECT_NE(flags & 0x04, 0);
    EXPECT_NE(flags & 0x10, 0);
}

TEST(Scenario, anUnknownNameIsRefused)
{
    SimulatedUnit unit;
    EXPECT_FALSE(Scenario::apply(QStringLiteral("tuesday"), unit));
}
