#include "link/CUnitLink.h"
#include "simulator/UnitSimulator.h"
#include "tests/e2e/LinkWindow.h"
#include "tests/support/TestBytes.h"
#include "tests/support/EventPump.h"
#include "tests/support/ScriptedPrompt.h"

#include <gtest/gtest.h>

namespace {

// The link states and request kinds, restated.
constexpr int Closed = 0;
constexpr int Error = 1;
constexpr int Idle = 2;
constexpr int Receiving = 4;
constexpr int Connecting = 6;
constexpr int TcpReply = 0x401;
constexpr int TcpStatus = 0x402;
constexpr int WriteAck = 16;
constexpr int Login = 1;
// An adapter status byte that is not zero, so a checksum that leaves it out fails.
constexpr quint8 StatusByte = 0x5A;

// The program's link to a simulator in this process, over TCP.
class LinkOverTcp : public ::testing::Test {
protected:
    void TearDown() override { link.Close(); }

    void startSimulator(QList<std::pair<FaultKind, QString>> faults = {}, QString scenario = {})
    {
        SimulatorOptions options;
        options.tcpPort = 0;
        options.statusByte = StatusByte;
        options.verbose = true;
        options.faults = std::move(faults);
        options.scenario = std::move(scenario);
        simulator = std::make_unique<UnitSimulator>(
            options, [this](const QString& line) { served.append(line); });
        QString error;
        ASSERT_TRUE(simulator->start(&error)) << error.toStdString();
        link.SetOwner(&window);
        link.SetPortType(1);
        link.SetHost(QStringLiteral("127.0.0.1"), simulator->tcpPort());
    }

    void logIn()
    {
        ASSERT_EQ(link.Open(), 1);
        ASSERT_TRUE(EventPump::waitUntil([this] { return link.GetState() == Idle; }));
        window.clear();
    }

    void start(QList<std::pair<FaultKind, QString>> faults = {}, QString scenario = {})
    {
        startSimulator(std::move(faults), std::move(scenario));
        logIn();
    }

    // Sends a READ and waits for its reply; the reply, or an empty message on none.
    RecordingReceiver::Message read(quint8 address, int length, int kind = 17, int tag = 0)
    {
        window.clear();
        EXPECT_EQ(link.Read(&window, address, length, static_cast<std::uint16_t>(kind),
                            static_cast<std::uint16_t>(tag)),
                  1);
        return awaitReply();
    }

    RecordingReceiver::Message write(quint8 address, const QByteArray& data)
    {
        window.clear();
        EXPECT_EQ(link.Write(&window, address, static_cast<int>(data.size()),
                             reinterpret_cast<const std::uint8_t*>(data.constData())),
                  1);
        return awaitReply();
    }

    RecordingReceiver::Message bulkRead(quint16 pageAddress, int pages)
    {
        window.clear();
        EXPECT_EQ(link.BulkRead(pageAddress, pages, 6), 1);
        return awaitReply();
    }

    RecordingReceiver::Message awaitReply()
    {
        EventPump::waitUntil([this] { return !window.replies().isEmpty(); });
        const QList<RecordingReceiver::Message> replies = window.replies();
        link.ReplyDone();
        return replies.isEmpty() ? RecordingReceiver::Message{} : replies.first();
    }

    // The simulator has logged serving a request with this fault.
    bool servedWith(const QString& fault)
    {
        return EventPump::waitUntil([&] {
            return std::any_of(served.begin(), served.end(), [&](const QString& line) {
                return line.contains(QLatin1Char('[') + fault + QLatin1Char(']'));
            });
        });
    }

    // Every receive event of the socket posts a status message; wait for one more.
    bool receiveEventAfter(int statusCount)
    {
        return EventPump::waitUntil([&] { return window.count(TcpStatus) > statusCount; });
    }

    std::unique_ptr<UnitSimulator> simulator;
    QStringList served;
    ScriptedPrompt prompts;
    CUnitLink link{prompts, ComPortDirectory()};
    LinkWindow window{link};
};

} // namespace

TEST_F(LinkOverTcp, theLinkLogsInAndReadsTheAdaptersInterfaceVersion)
{
    startSimulator();
    ASSERT_EQ(link.Open(), 1);
    EXPECT_EQ(link.GetState(), Connecting);
    ASSERT_TRUE(EventPump::waitUntil([this] { return link.GetState() == Idle; }));
    EXPECT_DOUBLE_EQ(window.interfaceVersion, 1.2);
    EXPECT_EQ(link.GetLoginStage(), 2);
}

