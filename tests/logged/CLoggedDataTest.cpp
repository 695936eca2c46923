#include "logged/CLoggedData.h"

#include "LogImages.h"
#include "LoggedTestSupport.h"
#include "config/Settings.h"
#include "logged/UnitTimeStamp.h"

#include <gtest/gtest.h>

namespace {

using Log = CLoggedData::Log;

QByteArray efficiencyIndexPage(std::uint8_t newest1, std::uint8_t flags1, std::uint8_t newest2,
                               std::uint8_t flags2)
{
    QByteArray page(256, '\0');
    page[0xFC] = static_cast<char>(newest1);
    page[0xFD] = static_cast<char>(flags1);
    page[0xFE] = static_cast<char>(newest2);
    page[0xFF] = static_cast<char>(flags2);
    return page;
}

// Feeds an area the way the download does: one block read after another.
bool transfer(LogArea& area, const QByteArray& image)
{
    while (area.hasMoreRequests()) {
        const int offset = area.unitAddress() - area.baseAddress();
        area.noteRequestIssued();
        if (!area.storeReply(image.mid(offset, area.bytesPerRequest())))
            return false;
    }
    return true;
}

} // namespace

TEST(CLoggedData, newDownload_hasItsFourAreasZeroFilledAndNoRecords)
{
    CLoggedData data;
    struct Expected {
        Log log;
        int address;
        int bytesPerRequest;
        int requests;
        int size;
    };
    for (const Expected& e : {Expected{Log::Periodic, 0x0300, 256, 29, 7424},
                              Expected{Log::DischargeProfile, 0x2000, 512, 8, 4096},
                              Expected{Log::Battery1Efficiency, 0x3000, 512, 4, 2048},
                              Expected{Log::Battery2Efficiency, 0x3800, 512, 4, 2048}}) {
        const LogArea& area = data.area(e.log);
        EXPECT_EQ(area.unitAddress(), e.address);
        EXPECT_EQ(area.bytesPerRequest(), e.bytesPerRequest);
        EXPECT_EQ(area.requestCount(), e.requests);
        EXPECT_EQ(area.bufferSize(), e.size);
        EXPECT_EQ(area.buffer().toByteArray(), QByteArray(e.size, '\0'));
        EXPECT_EQ(area.requestsMade(), 0);
        EXPECT_FALSE(area.present() || area.wrapped() || area.done());
    }
    EXPECT_EQ(data.periodicCount(), 0);
    EXPECT_EQ(data.efficiencyCount(1) + data.efficiencyCount(2), 0);
    EXPECT_EQ(data.dischargeProfileCount(1) + data.dischargeProfileCount(2), 0);
}

TEST(CLoggedData, periodicPointerReply_isRebasedToTheLogArea)
{
    CLoggedData data;
    ASSERT_TRUE(data.takePeriodicPointer(QByteArray::fromHex("0000c01f")));
    EXPECT_EQ(data.area(Log::Periodic).pointer(), 0x1CC0);
    EXPECT_TRUE(data.area(Log::Periodic).present());

    // The two top bits of byte 3 are not part of the address.
    ASSERT_TRUE(data.takePeriodicPointer(QByteArray::fromHex("aaaa43c3")));
    EXPECT_EQ(data.area(Log::Periodic).pointer(), 0x0343 - 0x0300);

    EXPECT_FALSE(data.takePeriodicPointer(QByteArray::fromHex("000050")));
    EXPECT_EQ(data.area(Log::Periodic).pointer(), 0x0043);
}

TEST(CLoggedData, dischargeProfilePointerReply_setsPresentWrappedAndPointer)
{
    CLoggedData data;
    const LogArea& area = data.area(Log::DischargeProfile);

    ASSERT_TRUE(data.takeDischargeProfilePointer(QByteArray::fromHex("000020")));
    EXPECT_FALSE(area.present());
    EXPECT_FALSE(area.wrapped());
    EXPECT_EQ(area.pointer(), 0x2000); // not rebased

    ASSERT_TRUE(data.takeDischargeProfilePointer(QByteArray::fromHex("0037a0")));
    EXPECT_TRUE(area.present());
    EXPECT_TRUE(area.wrapped());
    EXPECT_EQ(area.pointer(), 0x0037);

    ASSERT_TRUE(data.takeDischargeProfilePointer(QByteArray::fromHex("000520")));
    EXPECT_TRUE(area.present());
    EXPECT_FALSE(area.wrapped());
    EXPECT_EQ(area.pointer(), 0x0005);

    EXPECT_FALSE(data.takeDischargeProfilePointer(QByteArray::fromHex("0005")));
}

