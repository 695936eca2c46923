#include "link/CUnitLink.h"
#include "link/LinkRequest.h"
#include "programming/NetworkAdapterBlocks.h"
#include "programming/ParameterSession.h"
#include "programming/ParameterTable.h"
#include "tests/programming/MenuStandIn.h"
#include "tests/programming/RecordUnit.h"
#include "tests/programming/TestBytes.h"
#include "tests/support/EventPump.h"
#include "tests/support/ScriptedPrompt.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <gtest/gtest.h>

using Result = ParameterSession::WriteResult;
using Verdict = WriteAcknowledgement::Verdict;

namespace {

constexpr int LOGIN_CODE_SIZE = 8;
constexpr int P14 = 7;
constexpr int P38_DAY = 24;
constexpr int P38_MINUTE = 25;
constexpr int NETWORK_A = 30;
// Restated request kinds: a parameter read and a write acknowledgement.
constexpr std::uint16_t PARAMETER_KIND = 17;
constexpr std::uint16_t ACKNOWLEDGEMENT_KIND = 16;

// The unit's network adapter on a local TCP port: greets, takes the login code, then answers
// frames from its record store unless told to hold its replies.
class TcpSession : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
        QObject::connect(&server, &QTcpServer::newConnection, [this] {
            adapter = server.nextPendingConnection();
            QObject::connect(adapter, &QTcpSocket::readyRead, [this] { take(adapter->readAll()); });
            send(bytes({12, 1, 2, 3, 4, 5, 6, 7, 8}));
        });
        link.SetOwner(&menu);
        link.SetPortType(PORT_TCP);
        link.SetHost(QStringLiteral("127.0.0.1"), server.serverPort());
        ASSERT_EQ(link.Open(), 1);
        ASSERT_TRUE(EventPump::waitUntil([&] { return link.GetState() == LINK_IDLE; }));
        menu.clear();
    }

    void take(const QByteArray& received)
    {
        pending += received;
        if (!loggedIn) {
            if (pending.size() < LOGIN_CODE_SIZE)
                return;
            pending.remove(0, LOGIN_CODE_SIZE);
            loggedIn = true;
            send(bytes({0x00}));
        }
        const QByteArray replies = unit.answerTcp(pending);
        if (holdReplies)
            held += replies;
        else
            send(replies);
    }

    void send(const QByteArray& data)
    {
        if (data.isEmpty())
            return;
        adapter->write(data);
        adapter->flush();
    }

    // A reply handed to the session directly, as if the link had delivered it.
    static void deliver(ParameterSession& session, std::uint16_t kind, std::uint16_t tag,
                        QByteArray data)
    {
        LinkRequest request;
        request.kind = kind;
        request.tag = tag;
        request.data = reinterpret_cast<std::uint8_t*>(data.data());
        session.dispatchLinkMessage(WM_LINK_TCPREPLY, static_cast<int>(data.size()), &request);
    }

    RecordUnit unit;
    QTcpServer server;
    QPointer<QTcpSocket> adapter;
    QByteArray pending;
    QByteArray held;
    bool loggedIn = false;
    bool holdReplies = false;
    ScriptedPrompt prompts;
    CUnitLink link{prompts, ComPortDirectory()};
    MenuStandIn menu{link, prompts};
    ParameterTable table;
};

} // namespace

TEST_F(TcpSession, NetworkSettingsAreReadAndWrittenInTurnThroughTheAdapter)
{
    using namespace NetworkAdapterBlocks;
    unit.setRecord(0x90, bytes({0x00, 192, 168, 0, 9, 192, 168, 0, 1, 8, 1, 1, 1, 1}));
    unit.setRecord(0x91, bytes({9, 9, 9, 9, 0x50, 0x00}));
    unit.setRecord(0x92, QByteArray("SHED\0\0\0\0\0\0\0\0\0\0\0\0", 16));
    QList<CProgramData*> records;
    for (int slot = NETWORK_A; slot < NETWORK_A + 4; ++slot)
        records.append(&table.slot(slot));
    ParameterSession session(link, prompts, records);

    ASSERT_TRUE(session.read());
    ASSERT_TRUE(EventPump::waitUntil([&] { return session.hasRead(); }));
    Blocks read;
    for (int i = 0; i < BLOCK_COUNT; ++i)
        read[static_cast<std::size_t>(i)] = session.bytesRead(i);
    Settings settings = decode(read);
    EXPECT_EQ(settings.ipAddress, 0xC0A80009u);
    EXPECT_EQ(settings.port, 80u);
    EXPECT_EQ(settings.name, QStringLiteral("SHED"));

    settings.dhcp = true;
    settings.name = QStringLiteral("BARN");
    const Blocks written = encode(settings, read[BLOCK_A]);
    QSignalSpy done(&session, &ParameterSession::writesDone);
    ASSERT_EQ(session.writeInTurn({written.begin(), written.end()}, &menu), Result::Sent);
    ASSERT_TRUE(EventPump::waitUntil([&] { return menu.verdicts().size() == 1; }));
    EXPECT_EQ(done.count(), 1);
    EXPECT_EQ(menu.verdicts(), QList<Verdict>{Verdict::Matches});

    const auto requests = unit.requests();
    ASSERT_EQ(requests.size(), 8);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(requests[i].command, 0x81);
        EXPECT_EQ(requests[i].address, 0x90 + i);
        EXPECT_EQ(requests[4 + i].command, 0x01);
        EXPECT_EQ(requests[4 + i].address, 0x90 + i);
    }
    EXPECT_EQ(unit.record(0x90), bytes({0x01, 192, 168, 0, 9, 192, 168, 0, 1, 8, 1, 1, 1, 1}));
    EXPECT_EQ(unit.record(0x92), QByteArray("BARN\0\0\0\0\0\0\0\0\0\0\0\0", 16));
    EXPECT_EQ(unit.record(0x93), QByteArray(16, '\0'));
    EXPECT_TRUE(prompts.shown().isEmpty());
}

