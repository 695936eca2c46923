#include "logged/LoggedFileReader.h"

#include "LogImages.h"
#include "logged/DischargeProfileCsv.h"
#include "logged/EfficiencyCsv.h"
#include "logged/LoggedDataExport.h"
#include "logged/LoggedFileNames.h"
#include "logged/PeriodicCsv.h"
#include "tests/support/TestFiles.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

namespace {

using C = LoggedColumn;

LoggedFileOptions utcOptions()
{
    LoggedFileOptions options;
    options.zone = QTimeZone::utc();
    return options;
}

LoggedFile readBack(const QString& text, const QString& name = QStringLiteral("x.csv"))
{
    LoggedFileReading reading = readLoggedFile(text.toUtf8(), name, utcOptions());
    EXPECT_EQ(reading.error, QString());
    return reading.file.value_or(LoggedFile{});
}

// A column's values, not-a-number as -999 so that they compare.
std::vector<float> valuesOf(const LoggedFile& file, LoggedColumn column)
{
    const LoggedFileColumn* found = file.find(column);
    std::vector<float> values;
    for (float value : found ? found->values : std::vector<float>{})
        values.push_back(std::isnan(value) ? -999.0f : value);
    return values;
}

// What the writers print of a worked record, restated: the temperatures in Fahrenheit, the
// charged flags as 1 or 100, -999 for "-X-".
std::vector<std::pair<LoggedColumn, float>> periodicValues(const CPerData& r, int batteryMask,
                                                           int charged)
{
    const float gap = -999.0f;
    return {{C::AmpHours1, r.ampHours[0]},
            {C::AmpHours2, r.ampHours[1]},
            {C::AmpHours3, r.ampHours[2]},
            {C::WattHours1, r.wattHours[0]},
            {C::WattHours2, r.wattHours[1]},
            {C::TempMax, r.tempMax * 1.8f + 32.0f},
            {C::TempMin, r.tempMin * 1.8f + 32.0f},
            {C::Volts1, r.volts1},
            {C::Amps1, r.amps1},
            {C::Volts2, r.volts2},
            {C::PercentFull1, batteryMask & 1 ? float(r.percentFull[0]) : gap},
            {C::Charged1, batteryMask & 1 ? float(r.charged[0] * charged) : gap},
            {C::PercentFull2, batteryMask & 2 ? float(r.percentFull[1]) : gap},
            {C::Charged2, batteryMask & 2 ? float(r.charged[1] * charged) : gap}};
}

} // namespace

TEST(LoggedFileReader, EveryPeriodicLayoutTheWriterMakesReadsBackToItsValues)
{
    std::vector<CPerData> worked = allItems();
    const qint64 workedTime = TestBaseTime + 2 * 86400 + 15 * 3600 + 37 * 60;
    // Columns, battery mask, charged written as 100.
    const std::tuple<bool, int, bool> layouts[] = {{true, 3, false},  {true, 1, true},
                                                   {true, 2, false},  {false, 3, true},
                                                   {false, 1, false}, {false, 0, false}};
    for (const auto& [allColumns, mask, as100] : layouts) {
        SCOPED_TRACE(testing::Message() << allColumns << mask << as100);
        PeriodicCsvFormat format{allColumns, mask, as100, PeriodicCsvFormat::defaultLabels(),
                                 utcTimeText()};
        // As written (bare CR), or as a spreadsheet saves it back: the layouts take turns.
        const QString written = PeriodicCsv(format).fileText(pointersTo(std::span(worked)));
        const QString lineEnd = QStringList{"\r", "\r\n", "\n"}[(mask + allColumns) % 3];
        const LoggedFile file = readBack(QString(written).replace(u'\r', lineEnd) + lineEnd);
        EXPECT_EQ(file.kind, LoggedFileKind::Periodic);
        EXPECT_EQ(file.allColumns, allColumns);
        EXPECT_EQ(file.times, std::vector<qint64>{workedTime});
        for (const auto& [column, value] : periodicValues(worked[0], mask, as100 ? 100 : 1)) {
            const std::vector<float> read = valuesOf(file, column);
            // A selected-columns file leaves out the columns of a battery without a capacity.
            if (!allColumns && value == -999.0f) {
                EXPECT_TRUE(read.empty()) << int(column);
                continue;
            }
            ASSERT_EQ(read.size(), 1u) << int(column);
            EXPECT_NEAR(read[0], value, 0.05f) << int(column);
        }
    }
}

