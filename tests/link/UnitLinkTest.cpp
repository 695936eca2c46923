#include "link/CUnitLink.h"
#include "resources/StringTable.h"
#include "tests/support/EventPump.h"
#include "tests/support/LinkWindow.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/StandInUnit.h"
#include "tests/support/TestBytes.h"

#include <QSerialPort>
#include <QTcpServer>

namespace {

// Link states, messages and request kinds, restated.
constexpr int Closed = 0;
constexpr int Error = 1;
constexpr int Idle = 2;
constexpr int Receiving = 4;
constexpr int AwaitAck = 5;
constexpr int Connecting = 6;
constexpr int TcpStatus = 0x402;
constexpr int SerialStatus = 0x404;
constexpr int Greeting = 0;
constexpr int Login = 1;
constexpr int WriteAck = 16;
constexpr int Bulk = 18;
// An adapter status byte that is not zero, so a checksum that leaves it out fails.
constexpr quint8 StatusByte = 0x5A;

using Message = RecordingReceiver::Message;

enum class Request { Read, BulkRead, Write, LogIn };

// The program's link at the stand-in unit, with a window that logs in as the program's do.
class LinkAtTheUnit : public ::testing::Test {
protected:
    void SetUp() override
    {
        link.SetOwner(&window);
        // A record that is not all zeros, so that a reply cannot pass for a cleared buffer.
        unit.setRecord(0x0F, bytesOf({0x01, 0x02, 0x03, 0x04}));
    }

    bool open(Transport transport)
    {
        const bool opened = unit.open(link, transport);
        EventPump::deliverPosted();
        window.clear();
        return opened;
    }

    int send(Request request)
    {
        static const std::uint8_t P37[] = {12};
        switch (request) {
        case Request::Read:
            return link.Read(&window, 0x0F, 4, 3, 22);
        case Request::BulkRead:
            return link.BulkRead(0x0300, 1, 6);
        case Request::Write:
            return link.Write(&window, 0xE2, 1, P37);
        case Request::LogIn:
            return link.Open();
        }
        return 0;
    }

    std::optional<Message> awaitReply(int limitMs = 5000)
    {
        EventPump::waitUntil([this] { return !window.replies().isEmpty(); }, limitMs);
        EventPump::deliverPosted();
        const QList<Message> replies = window.replies();
        return replies.isEmpty() ? std::nullopt : std::optional(replies.first());
    }

    static SessionSettings adapter()
    {
        SessionSettings settings;
        settings.statusByte = StatusByte;
        return settings;
    }

    StandInUnit unit{adapter()};
    ScriptedPrompt prompts;
    CUnitLink link{prompts, ComPortDirectory()};
    LinkWindow window{link};
};

class UnitLink : public LinkAtTheUnit, public ::testing::WithParamInterface<Transport> {
protected:
    void SetUp() override
    {
        LinkAtTheUnit::SetUp();
        ASSERT_TRUE(open(GetParam()));
    }
};

} // namespace

TEST_P(UnitLink, AReadGoesOutAsItsFrameAndItsCheckedDataReachTheOwner)
{
    ASSERT_EQ(send(Request::Read), 1);
    EXPECT_EQ(link.GetState(), Receiving);
    if (GetParam() == Transport::Serial) {
        // Open and the read each send a status; the reply waits in the event queue.
        EXPECT_EQ(window.count(SerialStatus), 2);
        EXPECT_TRUE(window.replies().isEmpty());
    }
    const auto reply = awaitReply();
    ASSERT_TRUE(reply);
    EXPECT_EQ(unit.frames(), QList<QByteArray>{bytesOf({0x81, 0x0F, 0x04, 0x6B})});
    EXPECT_EQ(reply->wParam, 4);
    EXPECT_EQ(reply->kind, 3);
    EXPECT_EQ(reply->tag, 22);
    EXPECT_EQ(reply->data, bytesOf({0x01, 0x02, 0x03, 0x04}));
    if (GetParam() == Transport::Tcp) {
        EXPECT_EQ(reply->status, StatusByte);
    }
    link.ReplyDone();
    EXPECT_EQ(link.GetState(), Idle);
    EXPECT_EQ(link.GetError(), 0);
    EXPECT_TRUE(prompts.shown().isEmpty());
}

