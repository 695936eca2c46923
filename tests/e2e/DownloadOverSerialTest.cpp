#include "link/CUnitLink.h"
#include "logged/DownloadSequence.h"
#include "tests/e2e/DownloadFiles.h"
#include "tests/e2e/KnownLogImage.h"
#include "tests/support/EventPump.h"
#include "tests/support/LinkWindow.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/SimulatorChild.h"

#include <QTemporaryDir>
#include <QTimeZone>
#include <gtest/gtest.h>
#include <optional>

namespace {

constexpr int SequenceLimitMs = 120000;
constexpr int WriteAck = 16;

// The program's download against the simulator program on a pseudo-terminal, found by its COM
// number, with the download as the link's only window. The simulator serves the hand-built image
// and its clock is set to the image's day 10, 09:30 first; it ticks on with real time, and the
// download is over long before its minute is.
class DownloadOverSerial : public ::testing::Test {
protected:
    void start(const QStringList& faults = {})
    {
        const QString imagePath = scratch.filePath(QStringLiteral("known.img"));
        MemoryImage image = KnownLogImage::image();
        ASSERT_TRUE(image.save(imagePath)) << image.errorString().toStdString();
        startWith(QStringList{QStringLiteral("--image"), imagePath} + faults);
        setUnitClock();
    }

    void startWith(const QStringList& arguments)
    {
        ASSERT_TRUE(simulator.start(arguments)) << simulator.errors().toStdString();
        link = std::make_unique<CUnitLink>(prompts, ComPortDirectory(simulator.aliasFolder()));
        link->SetPortType(0);
        link->SetComPort(SimulatorChild::ComNumber);
        // Short limits keep the failures quick; every reply that comes, comes well within them.
        link->SetSerialTimeouts(SerialTimeouts{200, 10, 1000, 10, 2000});
    }

    void TearDown() override
    {
        if (link)
            link->Close();
    }

    void write(std::uint8_t address, const QByteArray& bytes)
    {
        LinkWindow window(*link);
        link->SetOwner(&window);
        ASSERT_EQ(link->Write(&window, address, static_cast<int>(bytes.size()),
                              reinterpret_cast<const std::uint8_t*>(bytes.constData())),
                  1);
        EventPump::deliverPosted();
        ASSERT_EQ(window.replies().size(), 1);
        EXPECT_EQ(window.replies().first().kind, WriteAck);
    }

    void setUnitClock()
    {
        write(0xF9, QByteArray::fromHex("5300"));
        write(0x24, QByteArray::fromHex("1e"));
    }

    DownloadResult download(const DownloadJob& job, QDateTime pcTime = KnownLogImage::pcTime())
    {
        DownloadSequence sequence(*link, prompts);
        sequence.setClock([pcTime] { return pcTime; });
        sequence.setTimeText(LogTimeText(QTimeZone::utc()));
        std::optional<DownloadResult> result;
        QObject::connect(&sequence, &DownloadSequence::finished,
                         [&result](const DownloadResult& done) { result = done; });
        EXPECT_TRUE(sequence.start(job));
        EXPECT_TRUE(
            EventPump::waitUntil([&result] { return result.has_value(); }, SequenceLimitMs));
        return result.value_or(DownloadResult{});
    }

    DownloadJob everything() const
    {
        return DownloadFiles::everything(folder.path(), KnownLogImage::BaseName);
    }

    QString pathOf(const char* suffix) const
    {
        return folder.filePath(KnownLogImage::BaseName + QLatin1String(suffix));
    }

    QTemporaryDir scratch;
    QTemporaryDir folder;
    SimulatorChild simulator;
    ScriptedPrompt prompts;
    std::unique_ptr<CUnitLink> link;
};

} // namespace

