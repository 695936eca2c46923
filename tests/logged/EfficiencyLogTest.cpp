#include "LogImages.h"
#include "LoggedTestSupport.h"
#include "logged/EfficiencyCsv.h"
#include "logged/EfficiencyLogDecoder.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

const QString HeaderFor5 = QStringLiteral(
    "Date Time,Valid,Cycle Hrs,Dis AHrs,Chrg AHrs,Net AHrs,Chrg Eff,Self DisChrg, 5 Cycle Chrg "
    "Eff, 5 Cycle Self DisChrg");

struct Cycle {
    int minutesSinceDayZero;
    std::uint32_t counterA;
    std::uint32_t counterB;
    bool valid;
};

void setCycle(EfficiencyLogImage& image, int index, const Cycle& cycle)
{
    const int day = cycle.minutesSinceDayZero / 1440;
    const int minuteOfDay = cycle.minutesSinceDayZero % 1440;
    image.setRecord(index, static_cast<std::uint8_t>(minuteOfDay % 180),
                    dayWord(day, minuteOfDay / 180), cycle.counterA, cycle.counterB, cycle.valid);
}

// Cycles restated from the worked figures: counter A falls by 100 per amp-hour charged and
// counter B rises by 100 per amp-hour discharged.
//   record 0  03/01 00:00
//   record 1  03/01 10:00                       (never valid: no cycle before it)
//   record 2  03/02 10:30  24.5 h, -40 / +50 Ah
//   record 3  03/03 06:30  20 h,   -27 / +30 Ah
//   record 4  03/03 16:30  10 h,   -20 / +20 Ah
EfficiencyLogImage fiveCycles()
{
    EfficiencyLogImage image;
    setCycle(image, 0, {0, 100000, 50000, true});
    setCycle(image, 1, {600, 90000, 52000, true});
    setCycle(image, 2, {600 + 1470, 85000, 56000, true});
    setCycle(image, 3, {600 + 1470 + 1200, 82000, 58700, true});
    setCycle(image, 4, {600 + 1470 + 1200 + 600, 80000, 60700, true});
    return image;
}

std::vector<CEffData> decodeComputed(const QByteArray& area, int newest, bool wrapped, int cycles)
{
    std::vector<CEffData> records(224);
    const int count = EfficiencyLogDecoder::decode(area, newest, wrapped, TestBaseTime, records);
    records.resize(static_cast<std::size_t>(count));
    EfficiencyLogDecoder::compute(records);
    EfficiencyLogDecoder::average(records, cycles);
    return records;
}

QString fileTextOf(std::vector<CEffData>& records, int cycles)
{
    return EfficiencyCsv::fileText(pointersTo(std::span(records)), cycles, utcTimeText());
}

int indexOfTime(const CEffData& record)
{
    return static_cast<int>((record.time - TestBaseTime) / 60);
}

} // namespace

TEST(EfficiencyLogDecoder, recordOffsets_packSevenRecordsPerBlock)
{
    EXPECT_EQ(EfficiencyLogDecoder::recordOffset(0), 0);
    EXPECT_EQ(EfficiencyLogDecoder::recordOffset(6), 54);
    EXPECT_EQ(EfficiencyLogDecoder::recordOffset(7), 64);
    EXPECT_EQ(EfficiencyLogDecoder::recordOffset(13), 118);
    EXPECT_EQ(EfficiencyLogDecoder::recordOffset(223), 2038);
}

TEST(EfficiencyLogDecoder, record_decodesStampValidFlagAndCounters)
{
    QByteArray area(2048, '\0');
    // Record 8 (block 1, second slot): minute 37 of block 5 on day 2, valid, A 0x123456,
    // B 0xFEDCBA.
    area.replace(73, 9, QByteArray::fromHex("251580563412badcfe"));
    std::vector<CEffData> records(224);

    ASSERT_EQ(EfficiencyLogDecoder::decode(area, 8, false, TestBaseTime, records), 9);

    const CEffData& record = records[8];
    EXPECT_EQ(record.present, 1);
    EXPECT_EQ(record.time, TestBaseTime + 2 * 86400 + (5 * 180 + 37) * 60);
    EXPECT_EQ(record.valid, 1);
    EXPECT_EQ(record.counterA, 0x123456u);
    EXPECT_EQ(record.counterB, 0xFEDCBAu);
}

