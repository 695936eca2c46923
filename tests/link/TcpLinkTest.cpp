#include "link/CUnitLink.h"
#include "link/LinkRequest.h"
#include "link/TcpLogin.h"
#include "resources/StringTable.h"
#include "tests/support/EventPump.h"
#include "tests/support/RecordingReceiver.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/TestBytes.h"

#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <gtest/gtest.h>

namespace {

// The adapter's login code, restated rather than imported.
const QByteArray ExpectedLoginCode("\x5A\x54\x56\x2D\x4C\x4E\x4B\x31", 8);

// A window that does the login exchange as the program's windows do.
class LoggingInWindow : public RecordingReceiver {
public:
    explicit LoggingInWindow(CUnitLink& link) : link_(link) {}
    void onTcpReply(int count, LinkRequest* request) override
    {
        RecordingReceiver::onTcpReply(count, request);
        const auto outcome = TcpLogin::onReply(link_, count, *request);
        if (outcome.step == TcpLogin::Step::CodeSent)
            greetingVersion = outcome.interfaceVersion;
    }
    double greetingVersion = 0;

private:
    CUnitLink& link_;
};

class TcpLink : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
        QObject::connect(&server, &QTcpServer::newConnection, [this] {
            adapter = server.nextPendingConnection();
            ++connections;
            QObject::connect(adapter, &QTcpSocket::readyRead,
                             [this] { received += adapter->readAll(); });
            send(greeting);
        });
        link.SetOwner(&window);
        link.SetPortType(PORT_TCP);
        link.SetHost(QStringLiteral("127.0.0.1"), server.serverPort());
    }

    void send(const QByteArray& data)
    {
        adapter->write(data);
        adapter->flush();
    }
    bool waitForReceived(int size)
    {
        return EventPump::waitUntil([&] { return received.size() >= size; });
    }
    bool waitForReplies(int count)
    {
        return EventPump::waitUntil([&] { return window.replies().size() >= count; });
    }

    void logIn()
    {
        ASSERT_EQ(link.Open(), 1);
        ASSERT_EQ(link.GetState(), LINK_CONNECTING);
        ASSERT_TRUE(waitForReceived(8));
        send(bytesOf({0x00}));
        ASSERT_TRUE(EventPump::waitUntil([&] { return link.GetState() == LINK_IDLE; }));
        received.clear();
        window.clear();
    }

    QTcpServer server;
    QPointer<QTcpSocket> adapter;
    int connections = 0;
    QByteArray received;
    QByteArray greeting = bytesOf({12, 1, 2, 3, 4, 5, 6, 7, 8});
    ScriptedPrompt prompts;
    CUnitLink link{prompts, ComPortDirectory()};
    LoggingInWindow window{link};
};

} // namespace

TEST_F(TcpLink, GreetingIsAnsweredWithTheLoginCodeAndConfirmationLogsIn)
{
    ASSERT_EQ(link.Open(), 1);
    EXPECT_EQ(link.GetState(), LINK_CONNECTING);
    ASSERT_TRUE(waitForReceived(8));
    EXPECT_EQ(received, ExpectedLoginCode);
    ASSERT_EQ(window.replies().size(), 1);
    EXPECT_EQ(window.replies().first().kind, REQ_GREETING);
    EXPECT_EQ(window.replies().first().wParam, 8);
    EXPECT_EQ(window.replies().first().status, 12);
    EXPECT_DOUBLE_EQ(window.greetingVersion, 1.2);
    EXPECT_EQ(link.GetLoginStage(), LOGIN_CODESENT);

    send(bytesOf({0x00}));
    ASSERT_TRUE(waitForReplies(2));
    EXPECT_EQ(window.replies().last().kind, REQ_LOGIN);
    EXPECT_EQ(link.GetLoginStage(), LOGIN_DONE);
    EXPECT_EQ(link.GetState(), LINK_IDLE);
}

TEST_F(TcpLink, ARefusedLoginLeavesTheLinkConnecting)
{
    ASSERT_EQ(link.Open(), 1);
    ASSERT_TRUE(waitForReceived(8));
    send(bytesOf({0x01}));
    ASSERT_TRUE(waitForReplies(2));
    EXPECT_EQ(link.GetState(), LINK_CONNECTING);
    EXPECT_EQ(loadString(1029), QStringLiteral("Waiting for Acknowlegement from Unit."));
}

TEST_F(TcpLink, AReplySplitOverSeveralReceiveEventsIsDeliveredOnce)
{
    logIn();
    ASSERT_EQ(link.Read(&window, 0x0F, 4, 3, 9), 1);
    ASSERT_TRUE(waitForReceived(5));
    EXPECT_EQ(received, bytesOf({0x00, 0x81, 0x0F, 0x04, 0x6B}));
    EXPECT_EQ(link.GetState(), LINK_RECEIVING);

    const QByteArray reply = withChecksum(bytesOf({0x07, 0x01, 0x02, 0x03, 0x04}));
    const int statusBefore = window.count(WM_LINK_TCPSTATUS);
    for (int part = 0; part < 3; ++part) {
        send(reply.mid(part * 2, 2));
        // Each part is its own receive event, which always posts a status message.
        ASSERT_TRUE(EventPump::waitUntil(
            [&] { return window.count(WM_LINK_TCPSTATUS) > statusBefore + part; }));
        EXPECT_EQ(window.replies().size(), part == 2 ? 1 : 0);
    }
    ASSERT_TRUE(waitForReplies(1));
    EventPump::deliverPosted();
    ASSERT_EQ(window.replies().size(), 1);
    EXPECT_EQ(window.replies().first().wParam, 4);
    EXPECT_EQ(window.replies().first().status, 0x07);
    EXPECT_EQ(window.replies().first().data, bytesOf({0x01, 0x02, 0x03, 0x04}));
    EXPECT_EQ(window.replies().first().tag, 9);
}

