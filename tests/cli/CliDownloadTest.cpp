#include "config/CConfiguration.h"
#include "config/LinkSettingsSink.h"
#include "display/LiveDisplay.h"
#include "link/CUnitLink.h"
#include "logged/DownloadJob.h"
#include "simulator/Scenario.h"
#include "tests/cli/CliRunner.h"
#include "tests/cli/StillUnit.h"
#include "tests/support/EventPump.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/TestBytes.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr int Ok = 0;
constexpr int Connection = 2;
constexpr int UnitError = 3;
constexpr int FileError = 4;

const QString CommunicationError = QStringLiteral(
    "There was a Communication Error while downloading Logged Data.\nNo data files were created.");

// Every file of a folder with its bytes.
QMap<QString, QByteArray> filesIn(const QString& folder)
{
    QMap<QString, QByteArray> files;
    for (const QString& name : QDir(folder).entryList(QDir::Files)) {
        QFile file(QDir(folder).filePath(name));
        if (file.open(QIODevice::ReadOnly))
            files.insert(name, file.readAll());
    }
    return files;
}

QString summary(int periodic, int efficiency, int profile, const QString& basePath)
{
    return QStringLiteral("Data Downloaded:\n   %1 Periodic records\n   %2 Efficiency records\n"
                          "   %3 Battery Discharge Profile records\n\nData files saved in:\n%4")
        .arg(periodic)
        .arg(efficiency)
        .arg(profile)
        .arg(basePath);
}

class NoLink : public LinkSettingsSink {
public:
    void SetPortType(int) override {}
    void SetComPort(int) override {}
    void SetHost(const QString&, quint32) override {}
    void SetSerialTimeouts(const SerialTimeouts&) override {}
};

// gorvane-cli download against a unit with a week of logs, in this process over TCP, beside
// the desktop program's download of the same unit at the same PC time.
class CliDownload : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(Scenario::apply(QStringLiteral("week"), unit)); }

    int download(QStringList options = {})
    {
        return cli.run(still.withTcp(
            QStringList{QStringLiteral("download"), QStringLiteral("--out"), cliFolder.path(),
                        QStringLiteral("--name"), QStringLiteral("CW_night")} +
            options));
    }

    // The settings the configuration file of the command line's home gives.
    Settings configuration()
    {
        ScriptedPrompt ignored;
        NoLink noLink;
        return CConfiguration(cli.folders(), ignored).load(noLink);
    }

    // The desktop program's download of the same unit at the same PC time, through its live
    // display; the unit's log is cleared if it was to be.
    DownloadResult programDownload(Settings settings)
    {
        ScriptedPrompt prompts;
        CUnitLink link(prompts, ComPortDirectory());
        link.SetPortType(PORT_TCP);
        link.SetHost(QStringLiteral("127.0.0.1"), still.adapter.port());
        LiveDisplay live(link, settings, prompts);
        const QDateTime pcTime = cli.pcTime;
        live.download().setClock([pcTime] { return pcTime; });
        std::optional<DownloadResult> result;
        QObject::connect(&live.download(), &DownloadRunner::finished,
                         [&result](const DownloadResult& done) { result = done; });
        const auto idle = [&link] { return link.GetState() == 2; };
        if (link.Open() && EventPump::waitUntil(idle) &&
            live.download().start(DownloadJob::fromSettings(settings, programFolder.path(),
                                                            QStringLiteral("CW_night"))))
            EventPump::waitUntil([&result] { return result.has_value(); }, 60000);
        EventPump::waitUntil(idle); // the clearing's acknowledgement, when there is one
        return result.value_or(DownloadResult{});
    }

    int periodicRecordsLeft()
    {
        QTemporaryDir again;
        cli.run(still.withTcp({QStringLiteral("download"), QStringLiteral("--out"), again.path(),
                               QStringLiteral("--periodic")}));
        return cli.out.section(u'\n', 1, 1).trimmed().section(u' ', 0, 0).toInt();
    }

    StillUnit still;
    SimulatedUnit& unit = still.unit;
    CliRunner cli;
    QTemporaryDir programFolder;
    QTemporaryDir cliFolder;
};

} // namespace

