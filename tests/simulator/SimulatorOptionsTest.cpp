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

    QString line = QStringLiteral(
        "--tcp 2000 --serial --alias com12 --ports-dir /tmp/p --scenario week --image in.img "
        "--save-image out.img --fast-forward 40 --pace --latency 25 --max-seconds 9 --verbose "
        "--clock 13:47");
    QList<std::pair<FaultKind, QString>> faults;
    for (const auto& [kind, name] : FaultPlan::names()) {
        line += QStringLiteral(" --%1 1").arg(name);
        faults.append({kind, QStringLiteral("1")});
    }
    const SimulatorOptions o = parsed(line);
    EXPECT_EQ(std::tuple(o.tcpPort.value_or(0), o.serial, o.aliasNumber, o.fastForwardDays, o.paced,
                         o.latencyMs, o.maxSeconds, o.verbose, o.clockMinute),
              std::tuple(2000, true, 12, 40, true, 25, 9, true, 827));
    EXPECT_EQ(QStringList({o.portsFolder, o.scenario, o.imageFile, o.saveImageFile}).join(' '),
              QStringLiteral("/tmp/p week in.img out.img"));
    EXPECT_EQ(o.faults, faults);

    SimulatorOptions help;
    QString text;
    ASSERT_EQ(parse(QStringLiteral("--help"), help, text), SimulatorOptions::Outcome::Help);
    for (const QString& word : line.split(QLatin1Char(' ')))
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
