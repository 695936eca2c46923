#include "simulator/SimulatorOptions.h"

#include <gtest/gtest.h>

namespace {

SimulatorOptions::Outcome parse(const QString& line, SimulatorOptions& options, QString& text)
{
    const QStringList arguments =
        QStringLiteral("zeltravanic-sim %1").arg(line).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    return SimulatorOptions::parse(arguments, options, text);
}

SimulatorOptions parsed(const QString& line)
{
    SimulatorOptions options;
    QString text;
    EXPECT_EQ(parse(line, options, text), SimulatorOptions::Outcome::Run) << text.toStdString();
    return options;
}

} // namespace

TEST(SimulatorOptions, EveryOptionIsUnderstoodAndListedInTheHelp)
{
    // Without a transport it listens as the adapter on port 1701; --serial alone opens no port.
    EXPECT_EQ(parsed({}).tcpPort, 1701);
    EXPECT_FALSE(parsed(QStringLiteral("--serial")).tcpPort.has_value());

    const QString line = QStringLiteral(
        "--tcp 2000 --serial --alias com12 --ports-dir /tmp/p --scenario week --image in.img "
        "--save-image out.img --fast-forward 40 --pace --latency 25 --max-seconds 9 --verbose "
        "--clock 13:47");
    const SimulatorOptions options = parsed(line);
    EXPECT_EQ(options.tcpPort, 2000);
    EXPECT_TRUE(options.serial);
    EXPECT_EQ(options.aliasNumber, 12);
    EXPECT_EQ(options.portsFolder, "/tmp/p");
    EXPECT_EQ(options.scenario, "week");
    EXPECT_EQ(options.imageFile + options.saveImageFile, "in.imgout.img");
    EXPECT_EQ(options.fastForwardDays, 40);
    EXPECT_TRUE(options.paced);
    EXPECT_EQ(options.latencyMs, 25);
    EXPECT_EQ(options.maxSeconds, 9);
    EXPECT_TRUE(options.verbose);
    EXPECT_EQ(options.clockMinute, 827);

    QString faultLine;
    QList<std::pair<FaultKind, QString>> faults;
    for (const auto& [kind, name] : FaultPlan::names()) {
        faultLine += QStringLiteral(" --%1 1").arg(name);
        faults.append({kind, QStringLiteral("1")});
    }
    EXPECT_EQ(parsed(faultLine).faults, faults);

    SimulatorOptions help;
    QString text;
    ASSERT_EQ(parse(QStringLiteral("--help"), help, text), SimulatorOptions::Outcome::Help);
    for (const QString& word : (line + faultLine).split(QLatin1Char(' ')))
        EXPECT_TRUE(!word.startsWith(QLatin1String("--")) || text.contains(word))
            << word.toStdString();
}

TEST(SimulatorOptions, MistakesAreRefusedWithAReason)
{
    for (const char* line : {"--tcp 70000", "--serial --alias COM0", "--serial --alias LPT1",
                             "--alias COM3", "--scenario nonesuch", "--no-reply 0",
                             "--no-reply peek", "--refuse-login read", "--clock 25:00", "stray"}) {
        SimulatorOptions options;
        QString text;
        EXPECT_EQ(parse(QString::fromLatin1(line), options, text), SimulatorOptions::Outcome::Error)
            << line;
        EXPECT_FALSE(text.isEmpty());
    }
}