TEST_F(CliDownload, theFilesAreByteIdenticalToTheProgramsForTheSameUnitAndClock)
{
    const DownloadResult program = programDownload(configuration());
    ASSERT_TRUE(program.success) << program.summary.toStdString();

    ASSERT_EQ(download(), Ok) << cli.err.toStdString();

    const QMap<QString, QByteArray> programFiles = filesIn(programFolder.path());
    EXPECT_EQ(programFiles.keys(),
              (QStringList{"CW_night_Bat1CycleEfficy.csv", "CW_night_Bat1DischProfile.csv",
                           "CW_night_Bat2CycleEfficy.csv", "CW_night_Bat2DischProfile.csv",
                           "CW_night_PeriodicData.csv"}));
    EXPECT_EQ(filesIn(cliFolder.path()), programFiles);
    // The program's summary, with the command line's folder.
    const QString base = cliFolder.filePath(QStringLiteral("CW_night"));
    EXPECT_EQ(cli.out, summary(program.periodicRecords, program.efficiencyRecords,
                               program.dischargeProfileRecords, base) +
                           u'\n');
    EXPECT_GT(program.periodicRecords, 0);
    EXPECT_GT(program.efficiencyRecords, 0);
    EXPECT_GT(program.dischargeProfileRecords, 0);
    // No terminal: no progress bar, and nothing else to say.
    EXPECT_TRUE(cli.err.isEmpty()) << cli.err.toStdString();
}

TEST_F(CliDownload, theConfigurationShapesTheFilesAndAppendGivesTheCumulativeFile)
{
    cli.writeConfiguration({QStringLiteral("DATAORDER=1"), QStringLiteral("TEMPOPTION=1153"),
                            QStringLiteral("AVGCYCLES=3"), QStringLiteral("PDATASAVE=1"),
                            QStringLiteral("Label0=House bank AH"),
                            QStringLiteral("DWNLDINTERVAL=0")});
    QTemporaryDir cumulative;
    ASSERT_EQ(
        download({QStringLiteral("--append"), cumulative.filePath(QStringLiteral("all.csv"))}), Ok)
        << cli.err.toStdString();
    // The program's cumulative mode clears the unit's periodic log, so it goes second.
    Settings settings = configuration();
    settings.singleFilePd = 1;
    settings.dataPath = programFolder.path();
    settings.singlePdFileName = QStringLiteral("all.csv");
    const DownloadResult program = programDownload(settings);
    ASSERT_TRUE(program.success);

    QMap<QString, QByteArray> cliFiles = filesIn(cliFolder.path());
    cliFiles.insert(QStringLiteral("all.csv"),
                    filesIn(cumulative.path()).value(QStringLiteral("all.csv")));
    EXPECT_EQ(cliFiles, filesIn(programFolder.path()));
    EXPECT_EQ(cliFiles.size(), 4); // no discharge profile
    EXPECT_TRUE(
        cliFiles.value(QStringLiteral("CW_night_PeriodicData.csv")).contains("House bank AH"));
    // The command line asked nothing and cleared nothing without --clear.
    EXPECT_TRUE(cli.err.isEmpty());
}

TEST_F(CliDownload, onlyTheChosenLogsAreFetched)
{
    ASSERT_EQ(download({QStringLiteral("--periodic")}), Ok);
    EXPECT_EQ(filesIn(cliFolder.path()).keys(), QStringList{"CW_night_PeriodicData.csv"});
    EXPECT_TRUE(cli.out.contains(QStringLiteral("\n   0 Efficiency records\n   0 Battery")));
}

TEST_F(CliDownload, clearEmptiesThePeriodicLogOnceItsRecordsAreSaved)
{
    ASSERT_EQ(download({QStringLiteral("--clear")}), Ok) << cli.err.toStdString();
    EXPECT_TRUE(cli.out.endsWith(
        QStringLiteral("The Periodic Data in the Zeltravanic unit has been cleared.\n")));
    EXPECT_EQ(periodicRecordsLeft(), 0);
}

TEST_F(CliDownload, clearKeepsTheLogWhenItsFileCannotBeWritten)
{
    // A folder where the periodic file would go.
    ASSERT_TRUE(QDir(cliFolder.path()).mkdir(QStringLiteral("CW_night_PeriodicData.csv")));
    EXPECT_EQ(download({QStringLiteral("--clear")}), FileError);
    EXPECT_TRUE(cli.err.contains(QStringLiteral("Could not open file:\n ")));
    EXPECT_TRUE(cli.err.contains(
        QStringLiteral("The Periodic Data in the Zeltravanic unit was not cleared")));
    EXPECT_FALSE(cli.out.contains(QStringLiteral("has been cleared")));
    EXPECT_GT(periodicRecordsLeft(), 0);
}

TEST_F(CliDownload, clearWithoutThePeriodicLogClearsNothing)
{
    ASSERT_EQ(download({QStringLiteral("--efficiency"), QStringLiteral("--clear")}), Ok);
    EXPECT_TRUE(cli.err.contains(QStringLiteral("because it was not downloaded this time.")));
    EXPECT_GT(periodicRecordsLeft(), 0);
}

