// Whatever the unit sends, decoding stays inside its buffers and record pools and every walk
// ends. These run under AddressSanitizer in CI, which turns any stray access into a failure.
#include "LogImages.h"
#include "logged/DischargeProfileCsv.h"
#include "logged/DischargeProfileDecoder.h"
#include "logged/EfficiencyCsv.h"
#include "logged/EfficiencyLogDecoder.h"
#include "logged/PeriodicCsv.h"
#include "logged/PeriodicLogDecoder.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

TEST(HostileLog, MemoryOfAllOnesOrRandomBytesDecodesWithinEveryCapacity)
{
    QRandomGenerator random(20260301);
    for (int round = 0; round <= 20; ++round) {
        SCOPED_TRACE(round);
        // Round 0: every byte 0xFF; then random bytes, replies and log memory alike.
        const auto bytes = [&](int size) {
            QByteArray taken(size, '\xFF');
            for (char& byte : taken)
                byte = round == 0 ? byte : static_cast<char>(random.bounded(256));
            return taken;
        };
        CLoggedData data;
        data.takePeriodicPointer(bytes(4));
        data.takeDischargeProfilePointer(bytes(3));
        data.takeEfficiencyIndexes(bytes(256));
        for (auto log :
             {CLoggedData::Log::Periodic, CLoggedData::Log::DischargeProfile,
              CLoggedData::Log::Battery1Efficiency, CLoggedData::Log::Battery2Efficiency}) {
            ASSERT_TRUE(data.area(log).storeAt(data.area(log).baseAddress(),
                                               bytes(data.area(log).bufferSize())));
            data.decodeArea(log);
        }
        EXPECT_LE(data.periodicCount(), 1392);
        EXPECT_LE(std::max(data.efficiencyCount(1), data.efficiencyCount(2)), 224);
        EXPECT_LE(data.dischargeProfileCount(1) + data.dischargeProfileCount(2), 756);
        PeriodicCsv(PeriodicCsvFormat{true, 3, false, {}, {}}).fileText(data.periodic());
        for (int battery = 1; battery <= 2; ++battery) {
            EfficiencyCsv::fileText(data.efficiency(battery), data.averagingCycles(),
                                    utcTimeText());
            DischargeProfileCsv::fileText(data.dischargeProfile(battery));
        }
    }
}

TEST(HostileLog, EveryWalkEndsInsideItsRingAndItsPool)
{
    std::vector<CPerData> records(1392);
    std::vector<CEffData> cycles(224);
    std::vector<CIntData> pool(756);
    std::vector<CIntData*> battery1, battery2;
    const auto periodic = [&](QByteArrayView area, int newest, std::size_t room = 1392) {
        return PeriodicLogDecoder::decode(area, newest, 0, std::span(records).first(room));
    };
    const auto efficiency = [&](QByteArrayView area, int newest, bool wrapped,
                                std::size_t room = 224) {
        return EfficiencyLogDecoder::decode(area, newest, wrapped, 0,
                                            std::span(cycles).first(room));
    };
    const auto profile = [&](QByteArrayView area, int newest, bool wrapped,
                             std::size_t room = 756) {
        const int count = DischargeProfileDecoder::decode(
            area, newest, wrapped, true, std::span(pool).first(room), battery1, battery2);
        EXPECT_EQ(battery1.size() + battery2.size(), static_cast<std::size_t>(count));
        return count;
    };
    QRandomGenerator random(7);
    QByteArray noise(7424, '\0');
    for (char& byte : noise)
        byte = static_cast<char>(random.bounded(256));
    const QByteArray ones(2048, '\xFF');
    for (int newest = 0; newest <= 0xFFFF; newest += 61) {
        EXPECT_LE(periodic(noise, newest), 1392) << newest;
        for (bool wrapped : {false, true}) {
            EXPECT_LE(profile(noise.first(4096), newest, wrapped), 756) << newest;
            const int count = efficiency(ones, newest % 256, wrapped);
            EXPECT_TRUE(count >= 1 && count <= 224) << newest;
        }
    }
    // In the last block (the efficiency indexes) the pointer counts as the ring's end.
    EXPECT_EQ(DischargeProfileDecoder::entryIndex(0xFC0), 755);
    // Every periodic block full of 3-byte records pointing past its end; no newest matches.
    QByteArray flagsZero(7424, '\0');
    for (int block = 0; block < 116; ++block)
        flagsZero[block * 64] = 63;
    EXPECT_EQ(periodic(flagsZero, 0xFFFF), 1392);
    EXPECT_EQ(periodic(flagsZero, 0xFFFF, 100), 100);
    // Wrapped, and the newest pointer matches no record: the walk goes round once.
    PeriodicLogImage neverCloses;
    for (int n = 0; n < 1392; ++n)
        neverCloses.append(0, CPerData::AMPHOURS1);
    neverCloses.bytes[0] = 58; // block 0 points at block 115's last record
    EXPECT_EQ(periodic(neverCloses.bytes, 2), 1392);
    EXPECT_EQ(efficiency(ones, 200, true, 3), 3);
    EXPECT_EQ(profile(QByteArray(4096, '\0'), 0x37, true, 10), 10);
    // Buffers shorter than their log read as zeros beyond their end.
    EXPECT_EQ(periodic({}, 0), 116);
    EXPECT_LE(periodic(ones.first(10), 0x100), 1392);
    EXPECT_EQ(efficiency(ones.first(10), 100, false), 101);
    EXPECT_EQ(profile(ones.first(10), 0x37, true), 756);
}
