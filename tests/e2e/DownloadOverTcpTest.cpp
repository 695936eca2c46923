#include "link/CUnitLink.h"
#include "logged/CLoggedData.h"
#include "logged/DownloadReport.h"
#include "logged/DownloadSequence.h"
#include "logged/LoggedDataExport.h"
#include "logged/LoggedFileNames.h"
#include "simulator/FaultPlan.h"
#include "simulator/Scenario.h"
#include "simulator/SimulatedUnit.h"
#include "simulator/TcpEndpoint.h"
#include "tests/e2e/DownloadFiles.h"
#include "tests/e2e/KnownLogImage.h"
#include "tests/support/EventPump.h"
#include "tests/support/ScriptedPrompt.h"

#include <QTemporaryDir>
#include <QTimeZone>
#include <gtest/gtest.h>
#include <optional>
#include <tuple>

namespace {

constexpr int Idle = 2;
constexpr int Closed = 0;
constexpr int SequenceLimitMs = 60000;

const QString CommunicationError = QStringLiteral(
    "There was a Communication Error while downloading Logged Data.\nNo data files were created.");

QString filePath(const QTemporaryDir& folder, const char* suffix)
{
    return folder.filePath(KnownLogImage::BaseName + QLatin1String(suffix));
}

// The program's download against the simulated unit, in this process over TCP, with the
// download as the link's only window (as a program without a main window runs it).
class DownloadOverTcp : public ::testing::Test {
protected:
    void SetUp() override
    {
        unit.restore(KnownLogImage::image());
        QString error;
        ASSERT_TRUE(adapter.listen(0, &error)) << error.toStdString();
        link.SetPortType(1);
        link.SetHost(QStringLiteral("127.0.0.1"), adapter.port());
        // Short limits keep the lost replies quick; every reply that comes, comes well within.
        link.SetSerialTimeouts(SerialTimeouts{200, 1, 300, 10, 2000});
    }

    void TearDown() override { link.Close(); }

    std::unique_ptr<DownloadSequence> newSequence(QDateTime pcTime = KnownLogImage::pcTime())
    {
        auto sequence = std::make_unique<DownloadSequence>(link, prompts);
        sequence->setClock([pcTime] { return pcTime; });
        sequence->setTimeText(LogTimeText(QTimeZone::utc()));
        QObject::connect(sequence.get(), &DownloadSequence::progressChanged,
                         [this](const DownloadProgress& progress) { steps.append(progress); });
        return sequence;
    }

    // Connects and logs in with the adapter as the download's window, unless connected. A link
    // left in error by a bad reply still carries requests.
    void connectAs(DownloadSequence& sequence)
    {
        link.SetOwner(&sequence);
        if (link.GetState() != Closed)
            return;
        ASSERT_EQ(link.Open(), 1);
        ASSERT_TRUE(EventPump::waitUntil([this] { return link.GetState() == Idle; }));
    }

    DownloadResult download(const DownloadJob& job, QDateTime pcTime = KnownLogImage::pcTime())
    {
        std::unique_ptr<DownloadSequence> sequence = newSequence(pcTime);
        connectAs(*sequence);
        std::optional<DownloadResult> result;
        QObject::connect(sequence.get(), &DownloadSequence::finished,
                         [&result](const DownloadResult& done) { result = done; });
        EXPECT_TRUE(sequence->start(job));
        EXPECT_TRUE(
            EventPump::waitUntil([&result] { return result.has_value(); }, SequenceLimitMs));
        return result.value_or(DownloadResult{});
    }

    DownloadJob everything() const
    {
        return DownloadFiles::everything(folder.path(), KnownLogImage::BaseName);
    }

    QByteArray clockRecords() { return unit.read(0xF9, 2) + unit.read(0x24, 1); }

    QTemporaryDir folder;
    SimulatedUnit unit{KnownLogImage::ClockDay, KnownLogImage::ClockMinuteOfDay};
    FaultPlan faults;
    TcpEndpoint adapter{unit, faults, SessionSettings{}};
    ScriptedPrompt prompts;
    CUnitLink link{prompts, ComPortDirectory()};
    QList<DownloadProgress> steps;
};

} // namespace

