#include "link/CUnitLink.h"
#include "link/LinkRequest.h"
#include "logged/DownloadReport.h"
#include "logged/DownloadSequence.h"
#include "simulator/Scenario.h"
#include "tests/e2e/DownloadFiles.h"
#include "tests/e2e/KnownLogImage.h"
#include "tests/support/EventPump.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/SimulatorChild.h"
#include "tests/support/StandInUnit.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTimeZone>
#include <gtest/gtest.h>
#include <optional>

namespace {

// A hang guard only.
constexpr int SequenceLimitMs = 60000;
const QString CommunicationError = QStringLiteral(
    "There was a Communication Error while downloading Logged Data.\nNo data files were created.");
const QString BadAcknowledgement = QStringLiteral("Error: Received bad checksum on Seriel Port.");

// Short limits keep the lost replies quick; every reply that comes, comes well within them.
constexpr SerialTimeouts FastTimeouts{50, 1, 100, 10, 1000};

// The program's download on a link of its own, with the download as the link's only window (as
// a program without a main window runs it), its files in a folder of their own.
class Downloader {
public:
    explicit Downloader(const ComPortDirectory& ports = ComPortDirectory()) : link(prompts, ports)
    {
        link.SetSerialTimeouts(FastTimeouts);
    }
    ~Downloader() { link.Close(); }

    DownloadJob everything() const
    {
        return DownloadFiles::everything(folder.path(), KnownLogImage::BaseName);
    }

    // Runs the download to its end; open, when given, opens the link after the download has
    // become its owner (over TCP the owner answers the adapter's login).
    DownloadResult run(const DownloadJob& job, QDateTime pcTime = KnownLogImage::pcTime(),
                       const std::function<void()>& open = {})
    {
        DownloadSequence sequence(link, prompts);
        sequence.setClock([pcTime] { return pcTime; });
        sequence.setTimeText(LogTimeText(QTimeZone::utc()));
        QObject::connect(&sequence, &DownloadSequence::progressChanged,
                         [this](const DownloadProgress& step) { steps.append(step); });
        std::optional<DownloadResult> result;
        QObject::connect(&sequence, &DownloadSequence::finished,
                         [&result](const DownloadResult& done) { result = done; });
        link.SetOwner(&sequence);
        if (open)
            open();
        EXPECT_TRUE(sequence.start(job));
        // One download object runs one download.
        EXPECT_FALSE(sequence.start(job));
        EXPECT_TRUE(EventPump::waitUntil([&] { return result.has_value(); }, SequenceLimitMs));
        return result.value_or(DownloadResult{});
    }

    QByteArray file(const char* suffix) const
    {
        return DownloadFiles::contents(folder.filePath(KnownLogImage::BaseName + suffix));
    }
    QStringList files() const { return DownloadFiles::names(folder.path()); }

    QTemporaryDir folder;
    ScriptedPrompt prompts;
    CUnitLink link;
    QList<DownloadProgress> steps;
};

// Against the stand-in unit holding the hand-built image, its clock at day 10, 09:30.
class Download : public ::testing::TestWithParam<Transport> {
protected:
    void SetUp() override
    {
        unit.withUnit([](SimulatedUnit& still) { still.restore(KnownLogImage::image()); });
    }
    // A link closed by a dropped connection is opened again; one left in error still carries
    // requests.
    DownloadResult download(const DownloadJob& job, QDateTime pcTime = KnownLogImage::pcTime())
    {
        return downloader.run(job, pcTime, [this] {
            if (downloader.link.GetState() == LINK_CLOSED) {
                EXPECT_TRUE(unit.open(downloader.link, GetParam(), FastTimeouts));
            }
        });
    }

    QByteArray clock() const { return unit.read(0xF9, 2) + unit.read(0x24, 1); }

    StandInUnit unit{SessionSettings{}, KnownLogImage::ClockDay, KnownLogImage::ClockMinuteOfDay};
    Downloader downloader;
};

// How a fault reaches the download: the unit's reply to one request spoiled.
struct StepFault {
    FaultKind fault;
    const char* selector;
    bool syncTime;
    // 2601 is shown before the communication error.
    bool badAcknowledgement;
};

} // namespace

