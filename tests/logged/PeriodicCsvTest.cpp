#include "logged/PeriodicCsv.h"

#include "LoggedTestSupport.h"

#include <gtest/gtest.h>

namespace {

const QString AllColumnsHeader = QStringLiteral(
    "Date Time,AD13: Ahr 1,AD14: Ahr 2,AD15: Ahr 3,AD20: Whr 1,AD21: Whr 2,Tmax(F), Tmin(F),"
    "AD3: Volts 1,AD10: Amps 1,AD4: Volts 2,AD22: Battery #1: %Full,Batt. 1 got charged,"
    "AD23: Battery #2: %Full,Batt. 2 got charged");

// The record of the ten-item worked example: 03/03/2026 15:37.
CPerData fullRecord()
{
    CPerData record;
    record.valid = 1;
    record.itemFlags = 0x03FF;
    record.time = TestBaseTime + 2 * 86400 + (5 * 180 + 37) * 60;
    record.ampHours = {10.23f, 50000.0f, -100.0f};
    record.wattHours = {12.3f, 70.0f};
    record.tempMax = -1.0f;
    record.tempMin = -128.0f;
    record.volts1 = 12.6f;
    record.amps1 = -2.5f;
    record.volts2 = 13.0f;
    record.percentFull = {95, 31};
    record.charged = {1, 0};
    return record;
}

// Ah1 and Volts1 at 00:01, then temperature and battery state at 00:02.
std::vector<CPerData> flagChangeRecords()
{
    std::vector<CPerData> records(2);
    records[0].valid = 1;
    records[0].itemFlags = CPerData::AMPHOURS1 | CPerData::VOLTS1;
    records[0].time = TestBaseTime + 60;
    records[0].ampHours[0] = 1.0f;
    records[0].volts1 = 12.6f;
    records[1].valid = 1;
    records[1].itemFlags = CPerData::TEMPERATURE | CPerData::BATTERYSTATE;
    records[1].time = TestBaseTime + 120;
    records[1].tempMax = 25.0f;
    records[1].tempMin = 20.0f;
    records[1].percentFull = {80, 60};
    records[1].charged = {0, 1};
    return records;
}

PeriodicCsvFormat format(bool allColumns, int batteryMask, bool chargedAs100 = false)
{
    PeriodicCsvFormat format;
    format.allColumns = allColumns;
    format.batteryMask = batteryMask;
    format.chargedAs100 = chargedAs100;
    format.timeText = utcTimeText();
    return format;
}

QString textOf(const PeriodicCsvFormat& csvFormat, std::vector<CPerData>& records)
{
    return PeriodicCsv(csvFormat).fileText(pointersTo(std::span(records)));
}

} // namespace

TEST(PeriodicCsv, allColumns_headerListsEveryItemWhateverTheMask)
{
    std::vector<CPerData> records{fullRecord()};
    for (int mask : {0, 1, 3}) {
        const QString text = textOf(format(true, mask), records);
        EXPECT_EQ(text.section(QLatin1Char('\r'), 0, 0), AllColumnsHeader) << mask;
    }
}

TEST(PeriodicCsv, allColumns_fullRecordRowInFahrenheitWithBothBatteries)
{
    std::vector<CPerData> records{fullRecord()};
    EXPECT_EQ(textOf(format(true, 3), records),
              AllColumnsHeader + QStringLiteral("\r03/03/2026 15:37:00,10.23,50000.00,-100.00,"
                                                "12.3,70.0,30.2,-198.4,12.6,-2.50,13.0,95,1,31,0"));
}

TEST(PeriodicCsv, chargedValue_writesAChargedBatteryAs100)
{
    std::vector<CPerData> records{fullRecord()};
    EXPECT_TRUE(textOf(format(true, 3, true), records).endsWith(QStringLiteral(",95,100,31,0")));
}

TEST(PeriodicCsv, allColumns_itemsMissingFromARecordAreGaps)
{
    std::vector<CPerData> records = flagChangeRecords();
    EXPECT_EQ(textOf(format(true, 3), records),
              AllColumnsHeader +
                  QStringLiteral("\r03/01/2026 00:01:00,1.00,-X-,-X-,-X-,-X-,-X-,-X-,12.6,-X-,-X-,"
                                 "-X-,-X-,-X-,-X-"
                                 "\r03/01/2026 00:02:00,-X-,-X-,-X-,-X-,-X-,77.0,68.0,-X-,-X-,-X-,"
                                 "80,0,60,1"));
}

