#include "cli/GorvaneCli.h"
#include "tests/support/ScriptedSerialUnit.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class Cli : public ::testing::Test {
protected:
    int run(QStringList arguments)
    {
        arguments.prepend(QStringLiteral("gorvane-cli"));
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        ConfigFolders folders{home.path(), home.filePath(QStringLiteral("data")),
                              home.filePath(QStringLiteral("documents"))};
        GorvaneCli cli(outStream, errStream, folders);
        return cli.run(arguments);
    }

    QTemporaryDir home;
    QString out;
    QString err;
};

} // namespace

TEST_F(Cli, WithoutASubcommandItShowsUsageAndFails)
{
    EXPECT_EQ(run({}), 1);
    EXPECT_TRUE(err.contains(QStringLiteral("Usage: gorvane-cli SUBCOMMAND")));
    EXPECT_EQ(run({QStringLiteral("frobnicate")}), 1);
    EXPECT_TRUE(err.contains(QStringLiteral("Unknown subcommand: frobnicate")));
}

TEST_F(Cli, EverySubcommandHasHelp)
{
    EXPECT_EQ(run({QStringLiteral("read"), QStringLiteral("--help")}), 0);
    EXPECT_TRUE(out.startsWith(QStringLiteral("Usage: gorvane-cli read [options] ADDRESS LENGTH")));
    EXPECT_TRUE(out.contains(QStringLiteral("--tcp")));
}

TEST_F(Cli, ReadPrintsTheRecordInHex)
{
    ScriptedSerialUnit unit;
    unit.respondWith([](const QByteArray&) { return QByteArray("\x19\xE6", 2); });

    EXPECT_EQ(run({QStringLiteral("read"), QStringLiteral("0xF7"), QStringLiteral("1"),
                   QStringLiteral("--serial"), unit.devicePath()}),
              0);
    EXPECT_EQ(out, QStringLiteral("19\n"));
    EXPECT_EQ(unit.frames().first(), QByteArray("\x81\xF7\x01\x86", 4));
}

TEST_F(Cli, AUnitThatDoesNotAnswerIsAUnitError)
{
    ScriptedSerialUnit unit;
    EXPECT_EQ(
        run({QStringLiteral("read"), QStringLiteral("0xF7"), QStringLiteral("1"),
             QStringLiteral("--serial"), unit.devicePath(), QStringLiteral("--read-constant"),
             QStringLiteral("200"), QStringLiteral("--read-multiplier"), QStringLiteral("0")}),
        3);
    EXPECT_TRUE(err.contains(QStringLiteral("Error reading data from Zeltravanic unit.")));
}

TEST_F(Cli, ARefusedConnectionIsAConnectionError)
{
    EXPECT_EQ(run({QStringLiteral("read"), QStringLiteral("0xF7"), QStringLiteral("1"),
                   QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:1")}),
              2);
    EXPECT_TRUE(err.contains(QStringLiteral("Socket Error: ")));
}

TEST_F(Cli, BadArgumentsAreUsageErrors)
{
    EXPECT_EQ(run({QStringLiteral("read"), QStringLiteral("0x1FF"), QStringLiteral("1"),
                   QStringLiteral("--serial"), QStringLiteral("COM1")}),
              1);
    EXPECT_EQ(run({QStringLiteral("read"), QStringLiteral("1"), QStringLiteral("1"),
                   QStringLiteral("--serial"), QStringLiteral("/nonexistent/tty")}),
              1);
    EXPECT_EQ(run({QStringLiteral("read"), QStringLiteral("1"), QStringLiteral("1"),
                   QStringLiteral("--tcp"), QStringLiteral("host:99999")}),
              1);
}
