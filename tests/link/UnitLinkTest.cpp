#include "link/CUnitLink.h"
#include "tests/support/EventPump.h"
#include "tests/support/LinkWindow.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/StandInUnit.h"
#include "tests/support/TestBytes.h"

#include <QSerialPort>
#include <QTcpServer>

namespace {

// Link states, messages, request kinds and error codes, restated.
constexpr int Closed = 0, Error = 1, Idle = 2, Receiving = 4, AwaitAck = 5, Connecting = 6;
constexpr int TcpStatus = 0x402, SerialStatus = 0x404;
constexpr int Greeting = 0, Login = 1, Item = 3, WriteAck = 16, Bulk = 18;
constexpr int OpenError = 1024, BadChecksum = 1042, ReadError = 1043;
// An adapter status byte that is not zero, so a checksum that leaves it out fails.
constexpr quint8 StatusByte = 0x5A;
// Record 0x0F as the unit holds it here: not all zeros, so no reply passes for a cleared buffer.
const QByteArray Record0F = bytesOf({0x01, 0x02, 0x03, 0x04});

using Message = RecordingReceiver::Message;
enum class Request { Read, BulkRead, Write, LogIn };

// The program's link at the stand-in unit, with a window that logs in as the program's do.
class LinkAtTheUnit : public ::testing::Test {
protected:
    LinkAtTheUnit()
    {
        link.SetOwner(&window);
        unit.setRecord(0x0F, Record0F);
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
        return request == Request::Read       ? link.Read(&window, 0x0F, 4, Item, 22)
               : request == Request::BulkRead ? link.BulkRead(0x03FF, 3, 6)
               : request == Request::Write    ? link.Write(&window, 0xE2, 1, P37)
                                              : link.Open();
    }

    // The first reply, or a message of kind -1 when none came.
    Message awaitReply()
    {
        EventPump::waitUntil([this] { return !window.replies().isEmpty(); });
        return window.replies().value(0);
    }

    StandInUnit unit{SessionSettings{.statusByte = StatusByte, .log = {}, .taken = {}}};
    ScriptedPrompt prompts;
    CUnitLink link{prompts, ComPortDirectory()};
    LinkWindow window{link};
};

class UnitLink : public LinkAtTheUnit, public ::testing::WithParamInterface<Transport> {
protected:
    void SetUp() override { ASSERT_TRUE(open(GetParam())); }
};

} // namespace

TEST_P(UnitLink, EachRequestGoesOutAsItsFrameAndItsReplyReachesTheOwner)
{
    const bool serial = GetParam() == Transport::Serial;
    QByteArray memory;
    unit.withUnit([&memory](SimulatedUnit& simulated) {
        simulated.fastForward(3);
        memory = simulated.bulkRead(0x03, 3);
    });
    struct Case {
        Request request;
        QByteArray frame;
        int statuses, state, kind, tag, count;
        QByteArray data;
    };
    const Case cases[] = {
        {Request::Read, bytesOf({0x81, 0x0F, 0x04, 0x6B}), 2, Receiving, Item, 22, 4, Record0F},
        {Request::BulkRead, bytesOf({0xC1, 0x03, 0x03, 0x38}), 2, Receiving, Bulk, 6, 768, memory},
        // P37 := 12, acknowledged with the frame's checksum 0xFF - 0xF0, which is also its tag.
        {Request::Write, bytesOf({0x01, 0xE2, 0x01, 0x0C, 0x0F}), 1, AwaitAck, WriteAck, 0x0F, 1,
         bytesOf({0x0F})},
    };
    // Four pages, their checksum and the adapter's status byte would overfill the buffers.
    EXPECT_EQ(link.BulkRead(0x0300, 4, 6), 0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        window.clear();
        unit.clearRequests();
        ASSERT_EQ(send(c.request), 1);
        EXPECT_EQ(link.GetState(), c.state);
        // Serial status messages are sent at once (one by Open); replies are always posted.
        EXPECT_EQ(window.count(SerialStatus), serial ? c.statuses : 0);
        EXPECT_TRUE(window.replies().isEmpty());
        const Message reply = awaitReply();
        EXPECT_EQ(unit.frames(), QList<QByteArray>{c.frame});
        EXPECT_EQ(std::tuple(reply.kind, reply.tag, reply.wParam),
                  std::tuple(c.kind, c.tag, c.count));
        EXPECT_EQ(reply.data, c.data);
        EXPECT_EQ(reply.status, serial ? 0 : StatusByte);
        // Only a reply being received is done with; an acknowledgement is its owner's to check.
        link.ReplyDone();
        EXPECT_EQ(link.GetState(), c.state == Receiving ? Idle : AwaitAck);
    }
    EXPECT_EQ(unit.record(0xE2), bytesOf({12}));
    EXPECT_EQ(link.GetError(), 0);
    EXPECT_TRUE(prompts.shown().isEmpty());
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
    ASSERT_EQ(link.GetError(), BadChecksum);
    link.ResetReceive();
    for (int i = 0; i < (serial ? 2 : 1); ++i) {
        window.clear();
        ASSERT_EQ(send(Request::Read), 1);
        EXPECT_EQ(awaitReply().data, Record0F);
        // A good serial reply clears the error code; over TCP only a bad checksum sets it.
        EXPECT_EQ(link.GetError(), serial ? 0 : BadChecksum);
        link.ReplyDone();
    }
}

