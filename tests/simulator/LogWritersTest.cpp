#include "simulator/DischargeLogWriter.h"
#include "simulator/EfficiencyLogWriter.h"
#include "simulator/LogMemory.h"
#include "simulator/LogValueCodec.h"
#include "simulator/PeriodicLogWriter.h"
#include "tests/simulator/LogReaders.h"
#include "tests/support/TestBytes.h"

#include <gtest/gtest.h>

namespace {

// Item flags, restated: bit 0 AHr 1, 1 AHr 2, 2 AHr 3, 3 WHr 1, 4 WHr 2, 5 temperature,
// 6 volts 1, 7 amps 1, 8 volts 2, 9 percent full.
constexpr quint16 AllTen = 0x3FF;
constexpr quint16 AmpHours1AndWattHours1 = 0x009;

// A scaled value read back the way the program reads it.
double scaledValue(quint16 word)
{
    static const double multipliers[] = {1, 0.01, 0.1, 1, 10, 100, 1000, 10000};
    const double magnitude = (word & 0x3FF) * multipliers[(word >> 12) & 7];
    return (word & 0x8000) != 0 ? -magnitude : magnitude;
}

double dischargeAmps(quint16 word)
{
    static const double multipliers[] = {0.001, 0.01, 0.1, 1};
    const double magnitude = (word & 0x3FF) * multipliers[(word >> 12) & 3];
    return (word & 0x8000) != 0 ? -magnitude : magnitude;
}

class PeriodicLog : public ::testing::Test {
protected:
    void append(quint16 flags, int count = 1)
    {
        for (int i = 0; i < count; ++i)
            writer.append(static_cast<quint16>(8 * (i / 24)), static_cast<quint8>(i % 24), flags,
                          values);
    }
    QByteArray area() const { return memory.bytes().mid(0x0300, 7424); }
    QList<int> records() const
    {
        return LogReaders::periodicRecords(area(), writer.newestPointer());
    }

    LogMemory memory;
    PeriodicLogWriter writer{memory};
    PeriodicValues values;
};

} // namespace

TEST(LogValueCodec, scaledValuesTakeTheFinestScaleThatFits)
{
    EXPECT_EQ(LogValueCodec::periodicScaled(10.23), 0x13FF); // code 1, magnitude 1023
    EXPECT_EQ(LogValueCodec::periodicScaled(-1.5), 0x9096);  // sign, code 1, magnitude 150
    EXPECT_DOUBLE_EQ(scaledValue(LogValueCodec::periodicScaled(50000.0)), 50000.0);
    // Ten bits keep three figures: -123.4 is logged as -123.
    EXPECT_DOUBLE_EQ(scaledValue(LogValueCodec::periodicScaled(-123.4)), -123.0);
    EXPECT_DOUBLE_EQ(scaledValue(LogValueCodec::periodicScaled(-102.3)), -102.3);
    EXPECT_DOUBLE_EQ(scaledValue(LogValueCodec::periodicScaled(0.0)), 0.0);
}

TEST(LogValueCodec, voltsAreElevenBitsOf50Millivolts)
{
    EXPECT_EQ(LogValueCodec::volts(12.6), 252);
    EXPECT_EQ(LogValueCodec::volts(200.0), 0x7FF);
    EXPECT_EQ(LogValueCodec::volts(-1.0), 0);
}

TEST(LogValueCodec, dischargeAmpsUseTheirOwnFourScales)
{
    EXPECT_EQ(LogValueCodec::dischargeAmps(-2.5), 0x90FA); // sign, code 1 (x0.01), 250
    EXPECT_EQ(LogValueCodec::dischargeAmps(0.5), 0x01F4);  // code 0 (x0.001), 500
    EXPECT_NEAR(dischargeAmps(LogValueCodec::dischargeAmps(-45.0)), -45.0, 1e-9);
}

TEST_F(PeriodicLog, aRecordIsThreeBytesAndTwoPerItem)
{
    EXPECT_EQ(PeriodicLogWriter::recordSize(AllTen), 23);
    EXPECT_EQ(PeriodicLogWriter::recordSize(AmpHours1AndWattHours1), 7);
    EXPECT_EQ(PeriodicLogWriter::recordSize(0), 3);
}

