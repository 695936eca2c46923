#include "link/LinkRequest.h"
#include "programming/ParameterSession.h"
#include "tests/programming/ProgrammingFixture.h"

#include <QSignalSpy>

namespace {

using Result = ParameterSession::WriteResult;

// Slots of the parameter table and request kinds, restated.
constexpr int P14 = 7;
constexpr int CLOCK_DAY = 24;
constexpr int COMMAND = 29;
constexpr std::uint16_t PARAMETER_KIND = 17;
constexpr std::uint16_t ACKNOWLEDGEMENT_KIND = 16;

class ParameterSessions : public OnUnit {};
class ParameterSessionsAmongStrayReplies : public OnUnit {};

} // namespace

TEST_P(ParameterSessions, ReadTheirRecordsInTurnAndWriteEachAfterTheOneBeforeWasAcknowledged)
{
    unit.setRecord(0xF9, bytesOf({0x2C, 0x00}));
    unit.setRecord(0x24, bytesOf({107}));
    ParameterSession session(link, prompts, {&table.slot(CLOCK_DAY), &table.slot(CLOCK_DAY + 1)});
    QSignalSpy done(&session, &ParameterSession::writesDone);
    ASSERT_TRUE(session.read());
    ASSERT_TRUE(EventPump::waitUntil([&] { return session.hasRead(); }));
    EXPECT_EQ(unit.frames(), (QList<QByteArray>{withChecksum(bytesOf({0x81, 0xF9, 2})),
                                                withChecksum(bytesOf({0x81, 0x24, 1}))}));
    EXPECT_EQ(session.bytesRead(0) + session.bytesRead(1), bytesOf({0x2C, 0x00, 107}));

    const QList<QByteArray> clock{bytesOf({0x3F, 0x1F}), bytesOf({179})};
    ASSERT_EQ(session.writeInTurn(clock), Result::Sent);
    EXPECT_LE(unit.writes().size(), 1) << "the minute waits for the day's acknowledgement";
    EXPECT_EQ(table.slot(CLOCK_DAY).value().left(2), bytesOf({0x3F, 0x1F})) << "caches first";
    ASSERT_TRUE(EventPump::waitUntil([&] { return done.count() == 1; }));
    EXPECT_EQ(written(), (QList<Record>{{0xF9, clock[0]}, {0x24, clock[1]}}));
    EXPECT_TRUE(window.replies().isEmpty()) << "the session took every reply";
    EXPECT_TRUE(prompts.shown().isEmpty());
}

TEST_P(ParameterSessions, WriteOnlyTheCommandRecordUnreadAndCheckItsAcknowledgement)
{
    ParameterSession capacity(link, prompts, {&table.slot(P14)});
    EXPECT_EQ(capacity.writeCommand(0x72), Result::NeverRead);
    EXPECT_EQ(capacity.write(bytesOf({1, 0}), &window), Result::NeverRead);
    ParameterSession command(link, prompts, {&table.slot(COMMAND)});
    QSignalSpy rejected(&command, &ParameterSession::writeRejected);
    unit.addFault(FaultKind::BadChecksum, "write:1");
    ASSERT_EQ(command.writeCommand(0x72), Result::Sent);
    ASSERT_TRUE(EventPump::waitUntil([&] { return rejected.count() == 1; }));
    EXPECT_EQ(unit.frames(), QList<QByteArray>{bytesOf({0x01, 0x27, 0x01, 0x72, 0x64})});
    EXPECT_EQ(prompts.texts(), QStringList{BAD_ACKNOWLEDGEMENT});
    EXPECT_TRUE(window.replies().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Both, ParameterSessions, BothTransports, TransportName);

// The adapter stays silent and the test hands the replies in, stray ones first.
TEST_P(ParameterSessionsAmongStrayReplies, TakeOnlyTheirRecordsAndKeepTheOldOnesTillAllAreIn)
{
    unit.addFault(FaultKind::NoReply, "all");
    ParameterSession session(link, prompts, {&table.slot(CLOCK_DAY), &table.slot(CLOCK_DAY + 1)});
    auto deliver = [&](std::uint16_t kind, std::uint16_t tag, QByteArray data) {
        LinkRequest request;
        request.kind = kind;
        request.tag = tag;
        request.data = reinterpret_cast<std::uint8_t*>(data.data());
        session.dispatchLinkMessage(WM_LINK_TCPREPLY, static_cast<int>(data.size()), &request);
    };
    ASSERT_TRUE(session.read());
    deliver(ACKNOWLEDGEMENT_KIND, 1, bytesOf({0x10, 0x00}));
    deliver(PARAMETER_KIND, 1, bytesOf({0x10}));
    deliver(PARAMETER_KIND, 1, bytesOf({0x10, 0x00, 0x00}));
    deliver(PARAMETER_KIND, 2, bytesOf({0x10, 0x00}));
    deliver(PARAMETER_KIND, 1, bytesOf({0x2C, 0x00}));
    ASSERT_TRUE(unit.waitForRequests(2));
    EXPECT_EQ(readAddresses(), (QList<int>{0xF9, 0x24})) << "the minute is asked after the day";
    deliver(PARAMETER_KIND, 2, bytesOf({107}));
    EXPECT_EQ(session.bytesRead(0) + session.bytesRead(1), bytesOf({0x2C, 0x00, 107}));

    ASSERT_TRUE(session.read());
    deliver(PARAMETER_KIND, 1, bytesOf({0x08, 0x00}));
    EXPECT_EQ(session.bytesRead(0), bytesOf({0x2C, 0x00})) << "until the minute is in too";
    deliver(PARAMETER_KIND, 2, bytesOf({5}));
    EXPECT_EQ(session.bytesRead(0) + session.bytesRead(1), bytesOf({0x08, 0x00, 5}));
}

INSTANTIATE_TEST_SUITE_P(Tcp, ParameterSessionsAmongStrayReplies, ::testing::Values(Transport::Tcp),
                         TransportName);