TEST_F(DownloadOverTcp, aKnownImageGivesEveryFileAsTheLogLayoutsSayAndTheSummary)
{
    const DownloadResult result = download(everything());

    ASSERT_TRUE(result.success);
    EXPECT_TRUE(result.files.errors.isEmpty());
    EXPECT_EQ(DownloadFiles::contents(filePath(folder, "_PeriodicData.csv")),
              KnownLogImage::periodicAllColumns());
    EXPECT_EQ(DownloadFiles::contents(filePath(folder, "_Bat1CycleEfficy.csv")),
              KnownLogImage::battery1Efficiency());
    EXPECT_EQ(DownloadFiles::contents(filePath(folder, "_Bat2CycleEfficy.csv")),
              KnownLogImage::battery2Efficiency());
    EXPECT_EQ(DownloadFiles::contents(filePath(folder, "_Bat1DischProfile.csv")),
              KnownLogImage::battery1DischargeProfile());
    EXPECT_EQ(DownloadFiles::contents(filePath(folder, "_Bat2DischProfile.csv")),
              KnownLogImage::battery2DischargeProfile());
    EXPECT_EQ(DownloadFiles::names(folder.path()).size(), 5);
    EXPECT_EQ(result.summary, KnownLogImage::summary(folder.filePath(KnownLogImage::BaseName)));
    EXPECT_FALSE(result.clockSet);
    EXPECT_TRUE(prompts.shown().isEmpty());
    // The unit's clock was only read.
    EXPECT_EQ(clockRecords(), QByteArray::fromHex("53001e"));
}

TEST_F(DownloadOverTcp, selectedColumnsAndChargedAs100FollowTheFirstRecordsItems)
{
    DownloadJob job = everything();
    job.settings.pDataSave = 1;
    job.settings.chargedValue = 1;
    job.efficiency = false;
    job.dischargeProfile = false;

    const DownloadResult result = download(job);

    ASSERT_TRUE(result.success);
    EXPECT_EQ(DownloadFiles::contents(filePath(folder, "_PeriodicData.csv")),
              KnownLogImage::periodicSelectedColumns());
    EXPECT_EQ(DownloadFiles::names(folder.path()),
              QStringList{KnownLogImage::BaseName + QStringLiteral("_PeriodicData.csv")});
    EXPECT_TRUE(result.summary.startsWith(
        QStringLiteral("Data Downloaded:\n   3 Periodic records\n   0 Efficiency records\n"
                       "   0 Battery Discharge Profile records\n\n")));
}

TEST_F(DownloadOverTcp, mostRecentAtTopWritesEveryFileNewestFirst)
{
    DownloadJob job = everything();
    job.settings.dataOrder = 1;
    const DownloadResult result = download(job);

    ASSERT_TRUE(result.success);
    EXPECT_EQ(DownloadFiles::contents(filePath(folder, "_Bat1DischProfile.csv")),
              QByteArray("Day of Month,Percent Full,Filtered Volts,Filtered Amps"
                         "\r15,50%,12.40,102.30\r14,155%,12.60,-12.00"));
    // Newest first, and the record then at index 0 (the newest) is the one left out.
    EXPECT_EQ(DownloadFiles::contents(filePath(folder, "_Bat1CycleEfficy.csv")),
              QByteArray("Date Time,Valid,Cycle Hrs,Dis AHrs,Chrg AHrs,Net AHrs,Chrg Eff,"
                         "Self DisChrg, 5 Cycle Chrg Eff, 5 Cycle Self DisChrg"
                         "\r03/14/2026 00:00:27,FALSE,0.00,0.00,0.00,0.00,0.00%,0.00,0.00%,0.00"
                         "\r03/13/2026 00:00:27,FALSE,0.00,0.00,0.00,0.00,0.00%,0.00,0.00%,0.00"));
    EXPECT_TRUE(DownloadFiles::contents(filePath(folder, "_PeriodicData.csv"))
                    .endsWith("\r03/14/2026 23:30:27,-102.30,-X-,-X-,-X-,-X-,77.0,30.2,12.6,-X-,"
                              "-X-,95,1,40,0"));
}

