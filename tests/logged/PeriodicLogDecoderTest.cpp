#include "logged/PeriodicLogDecoder.h"

#include "LogImages.h"
#include "LoggedTestSupport.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

std::vector<CPerData> decodeAll(const QByteArray& area, int newest)
{
    std::vector<CPerData> records(1392);
    const int count = PeriodicLogDecoder::decode(area, newest, TestBaseTime, records);
    records.resize(static_cast<std::size_t>(count));
    return records;
}

// One record with all ten items, restated byte by byte: day 2, block 5, minute 37.
QByteArray allItemsBlock()
{
    QByteArray block(64, '\0');
    const QByteArray head = QByteArray::fromHex("00ff03");  // previous last 0, flags 0x03FF
    const QByteArray stamp = QByteArray::fromHex("150025"); // day word 0x0015, 37 minutes
    const QByteArray fields = QByteArray::fromHex("ff13"    // Ah1 0x13FF: code 1, 1023
                                                  "0570"    // Ah2 0x7005: code 7, 5
                                                  "648c"    // Ah3 0x8C64: negative 100
                                                  "7b20"    // Wh1 0x207B: code 2, 123
                                                  "0740"    // Wh2 0x4007: code 4, 7
                                                  "ff80"    // Tmax -1, Tmin -128
                                                  "fcf8"    // Volts1 0xF8FC: 252 counts
                                                  "fa90"    // Amps1 0x90FA: -250 x 0.01
                                                  "0401"    // Volts2 0x0104: 260 counts
                                                  "df1f");  // 95% charged, 31% not
    block.replace(0, 3, head);
    block.replace(3, 3, stamp);
    block.replace(6, fields.size(), fields);
    return block;
}

// Record n of a sequence is stamped n minutes after day 0, 00:00.
std::uint16_t sequenceDayWord(int n)
{
    return dayWord(n / 1440, (n % 1440) / 180);
}

std::uint8_t sequenceMinutes(int n)
{
    return static_cast<std::uint8_t>(n % 180);
}

PeriodicLogImage sequenceLog(int records, std::uint16_t flags)
{
    PeriodicLogImage image;
    for (int n = 0; n < records; ++n)
        image.appendStamp(sequenceDayWord(n), sequenceMinutes(n), flags);
    return image;
}

// The sequence numbers of decoded records, from their times.
std::vector<int> sequenceOf(const std::vector<CPerData>& records)
{
    std::vector<int> numbers;
    for (const CPerData& record : records)
        numbers.push_back(static_cast<int>((record.time - TestBaseTime) / 60));
    return numbers;
}

std::vector<int> range(int from, int to)
{
    std::vector<int> numbers;
    for (int n = from; n < to; ++n)
        numbers.push_back(n);
    return numbers;
}

} // namespace

TEST(PeriodicLogDecoder, recordWithAllTenItems_decodesEveryFieldInFlagOrder)
{
    QByteArray area(7424, '\0');
    area.replace(0, 64, allItemsBlock());

    const std::vector<CPerData> records = decodeAll(area, 3);

    ASSERT_EQ(records.size(), 1u);
    const CPerData& record = records[0];
    EXPECT_TRUE(record.valid & 1);
    EXPECT_EQ(record.itemFlags, 0x03FF);
    EXPECT_EQ(record.time, TestBaseTime + 2 * 86400 + (5 * 180 + 37) * 60);
    EXPECT_FLOAT_EQ(record.ampHours[0], 10.23f);
    EXPECT_FLOAT_EQ(record.ampHours[1], 50000.0f);
    EXPECT_FLOAT_EQ(record.ampHours[2], -100.0f);
    EXPECT_FLOAT_EQ(record.wattHours[0], 12.3f);
    EXPECT_FLOAT_EQ(record.wattHours[1], 70.0f);
    EXPECT_FLOAT_EQ(record.tempMax, -1.0f);
    EXPECT_FLOAT_EQ(record.tempMin, -128.0f);
    EXPECT_FLOAT_EQ(record.volts1, 12.6f);
    EXPECT_FLOAT_EQ(record.amps1, -2.5f);
    EXPECT_FLOAT_EQ(record.volts2, 13.0f);
    EXPECT_EQ(record.percentFull[0], 95);
    EXPECT_EQ(record.charged[0], 1);
    EXPECT_EQ(record.percentFull[1], 31);
    EXPECT_EQ(record.charged[1], 0);
}