TEST_F(PeriodicLog, anEmptyLogPointsAtTheLastBlockWhoseFirstByteIsZero)
{
    writer.clear();
    EXPECT_EQ(writer.newestPointer(), 0x1FC0);
    EXPECT_EQ(memory.byte(0x1FC0), 0);
    EXPECT_TRUE(records().isEmpty());
}

TEST_F(PeriodicLog, theFirstRecordGoesToBlockZero)
{
    writer.clear();
    append(AmpHours1AndWattHours1);
    EXPECT_EQ(writer.newestPointer(), 0x0303);
    EXPECT_EQ(memory.word(0x0301), AmpHours1AndWattHours1);
    EXPECT_EQ(records(), QList<int>{3});
}

TEST_F(PeriodicLog, aBlockOfAllTenItemsHoldsTwoRecords)
{
    writer.clear();
    append(AllTen, 3);
    // Block 0: records at 0x0303 and 0x031A; block 1 starts with the offset of block 0's
    // last record (3 + 23 = 0x1A).
    EXPECT_EQ(memory.byte(0x0340), 0x1A);
    EXPECT_EQ(memory.word(0x0341), AllTen);
    EXPECT_EQ(writer.newestPointer(), 0x0343);
    EXPECT_EQ(records(), (QList<int>{0x03, 0x1A, 0x43}));
}

TEST_F(PeriodicLog, aBlockOfSevenByteRecordsHoldsEight)
{
    writer.clear();
    append(AmpHours1AndWattHours1, 9);
    EXPECT_EQ(memory.byte(0x0340), 3 + 7 * 7);
    EXPECT_EQ(writer.newestPointer(), 0x0343);
    EXPECT_EQ(records().size(), 9);
}

TEST_F(PeriodicLog, newItemFlagsStartANewBlock)
{
    writer.clear();
    append(AmpHours1AndWattHours1, 2);
    append(AllTen);
    EXPECT_EQ(memory.word(0x0341), AllTen);
    EXPECT_EQ(memory.byte(0x0340), 3 + 7);
    EXPECT_EQ(records(), (QList<int>{0x03, 0x0A, 0x43}));
}

TEST_F(PeriodicLog, aRecordCarriesTimeThenEachItemInFlagOrder)
{
    writer.clear();
    values.ampHours[0] = -12.34;
    values.wattHours[0] = 150.0;
    values.temperatureMax = 25;
    values.temperatureMin = -1;
    values.volts1 = 12.6;
    values.amps1 = -5.25;
    values.volts2 = 13.0;
    values.percentFull[0] = 87;
    values.percentFull[1] = 55;
    values.charged[0] = true;
    // Day 5, 13:47: day word 44, minute 107.
    writer.append(44, 107, 0x3E9,
                  values); // AHr 1, WHr 1, temperature, volts 1, amps 1, volts 2, % full
    const int record = 0x0303;
    EXPECT_EQ(memory.word(record), 44);
    EXPECT_EQ(memory.byte(record + 2), 107);
    EXPECT_DOUBLE_EQ(scaledValue(memory.word(record + 3)), -12.3);
    EXPECT_DOUBLE_EQ(scaledValue(memory.word(record + 5)), 150.0);
    EXPECT_EQ(memory.byte(record + 7), 25);
    EXPECT_EQ(memory.byte(record + 8), 0xFF);
    EXPECT_EQ(memory.word(record + 9), 252);
    EXPECT_DOUBLE_EQ(scaledValue(memory.word(record + 11)), -5.25);
    EXPECT_EQ(memory.word(record + 13), 260);
    EXPECT_EQ(memory.byte(record + 15), 0x80 | 87);
    EXPECT_EQ(memory.byte(record + 16), 55);
    EXPECT_EQ(PeriodicLogWriter::recordSize(0x3E9), 17);
}