TEST(PeriodicCsv, allColumns_batteryWithoutCapacityKeepsItsColumnsAsGaps)
{
    std::vector<CPerData> records = flagChangeRecords();
    const QString onlyBattery2 = textOf(format(true, 2), records);
    EXPECT_TRUE(onlyBattery2.endsWith(QStringLiteral(",77.0,68.0,-X-,-X-,-X-,-X-,-X-,60,1")))
        << onlyBattery2.toStdString();
    const QString onlyBattery1 = textOf(format(true, 1), records);
    EXPECT_TRUE(onlyBattery1.endsWith(QStringLiteral(",77.0,68.0,-X-,-X-,-X-,80,0,-X-,-X-")))
        << onlyBattery1.toStdString();
}

TEST(PeriodicCsv, selectedColumns_headerFollowsTheFirstRecordAndTheMask)
{
    std::vector<CPerData> records{fullRecord()};
    const QString selectedItems = QStringLiteral(
        "Date Time,AD13: Ahr 1,AD14: Ahr 2,AD15: Ahr 3,AD20: Whr 1,AD21: Whr 2,Tmax(F), Tmin(F),"
        "AD3: Volts 1,AD10: Amps 1,AD4: Volts 2");
    const QString row = QStringLiteral(
        "\r03/03/2026 15:37:00,10.23,50000.00,-100.00,12.3,70.0,30.2,-198.4,12.6,-2.50,13.0");

    EXPECT_EQ(textOf(format(false, 3), records),
              selectedItems +
                  QStringLiteral(",AD22: Battery #1: %Full,Charged 1,AD23: Battery #2: %Full,"
                                 "Charged 2") +
                  row + QStringLiteral(",95,1,31,0"));
    EXPECT_EQ(textOf(format(false, 1), records),
              selectedItems + QStringLiteral(",AD22: Battery #1: %Full,Charged 1") + row +
                  QStringLiteral(",95,1"));
    EXPECT_EQ(textOf(format(false, 2), records),
              selectedItems + QStringLiteral(",AD23: Battery #2: %Full,Charged 2") + row +
                  QStringLiteral(",31,0"));
    EXPECT_EQ(textOf(format(false, 0), records), selectedItems + row);
}

TEST(PeriodicCsv, selectedColumns_laterRecordsWriteTheirOwnItemsUnderTheFirstHeader)
{
    std::vector<CPerData> records = flagChangeRecords();
    EXPECT_EQ(textOf(format(false, 3), records),
              QStringLiteral("Date Time,AD13: Ahr 1,AD3: Volts 1"
                             "\r03/01/2026 00:01:00,1.00,12.6"
                             "\r03/01/2026 00:02:00,77.0,68.0,80,0,60,1"));
}

TEST(PeriodicCsv, selectedColumns_recordsWithoutItemsGiveTheTimeOnly)
{
    std::vector<CPerData> records(1);
    records[0].valid = 1;
    records[0].time = TestBaseTime;
    EXPECT_EQ(textOf(format(false, 3), records), QStringLiteral("Date Time\r03/01/2026 00:00:00"));
}

TEST(PeriodicCsv, customLabels_nameTheirColumns)
{
    PeriodicCsvFormat csvFormat = format(false, 1);
    csvFormat.labels[0] = QStringLiteral("House Ah");
    csvFormat.labels[5] = QStringLiteral("House V");
    csvFormat.labels[8] = QStringLiteral("House %");
    std::vector<CPerData> records{fullRecord()};
    records[0].itemFlags = CPerData::AMPHOURS1 | CPerData::VOLTS1 | CPerData::BATTERYSTATE;

    EXPECT_EQ(PeriodicCsv(csvFormat).header(records[0].itemFlags),
              QStringLiteral("Date Time,House Ah,House V,House %,Charged 1"));
}

TEST(PeriodicCsv, recordsNotDecoded_getNoRow)
{
    std::vector<CPerData> records = flagChangeRecords();
    records[0].valid = 0;
    EXPECT_EQ(PeriodicCsv(format(false, 0)).rows(pointersTo(std::span(records))),
              QStringLiteral("\r03/01/2026 00:02:00,77.0,68.0"));
}
