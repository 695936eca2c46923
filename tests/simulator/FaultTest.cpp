#include "simulator/FaultPlan.h"
#include "simulator/ReplyShaper.h"
#include "simulator/UnitChecksum.h"
#include "simulator/UnitSimulator.h"
#include "tests/simulator/RawClients.h"
#include "tests/support/TestBytes.h"

#include <gtest/gtest.h>

namespace {

UnitRequest request(UnitRequest::Kind kind, quint8 address)
{
    UnitRequest result;
    result.kind = kind;
    result.address = address;
    return result;
}

const UnitRequest ReadF7 = request(UnitRequest::Kind::Read, 0xF7);
const UnitRequest Read0F = request(UnitRequest::Kind::Read, 0x0F);
const UnitRequest Bulk2F = request(UnitRequest::Kind::BulkRead, 0x2F);
const UnitRequest Write27 = request(UnitRequest::Kind::Write, 0x27);

QList<bool> firings(FaultPlan& plan, const QList<UnitRequest>& requests)
{
    QList<bool> result;
    for (const UnitRequest& each : requests)
        result.append(plan.faultFor(each).has_value());
    return result;
}

QByteArray joined(const QList<Transmission>& bursts)
{
    QByteArray bytes;
    for (const Transmission& burst : bursts)
        bytes += burst.bytes;
    return bytes;
}

// The firmware read's checked reply, 0x19 then its checksum.
const QByteArray FirmwareReply = bytesOf({0x19, 0xE6});

} // namespace

TEST(FaultPlan, theNthRequestOfAll)
{
    FaultPlan plan;
    ASSERT_TRUE(plan.add(FaultKind::NoReply, "3"));
    EXPECT_EQ(firings(plan, {ReadF7, Bulk2F, Write27, ReadF7}),
              (QList<bool>{false, false, true, false}));
}

TEST(FaultPlan, everyRequestOfAKind)
{
    FaultPlan plan;
    ASSERT_TRUE(plan.add(FaultKind::Garbage, "bulk"));
    EXPECT_EQ(firings(plan, {ReadF7, Bulk2F, Write27, Bulk2F}),
              (QList<bool>{false, true, false, true}));
}

TEST(FaultPlan, theNthRequestOfAKindAndAddress)
{
    FaultPlan plan;
    ASSERT_TRUE(plan.add(FaultKind::ShortReply, "read@0xF7:2"));
    EXPECT_EQ(firings(plan, {ReadF7, Read0F, ReadF7, ReadF7}),
              (QList<bool>{false, false, true, false}));
}

TEST(FaultPlan, severalSelectorsInOneOption)
{
    FaultPlan plan;
    ASSERT_TRUE(plan.add(FaultKind::ExtraBytes, "write:1, read@15"));
    EXPECT_EQ(firings(plan, {ReadF7, Read0F, Write27, Write27, Read0F}),
              (QList<bool>{false, true, true, false, true}));
}

TEST(FaultPlan, theFirstRuleWinsButEveryRuleCounts)
{
    FaultPlan plan;
    ASSERT_TRUE(plan.add(FaultKind::BadChecksum, "read"));
    ASSERT_TRUE(plan.add(FaultKind::NoReply, "2"));
    EXPECT_EQ(plan.faultFor(ReadF7), FaultKind::BadChecksum);
    EXPECT_EQ(plan.faultFor(Bulk2F), FaultKind::NoReply);
    EXPECT_FALSE(plan.faultFor(Bulk2F).has_value());
}

TEST(FaultPlan, loginRefusalsCountLoginAttemptsOnly)
{
    FaultPlan plan;
    ASSERT_TRUE(plan.add(FaultKind::RefuseLogin, "2"));
    EXPECT_FALSE(plan.faultFor(ReadF7).has_value());
    EXPECT_FALSE(plan.refusesLogin());
    EXPECT_TRUE(plan.refusesLogin());
    EXPECT_FALSE(plan.refusesLogin());
}

