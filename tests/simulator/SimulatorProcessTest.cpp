#include "tests/simulator/RawLine.h"
#include "tests/support/EventPump.h"
#include "tests/support/TestBytes.h"

#include <QFileInfo>
#include <QProcess>
#include <QSerialPort>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The zeltravanic-sim program as a script would run it.
class SimulatorProcess : public ::testing::Test {
protected:
    void TearDown() override
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(5000);
        }
    }

    bool start(const QStringList& arguments)
    {
        process.start(QStringLiteral(ZELTRAVANIC_SIM), arguments);
        return process.waitForStarted(5000);
    }

    QString nextLine()
    {
        EventPump::waitUntil(
            [this] { return process.canReadLine() || process.state() == QProcess::NotRunning; });
        return QString::fromLocal8Bit(process.readLine()).trimmed();
    }

    bool finishesWith(int code)
    {
        return process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit &&
               process.exitCode() == code;
    }

    QTemporaryDir folder;
    QProcess process;
};

} // namespace

TEST_F(SimulatorProcess, AnnouncesItsLinesServesThemAndTakesItsAliasAwayOnSigterm)
{
    const QString ports = folder.filePath("ports");
    // An alias of the same number in another case is replaced.
    QDir().mkpath(ports);
    QFile::link("/dev/null", ports + "/com7");
    ASSERT_TRUE(start(
        {"--serial", "--alias", "COM7", "--ports-dir", ports, "--tcp", "0", "--clock", "13:47"}));
    const QString device = nextLine();
    EXPECT_TRUE(device.startsWith("/dev/")) << device.toStdString();
    const QString tcp = nextLine();
    ASSERT_TRUE(tcp.startsWith("tcp 127.0.0.1:")) << tcp.toStdString();
    EXPECT_FALSE(QFileInfo(ports + "/com7").isSymLink());
    const QFileInfo alias(ports + "/COM7");
    EXPECT_EQ(alias.symLinkTarget(), device);

    QSerialPort line(alias.filePath());
    ASSERT_TRUE(line.open(QIODevice::ReadWrite));
    EXPECT_EQ(RawLine::exchange(line, bytesOf({0x81, 0xF7, 0x01, 0x86}), 2), bytesOf({0x19, 0xE6}));
    QTcpSocket adapter;
    adapter.connectToHost(QHostAddress::LocalHost,
                          static_cast<quint16>(tcp.section(':', 1).toUInt()));
    ASSERT_TRUE(adapter.waitForConnected(5000));
    ASSERT_EQ(RawLine::logIn(adapter), bytesOf({0x00}));
    // The adapter's settings tell the port it listens on; the clock started at 13:47.
    const QByteArray settings =
        RawLine::exchange(adapter, bytesOf({0x00, 0x81, 0x91, 0x06, 0xE7}), 8);
    EXPECT_EQ(byteAt(settings, 5) | byteAt(settings, 6) << 8, adapter.peerPort());
    EXPECT_EQ(RawLine::exchange(adapter, bytesOf({0x00, 0x81, 0x24, 0x01, 0x59}), 3),
              bytesOf({0x00, 107, 0xFF - 107}));

    process.terminate(); // SIGTERM
    EXPECT_TRUE(finishesWith(0));
    EXPECT_FALSE(QFileInfo(ports + "/COM7").isSymLink());
}

TEST_F(SimulatorProcess, EndsByItselfAfterMaxSeconds)
{
    ASSERT_TRUE(start({"--tcp", "0", "--max-seconds", "1"}));
    EXPECT_TRUE(finishesWith(0));
}

TEST_F(SimulatorProcess, RefusesABadCommandLineWithExitCode2)
{
    ASSERT_TRUE(start({"--latency", "soon"}));
    EXPECT_TRUE(finishesWith(2));
    EXPECT_FALSE(process.readAllStandardError().isEmpty());
}
