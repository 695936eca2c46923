// Whatever the unit sends, decoding stays inside its buffers and record pools and every walk
// ends. These run under AddressSanitizer in CI, which turns any stray access into a failure.
#include "LogImages.h"
#include "LoggedTestSupport.h"
#include "logged/CLoggedData.h"
#include "logged/DischargeProfileCsv.h"
#include "logged/DischargeProfileDecoder.h"
#include "logged/EfficiencyCsv.h"
#include "logged/EfficiencyLogDecoder.h"
#include "logged/PeriodicCsv.h"
#include "logged/PeriodicLogDecoder.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

using Log = CLoggedData::Log;

QByteArray randomBytes(QRandomGenerator& random, int size)
{
    QByteArray bytes(size, '\0');
    for (char& byte : bytes)
        byte = static_cast<char>(random.bounded(256));
    return bytes;
}

void decodeEveryArea(CLoggedData& data)
{
    for (Log log :
         {Log::Periodic, Log::DischargeProfile, Log::Battery1Efficiency, Log::Battery2Efficiency})
        data.decodeArea(log);
}

void expectWithinCapacities(const CLoggedData& data)
{
    EXPECT_LE(data.periodicCount(), 1392);
    EXPECT_LE(data.efficiencyCount(1), 224);
    EXPECT_LE(data.efficiencyCount(2), 224);
    EXPECT_LE(data.dischargeProfileCount(1) + data.dischargeProfileCount(2), 756);
}

// Turns every record into file text, so the writers meet the same records.
void writeEverything(const CLoggedData& data)
{
    PeriodicCsvFormat format;
    format.batteryMask = 3;
    format.timeText = utcTimeText();
    PeriodicCsv(format).fileText(data.periodic());
    for (int battery = 1; battery <= 2; ++battery) {
        EfficiencyCsv::fileText(data.efficiency(battery), data.averagingCycles(), utcTimeText());
        DischargeProfileCsv::fileText(data.dischargeProfile(battery));
    }
}

} // namespace

TEST(HostileLog, memoryOfAllOnes_decodesWithinEveryCapacity)
{
    CLoggedData data;
    data.setUnitBaseTime(TestBaseTime);
    const QByteArray ones(0x4000, '\xFF');
    ASSERT_TRUE(data.takePeriodicPointer(ones.first(4)));
    ASSERT_TRUE(data.takeDischargeProfilePointer(ones.first(3)));
    ASSERT_TRUE(data.takeEfficiencyIndexes(ones.first(256)));
    for (Log log :
         {Log::Periodic, Log::DischargeProfile, Log::Battery1Efficiency, Log::Battery2Efficiency}) {
        LogArea& area = data.area(log);
        ASSERT_TRUE(area.storeAt(area.baseAddress(), ones.first(area.bufferSize())));
    }

    decodeEveryArea(data);

    expectWithinCapacities(data);
    EXPECT_EQ(data.efficiencyCount(1), 224);
    EXPECT_EQ(data.dischargeProfileCount(2), 756);
    writeEverything(data);
}

TEST(HostileLog, randomMemoryAndPointers_decodeWithinEveryCapacity)
{
    QRandomGenerator random(20260301);
    for (int round = 0; round < 20; ++round) {
        CLoggedData data;
        data.takePeriodicPointer(randomBytes(random, 4));
        data.takeDischargeProfilePointer(randomBytes(random, 3));
        data.takeEfficiencyIndexes(randomBytes(random, 256));
        data.setUnitBaseTime(static_cast<qint64>(random.bounded(2000000000)));
        for (Log log : {Log::Periodic, Log::DischargeProfile, Log::Battery1Efficiency,
                        Log::Battery2Efficiency}) {
            LogArea& area = data.area(log);
            area.storeAt(area.baseAddress(), randomBytes(random, area.bufferSize()));
        }

        decodeEveryArea(data);

        expectWithinCapacities(data);
        writeEverything(data);
    }
}

TEST(HostileLog, periodicPointerAnywhere_neverOverrunsTheRecords)
{
    QRandomGenerator random(7);
    const QByteArray area = randomBytes(random, 7424);
    std::vector<CPerData> records(1392);
    for (int newest = 0; newest <= 0xFFFF; newest += 61)
        EXPECT_LE(PeriodicLogDecoder::decode(area, newest, TestBaseTime, records), 1392);
}

