#include "logged/LoggedDataExport.h"

#include "LogImages.h"
#include "LoggedTestSupport.h"
#include "config/Settings.h"
#include "logged/CLoggedData.h"
#include "logged/LoggedFileNames.h"
#include "logged/PeriodicLogClearing.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace {

using Log = CLoggedData::Log;

constexpr std::uint16_t AhAndBattery = CPerData::AMPHOURS1 | CPerData::BATTERYSTATE;

QByteArray readAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return file.readAll();
}

// A download whose periodic log holds `records` records of amp-hours and battery state, stamped
// one minute apart from `firstMinute`; battery 1 has a capacity, battery 2 none. With
// efficiency, battery 1 holds three cycles and battery 2 a single record.
std::unique_ptr<CLoggedData> download(int firstMinute, int records, bool efficiency = true)
{
    auto data = std::make_unique<CLoggedData>();
    data->setUnitBaseTime(TestBaseTime);
    data->takeBatteryWord(1, QByteArray::fromHex("6400"));
    data->takeBatteryWord(2, QByteArray::fromHex("0000"));

    PeriodicLogImage periodic;
    for (int n = 0; n < records; ++n) {
        const int minute = firstMinute + n;
        const QByteArray fields =
            words({static_cast<std::uint16_t>(0x1000 + 100 * (minute % 10))}) +
            QByteArray::fromHex(minute % 2 ? "d03c" : "503c");
        periodic.append(dayWord(0, 0), static_cast<std::uint8_t>(minute), AhAndBattery, fields);
    }
    data->area(Log::Periodic).storeAt(0x0300, periodic.bytes());
    data->area(Log::Periodic).setPointer(static_cast<std::uint16_t>(periodic.newest()));
    data->decodeArea(Log::Periodic);

    data->takeDischargeProfilePointer(QByteArray::fromHex("000020"));
    data->decodeArea(Log::DischargeProfile);

    if (efficiency) {
        EfficiencyLogImage cycles;
        cycles.setRecord(0, 0, dayWord(0, 0), 1000, 0, true);
        cycles.setRecord(1, 0, dayWord(1, 0), 900, 50, true);
        cycles.setRecord(2, 0, dayWord(2, 0), 800, 130, true);
        data->area(Log::Battery1Efficiency).storeAt(0x3000, cycles.bytes());
        QByteArray page(256, '\0');
        page[0xFC] = 2;
        data->takeEfficiencyIndexes(page);
        data->decodeArea(Log::Battery1Efficiency);
        data->decodeArea(Log::Battery2Efficiency);
    }
    return data;
}

class LoggedDataExportFiles : public ::testing::Test {
protected:
    LoggedDataExportFiles()
    {
        settings_.dataPath = folder_.path();
        settings_.pDataSave = 1;
        settings_.chargedValue = 1;
    }

    LoggedExportOutcome run(CLoggedData& data, const QString& folder)
    {
        return LoggedDataExport(settings_, utcTimeText())
            .run(data, LoggedFileNames(folder, QStringLiteral("CW_Mar_05_2026")));
    }
    LoggedExportOutcome run(CLoggedData& data) { return run(data, folder_.path()); }

    QString pathOf(const QString& name) const { return folder_.filePath(name); }
    QStringList files() const { return QDir(folder_.path()).entryList(QDir::Files, QDir::Name); }
    void appendToCumulativeFile()
    {
        settings_.singleFilePd = 1;
        settings_.singlePdFileName = QStringLiteral("CumulativePeriodicData.csv");
    }

    QTemporaryDir folder_;
    Settings settings_;
};

} // namespace