TEST_P(UnitLink, ABulkReadDeliversWholePagesAndOneTooBigForTheBuffersIsNeverSent)
{
    unit.withUnit([](SimulatedUnit& simulated) { simulated.fastForward(3); });
    QByteArray memory;
    unit.withUnit([&memory](SimulatedUnit& simulated) { memory = simulated.bulkRead(0x03, 3); });

    EXPECT_EQ(link.BulkRead(0x0300, 4, 6), 0);
    ASSERT_EQ(link.BulkRead(0x03FF, 3, 6), 1);
    const auto reply = awaitReply();
    ASSERT_TRUE(reply);
    EXPECT_EQ(unit.frames(), QList<QByteArray>{bytesOf({0xC1, 0x03, 0x03, 0x38})});
    EXPECT_EQ(reply->kind, Bulk);
    EXPECT_EQ(reply->tag, 6);
    EXPECT_EQ(reply->wParam, 768);
    EXPECT_EQ(reply->data, memory);
}

TEST_P(UnitLink, AWriteIsAcknowledgedWithItsFrameChecksumAndTakesEffect)
{
    ASSERT_EQ(send(Request::Write), 1);
    EXPECT_EQ(link.GetState(), AwaitAck);
    const auto ack = awaitReply();
    ASSERT_TRUE(ack);
    // P37 := 12: 0x01 0xE2 0x01 0x0C, checksum 0xFF - 0xF0.
    EXPECT_EQ(unit.frames(), QList<QByteArray>{bytesOf({0x01, 0xE2, 0x01, 0x0C, 0x0F})});
    EXPECT_EQ(ack->kind, WriteAck);
    EXPECT_EQ(ack->tag, 0x0F);
    EXPECT_EQ(ack->wParam, 1);
    EXPECT_EQ(ack->data, bytesOf({0x0F}));
    EXPECT_EQ(unit.record(0xE2), bytesOf({12}));
    link.ReplyDone();
    EXPECT_EQ(link.GetState(), AwaitAck);
}

TEST_P(UnitLink, AFailedReplyIsForgottenByTheNextRequest)
{
    const bool serial = GetParam() == Transport::Serial;
    unit.addFault(FaultKind::BadChecksum, QStringLiteral("read:1"));
    // Over serial the second reply leaves three stale bytes on the line for the third to purge.
    if (serial)
        unit.addFault(FaultKind::ExtraBytes, QStringLiteral("read:2"));
    send(Request::Read);
    EventPump::waitUntil([this] { return link.GetState() == Error; });
    ASSERT_EQ(link.GetError(), 1042);
    link.ResetReceive();

    for (int i = 0; i < (serial ? 2 : 1); ++i) {
        window.clear();
        ASSERT_EQ(send(Request::Read), 1);
        const auto reply = awaitReply();
        ASSERT_TRUE(reply);
        EXPECT_EQ(reply->data, bytesOf({0x01, 0x02, 0x03, 0x04}));
        // A good serial reply clears the error code; over TCP only a bad checksum sets it.
        EXPECT_EQ(link.GetError(), serial ? 0 : 1042);
        link.ReplyDone();
    }
}

INSTANTIATE_TEST_SUITE_P(Both, UnitLink, BothTransports, TransportName);

