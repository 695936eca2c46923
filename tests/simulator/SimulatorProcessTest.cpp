#include "tests/support/SimulatorChild.h"
#include "tests/support/StandInUnit.h"
#include "tests/support/TestBytes.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QSerialPort>
#include <QTcpSocket>

namespace {

// The program's end of a serial line or of the adapter's socket, without the program's link:
// writes the bytes and waits until count bytes have come back (fewer when the limit passed).
QByteArray exchange(QIODevice& line, const QByteArray& bytes, int count)
{
    line.write(bytes);
    line.waitForBytesWritten(5000);
    QByteArray got;
    while (got.size() < count && (line.bytesAvailable() > 0 || line.waitForReadyRead(5000)))
        got += line.read(count - got.size());
    return got;
}

} // namespace

// The zeltravanic-sim program as a script runs it, with its first login attempt refused.
TEST(SimulatorProcess, AnnouncesItsLinesServesThemAndTakesItsAliasAwayOnSigterm)
{
    SimulatorChild simulator;
    const QString alias = simulator.aliasFolder() + QStringLiteral("/COM7");
    // An alias of the same number in another case is replaced.
    const QString other = simulator.aliasFolder() + QStringLiteral("/com7");
    QFile::link(QStringLiteral("/dev/null"), other);
    ASSERT_TRUE(simulator.start({"--tcp", "0", "--clock", "13:47", "--refuse-login", "1"}));
    const QString tcp = simulator.readLine();
    ASSERT_TRUE(tcp.startsWith("tcp 127.0.0.1:")) << tcp.toStdString();
    EXPECT_FALSE(QFileInfo(other).isSymLink());
    // The link's own end-to-end test reads from the line through the alias.
    EXPECT_EQ(QFileInfo(alias).symLinkTarget(), simulator.devicePath());

    QTcpSocket adapter;
    adapter.connectToHost(QHostAddress::LocalHost, tcp.section(':', 1).toUShort());
    ASSERT_TRUE(adapter.waitForConnected(5000));
    // The greeting starts with interface version 1.2; only the login code is taken, in pieces
    // or not, and the refusal fault spoils the first attempt.
    EXPECT_EQ(byteAt(exchange(adapter, {}, 9), 0), 12);
    const QByteArray code("\x5A\x54\x56\x2D\x4C\x4E\x4B\x31", 8);
    EXPECT_NE(exchange(adapter, code, 1), bytesOf({0x00}));
    EXPECT_NE(exchange(adapter, bytesOf({1, 2, 3, 4, 5, 6, 7, 8}), 1), bytesOf({0x00}));
    adapter.write(code.left(3));
    ASSERT_EQ(exchange(adapter, code.mid(3), 1), bytesOf({0x00}));
    // Requests cut anywhere: the adapter's settings tell its port; the clock started at 13:47.
    adapter.write(bytesOf({0x00, 0x81, 0x91}));
    const QByteArray replies =
        exchange(adapter, bytesOf({0x06, 0xE7, 0x00, 0x81, 0x24, 0x01, 0x59}), 11);
    EXPECT_EQ(byteAt(replies, 5) | byteAt(replies, 6) << 8, adapter.peerPort());
    EXPECT_EQ(replies.mid(8), bytesOf({0x00, 107, 0xFF - 107}));

    EXPECT_TRUE(simulator.stop());
    EXPECT_FALSE(QFileInfo(alias).isSymLink());
}

TEST(SimulatorProcess, EndsByItselfAfterMaxSecondsAndRefusesABadCommandLineWithExitCode2)
{
    for (const auto& [arguments, code] :
         {std::pair{QStringList{"--tcp", "0", "--max-seconds", "1"}, 0},
          {QStringList{"--latency", "soon"}, 2}}) {
        QProcess process;
        process.start(QStringLiteral(ZELTRAVANIC_SIM), arguments);
        EXPECT_TRUE(process.waitForFinished(10000));
        EXPECT_EQ(process.exitCode(), code);
        EXPECT_EQ(process.readAllStandardError().isEmpty(), code == 0);
    }
}

TEST(SimulatorTransport, APacedLineTakesTheTimeOfItsBytesAfterTheReplyLatency)
{
    StandInUnit unit(SessionSettings{.paced = true, .latencyMs = 100, .log = {}, .taken = {}});
    QSerialPort line(unit.serialDevice());
    ASSERT_TRUE(line.open(QIODevice::ReadWrite));
    QElapsedTimer timer;
    timer.start();
    ASSERT_EQ(exchange(line, withChecksum(bytesOf({0x81, 0xD7, 0x0C})), 13).size(), 13);
    // After the latency, the time of the 4 request bytes, then the 13 reply bytes at 240 a
    // second: the last one leaves 16 byte times (66 ms) after the latency.
    EXPECT_GE(timer.elapsed(), 100 + 66);
}