TEST(HostileLog, blocksWithItemFlagsZero_stopAtTheRecordCapacity)
{
    // Every block full of 3-byte records and pointing past its end; no newest record matches.
    QByteArray area(7424, '\0');
    for (int block = 0; block < 116; ++block)
        area[block * 64] = 63;
    std::vector<CPerData> records(1392);
    EXPECT_EQ(PeriodicLogDecoder::decode(area, 0xFFFF, TestBaseTime, records), 1392);

    std::vector<CPerData> few(100);
    EXPECT_EQ(PeriodicLogDecoder::decode(area, 0xFFFF, TestBaseTime, few), 100);
}

TEST(HostileLog, periodicRingThatNeverCloses_walksEachBlockOnce)
{
    // Wrapped, and the newest pointer matches no record: the walk goes round once.
    PeriodicLogImage image;
    for (int n = 0; n < 1392; ++n)
        image.appendStamp(dayWord(0, 0), 0, CPerData::AMPHOURS1);
    image.bytes()[0] = 58; // block 0 points at block 115's last record, as after a wrap
    std::vector<CPerData> records(1392);
    EXPECT_EQ(PeriodicLogDecoder::decode(image.bytes(), 2, TestBaseTime, records), 1392);
}

TEST(HostileLog, efficiencyIndexOutsideTheRing_isBounded)
{
    const QByteArray area(2048, '\xFF');
    std::vector<CEffData> records(224);
    for (int newest = 0; newest < 256; ++newest) {
        for (bool wrapped : {false, true}) {
            const int count =
                EfficiencyLogDecoder::decode(area, newest, wrapped, TestBaseTime, records);
            EXPECT_GE(count, 1);
            EXPECT_LE(count, 224);
        }
    }
    std::vector<CEffData> few(3);
    EXPECT_EQ(EfficiencyLogDecoder::decode(area, 200, true, TestBaseTime, few), 3);
}

TEST(HostileLog, dischargeProfilePointerAnywhere_staysInTheRingAndThePool)
{
    const DischargeProfileImage image;
    std::vector<CIntData> pool(756);
    std::vector<CIntData*> battery1;
    std::vector<CIntData*> battery2;
    for (int newest = 0; newest <= 0xFFFF; newest += 29) {
        for (bool wrapped : {false, true}) {
            const int count = DischargeProfileDecoder::decode(image.bytes(), newest, wrapped, true,
                                                              pool, battery1, battery2);
            EXPECT_LE(count, 756);
            EXPECT_EQ(battery1.size() + battery2.size(), static_cast<std::size_t>(count));
        }
    }
    // In the last block (the efficiency indexes) the pointer counts as the ring's end.
    EXPECT_EQ(DischargeProfileDecoder::entryIndex(0xFC0), 755);
    EXPECT_EQ(DischargeProfileDecoder::entryIndex(0x03F), 11);
    EXPECT_EQ(DischargeProfileDecoder::entryIndex(0x042), 12);

    std::vector<CIntData> few(10);
    EXPECT_EQ(
        DischargeProfileDecoder::decode(image.bytes(), 0x37, true, true, few, battery1, battery2),
        10);
}

TEST(HostileLog, buffersShorterThanTheirLog_readAsZerosBeyondTheirEnd)
{
    const QByteArray shortArea(10, '\xFF');
    std::vector<CPerData> periodic(1392);
    EXPECT_LE(PeriodicLogDecoder::decode(shortArea, 0x100, TestBaseTime, periodic), 1392);
    std::vector<CEffData> efficiency(224);
    EXPECT_EQ(EfficiencyLogDecoder::decode(shortArea, 100, false, TestBaseTime, efficiency), 101);
    std::vector<CIntData> pool(756);
    std::vector<CIntData*> battery1;
    std::vector<CIntData*> battery2;
    EXPECT_EQ(
        DischargeProfileDecoder::decode(shortArea, 0x37, true, true, pool, battery1, battery2),
        756);
    EXPECT_EQ(PeriodicLogDecoder::decode({}, 0, TestBaseTime, periodic), 116);
}