TEST_F(LinkOverTcp, theFirmwareVersionComesWithTheAdaptersStatusByte)
{
    start();
    const auto reply = read(0xF7, 1, 4);
    EXPECT_EQ(reply.message, TcpReply);
    EXPECT_EQ(reply.wParam, 1);
    EXPECT_EQ(reply.kind, 4);
    EXPECT_EQ(reply.status, StatusByte);
    EXPECT_EQ(reply.data.left(1), bytesOf({25}));
}

TEST_F(LinkOverTcp, theStartUpSequenceReadsTheUnitsConfiguration)
{
    start();
    EXPECT_EQ(read(0xE1, 3).data.left(3), bytesOf({0x06, 0x06, 0x01}));
    EXPECT_EQ(read(0xF2, 4).data.left(4), bytesOf({200, 0, 100, 0}));
    EXPECT_EQ(read(0xF6, 3).data.left(3), bytesOf({0x10, 0x00, 0x00}));
    EXPECT_EQ(read(0xF2, 2).data.left(2), bytesOf({200, 0}));
    EXPECT_EQ(read(0xF1, 2).data.left(2), bytesOf({100, 0}));
}

TEST_F(LinkOverTcp, everyPolledRecordAnswersWithItsLength)
{
    start();
    const std::pair<int, int> polled[] = {
        {0x01, 2},  {0x02, 2}, {0x03, 2},  {0x04, 2}, {0x05, 3}, {0x06, 3}, {0x07, 3},  {0x08, 3},
        {0x09, 3},  {0x0A, 3}, {0x0C, 3},  {0x0D, 3}, {0x0F, 4}, {0x12, 3}, {0x13, 3},  {0x17, 3},
        {0x18, 3},  {0x15, 4}, {0x16, 4},  {0x1A, 1}, {0x1B, 1}, {0x1C, 2}, {0x1D, 2},  {0x1E, 2},
        {0x1F, 2},  {0x19, 1}, {0xCE, 4},  {0x25, 2}, {0xF9, 2}, {0x24, 1}, {0xDA, 12}, {0xD7, 12},
        {0x90, 14}, {0x91, 6}, {0x92, 16}, {0x93, 16}};
    for (const auto& [address, length] : polled) {
        const auto reply = read(static_cast<quint8>(address), length, 3, address);
        EXPECT_EQ(reply.wParam, length) << std::hex << address;
        EXPECT_EQ(reply.tag, address);
    }
}

TEST_F(LinkOverTcp, aWriteIsAcknowledgedWithItsFrameChecksumAndTakesEffect)
{
    start();
    const auto ack = write(0xE2, bytesOf({12}));
    EXPECT_EQ(ack.kind, WriteAck);
    EXPECT_EQ(ack.wParam, 1);
    EXPECT_EQ(byteAt(ack.data, 0), ack.tag);
    EXPECT_EQ(read(0xE2, 1).data.left(1), bytesOf({12}));
}

TEST_F(LinkOverTcp, theClockIsSetAsTheDownloadSetsIt)
{
    start();
    // 23:59 on the unit's day 9: block 7, minute 179.
    write(0xF9, bytesOf({9 * 8 + 7, 0}));
    write(0x24, bytesOf({179}));
    EXPECT_EQ(read(0xF9, 2).data.left(2), bytesOf({9 * 8 + 7, 0}));
    EXPECT_EQ(read(0x24, 1).data.left(1), bytesOf({179}));
}

TEST_F(LinkOverTcp, aBulkReadOfThreePagesIsTheUnitsMemory)
{
    start({}, QStringLiteral("week"));
    const auto reply = bulkRead(0x0300, 3);
    EXPECT_EQ(reply.wParam, 768);
    EXPECT_EQ(reply.kind, 18);
    EXPECT_EQ(reply.data.left(768), simulator->unit().bulkRead(0x03, 3));
}

TEST_F(LinkOverTcp, clearingThePeriodicLogThroughTheCommandRecord)
{
    start({}, QStringLiteral("week"));
    write(0x27, bytesOf({0x72}));
    const QByteArray pointer = read(0xD2, 4).data;
    EXPECT_EQ((byteAt(pointer, 3) & 0x3F) << 8 | byteAt(pointer, 2), 0x1FC0);
}

