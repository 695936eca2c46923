#include "simulator/SimulatorOptions.h"

#include <gtest/gtest.h>

namespace {

SimulatorOptions::Outcome parse(QStringList arguments, SimulatorOptions& options, QString& text)
{
    arguments.prepend(QStringLiteral("zeltravanic-sim"));
    return SimulatorOptions::parse(arguments, options, text);
}

SimulatorOptions parsed(const QStringList& arguments)
{
    SimulatorOptions options;
    QString text;
    EXPECT_EQ(parse(arguments, options, text), SimulatorOptions::Outcome::Run)
        << text.toStdString();
    return options;
}

QString errorOf(const QStringList& arguments)
{
    SimulatorOptions options;
    QString text;
    EXPECT_EQ(parse(arguments, options, text), SimulatorOptions::Outcome::Error);
    return text;
}

} // namespace

TEST(SimulatorOptions, withoutATransportItListensAsTheAdapterOnPort1701)
{
    const SimulatorOptions options = parsed({});
    ASSERT_TRUE(options.tcpPort.has_value());
    EXPECT_EQ(*options.tcpPort, 1701);
    EXPECT_FALSE(options.serial);
}

TEST(SimulatorOptions, serialAloneOpensNoTcpPort)
{
    const SimulatorOptions options = parsed({"--serial"});
    EXPECT_TRUE(options.serial);
    EXPECT_FALSE(options.tcpPort.has_value());
}

TEST(SimulatorOptions, everyOptionOfTheIssueIsUnderstood)
{
    const SimulatorOptions options =
        parsed({"--tcp",       "2000",         "--serial",   "--alias",        "com12",
                "--ports-dir", "/tmp/p",       "--scenario", "week",           "--image",
                "in.img",      "--save-image", "out.img",    "--fast-forward", "40",
                "--pace",      "--latency",    "25",         "--max-seconds",  "9",
                "--verbose"});
    EXPECT_EQ(*options.tcpPort, 2000);
    EXPECT_EQ(options.aliasNumber, 12);
    EXPECT_EQ(options.portsFolder, "/tmp/p");
    EXPECT_EQ(options.scenario, "week");
    EXPECT_EQ(options.imageFile, "in.img");
    EXPECT_EQ(options.saveImageFile, "out.img");
    EXPECT_EQ(options.fastForwardDays, 40);
    EXPECT_TRUE(options.paced);
    EXPECT_EQ(options.latencyMs, 25);
    EXPECT_EQ(options.maxSeconds, 9);
    EXPECT_TRUE(options.verbose);
}

TEST(SimulatorOptions, theClockCanStartAtAGivenTime)
{
    EXPECT_EQ(parsed({"--clock", "13:47"}).clockMinute, 827);
    EXPECT_EQ(parsed({}).clockMinute, -1);
    EXPECT_FALSE(errorOf({"--clock", "25:00"}).isEmpty());
}

TEST(SimulatorOptions, eachFaultKindHasItsOption)
{
    const SimulatorOptions options =
        parsed({"--bad-checksum", "3", "--short-reply", "read@0xF7", "--no-reply", "write:2",
                "--garbage", "bulk", "--split-reply", "all", "--extra-bytes", "read:1,write:1",
                "--drop-connection", "bulk@0x03:2", "--refuse-login", "1"});
    const QList<std::pair<FaultKind, QString>> expected = {
        {FaultKind::BadChecksum, "3"},
        {FaultKind::ShortReply, "read@0xF7"},
        {FaultKind::NoReply, "write:2"},
        {FaultKind::Garbage, "bulk"},
        {FaultKind::SplitReply, "all"},
        {FaultKind::ExtraBytes, "read:1,write:1"},
        {FaultKind::DropConnection, "bulk@0x03:2"},
        {FaultKind::RefuseLogin, "1"}};
    EXPECT_EQ(options.faults, expected);
}

TEST(SimulatorOptions, helpListsEveryOption)
{
    SimulatorOptions options;
    QString text;
    ASSERT_EQ(parse({"--help"}, options, text), SimulatorOptions::Outcome::Help);
    for (const char* option :
         {"--tcp",          "--serial",      "--alias",           "--ports-dir",
          "--scenario",     "--image",       "--save-image",      "--fast-forward",
          "--pace",         "--latency",     "--max-seconds",     "--verbose",
          "--bad-checksum", "--short-reply", "--no-reply",        "--garbage",
          "--split-reply",  "--extra-bytes", "--drop-connection", "--refuse-login"})
        EXPECT_TRUE(text.contains(QLatin1String(option))) << option;
}

TEST(SimulatorOptions, mistakesAreRefusedWithAReason)
{
    EXPECT_FALSE(errorOf({"--tcp", "70000"}).isEmpty());
    EXPECT_FALSE(errorOf({"--serial", "--alias", "COM0"}).isEmpty());
    EXPECT_FALSE(errorOf({"--serial", "--alias", "LPT1"}).isEmpty());
    EXPECT_FALSE(errorOf({"--alias", "COM3"}).isEmpty()); // an alias needs the serial line
    EXPECT_FALSE(errorOf({"--scenario", "nonesuch"}).isEmpty());
    EXPECT_FALSE(errorOf({"--no-reply", "0"}).isEmpty());
    EXPECT_FALSE(errorOf({"--no-reply", "peek"}).isEmpty());
    EXPECT_FALSE(errorOf({"--refuse-login", "read"}).isEmpty());
    EXPECT_FALSE(errorOf({"stray"}).isEmpty());
}