TEST_F(TcpSession, ABadAcknowledgementStopsTheNetworkBlocksAfterTheFirst)
{
    QList<CProgramData*> records;
    for (int slot = NETWORK_A; slot < NETWORK_A + 4; ++slot)
        records.append(&table.slot(slot));
    ParameterSession session(link, prompts, records);
    ASSERT_TRUE(session.read());
    ASSERT_TRUE(EventPump::waitUntil([&] { return session.hasRead(); }));
    QSignalSpy rejected(&session, &ParameterSession::writeRejected);
    unit.spoilAcknowledgements(1);

    const auto blocks = NetworkAdapterBlocks::encode(NetworkAdapterBlocks::defaults(), {});
    ASSERT_EQ(session.writeInTurn({blocks.begin(), blocks.end()}, &menu), Result::Sent);
    ASSERT_TRUE(EventPump::waitUntil([&] { return rejected.count() == 1; }));
    EXPECT_EQ(prompts.texts(),
              QStringList{QStringLiteral("Error: Received bad checksum on Seriel Port.")});
    EventPump::deliverPosted();
    EXPECT_EQ(unit.writes().size(), 1);
    EXPECT_TRUE(menu.verdicts().isEmpty());
}

TEST_F(TcpSession, TakesOnlyAReplyOfItsKindTagAndLength)
{
    holdReplies = true;
    ParameterSession session(link, prompts, {&table.slot(P14)});
    QSignalSpy read(&session, &ParameterSession::recordsRead);
    ASSERT_TRUE(session.read());

    deliver(session, 3, 0, bytes({0x10, 0x00}));
    deliver(session, PARAMETER_KIND, 0, bytes({0x10}));
    deliver(session, PARAMETER_KIND, 0, bytes({0x10, 0x00, 0x00}));
    deliver(session, PARAMETER_KIND, 1, bytes({0x10, 0x00}));
    deliver(session, ACKNOWLEDGEMENT_KIND, 0x10, bytes({0x10}));
    EXPECT_FALSE(session.hasRead());
    EXPECT_EQ(read.count(), 0);
    EXPECT_EQ(session.write(bytes({0, 0}), &menu), Result::NeverRead);

    deliver(session, PARAMETER_KIND, 0, bytes({0x64, 0x00}));
    EXPECT_TRUE(session.hasRead());
    EXPECT_EQ(read.count(), 1);
    EXPECT_EQ(session.bytesRead(), bytes({0x64, 0x00}));
    EXPECT_TRUE(prompts.shown().isEmpty());
}

TEST_F(TcpSession, ReadsSeveralRecordsByTagsFromOne)
{
    holdReplies = true;
    ParameterSession session(link, prompts, {&table.slot(P38_DAY), &table.slot(P38_MINUTE)});
    ASSERT_TRUE(session.read());
    ASSERT_TRUE(EventPump::waitUntil([&] { return unit.requests().size() == 1; }));

    deliver(session, PARAMETER_KIND, 0, bytes({0x2C, 0x00}));
    deliver(session, PARAMETER_KIND, 2, bytes({0x2C, 0x00}));
    deliver(session, PARAMETER_KIND, 1, bytes({0x2C, 0x00}));
    ASSERT_TRUE(EventPump::waitUntil([&] { return unit.requests().size() == 2; }));
    EXPECT_EQ(unit.requests()[1].address, 0x24) << "the minute is asked only after the day";

    deliver(session, PARAMETER_KIND, 2, bytes({107}));
    EXPECT_TRUE(session.hasRead());
    EXPECT_EQ(session.bytesRead(0), bytes({0x2C, 0x00}));
    EXPECT_EQ(session.bytesRead(1), bytes({107}));
}

TEST_F(TcpSession, ReadingAgainKeepsTheOldBytesUntilAllNewOnesAreIn)
{
    holdReplies = true;
    ParameterSession session(link, prompts, {&table.slot(P38_DAY), &table.slot(P38_MINUTE)});
    ASSERT_TRUE(session.read());
    deliver(session, PARAMETER_KIND, 1, bytes({0x2C, 0x00}));
    deliver(session, PARAMETER_KIND, 2, bytes({107}));
    ASSERT_TRUE(session.hasRead());

    ASSERT_TRUE(session.read());
    deliver(session, PARAMETER_KIND, 1, bytes({0x08, 0x00}));
    EXPECT_EQ(session.bytesRead(0), bytes({0x2C, 0x00}));
    deliver(session, PARAMETER_KIND, 2, bytes({5}));
    EXPECT_EQ(session.bytesRead(0), bytes({0x08, 0x00}));
    EXPECT_EQ(session.bytesRead(1), bytes({5}));
}
