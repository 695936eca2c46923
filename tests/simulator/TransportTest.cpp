#include "simulator/UnitChecksum.h"
#include "tests/simulator/RawLine.h"
#include "tests/support/StandInUnit.h"
#include "tests/support/TestBytes.h"

#include <QElapsedTimer>
#include <QSerialPort>
#include <QTcpSocket>

namespace {

bool connectTo(QTcpSocket& adapter, const StandInUnit& unit)
{
    adapter.connectToHost(QHostAddress::LocalHost, unit.tcpPort());
    return adapter.waitForConnected(5000);
}

} // namespace

TEST(SimulatorTransport, TheAdapterGreetsAndTakesNothingButItsLoginCode)
{
    StandInUnit unit;
    unit.addFault(FaultKind::RefuseLogin, QStringLiteral("1"));
    QTcpSocket adapter;
    ASSERT_TRUE(connectTo(adapter, unit));
    const QByteArray greeting = RawLine::receive(adapter, 9);
    ASSERT_EQ(greeting.size(), 9);
    EXPECT_EQ(byteAt(greeting, 0), 12); // interface version 1.2

    const QByteArray code("\x5A\x54\x56\x2D\x4C\x4E\x4B\x31", 8);
    EXPECT_NE(RawLine::exchange(adapter, code, 1), bytesOf({0x00})); // the refusal fault
    EXPECT_NE(RawLine::exchange(adapter, bytesOf({1, 2, 3, 4, 5, 6, 7, 8}), 1), bytesOf({0x00}));
    adapter.write(code.left(3));
    EXPECT_EQ(RawLine::exchange(adapter, code.mid(3), 1), bytesOf({0x00}));

    // Then requests, however they are cut into pieces, each answered once.
    adapter.write(bytesOf({0x00, 0x81}));
    adapter.write(bytesOf({0x0F, 0x04}));
    const QByteArray replies =
        RawLine::exchange(adapter, bytesOf({0x6B, 0x00, 0x81, 0xF7, 0x01, 0x86}), 9);
    ASSERT_EQ(replies.size(), 9);
    EXPECT_TRUE(UnitChecksum::holds(replies.left(6)));
    EXPECT_EQ(replies.mid(6), bytesOf({0x00, 0x19, 0xE6}));
    EXPECT_EQ(unit.requests().size(), 2);
}

TEST(SimulatorTransport, APacedLineTakesTheTimeOfItsBytesAfterTheReplyLatency)
{
    SessionSettings settings;
    settings.paced = true;
    settings.latencyMs = 300;
    StandInUnit unit(settings);
    QSerialPort line(unit.serialDevice());
    ASSERT_TRUE(line.open(QIODevice::ReadWrite));
    QElapsedTimer timer;
    timer.start();
    ASSERT_EQ(RawLine::exchange(line, bytesOf({0xC1, 0x2F, 0x01, 0x0E}), 257).size(), 257);
    // 4 request bytes and 257 reply bytes at 240 bytes a second: at least 1.08 s, and 0.3 s more.
    EXPECT_GE(timer.elapsed(), 1080 + 300);
}