TEST(PeriodicLogDecoder, scaleCodes_multiplyTheSignedTenBitMagnitude)
{
    EXPECT_FLOAT_EQ(PeriodicLogDecoder::scaledValue(0x13FF), 10.23f);
    EXPECT_FLOAT_EQ(PeriodicLogDecoder::scaledValue(0x7005), 50000.0f);
    EXPECT_FLOAT_EQ(PeriodicLogDecoder::scaledValue(0x0005), 5.0f);
    EXPECT_FLOAT_EQ(PeriodicLogDecoder::scaledValue(0x3005), 5.0f);
    EXPECT_FLOAT_EQ(PeriodicLogDecoder::scaledValue(0x5005), 500.0f);
    EXPECT_FLOAT_EQ(PeriodicLogDecoder::scaledValue(0x6005), 5000.0f);
    // Bits 10 and 11 are not part of the value.
    EXPECT_FLOAT_EQ(PeriodicLogDecoder::scaledValue(0x0C05), 5.0f);
    EXPECT_FLOAT_EQ(PeriodicLogDecoder::scaledValue(0xA005), -0.5f);
}

TEST(PeriodicLogDecoder, recordSize_isThreePlusTwoPerItem)
{
    EXPECT_EQ(PeriodicLogDecoder::recordSize(0x03FF), 23);
    EXPECT_EQ(PeriodicLogDecoder::recordSize(0x0001), 5);
    EXPECT_EQ(PeriodicLogDecoder::recordSize(0x0000), 3);
    EXPECT_EQ(PeriodicLogDecoder::recordSize(0xFC00), 3); // higher bits are ignored
}

TEST(PeriodicLogDecoder, emptyLog_givesNoRecords)
{
    EXPECT_TRUE(decodeAll(QByteArray(7424, '\0'), 0x1CC0).empty());
    EXPECT_TRUE(decodeAll(PeriodicLogImage().bytes(), PeriodicLogImage::Empty).empty());
}

TEST(PeriodicLogDecoder, blockOfTwentyThreeByteRecords_holdsTwoAndTheWalkGoesOn)
{
    const PeriodicLogImage image = sequenceLog(3, 0x03FF);
    // Block 1 starts with the offset of block 0's last record: 3 + 23.
    EXPECT_EQ(static_cast<std::uint8_t>(image.bytes()[64]), 26);
    EXPECT_EQ(image.newest(), 64 + 3);

    EXPECT_EQ(sequenceOf(decodeAll(image.bytes(), image.newest())), range(0, 3));
}

TEST(PeriodicLogDecoder, logNotWrapped_endsAtTheNewestRecord)
{
    PeriodicLogImage image = sequenceLog(15, CPerData::AMPHOURS1); // 12 in block 0, 3 in block 1
    // Records the unit wrote before its log was cleared stay behind in memory.
    QByteArray& bytes = image.bytes();
    bytes.replace(64 + 3 + 5 * 3, 3, QByteArray::fromHex("ffff10"));
    bytes.replace(128, 6, QByteArray::fromHex("1b0100ffff"));

    EXPECT_EQ(sequenceOf(decodeAll(bytes, image.newest())), range(0, 15));
}