TEST_F(PeriodicLog, reachingTheLastBlockMarksTheLogWrapped)
{
    writer.clear();
    // 115 blocks of four 15-byte records, then one record in the last block.
    const quint16 flags = 0x3C3; // AHr 1, AHr 2, volts 1, amps 1, volts 2, % full
    append(flags, 115 * 4);
    EXPECT_EQ(memory.byte(0x1FC0), 0);
    append(flags);
    EXPECT_EQ(memory.byte(0x1FC0), 3 + 3 * 15);
    EXPECT_EQ(writer.newestPointer(), 0x1FC3);
    EXPECT_EQ(records().size(), 115 * 4 + 1);
}

TEST_F(PeriodicLog, afterTheLastBlockTheLogRunsOnInBlockZero)
{
    writer.clear();
    const quint16 flags = 0x3C3;
    append(flags, 116 * 4 + 1);
    EXPECT_EQ(writer.newestPointer(), 0x0303);
    EXPECT_EQ(memory.byte(0x0300), 3 + 3 * 15);
    // The reader starts at block 1 and ends with the one record of block 0.
    const QList<int> order = records();
    EXPECT_EQ(order.size(), 115 * 4 + 1);
    EXPECT_EQ(order.first(), 0x43);
    EXPECT_EQ(order.last(), 0x03);
}

TEST_F(PeriodicLog, theRingKeepsTheNewestRecordsInOrderAcrossManyWraps)
{
    writer.clear();
    const quint16 flags = AmpHours1AndWattHours1;
    for (int i = 0; i < 3000; ++i) {
        values.ampHours[0] = i % 1000; // each record tells its own number
        writer.append(0, 0, flags, values);
    }
    const QList<int> order = records();
    ASSERT_FALSE(order.isEmpty());
    for (int i = 0; i < order.size(); ++i) {
        const double expected = (3000 - order.size() + i) % 1000;
        ASSERT_DOUBLE_EQ(scaledValue(memory.word(0x0300 + order[i] + 3)), expected) << i;
    }
    EXPECT_GE(order.size(), 115 * 8);
}

TEST(EfficiencyLog, recordsSitSevenToABlockOfSixtyFour)
{
    EXPECT_EQ(EfficiencyLogWriter::recordOffset(0), 0);
    EXPECT_EQ(EfficiencyLogWriter::recordOffset(6), 54);
    EXPECT_EQ(EfficiencyLogWriter::recordOffset(7), 64);
    EXPECT_EQ(EfficiencyLogWriter::recordOffset(223), 6 * 9 + 31 * 64);
}

TEST(EfficiencyLog, theFirstRecordGoesToIndexOneAndTheIndexIsKeptAt0x2FFC)
{
    LogMemory memory;
    EfficiencyLogWriter writer(memory, 1);
    writer.clear();
    writer.append({44, 107, true, 0xFFFF38, 0x0004D2});
    EXPECT_EQ(memory.byte(0x2FFC), 1);
    EXPECT_EQ(memory.byte(0x2FFD), 0);
    EXPECT_EQ(memory.bytes().mid(0x3009, 9),
              bytesOf({107, 0x2C, 0x80, 0x38, 0xFF, 0xFF, 0xD2, 0x04, 0x00}));
    EXPECT_EQ(LogReaders::efficiencyRecords(1, false), (QList<int>{0, 9}));
}

TEST(EfficiencyLog, batteryTwoHasItsOwnAreaAndIndex)
{
    LogMemory memory;
    EfficiencyLogWriter writer(memory, 2);
    writer.clear();
    writer.append({8, 0, false, 1, 2});
    EXPECT_EQ(memory.byte(0x2FFE), 1);
    EXPECT_EQ(memory.byte(0x2FFC), 0);
    EXPECT_EQ(memory.word(0x380A), 8); // valid flag clear
}

