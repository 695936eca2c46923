#include "simulator/UnitChecksum.h"
#include "simulator/UnitSimulator.h"
#include "tests/simulator/RawClients.h"
#include "tests/support/TestBytes.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

namespace {

SimulatorOptions bothTransports()
{
    SimulatorOptions options;
    options.tcpPort = 0;
    options.serial = true;
    return options;
}

class Transport : public ::testing::Test {
protected:
    void start(SimulatorOptions options = bothTransports())
    {
        simulator = std::make_unique<UnitSimulator>(options);
        QString error;
        ASSERT_TRUE(simulator->start(&error)) << error.toStdString();
    }

    std::unique_ptr<UnitSimulator> simulator;
};

} // namespace

TEST_F(Transport, theAdapterGreetsWithItsInterfaceVersionAndEightBytes)
{
    start();
    RawTcpClient client(simulator->tcpPort());
    const QByteArray greeting = client.receive(9);
    ASSERT_EQ(greeting.size(), 9);
    EXPECT_EQ(byteAt(greeting, 0), 12); // interface version 1.2
}

TEST_F(Transport, theProgramsLoginCodeIsAnsweredWithTheSingleByteZero)
{
    start();
    RawTcpClient client(simulator->tcpPort());
    client.receive(9);
    client.send(bytesOf({0x5A, 0x54, 0x56, 0x2D, 0x4C, 0x4E, 0x4B, 0x31}));
    EXPECT_EQ(client.receive(1), bytesOf({0x00}));
}

TEST_F(Transport, anyOtherLoginCodeGetsANonZeroAnswerAndTheAdapterWaitsForAnother)
{
    start();
    RawTcpClient client(simulator->tcpPort());
    client.receive(9);
    client.send(bytesOf({1, 2, 3, 4, 5, 6, 7, 8}));
    const QByteArray refusal = client.receive(1);
    ASSERT_EQ(refusal.size(), 1);
    EXPECT_NE(byteAt(refusal, 0), 0);
    // Sent in two pieces this time.
    client.send(bytesOf({0x5A, 0x54, 0x56}));
    client.send(bytesOf({0x2D, 0x4C, 0x4E, 0x4B, 0x31}));
    EXPECT_EQ(client.receive(1), bytesOf({0x00}));
}

TEST_F(Transport, aTcpReadReplyIsStatusDataAndAChecksumOverBoth)
{
    SimulatorOptions options = bothTransports();
    options.statusByte = 0x07;
    start(options);
    RawTcpClient client(simulator->tcpPort());
    ASSERT_TRUE(client.logIn());
    client.send(bytesOf({0x00, 0x81, 0xF7, 0x01, 0x86}));
    // Firmware 25 (version 2.5); 0x07 + 0x19 + checksum = 0xFF.
    EXPECT_EQ(client.receive(3), bytesOf({0x07, 0x19, 0xDF}));
}

TEST_F(Transport, aTcpWriteIsAcknowledgedWithStatusAndTheFramesChecksum)
{
    start();
    RawTcpClient client(simulator->tcpPort());
    ASSERT_TRUE(client.logIn());
    client.send(bytesOf({0x00, 0x01, 0x10, 0x01, 0x05, 0xE8}));
    EXPECT_EQ(client.receive(2), bytesOf({0x00, 0xE8}));
}

TEST_F(Transport, aTcpBulkReadOfOnePageIsStatus256BytesAndChecksum)
{
    start();
    RawTcpClient client(simulator->tcpPort());
    ASSERT_TRUE(client.logIn());
    client.send(bytesOf({0x00, 0xC1, 0x2F, 0x01, 0x0E}));
    const QByteArray reply = client.receive(258);
    ASSERT_EQ(reply.size(), 258);
    EXPECT_TRUE(UnitChecksum::holds(reply));
}

TEST_F(Transport, theAdapterSettingsTellThePortItListensOnAndTheClockStartsAsAsked)
{
    SimulatorOptions options = bothTransports();
    options.clockMinute = 13 * 60 + 47;
    start(options);
    RawTcpClient client(simulator->tcpPort());
    ASSERT_TRUE(client.logIn());
    client.send(bytesOf({0x00, 0x81, 0x91, 0x06, 0xE7}));
    const QByteArray reply = client.receive(8);
    ASSERT_EQ(reply.size(), 8);
    EXPECT_EQ(byteAt(reply, 5) | byteAt(reply, 6) << 8, simulator->tcpPort());
    client.send(bytesOf({0x00, 0x81, 0x24, 0x01, 0x59}));
    EXPECT_EQ(client.receive(3), bytesOf({0x00, 107, 0xFF - 107}));
}