TEST(CLoggedData, efficiencyIndexPage_givesEachBatterysRingState)
{
    CLoggedData data;
    ASSERT_TRUE(data.takeEfficiencyIndexes(efficiencyIndexPage(10, 0x80, 0, 0x7F)));

    const LogArea& battery1 = data.area(Log::Battery1Efficiency);
    EXPECT_EQ(battery1.pointer(), 10);
    EXPECT_TRUE(battery1.wrapped());
    EXPECT_TRUE(battery1.present());
    const LogArea& battery2 = data.area(Log::Battery2Efficiency);
    EXPECT_EQ(battery2.pointer(), 0);
    EXPECT_FALSE(battery2.wrapped());
    EXPECT_FALSE(battery2.present());

    ASSERT_TRUE(data.takeEfficiencyIndexes(efficiencyIndexPage(0, 0x80, 3, 0)));
    EXPECT_TRUE(data.area(Log::Battery1Efficiency).present());
    EXPECT_TRUE(data.area(Log::Battery2Efficiency).present());

    EXPECT_FALSE(data.takeEfficiencyIndexes(QByteArray(255, '\0')));
}

TEST(CLoggedData, batteryWords_giveTheBatteryMask)
{
    CLoggedData data;
    EXPECT_EQ(data.batteryMask(), 0);
    ASSERT_TRUE(data.takeBatteryWord(2, QByteArray::fromHex("0001")));
    EXPECT_EQ(data.batteryWord(2), 256);
    EXPECT_EQ(data.batteryMask(), 2);
    ASSERT_TRUE(data.takeBatteryWord(1, QByteArray::fromHex("6400")));
    EXPECT_EQ(data.batteryMask(), 3);
    EXPECT_FALSE(data.takeBatteryWord(1, QByteArray::fromHex("00")));
    EXPECT_EQ(data.batteryWord(1), 100);
}

TEST(CLoggedData, blockReads_fillTheAreaInOrderAndExtraOrShortRepliesAreRefused)
{
    CLoggedData data;
    LogArea& area = data.area(Log::Periodic);
    QByteArray image(7424, '\0');
    for (int i = 0; i < image.size(); ++i)
        image[i] = static_cast<char>(i * 7);

    EXPECT_FALSE(area.storeReply(QByteArray(255, 'x')));
    ASSERT_TRUE(transfer(area, image));

    EXPECT_EQ(area.buffer().toByteArray(), image);
    EXPECT_EQ(area.unitAddress(), 0x2000);
    EXPECT_EQ(area.requestsMade(), 29);
    EXPECT_FALSE(area.storeReply(QByteArray(256, 'x')));
}

TEST(CLoggedData, storeAt_placesBytesByUnitAddressOnlyInsideTheArea)
{
    CLoggedData data;
    LogArea& area = data.area(Log::DischargeProfile);
    EXPECT_TRUE(area.storeAt(0x2F00, QByteArray(256, '\x11')));
    EXPECT_EQ(static_cast<std::uint8_t>(area.buffer()[0xF00]), 0x11);
    EXPECT_FALSE(area.storeAt(0x2FFF, QByteArray(2, 'x')));
    EXPECT_FALSE(area.storeAt(0x1FFF, QByteArray(1, 'x')));
    EXPECT_EQ(area.writePosition(), 0);
}

