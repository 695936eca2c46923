#include "tests/support/StandInUnit.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <csignal>
#include <gtest/gtest.h>
#include <tuple>

// The gorvane-cli executable, in the test's throwaway home, against the stand-in unit.
TEST(CliProcess, ASignalEndsWatchingCleanlyAndTheShellGetsTheExitCode)
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