namespace {

// What a fault of the unit comes to on each transport.
struct FaultCase {
    FaultKind fault;
    Request request;
    Transport transport;
    int result; // of the request call
    bool delivered;
    int state;
    int error;
    const char* errorText;
};

std::string caseName(const ::testing::TestParamInfo<FaultCase>& info)
{
    static const char* requests[] = {"Read", "BulkRead", "Write", "LogIn"};
    std::string name;
    bool upper = true;
    for (const QChar c : FaultPlan::nameOf(info.param.fault)) {
        if (c != QLatin1Char('-'))
            name += upper ? c.toUpper().toLatin1() : c.toLatin1();
        upper = c == QLatin1Char('-');
    }
    return name + "On" + requests[static_cast<int>(info.param.request)] + "Over" +
           nameOf(info.param.transport);
}

void PrintTo(const FaultCase& c, std::ostream* out)
{
    *out << caseName({c, 0});
}

const char* const BadChecksum = "Error: Bad Checksum";
const char* const ReadError = "Error reading data from Zeltravanic unit.";

using F = FaultKind;
using R = Request;
constexpr Transport S = Transport::Serial;
constexpr Transport T = Transport::Tcp;

const FaultCase FaultCases[] = {
    {F::BadChecksum, R::Read, S, 0, false, Error, 1042, BadChecksum},
    {F::BadChecksum, R::Read, T, 1, false, Error, 1042, BadChecksum},
    {F::ShortReply, R::Read, S, 0, false, Error, 1043, ReadError},
    {F::ShortReply, R::Read, T, 1, false, Receiving, 0, ""},
    {F::NoReply, R::Read, S, 0, false, Error, 1043, ReadError},
    {F::NoReply, R::Read, T, 1, false, Receiving, 0, ""},
    {F::Garbage, R::Read, S, 0, false, Error, 1042, BadChecksum},
    {F::Garbage, R::Read, T, 1, false, Error, 1042, BadChecksum},
    {F::SplitReply, R::Read, S, 1, true, Receiving, 0, ""},
    {F::SplitReply, R::Read, T, 1, true, Receiving, 0, ""},
    {F::ExtraBytes, R::Read, S, 1, true, Receiving, 0, ""},
    {F::ExtraBytes, R::Read, T, 1, false, Receiving, 0, ""},
    {F::Flood, R::Read, S, 1, true, Receiving, 0, ""},
    {F::Flood, R::Read, T, 1, false, Receiving, 0, ""},
    {F::DropConnection, R::BulkRead, S, 0, false, Error, 1043, ReadError},
    {F::DropConnection, R::BulkRead, T, 1, false, Closed, 0, ""},
    // The link leaves the acknowledgement to its owner to check.
    {F::BadChecksum, R::Write, S, 1, true, AwaitAck, 0, ""},
    {F::BadChecksum, R::Write, T, 1, true, AwaitAck, 0, ""},
    {F::NoReply, R::Write, S, 0, false, Error, 1043, ReadError},
    {F::NoReply, R::Write, T, 1, false, AwaitAck, 0, ""},
    {F::RefuseLogin, R::LogIn, T, 1, false, Connecting, 0, ""},
};

class LinkFault : public LinkAtTheUnit, public ::testing::WithParamInterface<FaultCase> {
protected:
    // Over TCP the outcome comes later: wait for the reply, the state, or (for a reply that is
    // never delivered) a receive event after the one status message the request posts itself.
    void settle(int statusAfterCall)
    {
        const FaultCase& c = GetParam();
        EventPump::waitUntil([&] {
            if (c.transport == Transport::Serial)
                return true;
            if (c.delivered)
                return !window.replies().isEmpty();
            if (c.request == Request::LogIn)
                return window.replies().size() >= 2;
            if (c.state != Receiving && c.state != AwaitAck)
                return link.GetState() == c.state;
            if (c.fault == FaultKind::NoReply)
                return !unit.requests().isEmpty();
            return window.count(TcpStatus) >= statusAfterCall + 2;
        });
        EventPump::deliverPosted();
    }
};

} // namespace

