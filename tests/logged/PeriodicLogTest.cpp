#include "LogImages.h"
#include "logged/PeriodicCsv.h"
#include "logged/PeriodicLogDecoder.h"

#include <gtest/gtest.h>

namespace {

const QString AllColumnsHeader = QStringLiteral(
    "Date Time,AD13: Ahr 1,AD14: Ahr 2,AD15: Ahr 3,AD20: Whr 1,AD21: Whr 2,Tmax(F), Tmin(F),"
    "AD3: Volts 1,AD10: Amps 1,AD4: Volts 2,AD22: Battery #1: %Full,Batt. 1 got charged,"
    "AD23: Battery #2: %Full,Batt. 2 got charged");
const QString WorkedRow = QStringLiteral(
    "\r03/03/2026 15:37:00,10.23,50000.00,-100.00,12.3,70.0,30.2,-198.4,12.6,-2.50,13.0");

std::vector<CPerData> decodeAll(const QByteArray& area, int newest)
{
    std::vector<CPerData> records(1392);
    records.resize(
        static_cast<std::size_t>(PeriodicLogDecoder::decode(area, newest, TestBaseTime, records)));
    return records;
}

// One record with all ten items, restated byte by byte: block 0 (no block before it, flags
// 0x03FF), day 2 block 5 minute 37; Ah1 0x13FF (code 1, 1023), Ah2 0x7005 (code 7, 5), Ah3
// 0x8C64 (negative 100), Wh1 0x207B (code 2, 123), Wh2 0x4007 (code 4, 7); Tmax -1 C, Tmin -128
// C; Volts1 0xF8FC (252 counts), Amps1 0x90FA (-250 x 0.01), Volts2 0x0104 (260 counts); 95%
// charged, 31% not.
std::vector<CPerData> allItems()
{
    QByteArray area(7424, '\0');
    area.replace(0, 26,
                 QByteArray::fromHex("00ff03 150025 ff13 0570 648c 7b20 0740 ff80 fcf8 "
                                     "fa90 0401 df1f"));
    return decodeAll(area, 3);
}

// Ah1 (100) and Volts1 (252 counts) at 00:01, then in a block of their own flags temperature
// (25 and 20 C) and battery state (80 % charged, 60 % not) at 00:02.
std::vector<CPerData> flagChange()
{
    PeriodicLogImage image;
    image.append(1, CPerData::AMPHOURS1 | CPerData::VOLTS1, QByteArray::fromHex("6400fc00"));
    image.append(2, CPerData::TEMPERATURE | CPerData::BATTERYSTATE,
                 QByteArray::fromHex("1914d03c"));
    return decodeAll(image.bytes, image.newest());
}

QString csvOf(std::vector<CPerData>& records, bool allColumns, int batteryMask,
              bool chargedAs100 = false)
{
    const PeriodicCsvFormat format{allColumns, batteryMask, chargedAs100,
                                   PeriodicCsvFormat::defaultLabels(), utcTimeText()};
    return PeriodicCsv(format).fileText(pointersTo(std::span(records)));
}

} // namespace

TEST(PeriodicLog, ScaledValuesAreTheSignedTenBitMagnitudeTimesTheirCodeAndRecordsTheirItems)
{
    const std::pair<std::uint16_t, float> values[] = {
        {0x0005, 5.0f},  {0x13FF, 10.23f}, {0x2005, 0.5f},    {0x3005, 5.0f},
        {0x4005, 50.0f}, {0x5005, 500.0f}, {0x6005, 5000.0f}, {0x7005, 50000.0f},
        {0x0C05, 5.0f},  {0xA005, -0.5f},  {0x8C64, -100.0f}};
    for (const auto& [raw, value] : values)
        EXPECT_FLOAT_EQ(PeriodicLogDecoder::scaledValue(raw), value) << std::hex << raw;
    // With all ten bits a record is 23 bytes; bits above 9 are not items.
    for (const auto& [flags, size] : {std::pair{0x03FF, 23}, {0x0001, 5}, {0, 3}, {0xFC00, 3}})
        EXPECT_EQ(PeriodicLogDecoder::recordSize(static_cast<std::uint16_t>(flags)), size);
}