TEST(EfficiencyLogDecoder, notWrappedNewestZero_givesOneRecordAndAHeaderOnlyFile)
{
    std::vector<CEffData> records = decodeComputed(fiveCycles().bytes(), 0, false, 5);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(fileTextOf(records, 5), HeaderFor5);
}

TEST(EfficiencyLogDecoder, wrappedNewest223_visitsTheWholeRingFromZero)
{
    EfficiencyLogImage image;
    for (int index = 0; index < 224; ++index)
        setCycle(image, index, {index, 0, 0, true});
    std::vector<CEffData> records(224);

    ASSERT_EQ(EfficiencyLogDecoder::decode(image.bytes(), 223, true, TestBaseTime, records), 224);
    EXPECT_EQ(indexOfTime(records.front()), 0);
    EXPECT_EQ(indexOfTime(records.back()), 223);
}

TEST(EfficiencyLogDecoder, wrapped_startsAfterTheNewestRecord)
{
    EfficiencyLogImage image;
    for (int index = 0; index < 224; ++index)
        setCycle(image, index, {index, 0, 0, true});
    std::vector<CEffData> records(224);

    ASSERT_EQ(EfficiencyLogDecoder::decode(image.bytes(), 10, true, TestBaseTime, records), 224);
    EXPECT_EQ(indexOfTime(records[0]), 11);
    EXPECT_EQ(indexOfTime(records[212]), 223);
    EXPECT_EQ(indexOfTime(records[213]), 0);
    EXPECT_EQ(indexOfTime(records[223]), 10);
}

TEST(EfficiencyLogDecoder, firstTwoRecords_areNeverValid)
{
    std::vector<CEffData> records = decodeComputed(fiveCycles().bytes(), 4, false, 5);
    ASSERT_EQ(records.size(), 5u);
    EXPECT_EQ(records[0].valid, 0);
    EXPECT_EQ(records[1].valid, 0);
    EXPECT_EQ(records[2].valid, 1);
    EXPECT_FLOAT_EQ(records[1].chargeAmpHours, 0.0f);
    EXPECT_FLOAT_EQ(records[1].cycleHours, 0.0f);
}

TEST(EfficiencyLogDecoder, compute_derivesTheCycleFromTheRecordBefore)
{
    std::vector<CEffData> records = decodeComputed(fiveCycles().bytes(), 4, false, 5);
    const CEffData& cycle = records[2];
    EXPECT_FLOAT_EQ(cycle.cycleHours, 24.5f);
    EXPECT_FLOAT_EQ(cycle.chargeAmpHours, 50.0f);
    EXPECT_FLOAT_EQ(cycle.dischargeAmpHours, -40.0f);
    EXPECT_FLOAT_EQ(cycle.netAmpHours, 10.0f);
    EXPECT_FLOAT_EQ(cycle.selfDischarge, 10.0f / 24.5f);
    EXPECT_FLOAT_EQ(cycle.chargeEfficiency, 0.8f);
}

TEST(EfficiencyLogDecoder, countersRollingOver_stillGiveTheDifference)
{
    EfficiencyLogImage image;
    setCycle(image, 0, {0, 0, 0, true});
    setCycle(image, 1, {60, 0x000002, 0xFFFFFF, true});
    setCycle(image, 2, {120, 0xFFFFFE, 0x000063, true});

    const std::vector<CEffData> records = decodeComputed(image.bytes(), 2, false, 5);

    EXPECT_FLOAT_EQ(records[2].chargeAmpHours, 0.04f);
    EXPECT_FLOAT_EQ(records[2].dischargeAmpHours, -1.0f);
    EXPECT_FLOAT_EQ(records[2].cycleHours, 1.0f);
}

TEST(EfficiencyLogDecoder, average_fillsTheLastRecordOfEachWindowOfValidCycles)
{
    std::vector<CEffData> records = decodeComputed(fiveCycles().bytes(), 4, false, 2);
    EXPECT_FLOAT_EQ(records[2].averageChargeEfficiency, 0.0f);
    EXPECT_FLOAT_EQ(records[3].averageChargeEfficiency, 67.0f / 80.0f);
    EXPECT_FLOAT_EQ(records[3].averageSelfDischarge, 13.0f / 44.5f);
    EXPECT_FLOAT_EQ(records[4].averageChargeEfficiency, 47.0f / 50.0f);
    EXPECT_FLOAT_EQ(records[4].averageSelfDischarge, 3.0f / 30.0f);
}