TEST_P(LinkFault, EndsTheRequestAsTheLinkPromises)
{
    const FaultCase& c = GetParam();
    unit.addFault(c.fault, QStringLiteral("all"));
    if (c.request == Request::LogIn)
        unit.attach(link, c.transport);
    else
        ASSERT_TRUE(open(c.transport));

    EXPECT_EQ(send(c.request), c.result);
    settle(window.count(TcpStatus));
    EXPECT_EQ(link.GetState(), c.state);
    EXPECT_EQ(link.GetError(), c.error);
    // What the unit sends is never worth a message box of the link's own.
    EXPECT_TRUE(prompts.shown().isEmpty());
    if (c.error != 0) {
        EXPECT_EQ(loadString(c.error), QString::fromUtf8(c.errorText));
    }
    const QList<Message> replies = window.replies();
    if (c.request == Request::LogIn) {
        ASSERT_EQ(replies.size(), 2);
        EXPECT_EQ(replies[1].kind, Login);
        EXPECT_EQ(link.GetLoginStage(), 1);
        return;
    }
    ASSERT_EQ(replies.size(), c.delivered ? 1 : 0);
    if (c.delivered && c.request == Request::Read) {
        EXPECT_EQ(replies[0].data, bytesOf({0x01, 0x02, 0x03, 0x04}));
    }
    if (c.delivered && c.request == Request::Write) {
        EXPECT_NE(byteAt(replies[0].data, 0), replies[0].tag);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, LinkFault, ::testing::ValuesIn(FaultCases), caseName);

namespace {

using SerialLink = LinkAtTheUnit;

} // namespace

TEST_F(SerialLink, APortThatCannotBeOpenedIsReportedAndSendsNothing)
{
    unit.attach(link, Transport::Serial);
    link.SetComPort(99);
    EXPECT_EQ(send(Request::Read), 0);
    EXPECT_EQ(link.GetState(), Error);
    EXPECT_EQ(link.GetError(), 1024);
    ASSERT_EQ(prompts.shown().size(), 1);
    EXPECT_TRUE(prompts.lastText().startsWith(QStringLiteral("Error opening serial port COM99")));
    EXPECT_EQ(prompts.shown().first().icon, PromptIcon::Exclamation);

    // A port another program holds does not open either.
    QSerialPort other(unit.serialDevice());
    ASSERT_TRUE(other.open(QIODevice::ReadWrite));
    link.SetComPort(StandInUnit::ComNumber);
    EXPECT_EQ(send(Request::Read), 0);
    EXPECT_EQ(link.GetError(), 1024);
    EXPECT_TRUE(prompts.lastText().startsWith(QStringLiteral("Error opening serial port COM7")));
    EXPECT_TRUE(unit.requests().isEmpty());
}

TEST_F(SerialLink, ChangingThePortClosesAndPostsAStatusAndNewTimeoutsWaitForTheNextOpening)
{
    ASSERT_TRUE(open(Transport::Serial));
    const SerialTimeouts next{1000, 10, 2000, 10, 2000};
    link.SetSerialTimeouts(next);
    EXPECT_EQ(link.GetSerialTimeouts(), StandInUnit::QuickTimeouts);

    link.SetComPort(StandInUnit::ComNumber);
    EXPECT_EQ(link.GetState(), Closed);
    EXPECT_EQ(link.GetSerialTimeouts(), next);
    EXPECT_EQ(window.count(SerialStatus), 0);
    EventPump::deliverPosted();
    EXPECT_EQ(window.count(SerialStatus), 1);
}

namespace {

using TcpLink = LinkAtTheUnit;

} // namespace

TEST_F(TcpLink, TheGreetingIsAnsweredWithTheLoginCodeAndOnlyAnotherPortTypeClosesTheLink)
{
    unit.attach(link, Transport::Tcp);
    ASSERT_EQ(link.Open(), 1);
    EXPECT_EQ(link.GetState(), Connecting);
    ASSERT_TRUE(EventPump::waitUntil([this] { return link.GetState() == Idle; }));
    const QList<Message> replies = window.replies();
    ASSERT_EQ(replies.size(), 2);
    EXPECT_EQ(replies[0].kind, Greeting);
    EXPECT_EQ(replies[0].wParam, 8);
    // The adapter's greeting status 12 is interface version 1.2.
    EXPECT_DOUBLE_EQ(window.interfaceVersion, 1.2);
    EXPECT_EQ(replies[1].kind, Login);
    EXPECT_EQ(link.GetLoginStage(), 2);

    link.SetPortType(PORT_TCP);
    EXPECT_EQ(link.GetState(), Idle);
    link.SetPortType(PORT_SERIAL);
    link.SetPortType(PORT_TCP);
    EXPECT_EQ(link.GetState(), Closed);
}

TEST_F(TcpLink, OpenInAnyStateButClosedKeepsTheConnection)
{
    unit.addFault(FaultKind::NoReply, QStringLiteral("1,2"));
    unit.addFault(FaultKind::BadChecksum, QStringLiteral("3"));
    unit.attach(link, Transport::Tcp);
    ASSERT_EQ(link.Open(), 1);
    EXPECT_EQ(link.Open(), 1); // connecting
    ASSERT_TRUE(EventPump::waitUntil([this] { return link.GetState() == Idle; }));
    EXPECT_EQ(link.Open(), 1); // idle
    ASSERT_EQ(send(Request::Read), 1);
    EXPECT_EQ(link.Open(), 1); // receiving
    ASSERT_EQ(send(Request::Write), 1);
    EXPECT_EQ(link.Open(), 1); // awaiting the acknowledgement
    ASSERT_EQ(send(Request::Read), 1);
    ASSERT_TRUE(EventPump::waitUntil([this] { return link.GetState() == Error; }));
    EXPECT_EQ(link.Open(), 1); // error

    // Still the first connection: a new one would want another login first.
    link.ResetReceive();
    window.clear();
    ASSERT_EQ(send(Request::Read), 1);
    EXPECT_TRUE(awaitReply());
}

TEST_F(TcpLink, ARefusedConnectionShowsASocketError)
{
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const quint16 unusedPort = closed.serverPort();
    closed.close();
    link.SetPortType(PORT_TCP);
    link.SetHost(QStringLiteral("127.0.0.1"), unusedPort);

    EXPECT_EQ(send(Request::Read), 0);
    EXPECT_EQ(link.GetState(), Error);
    ASSERT_EQ(prompts.shown().size(), 1);
    EXPECT_EQ(prompts.shown().first().title, QStringLiteral("Socket Error"));
    EXPECT_EQ(prompts.shown().first().icon, PromptIcon::Information);
    EXPECT_FALSE(prompts.lastText().isEmpty());
}

TEST(UnitLinkState, ANewLinkIsSerialAndClosedAndAnUnknownPortTypeHasNoState)
{
    ScriptedPrompt prompts;
    CUnitLink link(prompts, ComPortDirectory());
    EXPECT_EQ(link.GetPortType(), PORT_SERIAL);
    EXPECT_EQ(link.GetState(), Closed);
    EXPECT_EQ(link.GetError(), 0);
    EXPECT_EQ(link.GetOwner(), nullptr);
    link.ReplyDone();
    EXPECT_EQ(link.GetState(), Closed);
    link.SetPortType(5);
    EXPECT_EQ(link.GetState(), -1);
    EXPECT_EQ(link.GetError(), -1);
}

TEST(UnitLinkState, SerialStatusGoesToAnOwnerOnlyWhileItExists)
{
    ScriptedPrompt prompts;
    CUnitLink link(prompts, ComPortDirectory());
    RecordingReceiver window;
    {
        RecordingReceiver shortLived;
        link.SetOwner(&shortLived);
        link.Close();
    }
    // The posted status of a destroyed owner is dropped, not delivered to freed memory.
    EventPump::deliverPosted();
    link.SetOwner(&window);
    link.Close();
    EventPump::deliverPosted();
    EXPECT_EQ(window.count(SerialStatus), 1);
}
