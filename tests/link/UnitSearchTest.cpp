#include "link/UnitSearch.h"

#include "link/CUnitLink.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/StandInUnit.h"

#include <QSerialPort>
#include <array>

namespace {

const QByteArray ProbeFrame("\x81\x0F\x04\x6B", 4);

struct StatusLine {
    QString text;
    RgbColor colour;
};

// Three units on their own pseudo-terminals, listed as COM3, COM5 and COM8.
class UnitSearchOnPorts : public ::testing::Test {
protected:
    void SetUp() override
    {
        ports = {ComPort{3, units[0].serialDevice()}, ComPort{5, units[1].serialDevice()},
                 ComPort{8, units[2].serialDevice()}};
    }

    int search(UnitSearch::Caller caller, const QList<ComPort>& listed)
    {
        UnitSearch search(caller, [this](const QString& text, RgbColor colour) {
            status.append({text, colour});
        });
        search.setProbeObserver([this](int number) { probed.append(number); });
        return search.SearchUnit(listed, link);
    }

    std::array<StandInUnit, 3> units;
    QList<ComPort> ports;
    QList<StatusLine> status;
    QList<int> probed;
    ScriptedPrompt prompts;
    CUnitLink link{prompts, ComPortDirectory()};
};

} // namespace

TEST_F(UnitSearchOnPorts, FindsTheUnitOnTheThirdPortAfterTheOthersStaySilent)
{
    units[0].addFault(FaultKind::NoReply, QStringLiteral("all"));
    units[1].addFault(FaultKind::NoReply, QStringLiteral("all"));

    EXPECT_EQ(search(UnitSearch::Caller::MainWindow, ports), 8);
    EXPECT_EQ(probed, (QList<int>{3, 5, 8}));
    for (const StandInUnit& unit : units)
        EXPECT_EQ(unit.frames(), QList<QByteArray>{ProbeFrame});
    EXPECT_EQ(link.GetComPort(), 8);
    ASSERT_EQ(status.size(), 2);
    EXPECT_EQ(status[0].text, QStringLiteral("Searching for CW Unit..."));
    EXPECT_EQ(status[0].colour, RgbColor::fromRgb(0, 0, 0));
    EXPECT_EQ(status[1].text, QStringLiteral("CW Unit found on Com 8"));
    EXPECT_EQ(status[1].colour, RgbColor::fromRgb(0, 128, 0));
    // Every probed port was closed again: each can be opened now.
    for (const StandInUnit& unit : units) {
        QSerialPort port(unit.serialDevice());
        EXPECT_TRUE(port.open(QIODevice::ReadWrite)) << qPrintable(unit.serialDevice());
    }
}

TEST_F(UnitSearchOnPorts, APartAnswerIsAUnitForTheMainWindowOnly)
{
    // Two of the five bytes, then silence.
    units[0].addFault(FaultKind::DropConnection, QStringLiteral("all"));
    const QList<ComPort> first{ports[0]};

    EXPECT_EQ(search(UnitSearch::Caller::MainWindow, first), 3);
    EXPECT_EQ(search(UnitSearch::Caller::OptionsPage, first), 0);
    EXPECT_EQ(status.last().text, QStringLiteral("No CW Unit found."));
    EXPECT_EQ(status.last().colour, RgbColor::fromRgb(255, 0, 0));
}

TEST_F(UnitSearchOnPorts, APortHeldByAnotherProgramIsSkippedSilentlyAndNoPortsFindNothing)
{
    QSerialPort holder(units[0].serialDevice());
    ASSERT_TRUE(holder.open(QIODevice::ReadWrite));

    EXPECT_EQ(search(UnitSearch::Caller::OptionsPage, ports), 5);
    EXPECT_TRUE(units[0].requests().isEmpty());
    EXPECT_TRUE(prompts.shown().isEmpty());

    link.SetComPort(4);
    EXPECT_EQ(search(UnitSearch::Caller::MainWindow, {}), 0);
    EXPECT_EQ(link.GetComPort(), 4);
    EXPECT_EQ(status.last().text, QStringLiteral("No CW Unit found."));
}