TEST_P(Download, TheHandBuiltImageGivesEveryFileAsTheLogLayoutsSay)
{
    DownloadJob job = downloader.everything();
    // Over TCP the periodic file takes its other form: selected columns, charged as 100.
    const bool selected = GetParam() == Transport::Tcp;
    job.settings.pDataSave = job.settings.chargedValue = selected ? 1 : 0;
    const DownloadResult result = download(job);

    ASSERT_TRUE(result.success);
    EXPECT_EQ(downloader.file("_PeriodicData.csv"), selected
                                                        ? KnownLogImage::periodicSelectedColumns()
                                                        : KnownLogImage::periodicAllColumns());
    EXPECT_EQ(downloader.file("_Bat1CycleEfficy.csv"), KnownLogImage::battery1Efficiency());
    EXPECT_EQ(downloader.file("_Bat2CycleEfficy.csv"), KnownLogImage::battery2Efficiency());
    EXPECT_EQ(downloader.file("_Bat1DischProfile.csv"), KnownLogImage::battery1DischargeProfile());
    EXPECT_EQ(downloader.file("_Bat2DischProfile.csv"), KnownLogImage::battery2DischargeProfile());
    EXPECT_EQ(downloader.files().size(), 5);
    EXPECT_EQ(result.summary,
              KnownLogImage::summary(downloader.folder.filePath(KnownLogImage::BaseName)));
    EXPECT_TRUE(downloader.prompts.shown().isEmpty());
    // The unit's clock was only read.
    EXPECT_EQ(clock(), QByteArray::fromHex("53001e"));
}

TEST_P(Download, AFaultAtAnyStepEndsWithTheCommunicationErrorNoFileNoClearingAndAUsableLink)
{
    // Each fault kind at each class of step: the log pointers and indexes, the clock and battery
    // records, the pages of each log, the clock setting.
    const StepFault rows[] = {
        {FaultKind::BadChecksum, "read@0xd2", false, false},
        {FaultKind::ShortReply, "read@0xd1", false, false},
        {FaultKind::NoReply, "bulk@0x2f", false, false},
        {FaultKind::Garbage, "read@0xd2", false, false},
        {FaultKind::ExtraBytes, "read@0xd1", false, false},
        {FaultKind::DropConnection, "bulk@0x2f", false, false},
        {FaultKind::BadChecksum, "read@0xf1", false, false},
        {FaultKind::ShortReply, "read@0x24", false, false},
        {FaultKind::NoReply, "read@0xf9", false, false},
        {FaultKind::Garbage, "read@0xf2", false, false},
        {FaultKind::ExtraBytes, "read@0xf1", false, false},
        {FaultKind::DropConnection, "read@0x24", false, false},
        {FaultKind::BadChecksum, "bulk@0x30", false, false},
        {FaultKind::ShortReply, "bulk@0x3e", false, false},
        {FaultKind::NoReply, "bulk@0x04", false, false},
        {FaultKind::Garbage, "bulk@0x22", false, false},
        {FaultKind::ExtraBytes, "bulk@0x24", false, false},
        {FaultKind::DropConnection, "bulk@0x10", false, false},
        {FaultKind::BadChecksum, "write@0xf9", true, true},
        {FaultKind::ShortReply, "write@0x24", true, false},
        {FaultKind::NoReply, "read@0xf9:1", true, false},
        {FaultKind::Garbage, "write@0x24", true, true},
        {FaultKind::ExtraBytes, "write@0xf9", true, false},
        {FaultKind::DropConnection, "write@0xf9", true, false},
    };
    for (const StepFault& row : rows) {
        SCOPED_TRACE(FaultPlan::nameOf(row.fault).toStdString() + " " + row.selector);
        ASSERT_TRUE(unit.addFault(row.fault, QString::fromLatin1(row.selector)));
        DownloadJob job = downloader.everything();
        job.syncTime = row.syncTime;
        // The cumulative file would have the unit's log cleared without a question.
        job.settings.singleFilePd = 1;
        job.settings.singlePdFileName = QStringLiteral("Cumulative.csv");
        downloader.prompts.clear();

        const DownloadResult failed = download(job);
        unit.clearFaults();
        // The serial link reads no more than the reply: stray bytes after a whole, sound reply
        // are purged before the next request, and the download goes on.
        if (row.fault == FaultKind::ExtraBytes && GetParam() == Transport::Serial) {
            EXPECT_TRUE(failed.success);
            EXPECT_TRUE(QDir(downloader.folder.path()).removeRecursively());
            ASSERT_TRUE(QDir().mkpath(downloader.folder.path()));
            continue;
        }
        EXPECT_FALSE(failed.success);
        EXPECT_EQ(failed.summary, CommunicationError);
        EXPECT_EQ(downloader.prompts.texts(),
                  row.badAcknowledgement ? QStringList{BadAcknowledgement} : QStringList{});
        EXPECT_EQ(
            failed.periodicRecords + failed.efficiencyRecords + failed.dischargeProfileRecords, 0);
        EXPECT_FALSE(DownloadReport::confirmClearing(failed, downloader.prompts));
        EXPECT_TRUE(downloader.files().isEmpty());

        // The same link serves the next download, which reads the set-up, the clock and the
        // battery words even when it fetches no log.
        unit.clearRequests();
        job.periodic = job.efficiency = job.dischargeProfile = job.syncTime = false;
        const DownloadResult next = download(job);
        EXPECT_TRUE(next.success);
        EXPECT_TRUE(next.summary.startsWith(
            QStringLiteral("Data Downloaded:\n   0 Periodic records\n   0 Efficiency records\n"
                           "   0 Battery Discharge Profile records\n\n")));
        QStringList asked;
        for (const UnitRequest& request : unit.requests())
            asked << QString::number(request.address, 16);
        EXPECT_EQ(asked.join(u' '), QStringLiteral("d2 d1 2f f9 24 f2 f1"));
        EXPECT_TRUE(downloader.files().isEmpty());
    }
}