TEST(PeriodicLogDecoder, newestRecordInTheLastBlock_isReadFromBlockZero)
{
    const PeriodicLogImage image = sequenceLog(115 * 12 + 5, CPerData::AMPHOURS1);
    ASSERT_EQ(image.newest(), 0x1CC0 + 3 + 4 * 5);

    EXPECT_EQ(sequenceOf(decodeAll(image.bytes(), image.newest())), range(0, 115 * 12 + 5));
}

TEST(PeriodicLogDecoder, wrappedLog_startsAfterTheNewestRecordsBlock)
{
    // Block 0 and 1 written again, block 2 half: the oldest record left is block 3's first.
    const PeriodicLogImage image = sequenceLog(1392 + 30, CPerData::AMPHOURS1);
    ASSERT_EQ(image.newest(), 128 + 3 + 5 * 5);

    EXPECT_EQ(sequenceOf(decodeAll(image.bytes(), image.newest())), range(36, 1392 + 30));
}

TEST(PeriodicLogDecoder, flagsChangeBetweenBlocks_eachBlockUsesItsOwnFlags)
{
    PeriodicLogImage image;
    image.append(dayWord(0, 0), 1, CPerData::AMPHOURS1 | CPerData::VOLTS1, words({0x0064, 0x00FC}));
    image.append(dayWord(0, 0), 2, CPerData::TEMPERATURE | CPerData::BATTERYSTATE,
                 QByteArray::fromHex("1914d03c"));

    const std::vector<CPerData> records = decodeAll(image.bytes(), image.newest());

    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].itemFlags, 0x0041);
    EXPECT_FLOAT_EQ(records[0].ampHours[0], 100.0f);
    EXPECT_FLOAT_EQ(records[0].volts1, 12.6f);
    EXPECT_FLOAT_EQ(records[0].tempMax, 0.0f);
    EXPECT_EQ(records[1].itemFlags, 0x0220);
    EXPECT_FLOAT_EQ(records[1].tempMax, 25.0f);
    EXPECT_FLOAT_EQ(records[1].tempMin, 20.0f);
    EXPECT_EQ(records[1].percentFull[0], 80);
    EXPECT_EQ(records[1].charged[0], 1);
    EXPECT_EQ(records[1].percentFull[1], 60);
    EXPECT_EQ(records[1].charged[1], 0);
    EXPECT_FLOAT_EQ(records[1].ampHours[0], 0.0f);
}

TEST(PeriodicLogDecoder, recordTime_addsDaysBlocksAndMinutesToTheBaseTime)
{
    PeriodicLogImage image;
    image.appendStamp(dayWord(31, 7), 179, CPerData::AMPHOURS1);

    const std::vector<CPerData> records = decodeAll(image.bytes(), image.newest());

    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(utcTimeText().format(records[0].time), QStringLiteral("04/01/2026 23:59:00"));
}

TEST(PeriodicLogDecoder, redecoding_leavesNoValuesOfTheRecordBefore)
{
    QByteArray area(7424, '\0');
    area.replace(0, 64, allItemsBlock());
    std::vector<CPerData> records(1392);
    PeriodicLogDecoder::decode(area, 3, TestBaseTime, records);

    PeriodicLogImage image;
    image.appendStamp(dayWord(0, 0), 0, CPerData::AMPS1);
    ASSERT_EQ(PeriodicLogDecoder::decode(image.bytes(), image.newest(), TestBaseTime, records), 1);

    EXPECT_FLOAT_EQ(records[0].ampHours[0], 0.0f);
    EXPECT_EQ(records[0].percentFull[0], 0);
}

TEST(PeriodicLogDecoder, blockOfTimeStampsOnly_endsWithTheNewestRecordItself)
{
    PeriodicLogImage image;
    for (int n = 0; n < 5; ++n)
        image.appendStamp(dayWord(0, 0), static_cast<std::uint8_t>(n), 0);
    ASSERT_EQ(image.newest(), 3 + 3 * 4);

    EXPECT_EQ(sequenceOf(decodeAll(image.bytes(), image.newest())), range(0, 5));
}
