#include "logged/LoggedDataExport.h"

#include "LogImages.h"
#include "config/Settings.h"
#include "logged/LoggedFileNames.h"
#include "logged/PeriodicLogClearing.h"
#include "tests/support/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QByteArray AhAndBatteryHeader = "Date Time,AD13: Ahr 1,AD22: Battery #1: %Full,Charged 1";

// A download's files under the base name CW, selected columns, charged written as 100, the
// periodic records also appended to the cumulative file.
class LoggedDataExportFiles : public ::testing::Test {
protected:
    LoggedDataExportFiles()
    {
        settings.dataPath = folder.path();
        settings.pDataSave = settings.chargedValue = settings.singleFilePd = 1;
        settings.singlePdFileName = QStringLiteral("CumulativePeriodicData.csv");
    }

    LoggedExportOutcome run(CLoggedData& data)
    {
        return LoggedDataExport(settings, utcTimeText())
            .run(data, LoggedFileNames(folder.path(), "CW"));
    }
    QByteArray file(const char* name) const { return fileBytes(folder.filePath(name)); }
    QStringList files() const { return QDir(folder.path()).entryList(QDir::Files); }

    QTemporaryDir folder;
    Settings settings;
};

} // namespace

TEST_F(LoggedDataExportFiles, EachLogWithRecordsGetsItsFileUnderTheBaseName)
{
    EXPECT_EQ(LoggedFileNames::defaultBaseName(QDate(2026, 12, 5)),
              QStringLiteral("CW_Dec_05_2026"));
    // A download without periodic records leaves even the cumulative file alone; a file that
    // holds text already gets no header.
    ASSERT_TRUE(putFileBytes(folder.filePath("CumulativePeriodicData.csv"), "notes of my own"));
    const LoggedExportOutcome none = run(*sampleDownload(1, 0));
    EXPECT_FALSE(none.periodicRecords || none.cumulativeAppended);
    EXPECT_EQ(files(), QStringList{"CumulativePeriodicData.csv"});
    const LoggedExportOutcome outcome = run(*sampleDownload(1, 3, true));
    EXPECT_TRUE(
        file("CumulativePeriodicData.csv").startsWith("notes of my own\r03/01/2026 00:01:00,"));
    EXPECT_TRUE(outcome.errors.isEmpty()) << outcome.errors.join(u'|').toStdString();
    EXPECT_TRUE(outcome.periodicFileWritten && outcome.cumulativeAppended);
    EXPECT_EQ(files(), (QStringList{"CumulativePeriodicData.csv", "CW_Bat1CycleEfficy.csv",
                                    "CW_Bat1DischProfile.csv", "CW_Bat2CycleEfficy.csv",
                                    "CW_Bat2DischProfile.csv", "CW_PeriodicData.csv"}));
}

TEST_F(LoggedDataExportFiles, TheCumulativeFileGetsOneHeaderAndEveryDownloadsRowsOldestFirst)
{
    // An empty file counts as new.
    ASSERT_TRUE(putFileBytes(folder.filePath("CumulativePeriodicData.csv"), ""));
    // Most recent at top: the cumulative rows are appended before the download's files turn.
    settings.dataOrder = 1;
    EXPECT_TRUE(run(*sampleDownload(1, 2)).cumulativeAppended);
    EXPECT_EQ(file("CW_PeriodicData.csv"),
              AhAndBatteryHeader +
                  "\r03/01/2026 00:02:00,2.00,80,0\r03/01/2026 00:01:00,1.00,80,100");
    EXPECT_TRUE(run(*sampleDownload(7, 2)).cumulativeAppended);
    // A later download with other items keeps the first header.
    auto voltsOnly = std::make_unique<CLoggedData>();
    voltsOnly->setUnitBaseTime(TestBaseTime);
    PeriodicLogImage periodic;
    periodic.append(9, CPerData::VOLTS1, QByteArray::fromHex("fc00"));
    takePeriodic(*voltsOnly, periodic);
    run(*voltsOnly);
    // The charged flag is always 0 or 1 here.
    EXPECT_EQ(file("CumulativePeriodicData.csv"), AhAndBatteryHeader +
                                                      "\r03/01/2026 00:01:00,1.00,80,1"
                                                      "\r03/01/2026 00:02:00,2.00,80,0"
                                                      "\r03/01/2026 00:07:00,7.00,80,1"
                                                      "\r03/01/2026 00:08:00,8.00,80,0"
                                                      "\r03/01/2026 00:09:00,12.6");
}

TEST_F(LoggedDataExportFiles, ACumulativeFileThatCannotBeWrittenIsReportedAndTheOthersAreWritten)
{
    settings.singlePdFileName = QStringLiteral("no such folder/all.csv");
    const LoggedExportOutcome outcome = run(*sampleDownload(1, 2));
    EXPECT_TRUE(outcome.periodicFileWritten && !outcome.cumulativeAppended);
    EXPECT_EQ(
        outcome.errors,
        QStringList{QStringLiteral("Could not open file:\n %1")
                        .arg(QDir::toNativeSeparators(folder.filePath("no such folder/all.csv")))});
}

TEST(PeriodicLogClearing, TheLogIsClearedOnlyWhenItsRecordsAreSafe)
{
    using Action = PeriodicLogClearing::Action;
    using Reason = PeriodicLogClearing::Reason;
    // SINGLEFILEPD, CLEARLOGDATA; whether the log was fetched, had records, reached the
    // cumulative file, its data file was written.
    const std::tuple<int, int, bool, bool, bool, bool, Action, Reason> cases[] = {
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
    for (const auto& [singleFile, clearLog, fetched, records, appended, written, action, reason] :
         cases) {
        Settings settings;
        settings.singleFilePd = singleFile;
        settings.clearLogData = clearLog;
        const auto decision = PeriodicLogClearing::decide(
            settings, fetched, LoggedExportOutcome{records, appended, written, {}, {}});
        EXPECT_EQ(std::pair(decision.action, decision.reason), std::pair(action, reason))
            << singleFile << clearLog << fetched << records << appended << written;
    }
}
