#include "simulator/Scenario.h"

#include "simulator/SimulatedUnit.h"
#include "tests/support/TestBytes.h"

#include <gtest/gtest.h>

// The downloads of wrapped logs start from this one; the alarms scenario is read by the
// command line's status test.
TEST(Scenario, TheWrappedOneWrapsBothRingsOfAllTenItemsAndAnUnknownNameIsRefused)
{
    SimulatedUnit unit(0, 0);
    EXPECT_FALSE(Scenario::apply(QStringLiteral("tuesday"), unit));
    ASSERT_TRUE(Scenario::apply(QStringLiteral("wrapped"), unit));
    EXPECT_NE(unit.bulkRead(0x1F, 1).at(0xC0), '\0');                   // last periodic block used
    EXPECT_NE(byteAt(unit.read(0xD1, 3), 2) & 0x80, 0);                 // discharge profile wrapped
    EXPECT_EQ(unit.bulkRead(0x03, 1).mid(1, 2), bytesOf({0xFF, 0x03})); // all ten items
}
