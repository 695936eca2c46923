#include "link/CUnitLink.h"
#include "logged/DownloadSequence.h"
#include "tests/e2e/DownloadFiles.h"
#include "tests/e2e/KnownLogImage.h"
#include "tests/e2e/LinkWindow.h"
#include "tests/e2e/SimulatorChild.h"
#include "tests/support/EventPump.h"
#include "tests/support/ScriptedPrompt.h"

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
        ASSERT_TRUE(simulator.start(QStringList{QStringLiteral("--image"), imagePath} + faults))
            << simulator.errors().toStdString();
        link = std::make_unique<CUnitLink>(prompts, ComPortDirectory(simulator.aliasFolder()));
        link->SetPortType(0);
        link->SetComPort(SimulatorChild::ComNumber);
        // Short limits keep the failures quick; every reply that comes, comes well within them.
        link->SetSerialTimeouts(SerialTimeouts{200, 10, 1000, 10, 2000});
        setUnitClock();
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

    DownloadResult download(const DownloadJob& job)
    {
        DownloadSequence sequence(*link, prompts);
        sequence.setClock([] { return KnownLogImage::pcTime(); });
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
