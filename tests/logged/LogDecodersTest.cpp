#include "LogImages.h"
#include "logged/DischargeProfileCsv.h"
#include "logged/DischargeProfileDecoder.h"
#include "logged/EfficiencyCsv.h"
#include "logged/PeriodicCsv.h"
#include "logged/PeriodicLogDecoder.h"

#include <QRandomGenerator>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

const QString AllColumnsHeader = QStringLiteral(
    "Date Time,AD13: Ahr 1,AD14: Ahr 2,AD15: Ahr 3,AD20: Whr 1,AD21: Whr 2,Tmax(F), Tmin(F),"
    "AD3: Volts 1,AD10: Amps 1,AD4: Volts 2,AD22: Battery #1: %Full,Batt. 1 got charged,"
    "AD23: Battery #2: %Full,Batt. 2 got charged");
const QString WorkedRow = QStringLiteral(
    "\r03/03/2026 15:37:00,10.23,50000.00,-100.00,12.3,70.0,30.2,-198.4,12.6,-2.50,13.0");

QString csvOf(std::vector<CPerData>& records, bool allColumns, int batteryMask,
              bool chargedAs100 = false)
{
    const PeriodicCsvFormat format{allColumns, batteryMask, chargedAs100,
                                   PeriodicCsvFormat::defaultLabels(), utcTimeText()};
    return PeriodicCsv(format).fileText(pointersTo(std::span(records)));
}

const QString CycleHeader =
    QStringLiteral("Date Time,Valid,Cycle Hrs,Dis AHrs,Chrg AHrs,Net AHrs,Chrg "
                   "Eff,Self DisChrg, %1 Cycle Chrg Eff, %1 Cycle Self DisChrg");

QString fileTextOf(std::vector<CEffData>& records, int cycles, bool newestFirst = false)
{
    std::vector<CEffData*> order = pointersTo(std::span(records));
    if (newestFirst)
        std::reverse(order.begin(), order.end());
    return EfficiencyCsv::fileText(order, cycles, utcTimeText());
}

const QString ProfileHeader =
    QStringLiteral("Day of Month,Percent Full,Filtered Volts,Filtered Amps");

} // namespace

TEST(PeriodicLog, ScaledValuesAreTheSignedTenBitMagnitudeTimesTheirCodeAndRecordsTheirItems)
{
    const std::pair<std::uint16_t, float> values[] = {
        {0x0005, 5.0f},  {0x13FF, 10.23f}, {0x2005, 0.5f},    {0x3005, 5.0f},
        {0x4005, 50.0f}, {0x5005, 500.0f}, {0x6005, 5000.0f}, {0x7005, 50000.0f},
        {0x0C05, 5.0f},  {0xA005, -0.5f},  {0x8C64, -100.0f}};
    for (const auto& [raw, value] : values)
        EXPECT_FLOAT_EQ(PeriodicLogDecoder::scaledValue(raw), value) << std::hex << raw;
    // Bits above 9 are not items.
    EXPECT_EQ(PeriodicLogDecoder::recordSize(0xFC01), 5);
}

TEST(PeriodicLog, TheRingWalkGivesEveryRecordOnceOldestFirst)
{
    // Records written (record n at minute n), their items, the first record still in the log.
    const std::tuple<const char*, int, std::uint16_t, int> walks[] = {
        {"EmptyLog", 0, CPerData::AMPHOURS1, 0},
        {"TwentyThreeByteRecordsTwoPerBlock", 3, 0x03FF, 0},
        {"TimeStampsOnly", 5, 0, 0},
        {"NotWrappedEndsAtTheNewestRecord", 15, CPerData::AMPHOURS1, 0},
        {"NewestInTheLastBlockIsReadFromBlockZero", 115 * 12 + 5, CPerData::AMPHOURS1, 0},
        {"WrappedStartsAfterTheNewestRecordsBlock", 1392 + 30, CPerData::AMPHOURS1, 36},
    };
    for (const auto& [name, written, flags, oldest] : walks) {
        SCOPED_TRACE(name);
        PeriodicLogImage image;
        for (int n = 0; n < written; ++n)
            image.append(n, flags);
        if (written == 15) {
            // Records the unit wrote before its log was cleared stay behind in memory.
            image.bytes.replace(image.newest() + 5, 3, QByteArray::fromHex("ffff10"));
            image.bytes.replace(128, 6, QByteArray::fromHex("1b0100ffff"));
        }
        std::vector<int> minutes;
        for (const CPerData& record : decodePeriodic(image.bytes, image.newest()))
            minutes.push_back(static_cast<int>((record.time - TestBaseTime) / 60));
        ASSERT_EQ(minutes.size(), static_cast<std::size_t>(written - oldest));
        for (std::size_t k = 0; k < minutes.size(); ++k)
            ASSERT_EQ(minutes[k], oldest + static_cast<int>(k)) << k;
    }
}

