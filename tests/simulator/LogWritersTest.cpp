#include "logged/DischargeProfileDecoder.h"
#include "logged/EfficiencyLogDecoder.h"
#include "logged/PeriodicLogDecoder.h"
#include "simulator/DischargeLogWriter.h"
#include "simulator/EfficiencyLogWriter.h"
#include "simulator/LogMemory.h"
#include "simulator/LogValueCodec.h"
#include "simulator/PeriodicLogWriter.h"
#include "tests/support/TestBytes.h"

#include <QList>
#include <gtest/gtest.h>

// The unit's log writers, checked byte by byte against the documented layouts and read back
// with the program's own decoders (whose tests hold them to the same layouts), so neither side
// is the only judge of the other.

namespace {

// Item flags, restated: bit 0 AHr 1, 1 AHr 2, 2 AHr 3, 3 WHr 1, 4 WHr 2, 5 temperature,
// 6 volts 1, 7 amps 1, 8 volts 2, 9 percent full.
constexpr quint16 AllTen = 0x3FF;
constexpr quint16 AmpHours1AndWattHours1 = 0x009;
constexpr quint16 FifteenBytes = 0x3C3; // AHr 1, AHr 2, volts 1, amps 1, volts 2, % full

class PeriodicLog : public ::testing::Test {
protected:
    void SetUp() override { writer.clear(); }

    // Each record tells its own number in amp-hours 1.
    void append(quint16 flags, int count = 1)
    {
        PeriodicValues values;
        for (int i = 0; i < count; ++i, ++appended) {
            values.ampHours[0] = appended % 1000;
            writer.append(static_cast<quint16>(8 * (i / 24)), static_cast<quint8>(i % 24), flags,
                          values);
        }
    }

    // The records the program reads back, which must run on one by one (numbers modulo 1000):
    // the oldest one's number and how many.
    std::pair<int, int> records() const
    {
        std::vector<CPerData> pool(PeriodicLogDecoder::Capacity);
        const int count = PeriodicLogDecoder::decode(
            memory.bytes().mid(0x0300, 7424), (writer.newestPointer() & 0x3FFF) - 0x0300, 0, pool);
        const auto number = [&pool](int i) { return static_cast<int>(pool.at(i).ampHours[0]); };
        for (int i = 1; i < count; ++i)
            EXPECT_EQ(number(i), (number(0) + i) % 1000) << i;
        return {count > 0 ? number(0) : -1, count};
    }

    LogMemory memory;
    PeriodicLogWriter writer{memory};
    int appended = 0;
};

} // namespace

TEST(LogValueCodec, ValuesTakeTheFinestScaleThatFits)
{
    EXPECT_EQ(LogValueCodec::periodicScaled(10.23), 0x13FF); // code 1, magnitude 1023
    EXPECT_EQ(LogValueCodec::periodicScaled(-1.5), 0x9096);  // sign, code 1, magnitude 150
    EXPECT_EQ(LogValueCodec::volts(12.6), 252);              // eleven bits of 50 mV
    EXPECT_EQ(LogValueCodec::volts(200.0), 0x7FF);
    EXPECT_EQ(LogValueCodec::volts(-1.0), 0);
    EXPECT_EQ(LogValueCodec::dischargeAmps(-2.5), 0x90FA); // sign, code 1 (x0.01), 250
    EXPECT_EQ(LogValueCodec::dischargeAmps(0.5), 0x01F4);  // code 0 (x0.001), 500
    // Ten bits keep three figures: -123.4 is logged as -123.
    for (const auto& [value, read] :
         {std::pair{50000.0, 50000.0f}, {-123.4, -123.0f}, {-102.3, -102.3f}, {0.0, 0.0f}})
        EXPECT_FLOAT_EQ(PeriodicLogDecoder::scaledValue(LogValueCodec::periodicScaled(value)),
                        read);
    EXPECT_NEAR(DischargeProfileDecoder::ampsValue(LogValueCodec::dischargeAmps(-45.0)), -45.0,
                1e-4);
}