TEST_P(Download, SettingTheClockKeepsTheDayPlacesTheRecordsAndEachStepIsShown)
{
    DownloadJob job = downloader.everything();
    job.syncTime = true;
    // At 21:10 the unit is set to block 7, minute 10 of day 10: its day 0 began 03/05/2026
    // 00:00:33.
    const DownloadResult result =
        download(job, QDateTime(QDate(2026, 3, 15), QTime(21, 10, 33), QTimeZone::utc()));

    ASSERT_TRUE(result.success);
    EXPECT_EQ(clock(), QByteArray::fromHex("57000a"));
    EXPECT_TRUE(result.clockSet);
    EXPECT_TRUE(result.summary.endsWith(QStringLiteral("\n\nUnit time has been set to PC time.")));
    EXPECT_TRUE(downloader.file("_PeriodicData.csv")
                    .endsWith("\r03/15/2026 09:15:33,-X-,-X-,-X-,-X-,-X-,-X-,-X-,-X-,50000.00,"
                              "13.0,-X-,-X-,-X-,-X-"));
    // Set-up: 0xD2, 0xD1, the index page, the clock read of the setting, 0xF9 and 0x24; then
    // each log's pages; the battery words add nothing to a full bar.
    QList<DownloadProgress> expected;
    const QList<std::pair<QString, int>> bars{
        {QStringLiteral("Downloading Setup Information..."), 6},
        {QStringLiteral("Downloading Periodic Data..."), 29},
        {QStringLiteral("Downloading Battery Discharge Profile Data..."), 8},
        {QStringLiteral("Downloading Bat #1 Efficiency Data..."), 4},
        {QStringLiteral("Downloading Bat #2 Efficiency Data..."), 4}};
    for (const auto& [text, steps] : bars)
        for (int position = 0; position <= steps; ++position)
            expected.append(DownloadProgress{text, steps, position});
    EXPECT_EQ(downloader.steps, expected);
}

INSTANTIATE_TEST_SUITE_P(Both, Download, BothTransports, TransportName);