TEST_F(CliDownload, syncTimeSetsTheUnitsTimeOfDayAndSaysSo)
{
    const QByteArray dayRecord = unit.read(0xF9, 2);
    const int day = (byteAt(dayRecord, 0) | byteAt(dayRecord, 1) << 8) >> 3;
    cli.pcTime = QDateTime(QDate(2026, 3, 14), QTime(13, 47, 25));
    ASSERT_EQ(download({QStringLiteral("--sync-time"), QStringLiteral("--periodic")}), Ok);
    // 13:47 is minute 107 of block 4.
    EXPECT_EQ(unit.read(0xF9, 2), bytesOf({(day * 8 + 4) & 0xFF, (day * 8 + 4) >> 8}));
    EXPECT_EQ(unit.read(0x24, 1), bytesOf({107}));
    EXPECT_TRUE(cli.out.endsWith(QStringLiteral("\n\nUnit time has been set to PC time.\n")));
}

TEST_F(CliDownload, aFailedDownloadWritesNothingAndClearsNothing)
{
    const QList<std::pair<FaultKind, QString>> faults{
        {FaultKind::NoReply, QStringLiteral("bulk:3")},
        {FaultKind::DropConnection, QStringLiteral("bulk:5")},
        {FaultKind::ShortReply, QStringLiteral("read@0xF1")},
        {FaultKind::BadChecksum, QStringLiteral("write")},
    };
    for (const auto& [fault, selector] : faults) {
        StillUnit faulty;
        ASSERT_TRUE(Scenario::apply(QStringLiteral("week"), faulty.unit));
        faulty.faults.add(fault, selector);
        const QByteArray periodicPointer = faulty.unit.read(0xD2, 4);
        QTemporaryDir folder;
        const int code = cli.run(
            faulty.withTcp({QStringLiteral("download"), QStringLiteral("--out"), folder.path(),
                            QStringLiteral("--clear"), QStringLiteral("--sync-time"),
                            QStringLiteral("--read-constant"), QStringLiteral("200"),
                            QStringLiteral("--read-multiplier"), QStringLiteral("0")}));
        EXPECT_EQ(code, UnitError) << selector.toStdString();
        EXPECT_TRUE(cli.out.isEmpty()) << cli.out.toStdString();
        EXPECT_TRUE(cli.err.endsWith(CommunicationError + u'\n')) << cli.err.toStdString();
        EXPECT_TRUE(filesIn(folder.path()).isEmpty()) << selector.toStdString();
        EXPECT_TRUE(QDir(folder.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
        EXPECT_EQ(faulty.unit.read(0xD2, 4), periodicPointer) << selector.toStdString();
    }
}

TEST_F(CliDownload, aBadAcknowledgementIsToldWithTheSystemsText)
{
    still.faults.add(FaultKind::BadChecksum, QStringLiteral("write"));
    EXPECT_EQ(download({QStringLiteral("--sync-time")}), UnitError);
    EXPECT_TRUE(cli.err.startsWith(QStringLiteral("Error: Received bad checksum on Seriel Port.")))
        << cli.err.toStdString();
    EXPECT_TRUE(filesIn(cliFolder.path()).isEmpty());
}

TEST_F(CliDownload, aRefusedLoginIsAConnectionErrorWithNothingWritten)
{
    still.faults.add(FaultKind::RefuseLogin, QStringLiteral("all"));
    EXPECT_EQ(download(), Connection);
    EXPECT_TRUE(cli.out.isEmpty());
    EXPECT_TRUE(filesIn(cliFolder.path()).isEmpty());
}

TEST_F(CliDownload, aTerminalGetsAProgressBarOnTheErrorStream)
{
    cli.errIsTerminal = true;
    ASSERT_EQ(download({QStringLiteral("--periodic")}), Ok);
    EXPECT_TRUE(cli.err.startsWith(QStringLiteral("\rDownloading Setup Information...")))
        << cli.err.toStdString();
    EXPECT_TRUE(cli.err.contains(QStringLiteral("\rDownloading Periodic Data...")));
    // 29 pages of the periodic log, the bar full at the end, and the line ended.
    EXPECT_TRUE(
        cli.err.contains(QStringLiteral("[") + QString(30, u'#') + QStringLiteral("] 29/29")));
    EXPECT_TRUE(cli.err.endsWith(u'\n'));
    EXPECT_TRUE(cli.out.startsWith(QStringLiteral("Data Downloaded:\n")));
}