TEST_F(PeriodicLog, ARecordIsItsTimeThenEachFlaggedItemInFlagOrder)
{
    EXPECT_EQ(PeriodicLogWriter::recordSize(AllTen), 23);
    EXPECT_EQ(PeriodicLogWriter::recordSize(AmpHours1AndWattHours1), 7);
    const PeriodicValues record{.ampHours = {-12.34},
                                .wattHours = {150.0},
                                .temperatureMax = 25,
                                .temperatureMin = -1,
                                .volts1 = 12.6,
                                .amps1 = -5.25,
                                .volts2 = 13.0,
                                .percentFull = {87, 55},
                                .charged = {true}};
    // Day 5, 13:47: day word 44, minute 107; all items but AHr 2, AHr 3 and WHr 2.
    writer.append(44, 107, 0x3E9, record);
    EXPECT_EQ(memory.bytes().mid(0x0301, 5), bytesOf({0xE9, 0x03, 44, 0, 107}));
    EXPECT_FLOAT_EQ(PeriodicLogDecoder::scaledValue(memory.word(0x0306)), -12.3f);
    EXPECT_FLOAT_EQ(PeriodicLogDecoder::scaledValue(memory.word(0x0308)), 150.0f);
    // Temperature maximum and minimum, volts 1 (12.6 V in 50 mV), amps 1, volts 2, then the
    // percentages, battery 1's with its charged bit.
    EXPECT_EQ(memory.bytes().mid(0x030A, 4), bytesOf({25, 0xFF, 252, 0}));
    EXPECT_FLOAT_EQ(PeriodicLogDecoder::scaledValue(memory.word(0x030E)), -5.25f);
    EXPECT_EQ(memory.bytes().mid(0x0310, 4), bytesOf({4, 1, 0x80 | 87, 55}));
    EXPECT_EQ(writer.newestPointer(), 0x0303);
}

TEST_F(PeriodicLog, BlocksHoldWholeRecordsAndStartWithTheOffsetOfTheLastOneBefore)
{
    EXPECT_EQ(writer.newestPointer(), 0x1FC0);
    EXPECT_EQ(memory.byte(0x1FC0), 0);
    EXPECT_EQ(records(), std::pair(-1, 0));

    // Two 23-byte records in block 0; block 1 starts with 3 + 23 = 0x1A.
    append(AllTen, 3);
    EXPECT_EQ(memory.bytes().mid(0x0340, 3), bytesOf({0x1A, AllTen & 0xFF, AllTen >> 8}));
    EXPECT_EQ(writer.newestPointer(), 0x0343);
    // New item flags start a new block.
    append(AmpHours1AndWattHours1, 9);
    EXPECT_EQ(memory.bytes().mid(0x0380, 3), bytesOf({3, AmpHours1AndWattHours1, 0}));
    EXPECT_EQ(memory.byte(0x03C0), 3 + 7 * 7);
    EXPECT_EQ(records(), std::pair(0, 12));
}

TEST_F(PeriodicLog, TheRingWrapsAtTheLastBlockAndKeepsTheNewestRecordsInOrder)
{
    append(FifteenBytes, 115 * 4);
    EXPECT_EQ(memory.byte(0x1FC0), 0);
    append(FifteenBytes);
    // Reaching the last block marks the log wrapped.
    EXPECT_EQ(memory.byte(0x1FC0), 3 + 3 * 15);
    EXPECT_EQ(writer.newestPointer(), 0x1FC3);
    EXPECT_EQ(records(), std::pair(0, 115 * 4 + 1));
    append(FifteenBytes, 4);
    EXPECT_EQ(writer.newestPointer(), 0x0303);
    EXPECT_EQ(records(), std::pair(4, 115 * 4 + 1));

    append(AmpHours1AndWattHours1, 3000);
    const auto [oldest, count] = records();
    EXPECT_GE(count, 115 * 8);
    EXPECT_EQ(oldest, (appended - count) % 1000);
}