TEST(PeriodicLog, AllColumnsNameEveryItemAndABatteryWithoutACapacityKeepsItsColumnsAsGaps)
{
    // The worked row, in Fahrenheit; the header whatever the batteries.
    std::vector<CPerData> worked = allItems();
    for (int mask : {0, 1, 3})
        EXPECT_TRUE(csvOf(worked, true, mask).startsWith(AllColumnsHeader + "\r")) << mask;
    EXPECT_EQ(csvOf(worked, true, 3), AllColumnsHeader + WorkedRow + ",95,1,31,0");
    EXPECT_TRUE(csvOf(worked, true, 3, true).endsWith(",95,100,31,0"));
    EXPECT_TRUE(csvOf(worked, true, 1).endsWith(",95,1,-X-,-X-"));
    EXPECT_TRUE(csvOf(worked, true, 2).endsWith(",-X-,-X-,31,0"));
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
    // A record not decoded gets no row; one without items is its time alone.
    worked[0].valid = 0;
    EXPECT_EQ(csvOf(worked, false, 0), items);
    PeriodicLogImage timeOnly;
    timeOnly.append(31 * 1440 + 7 * 180 + 179, 0); // day 31, last block, minute 179
    std::vector<CPerData> time = decodePeriodic(timeOnly.bytes, timeOnly.newest());
    EXPECT_EQ(csvOf(time, false, 3), QStringLiteral("Date Time\r04/01/2026 23:59:00"));
}

TEST(EfficiencyLog, FiveCyclesGiveTheirFiguresAndTwoCycleAveragesFromTheSecondRecord)
{
    std::vector<CEffData> records = decodeCycles(fiveCycles(), 4, false, 2);
    const QString rows[] = {
        "\r03/01/2026 10:00:00,FALSE,0.00,0.00,0.00,0.00,0.00%,0.00,0.00%,0.00",
        "\r03/02/2026 10:30:00,TRUE,24.50,-40.00,50.00,10.00,80.00%,0.41,0.00%,0.00",
        "\r03/03/2026 06:30:00,TRUE,20.00,-27.00,30.00,3.00,90.00%,0.15,83.75%,0.29",
        "\r03/03/2026 16:30:00,TRUE,10.00,-20.00,20.00,0.00,100.00%,0.00,94.00%,0.10"};
    EXPECT_EQ(fileTextOf(records, 2), CycleHeader.arg(2) + rows[0] + rows[1] + rows[2] + rows[3]);
    // Newest first, the figures stay with their records and the newest (now at index 0) is
    // the one left out.
    EXPECT_EQ(fileTextOf(records, 2, true),
              CycleHeader.arg(2) + rows[2] + rows[1] + rows[0] +
                  "\r03/01/2026 00:00:00,FALSE,0.00,0.00,0.00,0.00,0.00%,0.00,0.00%,0.00");
}

TEST(EfficiencyLog, AveragesCountValidCyclesOnlyAndStayZeroWithTooFew)
{
    // Records 2 and 4 form the one window of two valid cycles.
    const std::vector<CEffData> skipping = decodeCycles(fiveCycles(false), 4, false, 2);
    EXPECT_FLOAT_EQ(skipping[3].averageChargeEfficiency, 0.0f);
    EXPECT_FLOAT_EQ(skipping[4].averageChargeEfficiency, 60.0f / 70.0f);
    std::vector<CEffData> tooFew = decodeCycles(fiveCycles(), 4, false, 5);
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
    // Newest index, wrapped; the first record visited and how many.
    const std::tuple<int, bool, int, int> walks[] = {
        {0, false, 0, 1}, {4, false, 0, 5}, {223, true, 0, 224}, {10, true, 11, 224}};
    for (const auto& [newest, wrapped, first, count] : walks) {
        const std::vector<CEffData> records = decodeCycles(log, newest, wrapped);
        ASSERT_EQ(records.size(), static_cast<std::size_t>(count)) << newest;
        for (int k = 0; k < count; ++k)
            ASSERT_EQ(records[k].time, TestBaseTime + (first + k) % 224 * 60) << k;
    }
}

TEST(EfficiencyLog, RolledOverCountersGiveTheDifferenceAndAZeroChargeAnInfiniteEfficiency)
{
    QByteArray log(2048, '\0');
    putCycle(log, 0, 0, 0, 0);
    putCycle(log, 1, 60, 0x000002, 0xFFFFFF);
    putCycle(log, 2, 120, 0xFFFFFE, 0x000063);
    putCycle(log, 3, 180, 0xFFFFFE, 0x0000C7);
    std::vector<CEffData> records = decodeCycles(log, 3, false);
    EXPECT_FLOAT_EQ(records[2].chargeAmpHours, 0.04f);
    EXPECT_FLOAT_EQ(records[2].dischargeAmpHours, -1.0f);
    EXPECT_FLOAT_EQ(records[2].cycleHours, 1.0f);
    // As the C library prints it.
    EXPECT_TRUE(
        fileTextOf(records, 5).endsWith(",TRUE,1.00,-1.00,0.00,-1.00,inf%,-1.00,0.00%,0.00"));
}

