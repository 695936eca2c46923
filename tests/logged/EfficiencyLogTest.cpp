#include "LogImages.h"
#include "logged/EfficiencyCsv.h"
#include "logged/EfficiencyLogDecoder.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

const QString Header = QStringLiteral("Date Time,Valid,Cycle Hrs,Dis AHrs,Chrg AHrs,Net AHrs,Chrg "
                                      "Eff,Self DisChrg, %1 Cycle Chrg Eff, %1 Cycle Self DisChrg");

// Counter A falls by 100 per amp-hour charged, counter B rises by 100 per amp-hour discharged.
//   record 0  03/01 00:00
//   record 1  03/01 10:00                       (never valid: no cycle before it)
//   record 2  03/02 10:30  24.5 h, -40 / +50 Ah
//   record 3  03/03 06:30  20 h,   -27 / +30 Ah (valid unless told otherwise)
//   record 4  03/03 16:30  10 h,   -20 / +20 Ah
QByteArray fiveCycles(bool thirdValid = true)
{
    QByteArray log(2048, '\0');
    putCycle(log, 0, 0, 100000, 50000);
    putCycle(log, 1, 600, 90000, 52000);
    putCycle(log, 2, 600 + 1470, 85000, 56000);
    putCycle(log, 3, 600 + 1470 + 1200, 82000, 58700, thirdValid);
    putCycle(log, 4, 600 + 1470 + 1200 + 600, 80000, 60700);
    return log;
}

std::vector<CEffData> decode(const QByteArray& log, int newest, bool wrapped, int cycles = 5)
{
    std::vector<CEffData> records(224);
    records.resize(static_cast<std::size_t>(
        EfficiencyLogDecoder::decode(log, newest, wrapped, TestBaseTime, records)));
    EfficiencyLogDecoder::compute(records);
    EfficiencyLogDecoder::average(records, cycles);
    return records;
}

QString fileTextOf(std::vector<CEffData>& records, int cycles, bool newestFirst = false)
{
    std::vector<CEffData*> order = pointersTo(std::span(records));
    if (newestFirst)
        std::reverse(order.begin(), order.end());
    return EfficiencyCsv::fileText(order, cycles, utcTimeText());
}

} // namespace

TEST(EfficiencyLog, FiveCyclesGiveTheirFiguresAndTwoCycleAveragesFromTheSecondRecord)
{
    std::vector<CEffData> records = decode(fiveCycles(), 4, false, 2);
    const QString rows[] = {
        "\r03/01/2026 10:00:00,FALSE,0.00,0.00,0.00,0.00,0.00%,0.00,0.00%,0.00",
        "\r03/02/2026 10:30:00,TRUE,24.50,-40.00,50.00,10.00,80.00%,0.41,0.00%,0.00",
        "\r03/03/2026 06:30:00,TRUE,20.00,-27.00,30.00,3.00,90.00%,0.15,83.75%,0.29",
        "\r03/03/2026 16:30:00,TRUE,10.00,-20.00,20.00,0.00,100.00%,0.00,94.00%,0.10"};
    EXPECT_EQ(fileTextOf(records, 2), Header.arg(2) + rows[0] + rows[1] + rows[2] + rows[3]);
    // Newest first, the figures stay with their records and the newest (now at index 0) is
    // the one left out.
    EXPECT_EQ(fileTextOf(records, 2, true),
              Header.arg(2) + rows[2] + rows[1] + rows[0] +
                  "\r03/01/2026 00:00:00,FALSE,0.00,0.00,0.00,0.00,0.00%,0.00,0.00%,0.00");
    // Record 0 only opens the first cycle: alone, it gives a file of the header alone.
    std::vector<CEffData> first = decode(fiveCycles(), 0, false);
    EXPECT_EQ(fileTextOf(first, 5), Header.arg(5));
}

TEST(EfficiencyLog, AveragesCountValidCyclesOnlyAndStayZeroWithTooFew)
{
    // Records 2 and 4 form the one window of two valid cycles.
    const std::vector<CEffData> skipping = decode(fiveCycles(false), 4, false, 2);
    EXPECT_FLOAT_EQ(skipping[3].averageChargeEfficiency, 0.0f);
    EXPECT_FLOAT_EQ(skipping[4].averageChargeEfficiency, 60.0f / 70.0f);
    std::vector<CEffData> tooFew = decode(fiveCycles(), 4, false, 5);
    const QStringList rows = fileTextOf(tooFew, 5).split(QLatin1Char('\r'));
    ASSERT_EQ(rows.size(), 5);
    for (int row = 1; row < rows.size(); ++row)
        EXPECT_TRUE(rows[row].endsWith(QStringLiteral(",0.00%,0.00"))) << row;
}

TEST(EfficiencyLog, TheRingIsVisitedOnceFromAfterTheNewestWhenWrapped)
{
    QByteArray log(2048, '\0');
    for (int index = 0; index < 224; ++index)
        putCycle(log, index, index, 0, 0);
    struct Walk {
        int newest;
        bool wrapped;
        int first;
        int count;
    };
    for (const Walk& walk : {Walk{0, false, 0, 1}, Walk{4, false, 0, 5}, Walk{223, true, 0, 224},
                             Walk{10, true, 11, 224}}) {
        const std::vector<CEffData> records = decode(log, walk.newest, walk.wrapped);
        ASSERT_EQ(records.size(), static_cast<std::size_t>(walk.count)) << walk.newest;
        for (int k = 0; k < walk.count; ++k)
            ASSERT_EQ(records[k].time, TestBaseTime + (walk.first + k) % 224 * 60) << k;
    }
}

TEST(EfficiencyLog, RolledOverCountersGiveTheDifferenceAndAZeroChargeAnInfiniteEfficiency)
{
    QByteArray log(2048, '\0');
    putCycle(log, 0, 0, 0, 0);
    putCycle(log, 1, 60, 0x000002, 0xFFFFFF);
    putCycle(log, 2, 120, 0xFFFFFE, 0x000063);
    putCycle(log, 3, 180, 0xFFFFFE, 0x0000C7);
    std::vector<CEffData> records = decode(log, 3, false);
    EXPECT_FLOAT_EQ(records[2].chargeAmpHours, 0.04f);
    EXPECT_FLOAT_EQ(records[2].dischargeAmpHours, -1.0f);
    EXPECT_FLOAT_EQ(records[2].cycleHours, 1.0f);
    // As the C library prints it.
    EXPECT_TRUE(
        fileTextOf(records, 5).endsWith(",TRUE,1.00,-1.00,0.00,-1.00,inf%,-1.00,0.00%,0.00"));
}
