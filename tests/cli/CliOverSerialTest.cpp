#include "tests/cli/CliRunner.h"
#include "tests/support/SimulatorChild.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr int Ok = 0;
constexpr int UnitError = 3;

// gorvane-cli in this process and the simulator program on a pseudo-terminal, reached as COM7
// through an alias of the command line's own, or by its device path. The serial link blocks
// this thread for every exchange, so the unit has to be another process.
class CliOverSerial : public ::testing::Test {
protected:
    void start(const QStringList& arguments = {})
    {
        ASSERT_TRUE(simulator.start(arguments)) << simulator.errors().toStdString();
        QDir().mkpath(cli.portAliasFolder());
        ASSERT_TRUE(QFile::link(simulator.devicePath(),
                                QDir(cli.portAliasFolder()).filePath(QStringLiteral("COM7"))));
    }

    // Short serial time-outs, so that a silent unit is given up quickly.
    int run(const QStringList& arguments)
    {
        return cli.run(arguments + QStringList{QStringLiteral("--serial"), QStringLiteral("COM7"),
                                               QStringLiteral("--read-constant"),
                                               QStringLiteral("300")});
    }

    SimulatorChild simulator;
    CliRunner cli;
};

} // namespace

TEST_F(CliOverSerial, infoAndLiveReachTheUnitByItsComNumber)
{
    start();
    ASSERT_EQ(run({QStringLiteral("info")}), Ok) << cli.err.toStdString();
    EXPECT_TRUE(cli.out.startsWith(QStringLiteral("Firmware Version:")));
    EXPECT_TRUE(cli.out.contains(QStringLiteral("Battery 1 Capacity:         200 Ahrs\n")));

    ASSERT_EQ(cli.run({QStringLiteral("live"), QStringLiteral("AD1"), QStringLiteral("AD22"),
                       QStringLiteral("--serial"), simulator.devicePath()}),
              Ok)
        << cli.err.toStdString();
    EXPECT_TRUE(cli.out.startsWith(QStringLiteral("AD1: Battery 1 Volts")));
    EXPECT_TRUE(cli.out.contains(QStringLiteral("\nAD22: Battery 1 % Full")));
    EXPECT_TRUE(cli.err.isEmpty()) << cli.err.toStdString();
}

TEST_F(CliOverSerial, aDownloadOverTheSerialLineWritesTheProgramsFiles)
{
    start({QStringLiteral("--scenario"), QStringLiteral("week")});
    QTemporaryDir folder;
    ASSERT_EQ(run({QStringLiteral("download"), QStringLiteral("--out"), folder.path(),
                   QStringLiteral("--name"), QStringLiteral("serial")}),
              Ok)
        << cli.err.toStdString();
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files),
              (QStringList{"serial_Bat1CycleEfficy.csv", "serial_Bat1DischProfile.csv",
                           "serial_Bat2CycleEfficy.csv", "serial_Bat2DischProfile.csv",
                           "serial_PeriodicData.csv"}));
    EXPECT_TRUE(cli.out.startsWith(QStringLiteral("Data Downloaded:\n")));
}

TEST_F(CliOverSerial, aSilentUnitIsAUnitErrorWithNothingPrintedOrWritten)
{
    start({QStringLiteral("--no-reply"), QStringLiteral("all")});
    for (const char* command : {"info", "clock"}) {
        EXPECT_EQ(run({QString::fromLatin1(command)}), UnitError) << command;
        EXPECT_TRUE(cli.out.isEmpty());
        EXPECT_TRUE(cli.err.contains(QStringLiteral("Error reading data from Zeltravanic unit.")))
            << cli.err.toStdString();
    }
    QTemporaryDir folder;
    EXPECT_EQ(run({QStringLiteral("download"), QStringLiteral("--out"), folder.path()}), UnitError);
    EXPECT_TRUE(cli.out.isEmpty());
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
}

TEST_F(CliOverSerial, aBadChecksumIsAUnitError)
{
    start({QStringLiteral("--bad-checksum"), QStringLiteral("all")});
    EXPECT_EQ(run({QStringLiteral("live"), QStringLiteral("AD1")}), UnitError);
    EXPECT_TRUE(cli.out.isEmpty());
    EXPECT_FALSE(cli.err.isEmpty());
}
