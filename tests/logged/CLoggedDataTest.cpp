#include "logged/CLoggedData.h"

#include "LogImages.h"
#include "logged/UnitTimeStamp.h"

#include <gtest/gtest.h>

namespace {

using Log = CLoggedData::Log;
constexpr Log Logs[] = {Log::Periodic, Log::DischargeProfile, Log::Battery1Efficiency,
                        Log::Battery2Efficiency};

// "pointer present wrapped", e.g. "1cc0 10".
QString ringState(const LogArea& area)
{
    return QStringLiteral("%1 %2%3")
        .arg(area.pointer(), 0, 16)
        .arg(area.present())
        .arg(area.wrapped());
}

// The five record counts: periodic, efficiency 1 and 2, discharge profile 1 and 2.
QString counts(const CLoggedData& data)
{
    return QStringLiteral("%1 %2 %3 %4 %5")
        .arg(data.periodicCount())
        .arg(data.efficiencyCount(1))
        .arg(data.efficiencyCount(2))
        .arg(data.dischargeProfileCount(1))
        .arg(data.dischargeProfileCount(2));
}

} // namespace

TEST(CLoggedData, ANewDownloadHasItsFourAreasZeroFilledWhichBlockReadsFillInOrder)
{
    CLoggedData data;
    QStringList areas;
    for (Log log : Logs) {
        const LogArea& area = data.area(log);
        areas << QStringLiteral("%1:%2x%3 %4")
                     .arg(area.unitAddress(), 0, 16)
                     .arg(area.bytesPerRequest())
                     .arg(area.requestCount())
                     .arg(ringState(area));
        EXPECT_EQ(area.buffer().toByteArray(), QByteArray(area.bufferSize(), 0));
    }
    EXPECT_EQ(areas, (QStringList{"300:256x29 0 00", "2000:512x8 0 00", "3000:512x4 0 00",
                                  "3800:512x4 0 00"}));
    EXPECT_EQ(counts(data), QStringLiteral("0 0 0 0 0"));
    // Page n of the periodic log holds n; a reply of the wrong size is refused.
    LogArea& area = data.area(Log::Periodic);
    EXPECT_FALSE(area.storeReply(QByteArray(255, 'x')));
    QByteArray pages;
    for (char page = 0; area.hasMoreRequests(); ++page) {
        area.noteRequestIssued();
        pages += QByteArray(256, page);
        ASSERT_TRUE(area.storeReply(pages.last(256)));
    }
    EXPECT_EQ(area.buffer().toByteArray(), pages);
    EXPECT_EQ(area.unitAddress(), 0x2000);
    EXPECT_FALSE(area.storeReply(QByteArray(256, 'x')));
}

TEST(CLoggedData, PointerRepliesGiveEachLogsRingStateAndWrongLengthsChangeNothing)
{
    using Take = bool (CLoggedData::*)(QByteArrayView);
    const Take periodic = &CLoggedData::takePeriodicPointer;
    const Take profile = &CLoggedData::takeDischargeProfilePointer;
    const Take indexes = &CLoggedData::takeEfficiencyIndexes;
    const QByteArray page1 = efficiencyIndexPage(10, 0x80, 0, 0x7F);
    const QByteArray page2 = efficiencyIndexPage(0, 0x80, 3, 0);
    // The reply, whether it is taken, and the log's state as ringState() gives it (after a
    // refused reply that of a new download).
    const std::tuple<Take, QByteArray, bool, Log, const char*> cases[] = {
        {periodic, QByteArray::fromHex("0000c01f"), true, Log::Periodic, "1cc0 10"},
        // The two top bits of byte 3 are not part of the address.
        {periodic, QByteArray::fromHex("aaaa43c3"), true, Log::Periodic, "43 10"},
        {periodic, QByteArray::fromHex("000050"), false, Log::Periodic, "0 00"},
        // Still at the log's start: nothing logged, and the pointer is not rebased.
        {profile, QByteArray::fromHex("000020"), true, Log::DischargeProfile, "2000 00"},
        {profile, QByteArray::fromHex("0037a0"), true, Log::DischargeProfile, "37 11"},
        {profile, QByteArray::fromHex("000520"), true, Log::DischargeProfile, "5 10"},
        {profile, QByteArray::fromHex("0005"), false, Log::DischargeProfile, "0 00"},
        {indexes, page1, true, Log::Battery1Efficiency, "a 11"},
        {indexes, page1, true, Log::Battery2Efficiency, "0 00"},
        {indexes, page2, true, Log::Battery1Efficiency, "0 11"},
        {indexes, page2, true, Log::Battery2Efficiency, "3 10"},
        {indexes, QByteArray(255, '\x05'), false, Log::Battery1Efficiency, "0 00"},
    };
    for (const auto& [take, reply, accepted, log, state] : cases) {
        CLoggedData data;
        EXPECT_EQ((data.*take)(reply), accepted);
        EXPECT_EQ(ringState(data.area(log)), QLatin1String(state)) << reply.toHex().left(8).data();
    }
}

TEST(CLoggedData, DecodedAreasFillTheListsWhichReverseTogetherAndAFailureClears)
{
    const std::unique_ptr<CLoggedData> data = sampleDownload(0, 20, true);
    EXPECT_TRUE(data->area(Log::Periodic).done());
    const CPerData* oldest = data->periodic().front();
    const CEffData* oldestCycle = data->efficiency(2).front();
    const CIntData* oldestEntry = data->dischargeProfile(2).front();
    data->reverseRecordOrder();
    EXPECT_EQ(data->periodic().back(), oldest);
    EXPECT_EQ(data->efficiency(2).back(), oldestCycle);
    EXPECT_EQ(data->dischargeProfile(2).back(), oldestEntry);
    takeEfficiency(*data, {}, {}, efficiencyIndexPage(5, 0, 223, 0x80));
    EXPECT_EQ(counts(*data), QStringLiteral("20 6 224 5 5"));
    data->clearRecords();
    EXPECT_EQ(counts(*data), QStringLiteral("0 0 0 0 0"));
}

TEST(UnitTimeStamp, DayZeroIsPlacedSoThatTheUnitClockReadsNowAndSettingKeepsTheDay)
{
    // The unit reads day 2, block 5, minute 37 while the PC reads 03/03/2026 15:37:20.
    const UnitTimeStamp unitClock{2 * 8 + 5, 37};
    EXPECT_EQ(unitClock.baseTimeAt(TestBaseTime + 2 * 86400 + 15 * 3600 + 37 * 60 + 20),
              TestBaseTime + 20);
    EXPECT_EQ(unitClock.calendarTime(TestBaseTime), TestBaseTime + 2 * 86400 + 937 * 60);
    // Set at 23:59: block 7, minute 179; at 00:00 block 0, minute 0; the day stays.
    const UnitTimeStamp late = UnitTimeStamp::syncedTo(300 * 8 + 2, QTime(23, 59, 41));
    const UnitTimeStamp midnight = UnitTimeStamp::syncedTo(0xFFFF, QTime(0, 0));
    EXPECT_EQ(QStringLiteral("%1 %2 %3 %4")
                  .arg(late.dayWord)
                  .arg(late.minutes)
                  .arg(midnight.dayWord)
                  .arg(midnight.minutes),
              QStringLiteral("%1 179 %2 0").arg(300 * 8 + 7).arg(0xFFF8));
}