TEST(LoggedFileReader, CumulativeAndEfficiencyAndProfileFilesReadBackAsWritten)
{
    QTemporaryDir folder;
    Settings settings;
    settings.dataFolder = folder.path();
    settings.appendToCumulativeFile = 1;
    settings.selectedColumnsOnly = 1;
    settings.cumulativeFileName = QStringLiteral("all.csv");
    const LoggedFileNames names(folder.path(), QStringLiteral("CW"));
    // Three downloads append to the cumulative file; the third logged other items, whose row
    // the header does not name.
    const LoggedDataExport exporter(settings, utcTimeText());
    exporter.run(*sampleDownload(1, 2, true), names);
    exporter.run(*sampleDownload(7, 3), names);
    auto voltsOnly = std::make_unique<CLoggedData>();
    voltsOnly->setUnitBaseTime(TestBaseTime);
    PeriodicLogImage image;
    image.append(20, CPerData::VOLTS1, QByteArray::fromHex("fc00"));
    takePeriodic(*voltsOnly, image);
    exporter.run(*voltsOnly, names);

    const auto read = [&](const QString& path) {
        LoggedFileReading reading = readLoggedFileAt(path, utcOptions());
        EXPECT_EQ(reading.error, QString());
        return reading.file.value_or(LoggedFile{});
    };
    const LoggedFile cumulative = read(folder.filePath("all.csv"));
    std::vector<qint64> minutes;
    for (qint64 time : cumulative.times)
        minutes.push_back((time - TestBaseTime) / 60);
    EXPECT_EQ(minutes, (std::vector<qint64>{1, 2, 7, 8, 9}));
    EXPECT_EQ(valuesOf(cumulative, C::AmpHours1), (std::vector<float>{1, 2, 7, 8, 9}));
    EXPECT_EQ(valuesOf(cumulative, C::Charged1), (std::vector<float>{1, 0, 1, 0, 1}));
    EXPECT_EQ(std::pair(cumulative.skippedRows, cumulative.firstSkippedLine), std::pair(1, 7));

    // The first download's other files: three cycles, the first opens the log and has no row.
    const LoggedFile efficiency = read(names.efficiency(2));
    EXPECT_EQ(std::tuple(efficiency.kind, efficiency.battery, efficiency.averagedCycles),
              std::tuple(LoggedFileKind::Efficiency, 2, 5));
    EXPECT_EQ(efficiency.times, (std::vector<qint64>{TestBaseTime + 86400, TestBaseTime + 172800}));
    EXPECT_EQ(valuesOf(efficiency, C::CycleValid), (std::vector<float>{0, 1}));
    EXPECT_EQ(valuesOf(efficiency, C::CycleHours), (std::vector<float>{0, 24}));
    EXPECT_EQ(valuesOf(efficiency, C::ChargeAmpHours), (std::vector<float>{0, 1}));
    EXPECT_EQ(valuesOf(efficiency, C::DischargeAmpHours), (std::vector<float>{0, -0.5f}));
    EXPECT_EQ(valuesOf(efficiency, C::ChargeEfficiency), (std::vector<float>{0, 50}));
    const LoggedFile profile = read(names.dischargeProfile(1));
    EXPECT_EQ(std::pair(profile.kind, profile.battery),
              std::pair(LoggedFileKind::DischargeProfile, 1));
    EXPECT_EQ(valuesOf(profile, C::PercentFull), (std::vector<float>{80, 80, 80, 80, 80}));
    EXPECT_EQ(valuesOf(profile, C::FilteredVolts).front(), 12.0f);
    EXPECT_EQ(valuesOf(profile, C::FilteredAmps).back(), 0.5f);
}

