#include "simulator/SimulatedUnit.h"

#include "tests/support/TestBytes.h"

#include <gtest/gtest.h>

namespace {

int unsignedValue(const QByteArray& bytes)
{
    int value = 0;
    for (int i = static_cast<int>(bytes.size()) - 1; i >= 0; --i)
        value = value << 8 | byteAt(bytes, i);
    return value;
}

int periodicPointer(SimulatedUnit& unit)
{
    const QByteArray record = unit.read(0xD2, 4);
    return byteAt(record, 2) | (byteAt(record, 3) & 0x3F) << 8;
}

// Day 1, 01:00: a night after a day of sun, every counter has counted something.
std::unique_ptr<SimulatedUnit> unitAfterADay()
{
    auto unit = std::make_unique<SimulatedUnit>(0, 0);
    unit->advance(25 * 3600);
    return unit;
}

} // namespace

TEST(SimulatedClock, TheClockRecordsAreADayWordAndTheMinuteInTheBlock)
{
    SimulatedUnit unit;
    // 13:47 on day 5: minute of day 827, day word 5 * 8 + 4 = 44, minute in block 107.
    unit.write(0xF9, bytesOf({0x2C, 0x00}));
    unit.write(0x24, bytesOf({107}));
    EXPECT_EQ(unit.clock().day(), 5);
    EXPECT_EQ(unit.clock().minuteOfDay(), 827);
    EXPECT_EQ(unit.read(0xF9, 2) + unit.read(0x24, 1), bytesOf({0x2C, 0x00, 107}));
    // A new day word keeps the minute within the block.
    unit.write(0xF9, bytesOf({5 * 8 + 7, 0}));
    EXPECT_EQ(unit.clock().minuteOfDay(), 7 * 180 + 107);
    // Minutes run on into the next block and the next day.
    SimulatedUnit late(2, 1439);
    late.advance(59);
    EXPECT_EQ(late.clock().day(), 2);
    late.advance(1);
    EXPECT_EQ(late.read(0xF9, 2) + late.read(0x24, 1), bytesOf({3 * 8, 0, 0}));
}

TEST(UnitCommands, ClearCodesEmptyTheirLogsOnlyAndFactoryDefaultsRestoreTheParameters)
{
    auto unit = std::make_unique<SimulatedUnit>(0, 0);
    unit->fastForward(6);
    unit->write(0xE2, bytesOf({12}));
    const QByteArray indexes = unit->bulkRead(0x2F, 1).mid(0xFC, 4);
    ASSERT_NE(periodicPointer(*unit), 0x1FC0);
    ASSERT_NE(unit->read(0xD1, 3).mid(1), bytesOf({0x00, 0x20}));
    ASSERT_NE(byteAt(indexes, 0) * byteAt(indexes, 2), 0);

    unit->write(0x27, bytesOf({0x72}));
    EXPECT_EQ(periodicPointer(*unit), 0x1FC0);
    unit->write(0x27, bytesOf({0x82}));
    EXPECT_EQ(unit->read(0xD1, 3).mid(1), bytesOf({0x00, 0x20}));
    unit->write(0x27, bytesOf({0x90}));
    EXPECT_EQ(unit->bulkRead(0x2F, 1).mid(0xFC, 4), bytesOf({0, 0}) + indexes.mid(2));
    EXPECT_EQ(unit->read(0xDA, 12), QByteArray(12, '\0'));
    unit->write(0x27, bytesOf({0x91}));
    EXPECT_EQ(unit->bulkRead(0x2F, 1).mid(0xFE, 2), bytesOf({0, 0}));
    EXPECT_EQ(unit->read(0xE2, 1), bytesOf({12}));
    unit->write(0x27, bytesOf({0xA5}));
    EXPECT_EQ(unit->read(0xE2, 1), bytesOf({7}));
}

TEST(UnitCommands, EachResetCodeZeroesItsLiveItemAndAnUnknownCodeNothing)
{
    // Reset code, then the item's address and length.
    const std::tuple<int, int, int> resets[] = {{0x09, 0x0C, 3}, {0x0A, 0x0D, 3}, {0x0B, 0x0F, 4},
                                                {0xB0, 0x12, 3}, {0xB1, 0x13, 3}, {0x11, 0x15, 4},
                                                {0x12, 0x16, 4}, {0x19, 0x1C, 2}, {0x1A, 0x1D, 2},
                                                {0x1B, 0x1E, 2}, {0x1C, 0x1F, 2}, {0x55, 0x0C, 3}};
    for (const auto& [code, address, length] : resets) {
        auto unit = unitAfterADay();
        const auto item = static_cast<quint8>(address);
        const QByteArray before = unit->read(item, length);
        ASSERT_NE(before, QByteArray(length, '\0')) << std::hex << code;
        unit->write(0x27, bytesOf({code}));
        EXPECT_EQ(unit->read(item, length), code == 0x55 ? before : QByteArray(length, '\0'))
            << std::hex << code;
    }
}

TEST(LiveRecords, ValuesAreInTheUnitsEncodings)
{
    auto unit = unitAfterADay(); // 01:00: batteries discharging, no sun
    EXPECT_EQ(unit->read(0xF7, 1), bytesOf({25}));
    const double volts1 = (unsignedValue(unit->read(0x01, 2)) & 0x7FF) * 0.05;
    EXPECT_GT(volts1, 11.0);
    EXPECT_LT(volts1, 13.5);
    // Discharging: the unit's own number is positive (the program shows it negated).
    const QByteArray amps1 = unit->read(0x05, 3);
    EXPECT_EQ(byteAt(amps1, 2) & 0x80, 0);
    EXPECT_GT(unsignedValue(amps1), 100);               // more than 1 A
    EXPECT_EQ(unit->read(0x07, 3), bytesOf({0, 0, 0})); // no sun, no solar current
    EXPECT_LT(byteAt(unit->read(0x1A, 1), 0), 100);
    const auto temperature = static_cast<qint8>(byteAt(unit->read(0x19, 1), 0));
    EXPECT_GT(temperature, -10);
    EXPECT_LT(temperature, 40);
    // Channel 3 amp-hours carry seven bits of fraction; the solar charger put some tens in.
    const double ampHours = (static_cast<qint32>(unsignedValue(unit->read(0x0F, 4))) >> 7) * 0.01;
    EXPECT_LT(ampHours, -20.0);
    EXPECT_GT(ampHours, -500.0);
}

TEST(LiveRecords, ARecordSetByATestHoldsWhateverTheModelSays)
{
    SimulatedUnit unit;
    unit.setRecord(0x01, bytesOf({252, 0}));
    unit.setRecord(0xF9, bytesOf({44, 0}));
    unit.advance(3600);
    EXPECT_EQ(unit.read(0x01, 2), bytesOf({252, 0}));
    EXPECT_EQ(unit.clock().day(), 5);
}
