#include "simulator/Scenario.h"
#include "tests/support/StandInUnit.h"
#include "tests/support/TestFiles.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
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

// A file-size limit (ulimit -f) makes a write fail part way; the cumulative file is cut back to
// what it held and the exit code says a file could not be written.
TEST(CliProcess, AFileSizeLimitEndsTheDownloadWithTheFileCodeAndTheCumulativeFileAsItWas)
{
    StandInUnit unit;
    unit.withUnit([](SimulatedUnit& still) { Scenario::apply(QStringLiteral("week"), still); });
    QTemporaryDir out;
    const QString cumulative = out.filePath(QStringLiteral("all.csv"));
    const QByteArray before(4000, ';');
    ASSERT_TRUE(putFileBytes(cumulative, before));
    QProcess process;
    process.setChildProcessModifier([] {
        ::signal(SIGXFSZ, SIG_DFL);
        rlimit limit{};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = 4096;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    });
    process.start(QStringLiteral(GORVANE_CLI),
                  {QStringLiteral("download"), QStringLiteral("--periodic"), QStringLiteral("--out"),
                   out.path(), QStringLiteral("--append"), cumulative, QStringLiteral("--tcp"),
                   unit.address()});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 4);
    EXPECT_EQ(fileBytes(cumulative), before);
    EXPECT_TRUE(process.readAllStandardOutput().contains("No data file was saved."));
}