TEST_F(DownloadOverSerial, aKnownImageGivesEveryFileAsTheLogLayoutsSay)
{
    start();
    const DownloadResult result = download(everything());

    ASSERT_TRUE(result.success) << simulator.errors().toStdString();
    EXPECT_EQ(DownloadFiles::contents(pathOf("_PeriodicData.csv")),
              KnownLogImage::periodicAllColumns());
    EXPECT_EQ(DownloadFiles::contents(pathOf("_Bat1CycleEfficy.csv")),
              KnownLogImage::battery1Efficiency());
    EXPECT_EQ(DownloadFiles::contents(pathOf("_Bat2CycleEfficy.csv")),
              KnownLogImage::battery2Efficiency());
    EXPECT_EQ(DownloadFiles::contents(pathOf("_Bat1DischProfile.csv")),
              KnownLogImage::battery1DischargeProfile());
    EXPECT_EQ(DownloadFiles::contents(pathOf("_Bat2DischProfile.csv")),
              KnownLogImage::battery2DischargeProfile());
    EXPECT_EQ(result.summary, KnownLogImage::summary(folder.filePath(KnownLogImage::BaseName)));
    EXPECT_TRUE(prompts.shown().isEmpty()) << prompts.lastText().toStdString();
}

TEST_F(DownloadOverSerial, aLineThatGoesQuietMidDownloadWritesNothingAndTheNextDownloadWorks)
{
    // The second page of the periodic log: half of it, then nothing.
    start({QStringLiteral("--drop-connection"), QStringLiteral("bulk@0x04:1")});
    const DownloadResult failed = download(everything());

    EXPECT_FALSE(failed.success);
    EXPECT_EQ(failed.summary,
              QStringLiteral("There was a Communication Error while downloading Logged Data.\n"
                             "No data files were created."));
    EXPECT_TRUE(DownloadFiles::names(folder.path()).isEmpty());

    const DownloadResult again = download(everything());
    ASSERT_TRUE(again.success);
    EXPECT_EQ(DownloadFiles::contents(pathOf("_PeriodicData.csv")),
              KnownLogImage::periodicAllColumns());
}

TEST_F(DownloadOverSerial, aWriteTheUnitDoesNotAcknowledgeEndsTheDownload)
{
    start({QStringLiteral("--no-reply"), QStringLiteral("write@0x24:2")});
    DownloadJob job = everything();
    job.syncTime = true;
    const DownloadResult failed = download(job);

    EXPECT_FALSE(failed.success);
    EXPECT_FALSE(failed.clockSet);
    EXPECT_TRUE(DownloadFiles::names(folder.path()).isEmpty());
}

TEST_F(DownloadOverSerial, logsFilledAndWrappedByRunningTheUnitComeWhole)
{
    // Ten-minute records of all ten items for 75 days; the unit's clock reads day 75, 00:00.
    startWith({QStringLiteral("--scenario"), QStringLiteral("wrapped")});
    const DownloadResult result =
        download(everything(), QDateTime(QDate(2026, 3, 17), QTime(0, 0, 0), QTimeZone::utc()));

    ASSERT_TRUE(result.success);
    EXPECT_GE(result.periodicRecords, 231);
    EXPECT_LE(result.periodicRecords, 232);
    EXPECT_EQ(result.dischargeProfileRecords, 756);
    const QList<QByteArray> rows = DownloadFiles::contents(pathOf("_PeriodicData.csv")).split('\r');
    ASSERT_EQ(rows.size(), result.periodicRecords + 1);
    // The unit logs every ten minutes and its clock reads the PC's time: the newest record is
    // from the last ten minutes.
    const auto timeOf = [](const QByteArray& row) {
        const QDateTime local = QDateTime::fromString(QString::fromLatin1(row.left(19)),
                                                      QStringLiteral("MM/dd/yyyy HH:mm:ss"));
        return QDateTime(local.date(), local.time(), QTimeZone::utc());
    };
    const QDateTime oldest = timeOf(rows[1]);
    const QDateTime newest = timeOf(rows.last());
    const QDateTime pcTime(QDate(2026, 3, 17), QTime(0, 0, 0), QTimeZone::utc());
    EXPECT_LE(newest, pcTime) << rows.last().constData();
    EXPECT_GT(newest, pcTime.addSecs(-600)) << rows.last().constData();
    EXPECT_EQ(oldest.secsTo(newest), 600 * (result.periodicRecords - 1));
}
