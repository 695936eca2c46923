#include "simulator/SimulatedUnit.h"

#include "tests/support/TestBytes.h"

#include <gtest/gtest.h>

TEST(SimulatedClock, TheClockRecordsAreADayWordAndTheMinuteInTheBlock)
{
    SimulatedUnit unit;
    // 13:47 on day 5: minute of day 827, day word 5 * 8 + 4 = 44, minute in block 107.
    unit.setRecord(0xF9, bytesOf({0x2C, 0x00}));
    unit.write(0x24, bytesOf({107}));
    EXPECT_EQ(std::pair(unit.clock().day(), unit.clock().minuteOfDay()), std::pair(5, 827));
    EXPECT_EQ(unit.read(0xF9, 2) + unit.read(0x24, 1), bytesOf({0x2C, 0x00, 107}));
    // A new day word keeps the minute within the block.
    unit.write(0xF9, bytesOf({5 * 8 + 7, 0}));
    EXPECT_EQ(unit.clock().minuteOfDay(), 7 * 180 + 107);
    // Minutes run on into the next block and the next day; a measured record a test set holds.
    SimulatedUnit late(2, 1439);
    late.setRecord(0x01, bytesOf({252, 0}));
    late.advance(59);
    EXPECT_EQ(late.clock().day(), 2);
    late.advance(1);
    EXPECT_EQ(late.read(0xF9, 2) + late.read(0x24, 1), bytesOf({3 * 8, 0, 0}));
    EXPECT_EQ(late.read(0x01, 2), bytesOf({252, 0}));
}

TEST(UnitCommands, EachCodeClearsWhatItNamesAndNothingElse)
{
    SimulatedUnit unit(0, 0);
    unit.fastForward(6);
    unit.write(0xE2, bytesOf({12}));
    // Reset code, then the live item's address and length; 0x55 names none.
    const std::tuple<int, int, int> resets[] = {{0x55, 0x0C, 3}, {0x09, 0x0C, 3}, {0x0A, 0x0D, 3},
                                                {0x0B, 0x0F, 4}, {0xB0, 0x12, 3}, {0xB1, 0x13, 3},
                                                {0x11, 0x15, 4}, {0x12, 0x16, 4}, {0x19, 0x1C, 2},
                                                {0x1A, 0x1D, 2}, {0x1B, 0x1E, 2}, {0x1C, 0x1F, 2}};
    for (const auto& [code, address, length] : resets) {
        const QByteArray before = unit.read(static_cast<quint8>(address), length);
        ASSERT_NE(before, QByteArray(length, '\0')) << std::hex << code;
        unit.write(0x27, bytesOf({code}));
        EXPECT_EQ(unit.read(static_cast<quint8>(address), length),
                  code == 0x55 ? before : QByteArray(length, '\0'))
            << std::hex << code;
    }
    // The logs' pointers and indexes, and what an empty log shows.
    const auto logs = [&unit] {
        return unit.read(0xD2, 4).mid(2) + unit.read(0xD1, 3).mid(1) +
               unit.bulkRead(0x2F, 1).mid(0xFC, 4);
    };
    QByteArray expected = logs();
    // Periodic log, discharge profile, battery 1's cycles and figures, battery 2's cycles.
    const std::pair<int, QByteArray> clears[] = {{0x72, bytesOf({0xC0, 0x1F})},
                                                 {0x82, bytesOf({0x00, 0x20})},
                                                 {0x90, bytesOf({0, 0})},
                                                 {0x91, bytesOf({0, 0})}};
    for (int i = 0; i < 4; ++i) {
        ASSERT_NE(expected.mid(2 * i, 2), clears[i].second);
        unit.write(0x27, bytesOf({clears[i].first}));
        expected.replace(2 * i, 2, clears[i].second);
        EXPECT_EQ(logs().toHex(' '), expected.toHex(' ')) << std::hex << clears[i].first;
    }
    EXPECT_EQ(unit.read(0xDA, 12), QByteArray(12, '\0'));
    EXPECT_EQ(unit.read(0xE2, 1), bytesOf({12}));
    unit.write(0x27, bytesOf({0xA5}));
    EXPECT_EQ(unit.read(0xE2, 1), bytesOf({7}));
}