TEST(LoggedFileReader, EfficiencyFiguresAndAveragesReadBackAsTheWorkedRows)
{
    std::vector<CEffData> records = decodeCycles(fiveCycles(), 4, false, 2);
    const LoggedFile file =
        readBack(EfficiencyCsv::fileText(pointersTo(std::span(records)), 2, utcTimeText()),
                 QStringLiteral("CW_Bat1CycleEfficy.csv"));
    EXPECT_EQ(file.averagedCycles, 2);
    EXPECT_EQ(valuesOf(file, C::NetAmpHours), (std::vector<float>{0, 10, 3, 0}));
    EXPECT_EQ(valuesOf(file, C::SelfDischarge), (std::vector<float>{0, 0.41f, 0.15f, 0}));
    EXPECT_EQ(valuesOf(file, C::AverageChargeEfficiency), (std::vector<float>{0, 0, 83.75f, 94}));
    EXPECT_EQ(valuesOf(file, C::AverageSelfDischarge), (std::vector<float>{0, 0, 0.29f, 0.1f}));
}

TEST(LoggedFileReader, AFileSavedBackByASpreadsheetReadsAsTheProgramsOwn)
{
    // CRLF, a byte order mark, quoted cells, the temperature header in two cells, shorter
    // times, padding cells, a configured label with a comma of its own and an unknown label in
    // the one place the labels around it leave.
    const QByteArray saved = "\xEF\xBB\xBF"
                             "\"Date Time\",\"Tmax(F)\",\" Tmin(F)\",Bank, Volts,Shunt amps,"
                             "AD4: Volts 2,AD22: Battery #1: %Full,Charged 1,,\r\n"
                             "3/1/2026 0:01,77.0,60.8,12.6,\"-2.50\",12.5,80,1,,\r\n"
                             "2026-03-01 00:02:30,-X-,\"59\",12.7,+1.25,12.4,81,0\r\n"
                             "\r\n";
    LoggedFileOptions options = utcOptions();
    options.labels[5] = QStringLiteral("Bank, Volts");
    const LoggedFileReading reading = readLoggedFile(saved, QStringLiteral("saved.csv"), options);
    ASSERT_TRUE(reading.file) << reading.error.toStdString();
    const LoggedFile& file = *reading.file;
    EXPECT_EQ(file.times, (std::vector<qint64>{TestBaseTime + 60, TestBaseTime + 150}));
    EXPECT_EQ(valuesOf(file, C::TempMax), (std::vector<float>{77, -999}));
    EXPECT_EQ(valuesOf(file, C::TempMin), (std::vector<float>{60.8f, 59}));
    EXPECT_EQ(valuesOf(file, C::Volts1), (std::vector<float>{12.6f, 12.7f}));
    EXPECT_EQ(valuesOf(file, C::Amps1), (std::vector<float>{-2.5f, 1.25f}));
    EXPECT_EQ(valuesOf(file, C::Volts2), (std::vector<float>{12.5f, 12.4f}));
    EXPECT_EQ(valuesOf(file, C::Charged1), (std::vector<float>{1, 0}));
    // A label the program cannot place is kept under its own name; one that starts with the
    // live item number of a default label is that item.
    const LoggedFile unknown =
        readBack(QStringLiteral("Date Time,Shed,AD20: Solar\n03/01/2026 00:00:00,1,2"));
    ASSERT_EQ(unknown.columns.size(), 2u);
    EXPECT_EQ(unknown.columns[0].column, C::Unknown);
    EXPECT_EQ(unknown.columns[0].header, QStringLiteral("Shed"));
    EXPECT_EQ(unknown.columns[1].column, C::WattHours1);
}