TEST(DischargeProfile, EntriesGoToTheirBatteryAsTheWorkedRows)
{
    QByteArray log(4096, '\0');
    // Battery 2, 31 x 5 percent (bits 5 and 6 set as well), day 17, 252 counts, amps -250 x
    // 0.01 with bits 10, 11 and 14 set.
    putEntry(log, 1, 0xFF, (17 << 11) | 252, 0xDCFA);
    putEntry(log, 2, 0x10, (18 << 11) | 240, 0x2005);
    putEntry(log, 3, 0x01, (1 << 11) | 200, 0);
    const ProfileEntries decoded = decodeProfile(log, 15, false);
    ASSERT_EQ(decoded.count, 3);
    EXPECT_EQ(DischargeProfileCsv::fileText(decoded.battery2),
              ProfileHeader + "\r17,155%,12.60,-2.50");
    EXPECT_EQ(DischargeProfileCsv::fileText(decoded.battery1),
              ProfileHeader + "\r18,80%,12.00,0.50\r1,5%,10.00,0.00");
    const std::pair<std::uint16_t, float> amps[] = {
        {0x01F4, 0.5f}, {0x11F4, 5.0f}, {0x21F4, 50.0f}, {0x31F4, 500.0f}, {0x5C07, 0.07f}};
    for (const auto& [raw, value] : amps)
        EXPECT_FLOAT_EQ(DischargeProfileDecoder::ampsValue(raw), value) << std::hex << raw;
}

TEST(DischargeProfile, TheWalkVisitsTheRingOnceOldestFirst)
{
    // Every entry numbered by its index in its volts counts; battery 2 from index 600 on.
    QByteArray log(4096, '\0');
    for (int index = 0; index < 756; ++index)
        putEntry(log, index, index >= 600 ? 0x80 : 0, static_cast<std::uint16_t>(index), 0);
    // The pointer, wrapped, present; the ring indexes visited, as runs from..to.
    const std::tuple<const char*, int, bool, bool, std::vector<int>> walks[] = {
        {"NotPresent", 0x0100, false, false, {}},
        {"PointerAtTheStart", 0, false, true, {}},
        {"OneEntry", 5, false, true, {1, 1}},
        {"NotWrappedEndsAtTheNewest", 128 + 15, false, true, {1, 27}},
        {"WrappedAtTheLastEntryOfBlockZero", 0x0037, true, true, {12, 755, 0, 11}},
        {"WrappedInsideABlock", 192 + 20, true, true, {41, 755, 0, 40}},
    };
    for (const auto& [name, newest, wrapped, present, runs] : walks) {
        SCOPED_TRACE(name);
        const ProfileEntries decoded = decodeProfile(log, newest, wrapped, present);
        std::vector<int> visited;
        for (const auto* battery : {&decoded.battery1, &decoded.battery2})
            for (const CIntData* entry : *battery)
                visited.push_back(static_cast<int>(std::lround(entry->volts / 0.05f)));
        std::vector<int> expected;
        for (std::size_t run = 0; run < runs.size(); run += 2)
            for (int index = runs[run]; index <= runs[run + 1]; ++index)
                expected.push_back(index);
        // Each battery keeps the visit order.
        std::stable_partition(expected.begin(), expected.end(), [](int i) { return i < 600; });
        EXPECT_EQ(visited, expected);
        EXPECT_EQ(decoded.count, static_cast<int>(expected.size()));
    }
}

// Whatever the unit sends, decoding stays inside its buffers and record pools and every walk
// ends. These run under AddressSanitizer in CI, which turns any stray access into a failure.
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
        // Every file has its header whatever its rows.
        for (int battery = 1; battery <= 2; ++battery)
            EXPECT_FALSE((EfficiencyCsv::fileText(data.efficiency(battery), 5, {}) +
                          DischargeProfileCsv::fileText(data.dischargeProfile(battery)))
                             .isEmpty());
    }
}

TEST(HostileLog, EveryWalkEndsInsideItsRingAndItsPool)
{
    const auto periodic = [](QByteArrayView area, int newest, std::size_t room = 1392) {
        return static_cast<int>(decodePeriodic(area, newest, room).size());
    };
    const auto efficiency = [](QByteArrayView log, int newest, bool wrapped,
                               std::size_t room = 224) {
        return static_cast<int>(decodeCycles(log, newest, wrapped, 5, room).size());
    };
    const auto profile = [](QByteArrayView log, int newest, bool wrapped, std::size_t room = 756) {
        const ProfileEntries entries = decodeProfile(log, newest, wrapped, true, room);
        EXPECT_EQ(entries.battery1.size() + entries.battery2.size(),
                  static_cast<std::size_t>(entries.count));
        return entries.count;
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
