#include "simulator/MemoryImage.h"
#include "tests/simulator/RawClients.h"
#include "tests/support/TestBytes.h"
#include "tests/support/EventPump.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <csignal>
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
        const bool finished =
            EventPump::waitUntil([this] { return process.state() == QProcess::NotRunning; }, 10000);
        return finished && process.exitStatus() == QProcess::NormalExit &&
               process.exitCode() == code;
    }

    void terminate() { ::kill(static_cast<pid_t>(process.processId()), SIGTERM); }

    QTemporaryDir folder;
    QProcess process;
};

} // namespace

TEST_F(SimulatorProcess, printsTheSerialPathFirstAndRegistersTheComAlias)
{
    const QString ports = folder.filePath("ports");
    ASSERT_TRUE(start({"--serial", "--alias", "COM7", "--ports-dir", ports, "--tcp", "0"}));
    const QString device = nextLine();
    EXPECT_TRUE(device.startsWith("/dev/")) << device.toStdString();
    EXPECT_TRUE(nextLine().startsWith("tcp 127.0.0.1:"));
    const QFileInfo alias(ports + "/COM7");
    EXPECT_TRUE(alias.isSymLink());
    EXPECT_EQ(alias.symLinkTarget(), device);

    RawPtyClient line(alias.filePath());
    line.send(bytesOf({0x81, 0xF7, 0x01, 0x86}));
    EXPECT_EQ(line.receive(2), bytesOf({0x19, 0xE6}));

    terminate();
    EXPECT_TRUE(finishesWith(0));
    EXPECT_FALSE(QFileInfo(ports + "/COM7").isSymLink());
}

TEST_F(SimulatorProcess, replacesAnAliasOfTheSameNumberWrittenInAnotherCase)
{
    const QString ports = folder.filePath("ports");
    QDir().mkpath(ports);
    QFile::link("/dev/null", ports + "/com3");
    ASSERT_TRUE(start({"--serial", "--alias", "COM3", "--ports-dir", ports}));
    const QString device = nextLine();
    EXPECT_FALSE(QFileInfo(ports + "/com3").isSymLink());
    EXPECT_EQ(QFileInfo(ports + "/COM3").symLinkTarget(), device);
    terminate();
    EXPECT_TRUE(finishesWith(0));
}

TEST_F(SimulatorProcess, announcesTheTcpPortItListensOn)
{
    ASSERT_TRUE(start({"--tcp", "0"}));
    const QString line = nextLine();
    ASSERT_TRUE(line.startsWith("tcp 127.0.0.1:")) << line.toStdString();
    RawTcpClient client(static_cast<quint16>(line.section(':', 1).toUInt()));
    EXPECT_TRUE(client.logIn());
    process.terminate(); // SIGTERM
    EXPECT_TRUE(finishesWith(0));
}

TEST_F(SimulatorProcess, endsByItselfAfterMaxSeconds)
{
    ASSERT_TRUE(start({"--tcp", "0", "--max-seconds", "1"}));
    EXPECT_TRUE(finishesWith(0));
}

TEST_F(SimulatorProcess, savesTheImageOfAFastForwardedUnit)
{
    const QString file = folder.filePath("unit.img");
    ASSERT_TRUE(start({"--no-listen", "--fast-forward", "3", "--save-image", file}));
    ASSERT_TRUE(finishesWith(0)) << process.readAllStandardError().toStdString();
    EXPECT_EQ(QFileInfo(file).size(), 16391);
    MemoryImage image;
    ASSERT_TRUE(image.load(file));
    // Three days at one record an hour: the periodic log is no longer empty.
    const int pointer = byteAt(image.periodicRecord, 2) | (byteAt(image.periodicRecord, 3) & 0x3F)
                                                              << 8;
    EXPECT_NE(pointer, 0x1FC0);
}

TEST_F(SimulatorProcess, refusesABadCommandLineWithExitCode2)
{
    ASSERT_TRUE(start({"--latency", "soon"}));
    EXPECT_TRUE(finishesWith(2));
    EXPECT_FALSE(process.readAllStandardError().isEmpty());
}

TEST_F(SimulatorProcess, refusesAnImageOfTheWrongSize)
{
    const QString file = folder.filePath("short.img");
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(QByteArray(16384, '\0'));
    out.close();
    ASSERT_TRUE(start({"--no-listen", "--image", file}));
    EXPECT_TRUE(finishesWith(1));
}