TEST_F(Transport, aTcpRequestArrivingInPiecesIsAnsweredOnce)
{
    start();
    RawTcpClient client(simulator->tcpPort());
    ASSERT_TRUE(client.logIn());
    client.send(bytesOf({0x00, 0x81}));
    client.send(bytesOf({0x0F, 0x04}));
    client.send(bytesOf({0x6B, 0x00, 0x81, 0xF7, 0x01, 0x86}));
    const QByteArray replies = client.receive(6 + 3);
    ASSERT_EQ(replies.size(), 9);
    EXPECT_TRUE(UnitChecksum::holds(replies.left(6)));
    EXPECT_EQ(replies.mid(6), bytesOf({0x00, 0x19, 0xE6}));
}

TEST_F(Transport, twoTcpClientsAreServedSideBySide)
{
    start();
    RawTcpClient first(simulator->tcpPort());
    RawTcpClient second(simulator->tcpPort());
    ASSERT_TRUE(first.logIn());
    ASSERT_TRUE(second.logIn());
    second.send(bytesOf({0x00, 0x81, 0xF7, 0x01, 0x86}));
    EXPECT_EQ(second.receive(3), bytesOf({0x00, 0x19, 0xE6}));
    first.send(bytesOf({0x00, 0x81, 0xF7, 0x01, 0x86}));
    EXPECT_EQ(first.receive(3), bytesOf({0x00, 0x19, 0xE6}));
}

TEST_F(Transport, aSerialReadOf0x0FIsFourDataBytesAndAChecksum)
{
    start();
    RawPtyClient line(simulator->serialPath());
    ASSERT_TRUE(line.isOpen());
    line.send(bytesOf({0x81, 0x0F, 0x04, 0x6B}));
    const QByteArray reply = line.receive(5);
    ASSERT_EQ(reply.size(), 5);
    EXPECT_TRUE(UnitChecksum::holds(reply));
}

TEST_F(Transport, aSerialFirmwareReadIsTheVersionByteAndItsChecksum)
{
    start();
    RawPtyClient line(simulator->serialPath());
    line.send(bytesOf({0x81, 0xF7, 0x01, 0x86}));
    EXPECT_EQ(line.receive(2), bytesOf({0x19, 0xE6}));
}

TEST_F(Transport, aSerialBulkReadOfPage0x2FIs257Bytes)
{
    start();
    RawPtyClient line(simulator->serialPath());
    line.send(bytesOf({0xC1, 0x2F, 0x01, 0x0E}));
    const QByteArray reply = line.receive(257);
    ASSERT_EQ(reply.size(), 257);
    EXPECT_TRUE(UnitChecksum::holds(reply));
    // Efficiency logs of a fresh unit: both empty.
    EXPECT_EQ(reply.mid(0xFC, 4), bytesOf({0, 0, 0, 0}));
}

TEST_F(Transport, aSerialWriteIsAcknowledgedAndTakesEffect)
{
    start();
    RawPtyClient line(simulator->serialPath());
    // P37 := 12 days: 0x01 0xE2 0x01 0x0C, checksum 0xFF - 0xF0 = 0x0F.
    line.send(bytesOf({0x01, 0xE2, 0x01, 0x0C, 0x0F}));
    EXPECT_EQ(line.receive(1), bytesOf({0x0F}));
    line.send(bytesOf({0x81, 0xE2, 0x01, 0x9B}));
    EXPECT_EQ(line.receive(2), bytesOf({0x0C, 0xF3}));
}

TEST_F(Transport, aPacedReplyTakesTheTimeOfA2400BaudLine)
{
    SimulatorOptions options = bothTransports();
    options.paced = true;
    start(options);
    RawPtyClient line(simulator->serialPath());
    QElapsedTimer timer;
    timer.start();
    line.send(bytesOf({0xC1, 0x2F, 0x01, 0x0E}));
    ASSERT_EQ(line.receive(257, 20000).size(), 257);
    // 4 request bytes and 257 reply bytes at 240 bytes a second: at least 1.08 s.
    EXPECT_GE(timer.elapsed(), 1080);
}

TEST_F(Transport, theReplyLatencyDelaysEveryReply)
{
    SimulatorOptions options = bothTransports();
    options.latencyMs = 300;
    start(options);
    RawTcpClient client(simulator->tcpPort());
    ASSERT_TRUE(client.logIn());
    QElapsedTimer timer;
    timer.start();
    client.send(bytesOf({0x00, 0x81, 0xF7, 0x01, 0x86}));
    ASSERT_EQ(client.receive(3).size(), 3);
    EXPECT_GE(timer.elapsed(), 300);
}
