#include "config/CConfiguration.h"
#include "display/LiveDisplay.h"
#include "link/CUnitLink.h"
#include "link/LinkSettingsForwarder.h"
#include "logged/DownloadJob.h"
#include "simulator/Scenario.h"
#include "tests/cli/CliRunner.h"
#include "tests/support/EventPump.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/StandInUnit.h"
#include "tests/support/TestBytes.h"
#include "tests/support/TestFiles.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The exit codes, restated.
constexpr int Ok = 0;
constexpr int Usage = 1;
constexpr int Connection = 2;
constexpr int UnitError = 3;
constexpr int FileError = 4;
constexpr int NotCleared = 6;

// The desktop program's "Download Data" through the window's own wiring, over TCP at pcTime.
DownloadResult programDownload(const StandInUnit& unit, const QDateTime& pcTime, Settings settings,
                               const QString& folder)
{
    ScriptedPrompt prompts;
    CUnitLink link(prompts, ComPortDirectory());
    unit.attach(link, Transport::Tcp);
    LiveDisplay live(link, settings, prompts);
    live.download().setClock([pcTime] { return pcTime; });
    std::optional<DownloadResult> result;
    QObject::connect(&live.download(), &DownloadRunner::finished,
                     [&result](const DownloadResult& done) { result = done; });
    const auto idle = [&link] { return link.GetState() == 2; };
    if (link.Open() && EventPump::waitUntil(idle) &&
        live.download().start(DownloadJob::fromSettings(settings, folder, QStringLiteral("CW"))))
        EventPump::waitUntil([&result] { return result.has_value(); }, 60000);
    EventPump::waitUntil(idle); // the clearing's acknowledgement, when there is one
    return result.value_or(DownloadResult{});
}

// gorvane-cli in this process against the stand-in unit at day 5, 13:47, while the PC's clock
// reads 23:59:41. "@tcp" reaches the unit over TCP; "@out" is a folder for data files and "@dl"
// downloads into it under the base name CW.
class Cli : public ::testing::Test {
protected:
    Cli()
    {
        cli.pcTime = QDateTime(QDate(2026, 3, 14), QTime(23, 59, 41));
        cli.words = {{QStringLiteral("@tcp"), QStringLiteral("--tcp ") + unit.address()},
                     {QStringLiteral("@dl"), QStringLiteral("download --out @out --name CW")},
                     {QStringLiteral("@out"), out.path()}};
    }

    QStringList written() const { return QDir(out.path()).entryList(QDir::Files); }
    QByteArray file(const QString& name) const { return fileBytes(out.filePath(name)); }

    StandInUnit unit{SessionSettings{}, 5, 13 * 60 + 47};
    CliRunner cli;
    QTemporaryDir out;
};

struct Row {
    const char* line;
    int code;
    QString said;
    std::optional<FaultKind> fault = std::nullopt;
    const char* selector = "all";
    int files = 0;
    bool cleared = false; // the unit's periodic log
};

} // namespace