TEST_F(LinkOverTcp, aBadChecksumPutsTheLinkInError1042)
{
    start({{FaultKind::BadChecksum, QStringLiteral("read@0xF7")}});
    ASSERT_EQ(link.Read(&window, 0xF7, 1, 4, 0), 1);
    ASSERT_TRUE(EventPump::waitUntil([this] { return link.GetState() == Error; }));
    EXPECT_EQ(link.GetError(), 1042);
    EventPump::deliverPosted();
    EXPECT_TRUE(window.replies().isEmpty());
}

TEST_F(LinkOverTcp, garbageFailsTheChecksumToo)
{
    start({{FaultKind::Garbage, QStringLiteral("1")}});
    ASSERT_EQ(link.Read(&window, 0x0F, 4, 3, 0), 1);
    ASSERT_TRUE(EventPump::waitUntil([this] { return link.GetState() == Error; }));
    EXPECT_EQ(link.GetError(), 1042);
}

TEST_F(LinkOverTcp, aShortReplyIsNeverDelivered)
{
    start({{FaultKind::ShortReply, QStringLiteral("1")}});
    const int statusBefore = window.count(TcpStatus);
    ASSERT_EQ(link.Read(&window, 0x0F, 4, 3, 0), 1);
    // The read's own status message, then the receive event of the short reply.
    ASSERT_TRUE(receiveEventAfter(statusBefore + 1));
    EventPump::deliverPosted();
    EXPECT_TRUE(window.replies().isEmpty());
    EXPECT_EQ(link.GetState(), Receiving);
}

TEST_F(LinkOverTcp, noReplyLeavesTheLinkReceiving)
{
    start({{FaultKind::NoReply, QStringLiteral("read")}});
    ASSERT_EQ(link.Read(&window, 0xF7, 1, 4, 0), 1);
    ASSERT_TRUE(servedWith(QStringLiteral("no-reply")));
    EventPump::deliverPosted();
    EXPECT_TRUE(window.replies().isEmpty());
    EXPECT_EQ(link.GetState(), Receiving);
}

TEST_F(LinkOverTcp, aReplyInSmallPiecesIsDeliveredOnceAndWhole)
{
    start({{FaultKind::SplitReply, QStringLiteral("bulk")}}, QStringLiteral("week"));
    const auto reply = bulkRead(0x2F00, 1);
    EXPECT_EQ(reply.wParam, 256);
    EXPECT_EQ(reply.data.left(256), simulator->unit().bulkRead(0x2F, 1));
    EventPump::deliverPosted();
    EXPECT_EQ(window.replies().size(), 1);
}

TEST_F(LinkOverTcp, aReplyWithBytesAfterItIsNotDeliveredAndDoesNoHarm)
{
    start({{FaultKind::ExtraBytes, QStringLiteral("read:1")}});
    const int statusBefore = window.count(TcpStatus);
    ASSERT_EQ(link.Read(&window, 0xF7, 1, 4, 0), 1);
    ASSERT_TRUE(receiveEventAfter(statusBefore + 1));
    EventPump::deliverPosted();
    // Six bytes where three were due: the link waits for a reply of the right size.
    EXPECT_TRUE(window.replies().isEmpty());
    EXPECT_EQ(link.GetState(), Receiving);
    link.ResetReceive();
    EXPECT_EQ(read(0xF7, 1, 4).data.left(1), bytesOf({25}));
}

TEST_F(LinkOverTcp, aConnectionDroppedInTheMiddleOfADownloadClosesTheLink)
{
    start({{FaultKind::DropConnection, QStringLiteral("bulk:3")}}, QStringLiteral("week"));
    EXPECT_EQ(bulkRead(0x0300, 1).wParam, 256);
    EXPECT_EQ(bulkRead(0x0400, 1).wParam, 256);
    window.clear();
    ASSERT_EQ(link.BulkRead(0x0500, 1, 6), 1);
    ASSERT_TRUE(EventPump::waitUntil([this] { return link.GetState() == Closed; }));
    EventPump::deliverPosted();
    EXPECT_TRUE(window.replies().isEmpty());
}

TEST_F(LinkOverTcp, aRefusedLoginLeavesTheLinkConnecting)
{
    startSimulator({{FaultKind::RefuseLogin, QStringLiteral("all")}});
    ASSERT_EQ(link.Open(), 1);
    ASSERT_TRUE(EventPump::waitUntil([this] {
        const QList<RecordingReceiver::Message> replies = window.replies();
        return std::any_of(replies.begin(), replies.end(),
                           [](const auto& reply) { return reply.kind == Login; });
    }));
    EventPump::deliverPosted();
    EXPECT_EQ(link.GetState(), Connecting);
    EXPECT_EQ(link.GetLoginStage(), 1);
}