TEST(EfficiencyLog, RecordsSitSevenToABlockFromIndexOneAndTheIndexWrapsToZeroWithItsBit)
{
    LogMemory memory;
    EfficiencyLogWriter first(memory, 1);
    EfficiencyLogWriter second(memory, 2);
    first.clear();
    second.clear();
    first.append({44, 107, true, 0xFFFF38, 0x0004D2});
    EXPECT_EQ(memory.bytes().mid(0x2FFC, 4), bytesOf({1, 0, 0, 0}));
    EXPECT_EQ(memory.bytes().mid(0x3009, 9),
              bytesOf({107, 0x2C, 0x80, 0x38, 0xFF, 0xFF, 0xD2, 0x04, 0x00}));
    // Battery 2 has its own area and index; its valid flag is clear here.
    second.append({8, 0, false, 1, 2});
    EXPECT_EQ(memory.byte(0x2FFE), 1);
    EXPECT_EQ(memory.word(0x380A), 8);
    for (quint32 i = 2; i <= 224; ++i)
        first.append({static_cast<quint16>(i), 0, true, 0, i});
    EXPECT_EQ(memory.bytes().mid(0x2FFC, 2), bytesOf({0, 0x80}));
    for (quint32 i = 225; i <= 447; ++i)
        first.append({static_cast<quint16>(i), 0, true, 0, i});
    ASSERT_EQ(first.newestIndex(), 223);
    std::vector<CEffData> pool(EfficiencyLogDecoder::RingSize);
    ASSERT_EQ(EfficiencyLogDecoder::decode(memory.bytes().mid(0x3000, 2048), 223, true, 0, pool),
              224);
    EXPECT_EQ(std::pair(pool.front().counterB, pool.back().counterB), std::pair(224u, 447u));
}

TEST(DischargeProfileLog, EntriesStartAtOffsetFiveTwelveToABlockAndWrapAfterBlock62WithBit15)
{
    LogMemory memory;
    memory.setByte(0x2FFC, 9);
    DischargeLogWriter writer(memory);
    writer.clear();
    EXPECT_EQ(writer.pointerWord(), 0x2000);
    writer.append({2, 95, 17, 12.6, -2.5});
    EXPECT_EQ(writer.pointerWord(), 0x2005);
    // Battery 2, 95 % = 19 steps; day 17 and 12.6 V; -2.5 A.
    EXPECT_EQ(memory.bytes().mid(0x2005, 5), bytesOf({0x80 | 19, 0xFC, 0x88, 0xFA, 0x90}));
    int day = 0;
    const auto append = [&](int count) {
        for (int i = 0; i < count; ++i)
            writer.append({1, 50, day++ % 32, 12.0, -1.0});
        return writer.pointerWord();
    };
    EXPECT_EQ(append(11), 0x2040);
    EXPECT_EQ(append(743), 0x2000 + 62 * 64 + 55);
    EXPECT_EQ(append(1), 0xA000);
    EXPECT_EQ(append(11), 0xA037);
    std::vector<CIntData> pool(DischargeProfileDecoder::Capacity);
    std::vector<CIntData*> battery1;
    std::vector<CIntData*> battery2;
    DischargeProfileDecoder::decode(memory.bytes().mid(0x2000, 4096), 0x37, true, true, pool,
                                    battery1, battery2);
    ASSERT_EQ(battery1.size(), 756u);
    for (std::size_t i = 0; i < battery1.size(); ++i)
        ASSERT_EQ(battery1[i]->dayOfMonth, (day - 756 + static_cast<int>(i)) % 32) << i;
    // Clearing leaves the efficiency indexes behind the ring alone.
    writer.clear();
    EXPECT_EQ(memory.byte(0x2005), 0);
    EXPECT_EQ(memory.byte(0x2FFC), 9);
}