INSTANTIATE_TEST_SUITE_P(Both, UnitLink, BothTransports, TransportName);

namespace {

// What a fault of the unit comes to on each transport. A serial request that fails returns 0;
// a TCP request returns 1 once it is sent.
struct FaultCase {
    FaultKind fault;
    Request request;
    Transport transport;
    bool delivered;
    int state;
    int error;
};

std::string caseName(const ::testing::TestParamInfo<FaultCase>& info)
{
    static const char* requests[] = {"Read", "BulkRead", "Write", "LogIn"};
    QString name;
    for (const QString& word : FaultPlan::nameOf(info.param.fault).split(QLatin1Char('-')))
        name += word.left(1).toUpper() + word.mid(1);
    return name.toStdString() + "On" + requests[static_cast<int>(info.param.request)] + "Over" +
           nameOf(info.param.transport);
}

const FaultCase FaultCases[] = {
    {FaultKind::BadChecksum, Request::Read, Transport::Serial, false, Error, BadChecksum},
    {FaultKind::BadChecksum, Request::Read, Transport::Tcp, false, Error, BadChecksum},
    {FaultKind::ShortReply, Request::Read, Transport::Serial, false, Error, ReadError},
    {FaultKind::ShortReply, Request::Read, Transport::Tcp, false, Receiving, 0},
    {FaultKind::NoReply, Request::Read, Transport::Serial, false, Error, ReadError},
    {FaultKind::NoReply, Request::Read, Transport::Tcp, false, Receiving, 0},
    {FaultKind::Garbage, Request::Read, Transport::Serial, false, Error, BadChecksum},
    {FaultKind::Garbage, Request::Read, Transport::Tcp, false, Error, BadChecksum},
    {FaultKind::SplitReply, Request::Read, Transport::Serial, true, Receiving, 0},
    {FaultKind::SplitReply, Request::Read, Transport::Tcp, true, Receiving, 0},
    {FaultKind::ExtraBytes, Request::Read, Transport::Serial, true, Receiving, 0},
    {FaultKind::ExtraBytes, Request::Read, Transport::Tcp, false, Receiving, 0},
    {FaultKind::Flood, Request::Read, Transport::Serial, true, Receiving, 0},
    {FaultKind::Flood, Request::Read, Transport::Tcp, false, Receiving, 0},
    {FaultKind::DropConnection, Request::BulkRead, Transport::Serial, false, Error, ReadError},
    {FaultKind::DropConnection, Request::BulkRead, Transport::Tcp, false, Closed, 0},
    // The link leaves the acknowledgement to its owner to check.
    {FaultKind::BadChecksum, Request::Write, Transport::Serial, true, AwaitAck, 0},
    {FaultKind::BadChecksum, Request::Write, Transport::Tcp, true, AwaitAck, 0},
    {FaultKind::NoReply, Request::Write, Transport::Serial, false, Error, ReadError},
    {FaultKind::NoReply, Request::Write, Transport::Tcp, false, AwaitAck, 0},
    {FaultKind::RefuseLogin, Request::LogIn, Transport::Tcp, false, Connecting, 0},
};

class LinkFault : public LinkAtTheUnit, public ::testing::WithParamInterface<FaultCase> {};

} // namespace