TEST(EfficiencyLog, theIndexWrapsToZeroAndSetsTheWrappedBit)
{
    LogMemory memory;
    EfficiencyLogWriter writer(memory, 1);
    writer.clear();
    for (int i = 1; i <= 223; ++i)
        writer.append({static_cast<quint16>(i), 0, true, 0, 0});
    EXPECT_EQ(memory.byte(0x2FFC), 223);
    EXPECT_EQ(memory.byte(0x2FFD) & 0x80, 0);
    writer.append({224, 0, true, 0, 0});
    EXPECT_EQ(memory.byte(0x2FFC), 0);
    EXPECT_EQ(memory.byte(0x2FFD) & 0x80, 0x80);
    EXPECT_EQ(memory.word(0x3001) & 0x7FFF, 224);
}

TEST(EfficiencyLog, aWrappedLogEndingAtIndex223IsReadFromZero)
{
    LogMemory memory;
    EfficiencyLogWriter writer(memory, 1);
    writer.clear();
    for (int i = 1; i <= 223 + 224; ++i)
        writer.append({static_cast<quint16>(i), 0, true, 0, 0});
    EXPECT_EQ(writer.newestIndex(), 223);
    EXPECT_TRUE(writer.wrapped());
    const QList<int> order = LogReaders::efficiencyRecords(223, true);
    ASSERT_EQ(order.size(), 224);
    EXPECT_EQ(memory.word(0x3000 + order.first() + 1) & 0x7FFF, 224);
    EXPECT_EQ(memory.word(0x3000 + order.last() + 1) & 0x7FFF, 447);
}

TEST(DischargeProfileLog, anEmptyProfilePointsAt0x2000)
{
    LogMemory memory;
    DischargeLogWriter writer(memory);
    writer.clear();
    EXPECT_EQ(writer.pointerWord(), 0x2000);
    EXPECT_TRUE(LogReaders::dischargeEntries(writer.pointerWord()).isEmpty());
}

TEST(DischargeProfileLog, theFirstEntryGoesToOffsetFive)
{
    LogMemory memory;
    DischargeLogWriter writer(memory);
    writer.clear();
    writer.append({2, 95, 17, 12.6, -2.5});
    EXPECT_EQ(writer.pointerWord(), 0x2005);
    // Battery 2, 95 % = 19 steps; day 17 and 12.6 V; -2.5 A.
    EXPECT_EQ(memory.bytes().mid(0x2005, 5), bytesOf({0x80 | 19, 0xFC, 0x88, 0xFA, 0x90}));
    EXPECT_EQ(LogReaders::dischargeEntries(0x2005), QList<int>{5});
}

TEST(DischargeProfileLog, entriesFillTwelveToABlockOf64)
{
    LogMemory memory;
    DischargeLogWriter writer(memory);
    writer.clear();
    for (int i = 0; i < 12; ++i)
        writer.append({1, 50, 1, 12.0, -1.0});
    EXPECT_EQ(writer.pointerWord(), 0x2040);
    EXPECT_EQ(LogReaders::dischargeEntries(0x2040).size(), 12);
}

TEST(DischargeProfileLog, theRingWrapsAfterBlock62AndSetsBit15)
{
    LogMemory memory;
    DischargeLogWriter writer(memory);
    writer.clear();
    for (int i = 0; i < 755; ++i)
        writer.append({1, 50, 1, 12.0, -1.0});
    EXPECT_EQ(writer.pointerWord(), 0x2000 + 62 * 64 + 55);
    writer.append({1, 50, 1, 12.0, -1.0});
    EXPECT_EQ(writer.pointerWord(), 0xA000);
    for (int i = 0; i < 11; ++i)
        writer.append({1, 50, 1, 12.0, -1.0});
    // Entry 11 of block 0: the reader visits all 756 entries.
    EXPECT_EQ(writer.pointerWord(), 0xA037);
    EXPECT_EQ(LogReaders::dischargeEntries(0xA037).size(), 756);
}

TEST(DischargeProfileLog, clearingLeavesTheEfficiencyIndexesAlone)
{
    LogMemory memory;
    memory.setByte(0x2FFC, 9);
    DischargeLogWriter writer(memory);
    writer.append({1, 50, 1, 12.0, -1.0});
    writer.clear();
    EXPECT_EQ(memory.byte(0x2005), 0);
    EXPECT_EQ(memory.byte(0x2FFC), 9);
}