TEST_F(LoggedDataExportFiles, download_writesEachLogWithRecordsUnderTheBaseName)
{
    auto data = download(1, 3);
    const LoggedExportOutcome outcome = run(*data);

    EXPECT_TRUE(outcome.errors.isEmpty()) << outcome.errors.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(outcome.periodicFileWritten);
    EXPECT_EQ(files(), (QStringList{QStringLiteral("CW_Mar_05_2026_Bat1CycleEfficy.csv"),
                                    QStringLiteral("CW_Mar_05_2026_Bat2CycleEfficy.csv"),
                                    QStringLiteral("CW_Mar_05_2026_PeriodicData.csv")}));
    EXPECT_EQ(readAll(pathOf("CW_Mar_05_2026_PeriodicData.csv")),
              QByteArray("Date Time,AD13: Ahr 1,AD22: Battery #1: %Full,Charged 1"
                         "\r03/01/2026 00:01:00,1.00,80,100"
                         "\r03/01/2026 00:02:00,2.00,80,0"
                         "\r03/01/2026 00:03:00,3.00,80,100"));
    EXPECT_EQ(
        readAll(pathOf("CW_Mar_05_2026_Bat1CycleEfficy.csv")),
        QByteArray("Date Time,Valid,Cycle Hrs,Dis AHrs,Chrg AHrs,Net AHrs,Chrg Eff,"
                   "Self DisChrg, 5 Cycle Chrg Eff, 5 Cycle Self DisChrg"
                   "\r03/02/2026 00:00:00,FALSE,0.00,0.00,0.00,0.00,0.00%,0.00,0.00%,0.00"
                   "\r03/03/2026 00:00:00,TRUE,24.00,-0.80,1.00,0.20,80.00%,0.01,0.00%,0.00"));
    EXPECT_EQ(readAll(pathOf("CW_Mar_05_2026_Bat2CycleEfficy.csv")),
              QByteArray("Date Time,Valid,Cycle Hrs,Dis AHrs,Chrg AHrs,Net AHrs,Chrg Eff,"
                         "Self DisChrg, 5 Cycle Chrg Eff, 5 Cycle Self DisChrg"));
}

TEST_F(LoggedDataExportFiles, temperature_isWrittenInFahrenheitWhateverTheTemperatureOption)
{
    auto data = std::make_unique<CLoggedData>();
    settings_.tempOption = 1152;
    data->captureOptions(settings_);
    PeriodicLogImage periodic;
    periodic.append(dayWord(0, 0), 0, CPerData::TEMPERATURE, QByteArray::fromHex("6400"));
    data->area(Log::Periodic).storeAt(0x0300, periodic.bytes());
    data->area(Log::Periodic).setPointer(static_cast<std::uint16_t>(periodic.newest()));
    data->setUnitBaseTime(TestBaseTime);
    data->decodeArea(Log::Periodic);

    run(*data);

    EXPECT_EQ(readAll(pathOf("CW_Mar_05_2026_PeriodicData.csv")),
              QByteArray("Date Time,Tmax(F), Tmin(F)\r03/01/2026 00:00:00,212.0,32.0"));
    EXPECT_EQ(settings_.tempOption, 1152);
}

TEST_F(LoggedDataExportFiles, mostRecentAtTop_reversesTheDownloadsFiles)
{
    settings_.dataOrder = 1;
    auto data = download(1, 3, false);
    run(*data);

    EXPECT_EQ(readAll(pathOf("CW_Mar_05_2026_PeriodicData.csv")),
              QByteArray("Date Time,AD13: Ahr 1,AD22: Battery #1: %Full,Charged 1"
                         "\r03/01/2026 00:03:00,3.00,80,100"
                         "\r03/01/2026 00:02:00,2.00,80,0"
                         "\r03/01/2026 00:01:00,1.00,80,100"));
}

TEST_F(LoggedDataExportFiles, cumulativeFile_getsTheHeaderOnceAndRowsOldestFirstAsZeroOrOne)
{
    appendToCumulativeFile();
    settings_.dataOrder = 1; // the cumulative rows are appended before any reversal
    auto first = download(1, 2, false);
    const LoggedExportOutcome firstOutcome = run(*first);
    auto second = download(7, 2, false);
    const LoggedExportOutcome secondOutcome = run(*second);

    EXPECT_TRUE(firstOutcome.cumulativeAppended);
    EXPECT_TRUE(secondOutcome.cumulativeAppended);
    EXPECT_EQ(readAll(pathOf("CumulativePeriodicData.csv")),
              QByteArray("Date Time,AD13: Ahr 1,AD22: Battery #1: %Full,Charged 1"
                         "\r03/01/2026 00:01:00,1.00,80,1"
                         "\r03/01/2026 00:02:00,2.00,80,0"
                         "\r03/01/2026 00:07:00,7.00,80,1"
                         "\r03/01/2026 00:08:00,8.00,80,0"));
}