TEST_P(LinkFault, EndsTheRequestAsTheLinkPromises)
{
    const FaultCase& c = GetParam();
    const bool tcp = c.transport == Transport::Tcp;
    unit.addFault(c.fault, QStringLiteral("all"));
    if (c.request == Request::LogIn)
        unit.attach(link, c.transport);
    else
        ASSERT_TRUE(open(c.transport));
    const int statusBefore = window.count(TcpStatus);
    EXPECT_EQ(send(c.request), tcp || c.state != Error);

    // The greeting and the refusal; else the reply, if one gets through.
    const int replies = c.request == Request::LogIn ? 2 : c.delivered;
    // Over TCP the outcome comes later: wait for it, and for the unit's bytes to have come (a
    // receive event after the request's own status), or for a mute unit to have taken the request.
    EventPump::waitUntil([&] {
        const bool heard =
            !tcp || (c.fault == FaultKind::NoReply ? !unit.requests().isEmpty()
                                                   : window.count(TcpStatus) >= statusBefore + 2);
        return heard && link.GetState() == c.state && window.replies().size() == replies;
    });
    EXPECT_EQ(link.GetState(), c.state);
    EXPECT_EQ(link.GetError(), c.error);
    // What the unit sends is never worth a message box of the link's own.
    EXPECT_TRUE(prompts.shown().isEmpty());
    const QList<Message> got = window.replies();
    ASSERT_EQ(got.size(), replies);
    if (c.request == Request::LogIn) {
        EXPECT_EQ(std::pair(got[1].kind, link.GetLoginStage()), std::pair(Login, 1));
    } else if (c.request == Request::Read && c.delivered) {
        EXPECT_EQ(got[0].data, Record0F);
    } else if (c.delivered) {
        EXPECT_NE(byteAt(got[0].data, 0), got[0].tag);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, LinkFault, ::testing::ValuesIn(FaultCases), caseName);

TEST_F(LinkAtTheUnit, APortThatCannotBeOpenedIsReportedOnceAndGetsNoRequest)
{
    unit.attach(link, Transport::Serial);
    QSerialPort other(unit.serialDevice());
    ASSERT_TRUE(other.open(QIODevice::ReadWrite));
    // A number no device answers to, and a port another program holds.
    for (const int number : {99, StandInUnit::ComNumber}) {
        prompts.clear();
        link.SetComPort(number);
        EXPECT_EQ(send(Request::Read), 0);
        EXPECT_EQ(std::pair(link.GetState(), link.GetError()), std::pair(Error, OpenError));
        ASSERT_EQ(prompts.shown().size(), 1);
        EXPECT_TRUE(prompts.lastText().startsWith(
            QStringLiteral("Error opening serial port COM%1").arg(number)));
        EXPECT_EQ(prompts.shown().first().icon, PromptIcon::Exclamation);
        EXPECT_TRUE(link.failureText().startsWith(prompts.lastText().section(u'\n', 0, 0)));
    }
    // And a TCP port nobody listens on.
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    link.SetPortType(PORT_TCP);
    const quint16 refusing = closed.serverPort();
    link.SetHost(QStringLiteral("127.0.0.1"), refusing);
    closed.close();
    prompts.clear();
    EXPECT_EQ(send(Request::Read), 0);
    EXPECT_EQ(link.GetState(), Error);
    ASSERT_EQ(prompts.shown().size(), 1);
    EXPECT_EQ(prompts.shown().first().title, QStringLiteral("Socket Error"));
    EXPECT_EQ(prompts.shown().first().icon, PromptIcon::Information);
    EXPECT_EQ(prompts.lastText(),
              QStringLiteral("Connection to 127.0.0.1:%1 refused.").arg(refusing));
    EXPECT_TRUE(unit.requests().isEmpty());
}

// TCP may split any message: an adapter that sends its greeting a byte at a time, as the paced
// unit does, still gets the login code and confirms it.
TEST(TcpLogin, AGreetingThatComesInPiecesIsGatheredUntilWholeAndTheLoginCompletes)
{
    StandInUnit unit{SessionSettings{.paced = true, .log = {}, .taken = {}}};
    ScriptedPrompt prompts;
    CUnitLink link{prompts, ComPortDirectory()};
    LinkWindow window{link};
    link.SetOwner(&window);
    ASSERT_TRUE(unit.open(link, Transport::Tcp));
    EXPECT_EQ(link.GetLoginStage(), 2);
    EXPECT_TRUE(prompts.shown().isEmpty());
}

using SerialLink = LinkAtTheUnit;

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

using TcpLink = LinkAtTheUnit;

TEST_F(TcpLink, LogsInOnceAndKeepsTheConnectionUntilThePortTypeChanges)
{
    unit.addFault(FaultKind::NoReply, QStringLiteral("1,2"));
    unit.addFault(FaultKind::BadChecksum, QStringLiteral("3"));
    unit.attach(link, Transport::Tcp);
    ASSERT_EQ(link.Open(), 1);
    EXPECT_EQ(link.GetState(), Connecting);
    EXPECT_EQ(link.Open(), 1);
    ASSERT_TRUE(EventPump::waitUntil([this] { return link.GetState() == Idle; }));
    const QList<Message> replies = window.replies();
    ASSERT_EQ(replies.size(), 2);
    EXPECT_EQ(std::pair(replies[0].kind, replies[0].wParam), std::pair(Greeting, 8));
    // The adapter's greeting status 12 is interface version 1.2.
    EXPECT_DOUBLE_EQ(window.interfaceVersion, 1.2);
    EXPECT_EQ(std::pair(replies[1].kind, link.GetLoginStage()), std::pair(Login, 2));
    // Opening again while idle, receiving, awaiting an acknowledgement and in error.
    EXPECT_EQ(link.Open(), 1);
    ASSERT_EQ(send(Request::Read), 1);
    EXPECT_EQ(link.Open(), 1);
    ASSERT_EQ(send(Request::Write), 1);
    EXPECT_EQ(link.Open(), 1);
    ASSERT_EQ(send(Request::Read), 1);
    ASSERT_TRUE(EventPump::waitUntil([this] { return link.GetState() == Error; }));
    EXPECT_EQ(link.Open(), 1);
    link.ResetReceive();
    window.clear();
    ASSERT_EQ(send(Request::Read), 1);
    EXPECT_EQ(awaitReply().data, Record0F);
    EXPECT_EQ(unit.connectionsMade(), 1);
    link.SetPortType(PORT_TCP);
    EXPECT_EQ(link.GetState(), Receiving);
    link.SetPortType(PORT_SERIAL);
    link.SetPortType(PORT_TCP);
    EXPECT_EQ(link.GetState(), Closed);
}