TEST(EfficiencyLogDecoder, average_skipsRecordsThatAreNotValid)
{
    EfficiencyLogImage image = fiveCycles();
    setCycle(image, 3, {600 + 1470 + 1200, 82000, 58700, false});
    std::vector<CEffData> records = decodeComputed(image.bytes(), 4, false, 2);

    // Records 2 and 4 form the one window.
    EXPECT_FLOAT_EQ(records[3].averageChargeEfficiency, 0.0f);
    EXPECT_FLOAT_EQ(records[4].averageChargeEfficiency, 60.0f / 70.0f);
}

TEST(EfficiencyCsv, fileText_writesRowsFromTheSecondRecordWithAverages)
{
    std::vector<CEffData> records = decodeComputed(fiveCycles().bytes(), 4, false, 2);
    EXPECT_EQ(fileTextOf(records, 2),
              QStringLiteral("Date Time,Valid,Cycle Hrs,Dis AHrs,Chrg AHrs,Net AHrs,Chrg Eff,"
                             "Self DisChrg, 2 Cycle Chrg Eff, 2 Cycle Self DisChrg"
                             "\r03/01/2026 10:00:00,FALSE,0.00,0.00,0.00,0.00,0.00%,0.00,0.00%,0.00"
                             "\r03/02/2026 10:30:00,TRUE,24.50,-40.00,50.00,10.00,80.00%,0.41,"
                             "0.00%,0.00"
                             "\r03/03/2026 06:30:00,TRUE,20.00,-27.00,30.00,3.00,90.00%,0.15,"
                             "83.75%,0.29"
                             "\r03/03/2026 16:30:00,TRUE,10.00,-20.00,20.00,0.00,100.00%,0.00,"
                             "94.00%,0.10"));
}

TEST(EfficiencyCsv, fewerValidCyclesThanAveraged_leaveTheAveragesAtZero)
{
    std::vector<CEffData> records = decodeComputed(fiveCycles().bytes(), 4, false, 5);
    const QStringList rows = fileTextOf(records, 5).split(QLatin1Char('\r'));
    ASSERT_EQ(rows.size(), 5);
    EXPECT_EQ(rows[0], HeaderFor5);
    for (int row = 1; row < rows.size(); ++row)
        EXPECT_TRUE(rows[row].endsWith(QStringLiteral(",0.00%,0.00"))) << row;
}

TEST(EfficiencyCsv, reversedRecords_keepTheirFiguresAndLeaveOutTheNewest)
{
    std::vector<CEffData> records = decodeComputed(fiveCycles().bytes(), 4, false, 2);
    std::vector<CEffData*> newestFirst = pointersTo(std::span(records));
    std::reverse(newestFirst.begin(), newestFirst.end());

    const QStringList rows =
        EfficiencyCsv::fileText(newestFirst, 2, utcTimeText()).split(QLatin1Char('\r'));

    ASSERT_EQ(rows.size(), 5);
    EXPECT_EQ(rows[1], QStringLiteral("03/03/2026 06:30:00,TRUE,20.00,-27.00,30.00,3.00,90.00%,"
                                      "0.15,83.75%,0.29"));
    EXPECT_TRUE(rows[4].startsWith(QStringLiteral("03/01/2026 00:00:00,FALSE,")));
}

TEST(EfficiencyCsv, zeroCharge_showsAnInfiniteEfficiencyAsTheCLibraryPrintsIt)
{
    EfficiencyLogImage image;
    setCycle(image, 0, {0, 500, 0, true});
    setCycle(image, 1, {60, 500, 0, true});
    setCycle(image, 2, {120, 500, 100, true});
    std::vector<CEffData> records = decodeComputed(image.bytes(), 2, false, 5);

    EXPECT_TRUE(fileTextOf(records, 5)
                    .endsWith(QStringLiteral(",TRUE,1.00,-1.00,0.00,-1.00,inf%,-1.00,0.00%,0.00")));
}