TEST(CLoggedData, decodedAreas_fillTheRecordListsAndAFailureClearsThem)
{
    CLoggedData data;
    Settings settings;
    settings.avgCycles = 7;
    data.captureOptions(settings);
    data.setUnitBaseTime(TestBaseTime);

    PeriodicLogImage periodic;
    for (int n = 0; n < 20; ++n)
        periodic.appendStamp(dayWord(0, 0), static_cast<std::uint8_t>(n), CPerData::AMPHOURS1);
    ASSERT_TRUE(data.area(Log::Periodic).storeAt(0x0300, periodic.bytes()));
    data.area(Log::Periodic).setPointer(static_cast<std::uint16_t>(periodic.newest()));

    DischargeProfileImage profile;
    profile.setEntry(1, 0x00, 100, 0);
    profile.setEntry(2, 0x80, 100, 0);
    profile.setEntry(3, 0x80, 100, 0);
    ASSERT_TRUE(data.area(Log::DischargeProfile).storeAt(0x2000, profile.bytes()));
    ASSERT_TRUE(data.takeDischargeProfilePointer(QByteArray::fromHex("000f20")));
    ASSERT_TRUE(data.takeEfficiencyIndexes(efficiencyIndexPage(5, 0, 223, 0x80)));

    for (Log log :
         {Log::Periodic, Log::DischargeProfile, Log::Battery1Efficiency, Log::Battery2Efficiency})
        data.decodeArea(log);

    EXPECT_TRUE(data.area(Log::Periodic).done());
    EXPECT_EQ(data.periodicCount(), 20);
    EXPECT_EQ(data.periodic()[19]->time, TestBaseTime + 19 * 60);
    EXPECT_EQ(data.dischargeProfileCount(1), 1);
    EXPECT_EQ(data.dischargeProfileCount(2), 2);
    EXPECT_EQ(data.efficiencyCount(1), 6);
    EXPECT_EQ(data.efficiencyCount(2), 224);
    EXPECT_EQ(data.averagingCycles(), 7);

    data.clearRecords();
    EXPECT_EQ(data.periodicCount(), 0);
    EXPECT_EQ(data.efficiencyCount(1) + data.efficiencyCount(2), 0);
    EXPECT_EQ(data.dischargeProfileCount(1) + data.dischargeProfileCount(2), 0);
}

TEST(CLoggedData, reverseRecordOrder_putsEveryListNewestFirst)
{
    CLoggedData data;
    data.setUnitBaseTime(TestBaseTime);
    PeriodicLogImage periodic;
    for (int n = 0; n < 3; ++n)
        periodic.appendStamp(dayWord(0, 0), static_cast<std::uint8_t>(n), CPerData::AMPHOURS1);
    data.area(Log::Periodic).storeAt(0x0300, periodic.bytes());
    data.area(Log::Periodic).setPointer(static_cast<std::uint16_t>(periodic.newest()));
    data.takeEfficiencyIndexes(efficiencyIndexPage(2, 0, 1, 0));
    data.decodeArea(Log::Periodic);
    data.decodeArea(Log::Battery1Efficiency);
    data.decodeArea(Log::Battery2Efficiency);
    const CEffData* oldestEfficiency = data.efficiency(1).front();

    data.reverseRecordOrder();

    ASSERT_EQ(data.periodicCount(), 3);
    EXPECT_EQ(data.periodic()[0]->time, TestBaseTime + 120);
    EXPECT_EQ(data.periodic()[2]->time, TestBaseTime);
    EXPECT_EQ(data.efficiency(1).back(), oldestEfficiency);
    EXPECT_EQ(data.efficiencyCount(2), 2);
}

TEST(UnitTimeStamp, baseTime_placesDayZeroSoThatTheClockReadsNow)
{
    // The unit reads day 2, block 5, minute 37 while the PC reads 03/03/2026 15:37:20.
    const UnitTimeStamp unitClock{dayWord(2, 5), 37};
    const qint64 now = TestBaseTime + 2 * 86400 + 15 * 3600 + 37 * 60 + 20;
    EXPECT_EQ(unitClock.baseTimeAt(now), TestBaseTime + 20);
    EXPECT_EQ(unitClock.calendarTime(TestBaseTime), TestBaseTime + 2 * 86400 + 937 * 60);
}

TEST(UnitTimeStamp, syncedTo_setsBlockAndMinutesAndKeepsTheDay)
{
    const UnitTimeStamp late = UnitTimeStamp::syncedTo(dayWord(300, 2), QTime(23, 59, 41));
    EXPECT_EQ(late.dayWord, dayWord(300, 7));
    EXPECT_EQ(late.minutes, 179);

    const UnitTimeStamp midnight = UnitTimeStamp::syncedTo(dayWord(300, 6), QTime(0, 0));
    EXPECT_EQ(midnight.dayWord, dayWord(300, 0));
    EXPECT_EQ(midnight.minutes, 0);

    const UnitTimeStamp noon = UnitTimeStamp::syncedTo(0xFFFF, QTime(12, 1));
    EXPECT_EQ(noon.dayWord, 0xFFF8 + 4);
    EXPECT_EQ(noon.minutes, 1);
}