TEST_F(Cli, TheExitCodeSaysWhatFailedAndTheLogIsClearedOnlyOnceItsRecordsAreSaved)
{
    // A week of logs. Without a link option the configuration's serial port COM7 reaches the
    // unit, where a lost reply is given up quickly.
    unit.withUnit([](SimulatedUnit& still) { Scenario::apply(QStringLiteral("week"), still); });
    ASSERT_TRUE(unit.aliasAs(7));
    CliRunner::writeConfiguration(
        {"PORTTYPE=0", "COMPORT=7", "SER_TIMEOUT_RDTOTMULT=1", "SER_TIMEOUT_RDTOTCONST=200"});
    MemoryImage week;
    unit.withUnit([&week](SimulatedUnit& still) { week = still.image(); });
    const QString bad = QStringLiteral("Error: Received bad checksum on Seriel Port.");
    const QString lost = QStringLiteral("Error reading data from Zeltravanic unit.");
    const QString cleared = QStringLiteral("Zeltravanic unit has been cleared.\n");
    const QString unconfirmed = QStringLiteral("The data was saved, but the unit did not confirm");
    const QString cannotOpen = QStringLiteral("Could not open file:\n ");
    const std::string longName = "download --out @out --name " + std::string(250, 'n');
    const Row rows[] = {
        {"--help", Ok, "\n  download "},
        {"read --help", Ok, "Usage: gorvane-cli read [options] ADDRESS LENGTH\n"},
        {"", Usage, "Usage: gorvane-cli SUBCOMMAND"},
        {"frobnicate", Usage, "Unknown subcommand: frobnicate"},
        {"read 0x1FF 1", Usage, "read needs ADDRESS"},
        {"info extra", Usage, "Unexpected argument: extra"},
        {"live AD5", Usage, "Not a live item: AD5"},
        {"live AD1 --watch 0", Usage, "--watch needs a number of seconds"},
        {"live AD1 --watch nan", Usage, "--watch needs a number of seconds"},
        {"live", Usage, "No display slot"},
        {"download", Usage, "download needs --out DIR"},
        {"@dl/x", Usage, "--name takes a file name without a folder: CW/x"},
        {"--version", Ok, "gorvane-cli 0.1.0\n"},
        // A port that cannot be opened is a connection error, by path as by number.
        {"info --serial /nonexistent/tty", Connection, "(/nonexistent/tty)"},
        {"info --tcp host:99999", Usage, "Not a TCP port: 99999"},
        {"info --tcp :1701", Usage, "--tcp needs a host name or address."},
        {"info --tcp ::1", Usage, "Write an IPv6 address in brackets: [::1]"},
        {"info --tcp [::1", Usage, "Not a bracketed IPv6 address: [::1"},
        {"info --tcp 127.0.0.1:1", Connection, "Connection to 127.0.0.1:1 refused.\n"},
        {"info --serial COM250", Connection, "Error opening serial port COM250"},
        {"info @tcp", Connection, "refused the login", FaultKind::RefuseLogin},
        {"info @tcp", UnitError, "", FaultKind::Garbage, "read@0xF6"},
        {"live AD1 @tcp", UnitError, "", FaultKind::DropConnection, "read@0xF6"},
        {"clock --set-pc @tcp", UnitError, bad, FaultKind::BadChecksum, "write"},
        {"clock", UnitError, lost, FaultKind::NoReply},
        // What cannot be written is found before the first request, not after the transfer.
        {"download --out /proc --name CW", FileError, cannotOpen + "/proc/CW_", FaultKind::NoReply},
        {longName.c_str(), FileError, cannotOpen + out.filePath("nnn"), FaultKind::NoReply},
        {"@dl --append @out", FileError, cannotOpen + out.path() + '\n', FaultKind::NoReply},
        {"@dl", UnitError, "a Communication Error while downloading", FaultKind::NoReply, "bulk:3"},
        // The unit's log is cleared only once its records are on disk, or the user is told why.
        {"@dl --clear", Ok, cleared, {}, "", 5, true},
        {"@dl --efficiency --clear", Ok, "because it was not downloaded this time.", {}, "", 2},
        {"@dl --full", Ok, "\n\nFull download (as asked): 62 pages read", {}, "", 5},
        // The unit clears its log whatever becomes of its acknowledgement; the files are saved.
        {"@dl --clear", NotCleared, bad + '\n' + unconfirmed, FaultKind::BadChecksum, "write@0x27",
         5, true},
        {"@dl --clear", NotCleared, unconfirmed, FaultKind::Garbage, "write@0x27", 5, true},
        {"@dl --clear", NotCleared, lost, FaultKind::NoReply, "write@0x27", 5, true},
        {"@dl --clear", NotCleared, unconfirmed, FaultKind::ShortReply, "write@0x27", 5, true},
        {"@dl --clear", NotCleared, unconfirmed, FaultKind::DropConnection, "write@0x27", 5, true},
        // Stray bytes after the acknowledgement are never read.
        {"@dl --clear", Ok, cleared, FaultKind::ExtraBytes, "write@0x27", 5, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        unit.clearFaults();
        unit.withUnit([&week](SimulatedUnit& still) { still.restore(week); });
        if (row.fault) {
            ASSERT_TRUE(unit.addFault(*row.fault, QString::fromLatin1(row.selector)));
        }
        const QByteArray pointer = unit.read(0xD2, 4);

        EXPECT_EQ(cli.run(QString::fromLatin1(row.line)), row.code) << cli.err.toStdString();
        EXPECT_TRUE((cli.out + cli.err).contains(row.said)) << cli.err.toStdString();
        EXPECT_EQ(cli.out.isEmpty(), row.code != Ok && row.files == 0) << cli.out.toStdString();
        EXPECT_EQ(written().size(), row.files);
        EXPECT_EQ(unit.read(0xD2, 4) != pointer, row.cleared);
        for (const QString& name : written())
            QFile::remove(out.filePath(name));
    }
}

TEST_F(Cli, EverySubcommandAnswersFromTheUnitAsTheProgramDecodesIt)
{
    ASSERT_TRUE(unit.aliasAs(7));
    // Battery 1 at 12.6 V, 95 % full, 25 C; charged, high and due for equalising on both
    // batteries, with their alarms: battery 1 charged visual only, high visual/audible,
    // equalising off; battery 2 charged off, high visual only, equalising state 3.
    unit.setRecord(0x01, bytesOf({252, 0}));
    unit.setRecord(0x1A, bytesOf({95}));
    unit.setRecord(0x19, bytesOf({25}));
    for (int amps : {0x05, 0x07, 0x0C}) // Amps 1, Amps 3, Amp-hours 1
        unit.setRecord(static_cast<quint8>(amps), bytesOf({0, 0, 0}));
    unit.setRecord(0x25, bytesOf({0x16, 0x16}));
    unit.withUnit([](SimulatedUnit& still) { still.write(0xCE, bytesOf({0x24, 0, 0x10, 0x03})); });
    const std::pair<const char*, QString> rows[] = {
        {"ports", QStringLiteral("COM7\t%1\n").arg(unit.serialDevice())},
        {"read 0xF7 1 @tcp", QStringLiteral("19\n")},
        // The factory unit: P6-9 0x06 0x06 0x01, batteries of 200 and 100 Ah.
        {"info @tcp", QStringLiteral("Firmware Version:           2.5\n"
                                     "Volts 1:                    Battery 1\n"
                                     "Amps 1:                     Battery 1, shunt 500A/50mV\n"
                                     "Amps 2:                     Battery 2, shunt 100A/100mV\n"
                                     "Amps 3:                     Solar, shunt 100A/100mV\n"
                                     "Amps 2 = shunt 1 + shunt 2: no\n"
                                     "Battery 1 Capacity:         200 Ahrs\n"
                                     "Battery 2 Capacity:         100 Ahrs\n"
                                     "Unit Time:                  day 5, 1:47 PM\n")},
        {"live AD1 ad22 28 AD7 AD9 AD13 @tcp",
         QStringLiteral("AD1: Battery 1 Volts                12.6 Volts\n"
                        "AD22: Battery 1 % Full              95 % Full\n"
                        "AD28: Temperature                   25.0 Deg(C)\n"
                        // One decimal for a 500A/50mV shunt, two for 100A/100mV; the labels
                        // from the unit's channel names and battery capacities.
                        "AD7: Battery 1 Amps                 0.0 Amps\n"
                        "AD9: Solar Amps                     0.00 Amps\n"
                        "AD13: Battery 1  AmpHrs from Full   0.00 AH\n"
                        "Battery 1 Status                    B1 CHRGD (ON VISUAL ONLY), "
                        "B1 HI (ON VISUAL/AUDIBLE), B1 TIME 2 EQ (ALARM OFF)\n"
                        "Battery 2 Status                    B2 CHRGD (ALARM OFF), "
                        "B2 HI (ON VISUAL ONLY), B2 TIME 2 EQ (ON VISUAL/AUDIBLE)\n")},
        {"live AD1 --json @tcp", QStringLiteral("\"value\":12.6}")},
        {"clock --json @tcp", QStringLiteral("{\"day\":5,\"minuteOfDay\":827,\"pcTime\":\"11:59 "
                                             "PM\",\"set\":false,\"unitTime\":\"1:47 PM\"}\n")},
        // 23:59 is block 7, minute 179 of the block; day 5 stays.
        {"clock --set-pc @tcp",
         QStringLiteral("Unit time has been set to PC time.\nUnit Time: day 5, 11:59 PM\n")},
    };
    for (const auto& [line, said] : rows) {
        SCOPED_TRACE(line);
        EXPECT_EQ(cli.run(QString::fromLatin1(line)), Ok) << cli.err.toStdString();
        EXPECT_TRUE(cli.out.contains(said)) << cli.out.toStdString();
        EXPECT_TRUE(cli.err.isEmpty()) << cli.err.toStdString();
    }
    EXPECT_EQ(unit.read(0xF9, 2) + unit.read(0x24, 1), bytesOf({5 * 8 + 7, 0, 179}));
}

TEST_F(Cli, TheFilesAreTheProgramsAndTheCumulativeFileGrowsAcrossDownloads)
{
    unit.withUnit([](SimulatedUnit& still) { Scenario::apply(QStringLiteral("week"), still); });
    CliRunner::writeConfiguration({"DATAORDER=1", "TEMPOPTION=1153", "AVGCYCLES=3", "PDATASAVE=1",
                                   "Label0=House bank AH", "DWNLDINTERVAL=0"});
    // The program's download with the same configuration, at the same PC time.
    ScriptedPrompt ignored;
    CUnitLink unused(ignored, ComPortDirectory());
    LinkSettingsForwarder linkSettings(unused);
    const Settings settings = CConfiguration(CliRunner::folders(), ignored).load(linkSettings);
    QTemporaryDir program;
    const DownloadResult result = programDownload(unit, cli.pcTime, settings, program.path());
    ASSERT_TRUE(result.success);

    ASSERT_EQ(cli.run(QStringLiteral("@dl @tcp")), Ok) << cli.err.toStdString();
    EXPECT_EQ(written(), (QStringList{"CW_Bat1CycleEfficy.csv", "CW_Bat2CycleEfficy.csv",
                                      "CW_PeriodicData.csv"}));
    EXPECT_EQ(QDir(program.path()).entryList(QDir::Files), written());
    for (const QString& name : written())
        EXPECT_EQ(file(name), fileBytes(QDir(program.path()).filePath(name))) << name.toStdString();
    EXPECT_TRUE(file(QStringLiteral("CW_PeriodicData.csv")).contains("House bank AH"));
    // A first download from the unit reads everything and says so.
    EXPECT_TRUE(cli.out.startsWith(QString(result.summary).replace(program.path(), out.path()) +
                                   QStringLiteral("\n\nFull download (no copy")));
    // No terminal: no progress bar, and nothing else to say.
    EXPECT_TRUE(cli.err.isEmpty()) << cli.err.toStdString();

    // The cumulative file, the unit's log cleared after it; two hours on, the next download adds
    // the two new records. On the way it sets the unit's time of day (23:59 is minute 179 of
    // block 7), and a terminal sees the progress.
    ASSERT_EQ(cli.run(QStringLiteral("@dl --periodic --append @out/all.csv --clear @tcp")), Ok);
    const QByteArray firstRows = file(QStringLiteral("all.csv"));
    EXPECT_EQ(firstRows.count('\r'), file(QStringLiteral("CW_PeriodicData.csv")).count('\r'));
    unit.withUnit([](SimulatedUnit& still) { still.advance(2 * 3600); });
    const int day = (byteAt(unit.read(0xF9, 2), 0) | byteAt(unit.read(0xF9, 2), 1) << 8) >> 3;
    cli.errIsTerminal = true;
    ASSERT_EQ(cli.run(QStringLiteral("@dl --periodic --append @out/all.csv --sync-time @tcp")), Ok);
    EXPECT_TRUE(file(QStringLiteral("all.csv")).startsWith(firstRows + '\r'));
    EXPECT_EQ(file(QStringLiteral("all.csv")).count('\r'), firstRows.count('\r') + 2);
    EXPECT_EQ(unit.read(0xF9, 2) + unit.read(0x24, 1),
              bytesOf({(day * 8 + 7) & 0xFF, (day * 8 + 7) >> 8, 179}));
    EXPECT_TRUE(cli.out.contains(QStringLiteral("\n\nUnit time has been set to PC time.\n\n")));
    // The clearing left nothing of the periodic log's image to build on.
    EXPECT_TRUE(cli.out.contains(QStringLiteral("Full download (no log could be read in part)")));
    EXPECT_TRUE(cli.err.startsWith(QStringLiteral("\rDownloading Setup Information...")));
    EXPECT_TRUE(cli.err.contains(u'[' + QString(30, u'#') + QStringLiteral("] 29/29\n")));
}

// gorvane-cli plot, the program itself, on the files a download wrote: a picture of the size
// asked for; a file it cannot read is named, with exit code 4 and no picture.
TEST_F(Cli, PlotDrawsTheDownloadedFilesIntoAPngAndNamesAFileItCannotRead)
{
    unit.withUnit([](SimulatedUnit& still) { Scenario::apply(QStringLiteral("week"), still); });
    ASSERT_EQ(cli.run(QStringLiteral("@dl @tcp")), Ok) << cli.err.toStdString();
    QString err;
    const auto plot = [&err](const QStringList& words) {
        QProcess process;
        process.start(QStringLiteral(GORVANE_CLI), QStringList{QStringLiteral("plot")} + words);
        EXPECT_TRUE(process.waitForFinished(60000));
        err = QString::fromLocal8Bit(process.readAllStandardError());
        return process.exitCode();
    };
    QStringList files;
    for (const QString& name : written())
        files.append(out.filePath(name));
    const QString png = out.filePath(QStringLiteral("week.png"));
    EXPECT_EQ(plot(files + QStringList{"--out", png, "--size", "640x480", "--from", "2026-03-10"}),
              Ok)
        << err.toStdString();
    EXPECT_EQ(QImage(png).size(), QSize(640, 480));
    EXPECT_EQ(plot({png, "--out", out.filePath(QStringLiteral("again.png"))}), FileError);
    EXPECT_TRUE(err.startsWith(png + QStringLiteral(", line "))) << err.toStdString();
    EXPECT_FALSE(QFile::exists(out.filePath(QStringLiteral("again.png"))));
    EXPECT_EQ(plot({files.front(), "--out", "chart.jpg"}), Usage);
}