TEST(PeriodicLog, TheRingWalkGivesEveryRecordOnceOldestFirst)
{
    struct Walk {
        const char* name;
        int records; // record n is stamped at minute n
        std::uint16_t flags;
        int oldest;
    };
    const Walk walks[] = {
        {"EmptyLog", 0, CPerData::AMPHOURS1, 0},
        {"TwentyThreeByteRecordsTwoPerBlock", 3, 0x03FF, 0},
        {"TimeStampsOnly", 5, 0, 0},
        {"NotWrappedEndsAtTheNewestRecord", 15, CPerData::AMPHOURS1, 0},
        {"NewestInTheLastBlockIsReadFromBlockZero", 115 * 12 + 5, CPerData::AMPHOURS1, 0},
        {"WrappedStartsAfterTheNewestRecordsBlock", 1392 + 30, CPerData::AMPHOURS1, 36},
    };
    for (const Walk& walk : walks) {
        SCOPED_TRACE(walk.name);
        PeriodicLogImage image;
        for (int n = 0; n < walk.records; ++n)
            image.append(n, walk.flags);
        if (walk.records == 15) {
            // Records the unit wrote before its log was cleared stay behind in memory.
            image.bytes.replace(image.newest() + 5, 3, QByteArray::fromHex("ffff10"));
            image.bytes.replace(128, 6, QByteArray::fromHex("1b0100ffff"));
        }
        std::vector<int> minutes;
        for (const CPerData& record : decodeAll(image.bytes, image.newest()))
            minutes.push_back(static_cast<int>((record.time - TestBaseTime) / 60));
        ASSERT_EQ(minutes.size(), static_cast<std::size_t>(walk.records - walk.oldest));
        for (std::size_t k = 0; k < minutes.size(); ++k)
            ASSERT_EQ(minutes[k], walk.oldest + static_cast<int>(k)) << k;
    }
}

TEST(PeriodicLog, AllColumnsNameEveryItemAndKeepEveryRowAlignedWithGaps)
{
    // The worked row, in Fahrenheit; the header whatever the batteries.
    std::vector<CPerData> worked = allItems();
    for (int mask : {0, 1, 3})
        EXPECT_TRUE(csvOf(worked, true, mask).startsWith(AllColumnsHeader + "\r")) << mask;
    EXPECT_EQ(csvOf(worked, true, 3), AllColumnsHeader + WorkedRow + ",95,1,31,0");
    EXPECT_TRUE(csvOf(worked, true, 3, true).endsWith(",95,100,31,0"));
    // A battery without a capacity keeps its columns, as gaps.
    std::vector<CPerData> changing = flagChange();
    EXPECT_EQ(csvOf(changing, true, 3),
              AllColumnsHeader + "\r03/01/2026 00:01:00,100.00,-X-,-X-,-X-,-X-,-X-,-X-,12.6,"
                                 "-X-,-X-,-X-,-X-,-X-,-X-\r03/01/2026 00:02:00,-X-,-X-,-X-,-X-,"
                                 "-X-,77.0,68.0,-X-,-X-,-X-,80,1,60,0");
    EXPECT_TRUE(csvOf(changing, true, 2).endsWith(",77.0,68.0,-X-,-X-,-X-,-X-,-X-,60,0"));
    EXPECT_TRUE(csvOf(changing, true, 1).endsWith(",77.0,68.0,-X-,-X-,-X-,80,1,-X-,-X-"));
}

TEST(PeriodicLog, SelectedColumnsFollowTheFirstRecordAndTheBatteries)
{
    std::vector<CPerData> worked = allItems();
    const QString items = AllColumnsHeader.section(QStringLiteral(",AD22"), 0, 0);
    const QString battery1 = QStringLiteral(",AD22: Battery #1: %Full,Charged 1");
    const QString battery2 = QStringLiteral(",AD23: Battery #2: %Full,Charged 2");
    EXPECT_EQ(csvOf(worked, false, 3), items + battery1 + battery2 + WorkedRow + ",95,1,31,0");
    EXPECT_EQ(csvOf(worked, false, 1), items + battery1 + WorkedRow + ",95,1");
    EXPECT_EQ(csvOf(worked, false, 2), items + battery2 + WorkedRow + ",31,0");
    EXPECT_EQ(csvOf(worked, false, 0), items + WorkedRow);
    // Later records write their own items under the first record's header; records not
    // decoded get no row.
    std::vector<CPerData> changing = flagChange();
    const QString rows = QStringLiteral("\r03/01/2026 00:02:00,77.0,68.0,80,1,60,0");
    const QString header = QStringLiteral("Date Time,AD13: Ahr 1,AD3: Volts 1");
    EXPECT_EQ(csvOf(changing, false, 3), header + "\r03/01/2026 00:01:00,100.00,12.6" + rows);
    changing[0].valid = 0;
    EXPECT_EQ(csvOf(changing, false, 3), header + rows);
    // A record without items is its time alone, even on the last minute of a day.
    PeriodicLogImage timeOnly;
    timeOnly.append(31 * 1440 + 7 * 180 + 179, 0);
    std::vector<CPerData> time = decodeAll(timeOnly.bytes, timeOnly.newest());
    EXPECT_EQ(csvOf(time, false, 3), QStringLiteral("Date Time\r04/01/2026 23:59:00"));
    // Custom report labels name the columns.
    PeriodicCsvFormat format{false, 1, false, {}, utcTimeText()};
    format.labels[0] = QStringLiteral("House Ah");
    format.labels[5] = QStringLiteral("House V");
    format.labels[8] = QStringLiteral("House %");
    EXPECT_EQ(
        PeriodicCsv(format).header(CPerData::AMPHOURS1 | CPerData::VOLTS1 | CPerData::BATTERYSTATE),
        QStringLiteral("Date Time,House Ah,House V,House %,Charged 1"));
}
