#include "simulator/Scenario.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/StandInUnit.h"
#include "tests/support/TestFiles.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <tuple>

// The gorvane-cli executable, in the test's throwaway home, against the stand-in unit.
TEST(CliProcess, NoSignalEndsTheProgramHalfWayAndTheShellGetsTheExitCode)
{
    StandInUnit unit;
    QProcess process;
    // Three readings 50 ms apart; or the first, and the signal long before the next is due.
    for (const auto& [signal, seconds, readings] :
         {std::tuple{SIGTERM, "0.05", 3}, std::tuple{SIGINT, "30", 1}}) {
        SCOPED_TRACE(signal);
        process.start(QStringLiteral(GORVANE_CLI),
                      {QStringLiteral("live"), QStringLiteral("AD1"), QStringLiteral("--json"),
                       QStringLiteral("--watch"), QString::fromLatin1(seconds),
                       QStringLiteral("--tcp"), unit.address()});
        QByteArray out;
        while (out.count('\n') < readings && process.waitForReadyRead(10000))
            out += process.readAllStandardOutput();
        ::kill(static_cast<pid_t>(process.processId()), signal);
        ASSERT_TRUE(process.waitForFinished(10000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), 0);
        out += process.readAllStandardOutput();
        EXPECT_GE(out.count('\n'), readings);
        EXPECT_TRUE(out.endsWith('\n'));
        for (const QByteArray& line : out.trimmed().split('\n'))
            ASSERT_EQ(QJsonDocument::fromJson(line)["items"].toArray().size(), 1) << line.data();
        EXPECT_TRUE(process.readAllStandardError().isEmpty());
    }
    // The codes of a usage error and a connection error.
    for (const auto& [line, code] : {std::pair{"download", 1}, {"clock --tcp 127.0.0.1:1", 2}}) {
        process.start(QStringLiteral(GORVANE_CLI), QString::fromLatin1(line).split(u' '));
        ASSERT_TRUE(process.waitForFinished(30000));
        EXPECT_EQ(process.exitCode(), code) << line;
    }
    // Under a file-size limit (ulimit -f) a write fails part way: the cumulative file is cut back
    // to what it held and the exit code says a file could not be written.
    unit.withUnit([](SimulatedUnit& still) { Scenario::apply(QStringLiteral("week"), still); });
    QTemporaryDir out;
    const QString cumulative = out.filePath(QStringLiteral("all.csv"));
    ASSERT_TRUE(putFileBytes(cumulative, QByteArray(4000, ';')));
    {
        // The limit and the signal's default action go to the child; the fixture ignores it here.
        FileSizeLimit limit(4096);
        ::signal(SIGXFSZ, SIG_DFL);
        process.start(QStringLiteral(GORVANE_CLI),
                      QStringLiteral("download --periodic --out %1 --append %2 --tcp %3")
                          .arg(out.path(), cumulative, unit.address())
                          .split(u' '));
        ::signal(SIGXFSZ, SIG_IGN);
    }
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(std::pair(process.exitStatus(), process.exitCode()),
              std::pair(QProcess::NormalExit, 4));
    EXPECT_EQ(fileBytes(cumulative), QByteArray(4000, ';'));
    EXPECT_TRUE(process.readAllStandardOutput().contains("No data file was saved."));
}

// The unit lost while watching and back again: one line when it goes, one when it is back.
TEST(CliProcess, WatchingRidesOverALostUnitWithOneLineForTheLossAndOneForTheReturn)
{
    StandInUnit unit;
    QProcess process;
    process.start(QStringLiteral(GORVANE_CLI),
                  {QStringLiteral("live"), QStringLiteral("AD1"), QStringLiteral("--watch"),
                   QStringLiteral("0.05"), QStringLiteral("--tcp"), unit.address()});
    ASSERT_TRUE(process.waitForReadyRead(10000));
    process.setReadChannel(QProcess::StandardError);
    QByteArray err;
    for (const char* told : {"Reconnecting...", "is back."}) {
        if (err.isEmpty())
            unit.unplug();
        else
            ASSERT_TRUE(unit.plugIn());
        while (!err.contains(told) && process.waitForReadyRead(20000))
            err += process.readAllStandardError();
    }
    ::kill(static_cast<pid_t>(process.processId()), SIGINT);
    ASSERT_TRUE(process.waitForFinished(10000));
    EXPECT_EQ(process.exitCode(), 0);
    err += process.readAllStandardError();
    EXPECT_TRUE(err.startsWith(QStringLiteral("Connection to %1").arg(unit.address()).toUtf8()));
    EXPECT_EQ(err.count('\n'), 2) << err.data();
}