TEST(DownloadOverTcp, AReplyOfAnotherLengthThanAskedForEndsTheDownload)
{
    // The link hands over whole replies only; the download checks their length all the same.
    // It waits here for battery 1's word, which the unit never sends, and gets one byte.
    StandInUnit unit;
    ASSERT_TRUE(unit.addFault(FaultKind::NoReply, QStringLiteral("read@0xf2")));
    Downloader downloader;
    DownloadSequence sequence(downloader.link, downloader.prompts);
    std::optional<DownloadResult> result;
    QObject::connect(&sequence, &DownloadSequence::finished,
                     [&result](const DownloadResult& done) { result = done; });
    downloader.link.SetOwner(&sequence);
    ASSERT_TRUE(unit.open(downloader.link, Transport::Tcp));
    DownloadJob job = downloader.everything();
    job.periodic = job.efficiency = job.dischargeProfile = false;
    ASSERT_TRUE(sequence.start(job));
    ASSERT_TRUE(unit.waitForRequests(6));
    std::uint8_t bytes[2] = {};
    LinkRequest wordReply{REQ_BULK, 10, 2, 1, bytes, 0, 0};
    sequence.takeReply(1, &wordReply);
    ASSERT_TRUE(EventPump::waitUntil([&result] { return result.has_value(); }));
    EXPECT_EQ(result->summary, CommunicationError);
}

// The simulator program on a real pseudo-terminal, 75 days into ten-minute logging of all ten
// items: the periodic log and the discharge profile have wrapped. Its logs were written by the
// simulator's own writers; here the program's decoders read them, and each checks the other
// against the unit's own books (a replica of the same unit run in this process).
TEST(DownloadOverSerial, WrappedLogsComeWholeAndAgreeWithTheUnitsOwnBooks)
{
    SimulatorChild simulator;
    ASSERT_TRUE(simulator.start({QStringLiteral("--scenario"), QStringLiteral("wrapped"),
                                 QStringLiteral("--clock"), QStringLiteral("00:00")}))
        << simulator.errors().toStdString();
    Downloader downloader{ComPortDirectory(simulator.aliasFolder())};
    downloader.link.SetPortType(PORT_SERIAL);
    downloader.link.SetComPort(SimulatorChild::ComNumber);
    // The unit's clock reads day 75, 00:00: the PC's 03/17/2026 00:00 makes its day 0 01/01/2026.
    const QDateTime pcTime(QDate(2026, 3, 17), QTime(0, 0), QTimeZone::utc());
    const DownloadResult result = downloader.run(downloader.everything(), pcTime);

    ASSERT_TRUE(result.success) << simulator.errors().toStdString();
    // 23-byte records, two to a block, all 116 blocks full; one every ten minutes up to now.
    EXPECT_EQ(result.periodicRecords, 232);
    const QList<QByteArray> rows = downloader.file("_PeriodicData.csv").split('\r');
    ASSERT_EQ(rows.size(), result.periodicRecords + 1);
    const auto timeOf = [](const QByteArray& row) {
        const QDateTime local = QDateTime::fromString(QString::fromLatin1(row.left(19)),
                                                      QStringLiteral("MM/dd/yyyy HH:mm:ss"));
        return QDateTime(local.date(), local.time(), QTimeZone::utc());
    };
    EXPECT_EQ(timeOf(rows.last()), pcTime);
    EXPECT_EQ(timeOf(rows[1]).secsTo(pcTime), 600 * (result.periodicRecords - 1));
    for (const QByteArray& row : rows.mid(1))
        ASSERT_EQ(row.count(','), 14) << row.constData();
    EXPECT_EQ(result.dischargeProfileRecords, 756);

    SimulatedUnit replica(0, 0);
    ASSERT_TRUE(Scenario::apply(QStringLiteral("wrapped"), replica));
    for (int battery = 0; battery < 2; ++battery) {
        SCOPED_TRACE(battery + 1);
        const QByteArray file =
            downloader.file(battery == 0 ? "_Bat1CycleEfficy.csv" : "_Bat2CycleEfficy.csv");
        const QList<QByteArray> newest = file.split('\r').last().split(',');
        ASSERT_EQ(newest.size(), 10);
        const CycleHistory::Cycle books = replica.model().cycles(battery).cycles().last();
        EXPECT_EQ(newest[1], "TRUE");
        EXPECT_NEAR(newest[2].toDouble(), books.hours, 0.02);
        EXPECT_NEAR(-newest[3].toDouble(), books.dischargeAmpHours, 0.02);
        EXPECT_NEAR(newest[4].toDouble(), books.chargeAmpHours, 0.02);
    }
}
