#include "tests/cli/StillUnit.h"
#include "tests/support/EventPump.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>

namespace {

// The gorvane-cli executable with a home of its own, against a still unit in this process
// (whose adapter answers while the test waits on the event loop).
class CliProcess : public ::testing::Test {
protected:
    void SetUp() override
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), home.path());
        environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
        process.setProcessEnvironment(environment);
    }

    void TearDown() override
    {
        if (process.state() != QProcess::NotRunning)
            process.kill();
        process.waitForFinished(5000);
    }

    void start(const QStringList& arguments)
    {
        process.start(QStringLiteral(GORVANE_CLI), arguments);
        ASSERT_TRUE(process.waitForStarted(5000));
    }

    // Waits (on the event loop, so the unit answers) for the process to end; its exit code.
    int finish()
    {
        EventPump::waitUntil([this] { return process.state() == QProcess::NotRunning; }, 30000);
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    // Waits until the process has printed this many lines; all it printed so far.
    QString awaitLines(int count)
    {
        EventPump::waitUntil([&] {
            out += QString::fromUtf8(process.readAllStandardOutput());
            return out.count(u'\n') >= count || process.state() == QProcess::NotRunning;
        });
        return out;
    }

    void signal(int number) { ::kill(static_cast<pid_t>(process.processId()), number); }

    QTemporaryDir home;
    StillUnit still;
    QProcess process;
    QString out;
};

} // namespace

TEST_F(CliProcess, watchRepeatsUntilSigtermAndEndsWithWholeReadings)
{
    start(still.withTcp({QStringLiteral("live"), QStringLiteral("AD1"), QStringLiteral("--json"),
                         QStringLiteral("--watch"), QStringLiteral("0.05")}));
    ASSERT_GE(awaitLines(3).count(u'\n'), 3) << process.readAllStandardError().toStdString();
    signal(SIGTERM);
    EXPECT_EQ(finish(), 0);
    out += QString::fromUtf8(process.readAllStandardOutput());
    EXPECT_TRUE(out.endsWith(u'\n'));
    for (const QString& line : out.split(u'\n', Qt::SkipEmptyParts)) {
        const QJsonObject reading = QJsonDocument::fromJson(line.toUtf8()).object();
        ASSERT_EQ(reading[QStringLiteral("items")].toArray().size(), 1) << line.toStdString();
    }
    EXPECT_TRUE(process.readAllStandardError().isEmpty());
}

TEST_F(CliProcess, watchEndsOnSigintToo)
{
    start(still.withTcp({QStringLiteral("live"), QStringLiteral("AD22"), QStringLiteral("--watch"),
                         QStringLiteral("30")}));
    // The first reading: its time, the item, two status lines and the blank line after it.
    const QString first = awaitLines(5);
    ASSERT_EQ(first.count(u'\n'), 5) << first.toStdString();
    EXPECT_TRUE(first.section(u'\n', 1, 1).startsWith(QStringLiteral("AD22: ")));
    EXPECT_TRUE(first.endsWith(QStringLiteral("\n\n")));
    // Long before the next reading is due.
    signal(SIGINT);
    EXPECT_EQ(finish(), 0);
}

TEST_F(CliProcess, theExitCodesReachTheShell)
{
    start({QStringLiteral("download")});
    EXPECT_EQ(finish(), 1);
    start({QStringLiteral("clock"), QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:1")});
    EXPECT_EQ(finish(), 2);
    still.faults.add(FaultKind::Garbage, QStringLiteral("all"));
    start(still.withTcp({QStringLiteral("clock")}));
    EXPECT_EQ(finish(), 3);
    EXPECT_TRUE(process.readAllStandardOutput().isEmpty());
}