TEST_F(DownloadOverTcp, theClockSettingKeepsTheDayAndWritesTheBlockAndMinutesOfThePc)
{
    DownloadJob job = everything();
    job.syncTime = true;
    job.periodic = false;
    job.efficiency = false;
    job.dischargeProfile = false;

    // 23:59: block 7, minute 179 of the block; day 10 stays.
    const DownloadResult late =
        download(job, QDateTime(QDate(2026, 3, 15), QTime(23, 59, 41), QTimeZone::utc()));
    ASSERT_TRUE(late.success);
    EXPECT_EQ(clockRecords(), QByteArray::fromHex("5700b3"));
    EXPECT_TRUE(late.clockSet);
    EXPECT_TRUE(late.summary.endsWith(QStringLiteral("\n\nUnit time has been set to PC time.")));

    // 00:00: block 0, minute 0.
    const DownloadResult midnight =
        download(job, QDateTime(QDate(2026, 3, 16), QTime(0, 0, 5), QTimeZone::utc()));
    ASSERT_TRUE(midnight.success);
    EXPECT_EQ(clockRecords(), QByteArray::fromHex("500000"));
}

TEST_F(DownloadOverTcp, theClockSetOnTheWayPlacesTheRecordsOnTheCalendar)
{
    DownloadJob job = everything();
    job.syncTime = true;
    job.efficiency = false;
    job.dischargeProfile = false;
    // At 21:10 the unit is set to block 7 minute 10 of day 10: its day 0 began 03/05/2026 00:00:33.
    const DownloadResult result =
        download(job, QDateTime(QDate(2026, 3, 15), QTime(21, 10, 33), QTimeZone::utc()));
    ASSERT_TRUE(result.success);
    EXPECT_EQ(clockRecords(), QByteArray::fromHex("57000a"));
    EXPECT_TRUE(DownloadFiles::contents(filePath(folder, "_PeriodicData.csv"))
                    .endsWith("\r03/15/2026 09:15:33,-X-,-X-,-X-,-X-,-X-,-X-,-X-,-X-,50000.00,"
                              "13.0,-X-,-X-,-X-,-X-"));
}

TEST_F(DownloadOverTcp, theProgressWindowIsToldEachStepOfEachLog)
{
    DownloadJob job = everything();
    job.syncTime = true;
    ASSERT_TRUE(download(job).success);

    // Set-up: 0xD2, 0xD1, the index page, the clock read of the setting, 0xF9 and 0x24.
    ASSERT_GE(steps.size(), 7);
    EXPECT_EQ(steps[0],
              (DownloadProgress{QStringLiteral("Downloading Setup Information..."), 6, 0}));
    EXPECT_EQ(steps[6],
              (DownloadProgress{QStringLiteral("Downloading Setup Information..."), 6, 6}));
    const QList<std::pair<QString, int>> areas{
        {QStringLiteral("Downloading Periodic Data..."), 29},
        {QStringLiteral("Downloading Battery Discharge Profile Data..."), 8},
        {QStringLiteral("Downloading Bat #1 Efficiency Data..."), 4},
        {QStringLiteral("Downloading Bat #2 Efficiency Data..."), 4}};
    int at = 7;
    for (const auto& [text, requests] : areas) {
        for (int position = 0; position <= requests; ++position, ++at) {
            ASSERT_LT(at, steps.size());
            EXPECT_EQ(steps[at], (DownloadProgress{text, requests, position}));
        }
    }
    // The battery words add nothing: the bar is full.
    EXPECT_EQ(steps.size(), at);
}

TEST_F(DownloadOverTcp, withNoLogChosenTheSetupClockAndBatteryWordsAreStillReadAndNothingWritten)
{
    DownloadJob job = everything();
    job.periodic = false;
    job.efficiency = false;
    job.dischargeProfile = false;
    const DownloadResult result = download(job);

    ASSERT_TRUE(result.success);
    EXPECT_TRUE(DownloadFiles::names(folder.path()).isEmpty());
    EXPECT_EQ(result.summary,
              QStringLiteral("Data Downloaded:\n   0 Periodic records\n"
                             "   0 Efficiency records\n"
                             "   0 Battery Discharge Profile records\n\n"
                             "Data files saved in:\n") +
                  QDir::toNativeSeparators(folder.filePath(KnownLogImage::BaseName)));
}

TEST_F(DownloadOverTcp, aDownloadThatStartedCannotBeStartedAgain)
{
    std::unique_ptr<DownloadSequence> sequence = newSequence();
    connectAs(*sequence);
    EXPECT_TRUE(sequence->start(everything()));
    EXPECT_TRUE(sequence->isRunning());
    EXPECT_FALSE(sequence->start(everything()));
    ASSERT_TRUE(EventPump::waitUntil([&] { return !sequence->isRunning(); }, SequenceLimitMs));
}