TEST(FaultPlan, selectorsThatMeanNothingAreRefused)
{
    FaultPlan plan;
    QString error;
    EXPECT_FALSE(plan.add(FaultKind::NoReply, "0", &error));
    EXPECT_FALSE(plan.add(FaultKind::NoReply, "read@0x100", &error));
    EXPECT_FALSE(plan.add(FaultKind::NoReply, "peek", &error));
    EXPECT_FALSE(plan.add(FaultKind::RefuseLogin, "write", &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(plan.isEmpty());
}

TEST(ReplyShaper, eachFaultBendsTheReplyItsOwnWay)
{
    const QByteArray reply = bytesOf({0x00, 0x01, 0x02, 0x03, 0x04, 0xF5});
    ASSERT_TRUE(UnitChecksum::holds(reply));

    const QByteArray bad = joined(ReplyShaper::shape(reply, FaultKind::BadChecksum, true));
    EXPECT_EQ(bad.size(), reply.size());
    EXPECT_FALSE(UnitChecksum::holds(bad));
    EXPECT_EQ(joined(ReplyShaper::shape(reply, FaultKind::ShortReply, true)), reply.left(5));
    EXPECT_TRUE(ReplyShaper::shape(reply, FaultKind::NoReply, true).isEmpty());
    const QByteArray garbage = joined(ReplyShaper::shape(reply, FaultKind::Garbage, true));
    EXPECT_EQ(garbage.size(), reply.size());
    EXPECT_FALSE(UnitChecksum::holds(garbage));
    EXPECT_EQ(joined(ReplyShaper::shape(reply, FaultKind::ExtraBytes, true)),
              reply + bytesOf({0xEE, 0xEE, 0xEE}));
}

TEST(ReplyShaper, aSplitReplyComesInSmallPiecesWithPauses)
{
    const QByteArray reply(20, '\x11');
    const QList<Transmission> pieces = ReplyShaper::shape(reply, FaultKind::SplitReply, true);
    EXPECT_EQ(joined(pieces), reply);
    EXPECT_GT(pieces.size(), 1);
    for (int i = 0; i < pieces.size(); ++i) {
        EXPECT_LE(pieces[i].bytes.size(), 3);
        EXPECT_EQ(pieces[i].delayMs > 0, i > 0);
    }
}

TEST(ReplyShaper, aDroppedConnectionHangsUpAfterHalfTheReply)
{
    const QByteArray reply(258, '\x22');
    const QList<Transmission> tcp = ReplyShaper::shape(reply, FaultKind::DropConnection, true);
    ASSERT_EQ(tcp.size(), 1);
    EXPECT_EQ(tcp[0].bytes.size(), 129);
    EXPECT_TRUE(tcp[0].closeAfter);
    EXPECT_FALSE(ReplyShaper::shape(reply, FaultKind::DropConnection, false)[0].closeAfter);
}

namespace {

class FaultOnTheLine : public ::testing::Test {
protected:
    void start(FaultKind fault, const QString& selector)
    {
        SimulatorOptions options;
        options.tcpPort = 0;
        options.serial = true;
        options.faults.append({fault, selector});
        simulator = std::make_unique<UnitSimulator>(options);
        QString error;
        ASSERT_TRUE(simulator->start(&error)) << error.toStdString();
    }

    std::unique_ptr<UnitSimulator> simulator;
};

} // namespace

TEST_F(FaultOnTheLine, noReplyLeavesTheRequestUnansweredAndServesTheNext)
{
    start(FaultKind::NoReply, "1");
    RawPtyClient line(simulator->serialPath());
    line.send(bytesOf({0x81, 0x0F, 0x04, 0x6B}));
    line.send(bytesOf({0x81, 0xF7, 0x01, 0x86}));
    // Had the first been answered, its five bytes would come first.
    EXPECT_EQ(line.receive(2), FirmwareReply);
}

TEST_F(FaultOnTheLine, aBadChecksumOnTheSerialLine)
{
    start(FaultKind::BadChecksum, "read");
    RawPtyClient line(simulator->serialPath());
    line.send(bytesOf({0x81, 0xF7, 0x01, 0x86}));
    EXPECT_EQ(line.receive(2), bytesOf({0x19, 0xE7}));
}

TEST_F(FaultOnTheLine, aWrongAcknowledgementForAWrite)
{
    start(FaultKind::BadChecksum, "write");
    RawPtyClient line(simulator->serialPath());
    line.send(bytesOf({0x01, 0x10, 0x01, 0x05, 0xE8}));
    const QByteArray ack = line.receive(1);
    ASSERT_EQ(ack.size(), 1);
    EXPECT_NE(byteAt(ack, 0), 0xE8);
}

TEST_F(FaultOnTheLine, aShortReplyLacksItsChecksumByte)
{
    start(FaultKind::ShortReply, "1");
    RawPtyClient line(simulator->serialPath());
    line.send(bytesOf({0x81, 0xF7, 0x01, 0x86}));
    line.send(bytesOf({0x81, 0xF7, 0x01, 0x86}));
    EXPECT_EQ(line.receive(3), bytesOf({0x19, 0x19, 0xE6}));
}

TEST_F(FaultOnTheLine, extraBytesFollowTheReply)
{
    start(FaultKind::ExtraBytes, "read@0xF7");
    RawTcpClient client(simulator->tcpPort());
    ASSERT_TRUE(client.logIn());
    client.send(bytesOf({0x00, 0x81, 0xF7, 0x01, 0x86}));
    EXPECT_EQ(client.receive(6), bytesOf({0x00, 0x19, 0xE6, 0xEE, 0xEE, 0xEE}));
}

TEST_F(FaultOnTheLine, garbageInsteadOfATcpReply)
{
    start(FaultKind::Garbage, "read");
    RawTcpClient client(simulator->tcpPort());
    ASSERT_TRUE(client.logIn());
    client.send(bytesOf({0x00, 0x81, 0x0F, 0x04, 0x6B}));
    const QByteArray reply = client.receive(6);
    ASSERT_EQ(reply.size(), 6);
    EXPECT_FALSE(UnitChecksum::holds(reply));
}

TEST_F(FaultOnTheLine, aSplitTcpReplyStillAddsUpToTheReply)
{
    start(FaultKind::SplitReply, "bulk");
    RawTcpClient client(simulator->tcpPort());
    ASSERT_TRUE(client.logIn());
    client.send(bytesOf({0x00, 0xC1, 0x2F, 0x01, 0x0E}));
    const QByteArray reply = client.receive(258);
    ASSERT_EQ(reply.size(), 258);
    EXPECT_TRUE(UnitChecksum::holds(reply));
}

TEST_F(FaultOnTheLine, theConnectionDropsInTheMiddleOfADownload)
{
    start(FaultKind::DropConnection, "bulk:2");
    RawTcpClient client(simulator->tcpPort());
    ASSERT_TRUE(client.logIn());
    client.send(bytesOf({0x00, 0xC1, 0x2F, 0x01, 0x0E}));
    ASSERT_EQ(client.receive(258).size(), 258);
    client.send(bytesOf({0x00, 0xC1, 0x2F, 0x01, 0x0E}));
    EXPECT_TRUE(client.waitForDisconnect());
    EXPECT_EQ(client.receive(258, 200).size(), 129);
}

TEST_F(FaultOnTheLine, aRefusedLoginWithTheRightCodeThenAnAcceptedOne)
{
    start(FaultKind::RefuseLogin, "1");
    RawTcpClient client(simulator->tcpPort());
    EXPECT_FALSE(client.logIn());
    client.send(bytesOf({0x5A, 0x54, 0x56, 0x2D, 0x4C, 0x4E, 0x4B, 0x31}));
    EXPECT_EQ(client.receive(1), bytesOf({0x00}));
}
