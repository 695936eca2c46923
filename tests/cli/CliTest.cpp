#include "tests/cli/CliRunner.h"
#include "tests/support/ScriptedSerialUnit.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

class Cli : public ::testing::Test {
protected:
    int run(const QStringList& arguments) { return cli.run(arguments); }

    CliRunner cli;
    const QString& out = cli.out;
    const QString& err = cli.err;
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

TEST_F(Cli, EverySubcommandHasItsOwnHelp)
{
    const QList<std::pair<QString, QString>> usages{
        {QStringLiteral("ports"), QStringLiteral("Usage: gorvane-cli ports [options]\n")},
        {QStringLiteral("info"), QStringLiteral("Usage: gorvane-cli info [options]\n")},
        {QStringLiteral("live"), QStringLiteral("Usage: gorvane-cli live [options] [ITEM...]\n")},
        {QStringLiteral("clock"), QStringLiteral("Usage: gorvane-cli clock [options]\n")},
        {QStringLiteral("download"), QStringLiteral("Usage: gorvane-cli download [options]\n")},
    };
    for (const auto& [name, usage] : usages) {
        EXPECT_EQ(run({name, QStringLiteral("--help")}), 0) << name.toStdString();
        EXPECT_TRUE(out.startsWith(usage)) << out.toStdString();
    }
    EXPECT_TRUE(out.contains(QStringLiteral("--clear")));
    EXPECT_TRUE(out.contains(QStringLiteral("--serial <port>")));
    EXPECT_EQ(run({QStringLiteral("--help")}), 0);
    for (const char* name : {"ports", "info", "live", "clock", "download", "read"})
        EXPECT_TRUE(out.contains(QStringLiteral("\n  %1 ").arg(QString::fromLatin1(name)))) << name;
}

TEST_F(Cli, OptionsAndArgumentsThatCannotBeUsedAreUsageErrorsBeforeTheUnitIsAsked)
{
    // Nothing listens on port 1: reaching the unit would be a connection error instead.
    const QStringList nowhere{QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:1")};
    const QList<QStringList> wrong{
        {QStringLiteral("info"), QStringLiteral("extra")},
        {QStringLiteral("live"), QStringLiteral("AD5")},
        {QStringLiteral("live"), QStringLiteral("AD29")},
        {QStringLiteral("live"), QStringLiteral("volts")},
        {QStringLiteral("live"), QStringLiteral("AD1"), QStringLiteral("--watch"),
         QStringLiteral("0")},
        {QStringLiteral("live"), QStringLiteral("AD1"), QStringLiteral("--watch"),
         QStringLiteral("soon")},
        {QStringLiteral("clock"), QStringLiteral("--set")},
        {QStringLiteral("download")},
        {QStringLiteral("download"), QStringLiteral("--out"), cli.home.path(),
         QStringLiteral("--name"), QStringLiteral("a/b")},
        {QStringLiteral("info"), QStringLiteral("--serial"), QStringLiteral("COM1")},
    };
    for (const QStringList& arguments : wrong) {
        EXPECT_EQ(run(arguments + nowhere), 1) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(out.isEmpty());
        EXPECT_FALSE(err.isEmpty());
    }
    EXPECT_TRUE(QDir(cli.home.path()).entryList(QDir::Files).isEmpty());
}

TEST_F(Cli, ASerialPortThatCannotBeOpenedIsAConnectionError)
{
    // No alias and no device has COM number 250.
    EXPECT_EQ(run({QStringLiteral("info"), QStringLiteral("--serial"), QStringLiteral("COM250")}),
              2);
    EXPECT_TRUE(out.isEmpty());
    EXPECT_FALSE(err.isEmpty());
}

TEST_F(Cli, WithoutPortOptionsTheConfigurationSaysHowTheUnitIsReached)
{
    // TCP to 127.0.0.1 port 1, where nothing listens: PORTTYPE 1, the address as a number.
    cli.writeConfiguration({QStringLiteral("PORTTYPE=1"), QStringLiteral("USENETBIOS=0"),
                            QStringLiteral("IPADDRESS=2130706433"),
                            QStringLiteral("LISTENPORT=1")});
    EXPECT_EQ(run({QStringLiteral("clock")}), 2);
    EXPECT_TRUE(err.contains(QStringLiteral("Socket Error: ")));
}