// ---- Faults at each step

struct StepFault {
    const char* name;
    FaultKind fault;
    const char* selector;
    bool syncTime;
};

class DownloadFaultOverTcp : public DownloadOverTcp,
                             public ::testing::WithParamInterface<StepFault> {};

TEST_P(DownloadFaultOverTcp, endsWithTheCommunicationErrorNoFileAndAUsableLink)
{
    const StepFault& step = GetParam();
    ASSERT_TRUE(faults.add(step.fault, QString::fromLatin1(step.selector)));
    DownloadJob job = everything();
    job.syncTime = step.syncTime;
    job.settings.singleFilePd = 1;
    job.settings.singlePdFileName = QStringLiteral("Cumulative.csv");
    const QByteArray pointerBefore = unit.read(0xD2, 4);

    const DownloadResult failed = download(job);

    EXPECT_FALSE(failed.success);
    EXPECT_EQ(failed.summary, CommunicationError);
    EXPECT_EQ(failed.periodicRecords + failed.efficiencyRecords + failed.dischargeProfileRecords,
              0);
    EXPECT_EQ(failed.clearing.action, PeriodicLogClearing::Action::Keep);
    EXPECT_FALSE(DownloadReport::confirmClearing(failed, prompts));
    EXPECT_TRUE(DownloadFiles::names(folder.path()).isEmpty());
    EXPECT_EQ(unit.read(0xD2, 4), pointerBefore);

    // The same link serves the next download (a dropped connection is made again).
    faults.clear();
    const DownloadResult again = download(everything());
    EXPECT_TRUE(again.success);
    EXPECT_EQ(DownloadFiles::contents(filePath(folder, "_PeriodicData.csv")),
              KnownLogImage::periodicAllColumns());
}

INSTANTIATE_TEST_SUITE_P(
    EachStep, DownloadFaultOverTcp,
    ::testing::Values(
        StepFault{"PeriodicPointerBadChecksum", FaultKind::BadChecksum, "read@0xd2", false},
        StepFault{"ProfilePointerShortReply", FaultKind::ShortReply, "read@0xd1", false},
        StepFault{"IndexPageNoReply", FaultKind::NoReply, "bulk@0x2f", false},
        StepFault{"ClockSettingReadGarbage", FaultKind::Garbage, "read@0xf9:1", true},
        StepFault{"DayWordWriteBadAcknowledgement", FaultKind::BadChecksum, "write@0xf9", true},
        StepFault{"MinutesWriteNoAcknowledgement", FaultKind::NoReply, "write@0x24", true},
        StepFault{"ClockDayNoReply", FaultKind::NoReply, "read@0xf9", false},
        StepFault{"ClockMinutesShortReply", FaultKind::ShortReply, "read@0x24", false},
        StepFault{"PeriodicPageDroppedConnection", FaultKind::DropConnection, "bulk@0x10", false},
        StepFault{"ProfilePagesExtraBytes", FaultKind::ExtraBytes, "bulk@0x24", false},
        StepFault{"Battery1EfficiencyBadChecksum", FaultKind::BadChecksum, "bulk@0x30", false},
        StepFault{"Battery2EfficiencyDroppedConnection", FaultKind::DropConnection, "bulk@0x3e",
                  false},
        StepFault{"Battery1WordNoReply", FaultKind::NoReply, "read@0xf2", false},
        StepFault{"Battery2WordBadChecksum", FaultKind::BadChecksum, "read@0xf1", false}),
    [](const ::testing::TestParamInfo<StepFault>& info) { return std::string(info.param.name); });

TEST_F(DownloadOverTcp, aBadWriteAcknowledgementIsToldBeforeTheCommunicationError)
{
    ASSERT_TRUE(faults.add(FaultKind::BadChecksum, QStringLiteral("write@0xf9")));
    DownloadJob job = everything();
    job.syncTime = true;
    const DownloadResult result = download(job);
    EXPECT_FALSE(result.success);
    EXPECT_EQ(prompts.texts(),
              QStringList{QStringLiteral("Error: Received bad checksum on Seriel Port.")});
    DownloadReport::tell(result, prompts);
    EXPECT_EQ(prompts.lastText(), CommunicationError);
}

// ---- Logs filled and wrapped by running the unit