TEST_F(LoggedDataExportFiles, cumulativeFile_keepsItsFirstHeaderWhenTheItemsChange)
{
    appendToCumulativeFile();
    auto first = download(1, 1, false);
    run(*first);

    auto second = std::make_unique<CLoggedData>();
    second->setUnitBaseTime(TestBaseTime);
    PeriodicLogImage periodic;
    periodic.append(dayWord(0, 0), 9, CPerData::VOLTS1, words({0x00FC}));
    second->area(Log::Periodic).storeAt(0x0300, periodic.bytes());
    second->area(Log::Periodic).setPointer(static_cast<std::uint16_t>(periodic.newest()));
    second->decodeArea(Log::Periodic);
    run(*second);

    EXPECT_EQ(readAll(pathOf("CumulativePeriodicData.csv")),
              QByteArray("Date Time,AD13: Ahr 1,AD22: Battery #1: %Full,Charged 1"
                         "\r03/01/2026 00:01:00,1.00,80,1"
                         "\r03/01/2026 00:09:00,12.6"));
}

TEST_F(LoggedDataExportFiles, noPeriodicRecords_leaveTheCumulativeFileUntouched)
{
    appendToCumulativeFile();
    auto data = download(1, 0, false);
    const LoggedExportOutcome outcome = run(*data);

    EXPECT_FALSE(outcome.periodicRecords);
    EXPECT_FALSE(outcome.cumulativeAppended);
    EXPECT_TRUE(files().isEmpty());
}

TEST_F(LoggedDataExportFiles, folderThatCannotTakeFiles_reportsEachFileAndWritesTheRest)
{
    appendToCumulativeFile();
    const QString missing = pathOf("no such folder");
    auto data = download(1, 2);
    const LoggedExportOutcome outcome = run(*data, missing);

    EXPECT_TRUE(outcome.cumulativeAppended);
    EXPECT_FALSE(outcome.periodicFileWritten);
    ASSERT_EQ(outcome.errors.size(), 3);
    EXPECT_EQ(outcome.errors[0],
              QStringLiteral("Could not open file:\n %1")
                  .arg(QDir::toNativeSeparators(missing + "/CW_Mar_05_2026_PeriodicData.csv")));
    EXPECT_EQ(files(), QStringList{QStringLiteral("CumulativePeriodicData.csv")});
}

TEST_F(LoggedDataExportFiles, cumulativeFileThatCannotBeOpened_isReportedAndTheFilesStillWritten)
{
    appendToCumulativeFile();
    settings_.singlePdFileName = QStringLiteral("no such folder/all.csv");
    auto data = download(1, 2, false);
    const LoggedExportOutcome outcome = run(*data);

    EXPECT_TRUE(outcome.periodicRecords);
    EXPECT_FALSE(outcome.cumulativeAppended);
    EXPECT_TRUE(outcome.periodicFileWritten);
    ASSERT_EQ(outcome.errors.size(), 1);
    EXPECT_TRUE(outcome.errors[0].startsWith(QStringLiteral("Could not open file:\n ")));
}

TEST(PeriodicLogClearing, isClearedOnlyWhenTheRecordsAreSafe)
{
    using Action = PeriodicLogClearing::Action;
    using Reason = PeriodicLogClearing::Reason;
    struct Case {
        int singleFilePd;
        int clearLogData;
        bool fetched;
        bool records;
        bool appended;
        bool fileWritten;
        Action action;
        Reason reason;
    };
    const Case cases[] = {
        {0, 0, true, true, false, true, Action::Keep, Reason::NotRequested},
        {1, 0, true, true, true, true, Action::ClearWithoutAsking, Reason::None},
        {1, 0, true, false, false, false, Action::ClearWithoutAsking, Reason::None},
        {1, 0, true, true, false, true, Action::Keep, Reason::CumulativeNotSaved},
        {1, 0, false, false, false, false, Action::Keep, Reason::NotFetched},
        {1, 1, true, true, true, false, Action::ClearWithoutAsking, Reason::None},
        {0, 1, true, true, false, true, Action::AskFirst, Reason::None},
        {0, 1, true, false, false, false, Action::AskFirst, Reason::None},
        {0, 1, true, true, false, false, Action::Keep, Reason::FileNotWritten},
        {0, 1, false, false, false, false, Action::Keep, Reason::NotFetched},
    };
    for (const Case& c : cases) {
        Settings settings;
        settings.singleFilePd = c.singleFilePd;
        settings.clearLogData = c.clearLogData;
        LoggedExportOutcome outcome;
        outcome.periodicRecords = c.records;
        outcome.cumulativeAppended = c.appended;
        outcome.periodicFileWritten = c.fileWritten;

        const auto decision = PeriodicLogClearing::decide(settings, c.fetched, outcome);

        EXPECT_EQ(decision.action, c.action) << (&c - cases);
        EXPECT_EQ(decision.reason, c.reason) << (&c - cases);
    }
}