TEST_F(TcpLink, AWriteAcknowledgementIsStatusAndOneByte)
{
    logIn();
    const std::uint8_t data[] = {0x05};
    ASSERT_EQ(link.Write(&window, 0x10, 1, data), 1);
    EXPECT_EQ(link.GetState(), LINK_AWAITACK);
    ASSERT_TRUE(waitForReceived(6));
    EXPECT_EQ(received, bytesOf({0x00, 0x01, 0x10, 0x01, 0x05, 0xE8}));

    send(bytesOf({0x00, 0xE8}));
    ASSERT_TRUE(waitForReplies(1));
    const auto ack = window.replies().first();
    EXPECT_EQ(ack.kind, REQ_WRITEACK);
    EXPECT_EQ(ack.tag, 0xE8);
    EXPECT_EQ(ack.wParam, 1);
    EXPECT_EQ(ack.data, bytesOf({0xE8}));
}

TEST_F(TcpLink, ABadChecksumIsAnErrorAndTheBytesStayUntilReset)
{
    logIn();
    ASSERT_EQ(link.Read(&window, 0xF7, 1, 4, 0), 1);
    send(bytesOf({0x00, 0x42, 0x00}));
    ASSERT_TRUE(EventPump::waitUntil([&] { return link.GetState() == LINK_ERROR; }));
    EXPECT_EQ(link.GetError(), 1042);
    EventPump::deliverPosted();
    EXPECT_TRUE(window.replies().isEmpty());

    // In error the link keeps its connection: the next request goes out on the same socket.
    link.ResetReceive();
    ASSERT_EQ(link.Read(&window, 0xF7, 1, 4, 0), 1);
    send(withChecksum(bytesOf({0x00, 0x42})));
    ASSERT_TRUE(waitForReplies(1));
    EXPECT_EQ(window.replies().first().data, bytesOf({0x42}));
    EXPECT_EQ(connections, 1);
}

TEST_F(TcpLink, BytesBeyondACompleteReplyNeverOverflowTheBuffer)
{
    logIn();
    ASSERT_EQ(link.Read(&window, 0xF7, 1, 4, 0), 1);
    send(QByteArray(3000, '\x11'));
    ASSERT_TRUE(EventPump::waitUntil([&] { return window.count(WM_LINK_TCPSTATUS) >= 3; }));
    EventPump::deliverPosted();
    EXPECT_TRUE(window.replies().isEmpty());
    EXPECT_EQ(link.GetState(), LINK_RECEIVING);
}

TEST_F(TcpLink, ThePeerClosingClosesTheLink)
{
    logIn();
    adapter->disconnectFromHost();
    ASSERT_TRUE(EventPump::waitUntil([&] { return link.GetState() == LINK_CLOSED; }));
    EventPump::deliverPosted();
    ASSERT_GE(window.count(WM_LINK_TCPSTATUS), 1);
    EXPECT_EQ(window.messages().last().wParam, LINK_CLOSED);
    EXPECT_TRUE(prompts.shown().isEmpty());
}

TEST_F(TcpLink, ARefusedConnectionShowsASocketError)
{
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const quint16 unusedPort = closed.serverPort();
    closed.close();
    link.SetHost(QStringLiteral("127.0.0.1"), unusedPort);

    EXPECT_EQ(link.Read(&window, 0xF7, 1, 4, 0), 0);
    EXPECT_EQ(link.GetState(), LINK_ERROR);
    ASSERT_EQ(prompts.shown().size(), 1);
    EXPECT_EQ(prompts.shown().first().title, QStringLiteral("Socket Error"));
    EXPECT_EQ(prompts.shown().first().icon, PromptIcon::Information);
    EXPECT_FALSE(prompts.lastText().isEmpty());
}

TEST_F(TcpLink, OpenOnAnyStateButClosedKeepsTheConnection)
{
    ASSERT_EQ(link.Open(), 1);
    EXPECT_EQ(link.Open(), 1); // connecting
    ASSERT_TRUE(waitForReceived(8));
    send(bytesOf({0x00}));
    ASSERT_TRUE(EventPump::waitUntil([&] { return link.GetState() == LINK_IDLE; }));
    EXPECT_EQ(link.Open(), 1); // idle

    ASSERT_EQ(link.Read(&window, 0xF7, 1, 4, 0), 1);
    EXPECT_EQ(link.Open(), 1); // receiving
    const std::uint8_t data[] = {0x05};
    ASSERT_EQ(link.Write(&window, 0x10, 1, data), 1);
    EXPECT_EQ(link.Open(), 1); // awaiting the acknowledgement
    send(bytesOf({0x00, 0xE8}));
    ASSERT_TRUE(EventPump::waitUntil([&] { return window.replies().size() == 3; }));
    link.ResetReceive();
    ASSERT_EQ(link.Read(&window, 0xF7, 1, 4, 0), 1);
    send(bytesOf({0x00, 0x42, 0x00}));
    ASSERT_TRUE(EventPump::waitUntil([&] { return link.GetState() == LINK_ERROR; }));
    EXPECT_EQ(link.Open(), 1); // error

    EventPump::deliverPosted();
    EXPECT_EQ(connections, 1);
}