TEST(LoggedFileReader, AnythingElseIsRefusedWithTheFileTheLineAndTheReason)
{
    const QByteArray allColumns =
        PeriodicCsv(PeriodicCsvFormat{}).header(0).toUtf8() + "\r03/01/2026 00:01:00";
    const QByteArray efficiency =
        "Date Time,Valid,Cycle Hrs,Dis AHrs,Chrg AHrs,Net AHrs,Chrg Eff,Self DisChrg, 5 Cycle "
        "Chrg Eff, 5 Cycle Self DisChrg";
    struct Case {
        std::string name;
        QByteArray bytes;
        QString error;
    };
    std::vector<Case> cases = {
        {"RandomBinary", QByteArray::fromHex("89504e470d0a1a0a0000000d49484452"),
         "f.csv, line 2: it holds the byte 0x1a, so it is not a text file."},
        {"TruncatedRow", allColumns + ",1.00,-X-,-X-,-X-,-X-,-X-,-X-,12.",
         "f.csv, line 2: the row has 9 cells where the header has 15: it is cut short or does "
         "not belong to this file."},
        {"HeaderOfAnotherProgram", "Timestamp;Voltage;Current\n2026-03-01;12.6;1.0",
         "f.csv, line 1: its cells are separated by \";\"; the program's files separate them "
         "by \",\"."},
        {"ColumnsOfAnotherProgram", "Date Time,Temperature,Humidity\n",
         "f.csv, line 1: \"Date Time\" is followed by no column of the program's periodic "
         "files."},
        {"OtherHeader", "id,name\n1,x",
         "f.csv, line 1: \"id\" is not the header of a data file "
         "of this program."},
        {"NotANumber", "Day of Month,Percent Full,Filtered Volts,Filtered Amps\r1,5%,12.x,0",
         "f.csv, line 2: \"12.x\" in the column \"Filtered Volts\" is not a number."},
        {"NotADate", "Date Time,AD13: Ahr 1\r13/01/2026 00:00:00,1",
         "f.csv, line 2: \"13/01/2026 00:00:00\" is not a date and time like \"03/01/2026 "
         "13:45:00\"."},
        {"NotAFlag", efficiency + "\r03/01/2026 00:00:00,maybe,0,0,0,0,0%,0,0%,0",
         "f.csv, line 2: \"maybe\" in the column \"Valid\" is not TRUE or FALSE."},
        {"OtherEfficiencyColumns", "Date Time,Valid,Cycle Hrs",
         "f.csv, line 1: the header of an efficiency file has other columns."},
        {"QuoteNeverClosed", "Date Time,AD13: Ahr 1\n\"03/01/2026,1\n\n",
         "f.csv, line 2: a quote opened on this line is never closed."},
        {"Utf16", QByteArray("\xFF\xFE\x44\x00", 4),
         "f.csv: it is saved as UTF-16 text; save it as CSV (UTF-8)."},
        {"Empty", "\r\n\r\n", "f.csv: it is empty."},
    };
    // Hostile input: random bytes, then random text of the characters the files are made of.
    QRandomGenerator random(17);
    for (int round = 0; round < 64; ++round) {
        QByteArray bytes(static_cast<int>(random.bounded(1, 4096)), '\0');
        const char* alphabet = round % 2 ? "0123456789,.:/- \"\r\nX%" : nullptr;
        for (char& byte : bytes)
            byte = alphabet ? alphabet[random.bounded(20)] : static_cast<char>(random.bounded(256));
        cases.push_back({"Random" + std::to_string(round), bytes, {}});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const LoggedFileReading reading = readLoggedFile(c.bytes, QStringLiteral("f.csv"));
        EXPECT_FALSE(reading.file.has_value());
        if (c.error.isEmpty())
            EXPECT_TRUE(reading.error.startsWith(QStringLiteral("f.csv")))
                << reading.error.toStdString();
        else
            EXPECT_EQ(reading.error, c.error);
    }
    // A file bigger than any data file is not read at all.
    QTemporaryDir folder;
    QFile big(folder.filePath("big.csv"));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly) && big.resize(64 * 1024 * 1024 + 1));
    big.close();
    EXPECT_EQ(readLoggedFileAt(big.fileName()).error,
              big.fileName() + ": it is larger than 64 MB, more than any data file of the "
                               "program holds.");
    EXPECT_EQ(readLoggedFileAt(folder.path()).error,
              QStringLiteral("Could not open file:\n %1").arg(folder.path()));
}
