#include "link/CUnitLink.h"
#include "link/UnitSearch.h"
#include "tests/e2e/LinkWindow.h"
#include "tests/e2e/SimulatorChild.h"
#include "tests/support/EventPump.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/TestBytes.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

constexpr int Error = 1;
constexpr int SerialReply = 0x403;
constexpr int WriteAck = 16;

// The program's link to the simulator program over a pseudo-terminal, found by its COM number.
class LinkOverSerial : public ::testing::Test {
protected:
    void start(const QStringList& arguments = {})
    {
        ASSERT_TRUE(simulator.start(arguments)) << simulator.errors().toStdString();
        link = std::make_unique<CUnitLink>(prompts, ComPortDirectory(simulator.aliasFolder()));
        window = std::make_unique<LinkWindow>(*link);
        link->SetOwner(window.get());
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

    // A serial request returns once the reply was read; its message waits in the event queue.
    RecordingReceiver::Message read(quint8 address, int length, int kind = 17)
    {
        window->clear();
        if (link->Read(window.get(), address, length, static_cast<std::uint16_t>(kind), 0) != 1)
            return {};
        return posted();
    }

    RecordingReceiver::Message posted()
    {
        EventPump::deliverPosted();
        const QList<RecordingReceiver::Message> replies = window->replies();
        return replies.isEmpty() ? RecordingReceiver::Message{} : replies.first();
    }

    SimulatorChild simulator;
    ScriptedPrompt prompts;
    std::unique_ptr<CUnitLink> link;
    std::unique_ptr<LinkWindow> window;
};

} // namespace

TEST_F(LinkOverSerial, theSimulatorIsListedUnderItsComNumberAndFoundByTheSearch)
{
    start();
    const QList<ComPort> ports = link->ports().list();
    const auto alias = std::find_if(ports.begin(), ports.end(),
                                    [](const ComPort& port) { return port.number == 7; });
    ASSERT_NE(alias, ports.end());
    EXPECT_EQ(QFileInfo(alias->device).canonicalFilePath(), simulator.devicePath());
    UnitSearch search(UnitSearch::Caller::OptionsPage, [](const QString&, RgbColor) {});
    EXPECT_EQ(search.SearchUnit({*alias}, *link), 7);
}

TEST_F(LinkOverSerial, theFirmwareVersionReadIsPostedAfterTheCall)
{
    start();
    const auto reply = read(0xF7, 1, 4);
    EXPECT_EQ(reply.message, SerialReply);
    EXPECT_EQ(reply.wParam, 1);
    EXPECT_EQ(reply.data.left(1), bytesOf({25}));
}

TEST_F(LinkOverSerial, theSearchProbeReadsFourBytesAt0x0F)
{
    start();
    EXPECT_EQ(read(0x0F, 4, 3).wParam, 4);
}

TEST_F(LinkOverSerial, aWriteIsAcknowledgedWithItsFrameChecksum)
{
    start();
    window->clear();
    const std::uint8_t days = 12;
    ASSERT_EQ(link->Write(window.get(), 0xE2, 1, &days), 1);
    const auto ack = posted();
    EXPECT_EQ(ack.kind, WriteAck);
    EXPECT_EQ(byteAt(ack.data, 0), ack.tag);
    EXPECT_EQ(read(0xE2, 1).data.left(1), bytesOf({12}));
}

TEST_F(LinkOverSerial, aBulkReadDeliversTheWholePage)
{
    start({QStringLiteral("--scenario"), QStringLiteral("week")});
    window->clear();
    ASSERT_EQ(link->BulkRead(0x2F00, 1, 2), 1);
    const auto reply = posted();
    EXPECT_EQ(reply.wParam, 256);
    // Both batteries have logged charge cycles in a week.
    EXPECT_NE(byteAt(reply.data, 0xFC), 0);
    EXPECT_NE(byteAt(reply.data, 0xFE), 0);
}

TEST_F(LinkOverSerial, eachFaultEndsTheWayTheLinkPromises)
{
    start({QStringLiteral("--bad-checksum"), QStringLiteral("read@0xF7:1"),
           QStringLiteral("--short-reply"), QStringLiteral("read@0xF7:2"),
           QStringLiteral("--no-reply"), QStringLiteral("read@0xF7:3"), QStringLiteral("--garbage"),
           QStringLiteral("read@0xF7:4"), QStringLiteral("--extra-bytes"),
           QStringLiteral("read@0xF7:5")});
    const int expectedErrors[] = {1042, 1043, 1043, 1042};
    for (int error : expectedErrors) {
        window->clear();
        EXPECT_EQ(link->Read(window.get(), 0xF7, 1, 4, 0), 0);
        EXPECT_EQ(link->GetState(), Error);
        EXPECT_EQ(link->GetError(), error);
        EXPECT_TRUE(posted().data.isEmpty());
    }
    // Extra bytes stay behind on the line; the next request's open clears them away.
    EXPECT_EQ(read(0xF7, 1, 4).data.left(1), bytesOf({25}));
    EXPECT_EQ(read(0xF7, 1, 4).data.left(1), bytesOf({25}));
}

TEST_F(LinkOverSerial, aWrongAcknowledgementIsLeftToTheOwnerToNotice)
{
    start({QStringLiteral("--bad-checksum"), QStringLiteral("write")});
    window->clear();
    const std::uint8_t command = 0x72;
    ASSERT_EQ(link->Write(window.get(), 0x27, 1, &command), 1);
    const auto ack = posted();
    ASSERT_EQ(ack.wParam, 1);
    EXPECT_NE(byteAt(ack.data, 0), ack.tag);
}

TEST_F(LinkOverSerial, atARealLinesPaceAPageTakesOverASecond)
{
    start({QStringLiteral("--pace")});
    link->SetSerialTimeouts(SerialTimeouts{1000, 10, 2000, 10, 2000});
    QElapsedTimer timer;
    timer.start();
    window->clear();
    ASSERT_EQ(link->BulkRead(0x2F00, 1, 2), 1);
    EXPECT_GE(timer.elapsed(), 1000);
    EXPECT_EQ(posted().wParam, 256);
}

TEST_F(LinkOverSerial, stoppingTheSimulatorTakesItsAliasAway)
{
    start();
    const QString alias = simulator.aliasFolder() + QStringLiteral("/COM7");
    EXPECT_TRUE(QFileInfo(alias).isSymLink());
    link->Close();
    EXPECT_TRUE(simulator.stop());
    EXPECT_FALSE(QFileInfo(alias).isSymLink());
}
