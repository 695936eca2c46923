#include "simulator/Scenario.h"

#include "simulator/SimulatedUnit.h"
#include "tests/support/TestBytes.h"

#include <gtest/gtest.h>

TEST(Scenario, EachNamedStartingPointIsWhatItsNameSays)
{
    struct Case {
        const char* name;
        std::function<void(SimulatedUnit&)> check;
    };
    const Case cases[] = {
        {"wrapped",
         [](SimulatedUnit& unit) {
             EXPECT_NE(unit.bulkRead(0x1F, 1).at(0xC0), '\0');   // last periodic block in use
             EXPECT_NE(byteAt(unit.read(0xD1, 3), 2) & 0x80, 0); // discharge profile wrapped
             EXPECT_EQ(unit.bulkRead(0x03, 1).mid(1, 2), bytesOf({0xFF, 0x03})); // all ten items
         }},
        {"year",
         [](SimulatedUnit& unit) {
             const QByteArray indexes = unit.bulkRead(0x2F, 1).mid(0xFC);
             EXPECT_NE(byteAt(indexes, 1) & byteAt(indexes, 3) & 0x80, 0);
             EXPECT_EQ(unit.clock().day(), 365);
         }},
        {"alarms",
         [](SimulatedUnit& unit) {
             EXPECT_EQ(byteAt(unit.read(0x25, 2), 0) & 0x14, 0x14); // high, equalise
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SimulatedUnit unit(0, 0);
        ASSERT_TRUE(Scenario::apply(QString::fromLatin1(c.name), unit));
        c.check(unit);
    }
    SimulatedUnit unit;
    EXPECT_FALSE(Scenario::apply(QStringLiteral("tuesday"), unit));
}