TEST_F(DownloadOverTcp, wrappedLogsComeWholeAndTheFilesMatchTheUnitsOwnRecords)
{
    SimulatedUnit wrapped(0, 0);
    ASSERT_TRUE(Scenario::apply(QStringLiteral("wrapped"), wrapped));
    unit.restore(wrapped.image());
    // The unit's clock reads day 75, 00:00 as the scenario left it.
    unit.write(0xF9, QByteArray::fromHex("5802"));
    unit.write(0x24, QByteArray::fromHex("00"));

    // The unit's day 0 is 01/01/2026 here: day 75 is 03/17/2026.
    const QDateTime pcTime(QDate(2026, 3, 17), QTime(0, 0, 0), QTimeZone::utc());
    const DownloadResult result = download(everything(), pcTime);

    ASSERT_TRUE(result.success);
    // 23-byte records, two to a block, every block in use; one record every ten minutes.
    EXPECT_GE(result.periodicRecords, 231);
    EXPECT_LE(result.periodicRecords, 232);
    EXPECT_EQ(result.dischargeProfileRecords, 756);
    const QList<QByteArray> rows =
        DownloadFiles::contents(filePath(folder, "_PeriodicData.csv")).split('\r');
    ASSERT_EQ(rows.size(), result.periodicRecords + 1);
    EXPECT_EQ(rows.first(), "Date Time,AD13: Ahr 1,AD14: Ahr 2,AD15: Ahr 3,AD20: Whr 1,"
                            "AD21: Whr 2,Tmax(F), Tmin(F),AD3: Volts 1,AD10: Amps 1,AD4: Volts 2,"
                            "AD22: Battery #1: %Full,Batt. 1 got charged,"
                            "AD23: Battery #2: %Full,Batt. 2 got charged");
    // The newest record is from day 75, 00:00.
    EXPECT_TRUE(rows.last().startsWith("03/17/2026 00:00:00,"));
    EXPECT_TRUE(rows[rows.size() - 2].startsWith("03/16/2026 23:50:00,"));
    for (const QByteArray& row : rows.mid(1))
        ASSERT_EQ(row.count(','), 14) << row.constData();
    const QList<QByteArray> profile1 =
        DownloadFiles::contents(filePath(folder, "_Bat1DischProfile.csv")).split('\r');
    const QList<QByteArray> profile2 =
        DownloadFiles::contents(filePath(folder, "_Bat2DischProfile.csv")).split('\r');
    EXPECT_EQ(profile1.size() - 1 + (profile2.size() > 1 ? profile2.size() - 1 : 0), 756);

    // The same memory decoded straight from the unit's image gives the same files: every page
    // came whole and in its place.
    QTemporaryDir direct;
    const MemoryImage image = unit.image();
    CLoggedData data;
    data.setUnitBaseTime(pcTime.toSecsSinceEpoch() - 75 * 86400);
    data.takePeriodicPointer(unit.read(0xD2, 4));
    data.takeDischargeProfilePointer(unit.read(0xD1, 3));
    data.takeEfficiencyIndexes(image.memory.mid(0x2F00, 256));
    data.takeBatteryWord(1, unit.read(0xF2, 2));
    data.takeBatteryWord(2, unit.read(0xF1, 2));
    for (const auto& [log, address, size] :
         {std::tuple{CLoggedData::Log::Periodic, 0x0300, 7424},
          std::tuple{CLoggedData::Log::DischargeProfile, 0x2000, 4096},
          std::tuple{CLoggedData::Log::Battery1Efficiency, 0x3000, 2048},
          std::tuple{CLoggedData::Log::Battery2Efficiency, 0x3800, 2048}}) {
        ASSERT_TRUE(data.area(log).storeAt(static_cast<std::uint16_t>(address),
                                           image.memory.mid(address, size)));
        data.decodeArea(log);
    }
    Settings settings;
    LoggedDataExport(settings, LogTimeText(QTimeZone::utc()))
        .run(data, LoggedFileNames(direct.path(), KnownLogImage::BaseName));
    const QStringList names = DownloadFiles::names(direct.path());
    EXPECT_EQ(DownloadFiles::names(folder.path()), names);
    for (const QString& name : names)
        EXPECT_EQ(DownloadFiles::contents(folder.filePath(name)),
                  DownloadFiles::contents(direct.filePath(name)))
            << name.toStdString();
}
