#include "link/UnitSearch.h"

#include "link/CUnitLink.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/ScriptedSerialUnit.h"

#include <QSerialPort>
#include <array>
#include <gtest/gtest.h>

namespace {

const QByteArray ProbeFrame("\x81\x0F\x04\x6B", 4);

struct StatusLine {
    QString text;
    RgbColor colour;
};

class UnitSearchOnPorts : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (auto& unit : units)
            ASSERT_TRUE(unit.isOpen());
        ports = {ComPort{3, units[0].devicePath()}, ComPort{5, units[1].devicePath()},
                 ComPort{8, units[2].devicePath()}};
    }

    UnitSearch search(UnitSearch::Caller caller)
    {
        return UnitSearch(caller, [this](const QString& text, RgbColor colour) {
            status.append({text, colour});
        });
    }

    static void answer(ScriptedSerialUnit& unit, const QByteArray& reply)
    {
        unit.respondWith([reply](const QByteArray&) { return reply; });
    }

    std::array<ScriptedSerialUnit, 3> units;
    QList<ComPort> ports;
    QList<StatusLine> status;
    ScriptedPrompt prompts;
    CUnitLink link{prompts, ComPortDirectory()};
};

} // namespace

TEST_F(UnitSearchOnPorts, FindsTheUnitOnTheThirdPortAfterTheOthersStaySilent)
{
    answer(units[2], QByteArray("\x01\x02\x03\x04\xF5", 5));
    QList<int> probed;
    auto mainSearch = search(UnitSearch::Caller::MainWindow);
    mainSearch.setProbeObserver([&probed](int number) { probed.append(number); });

    EXPECT_EQ(mainSearch.SearchUnit(ports, link), 8);
    EXPECT_EQ(probed, (QList<int>{3, 5, 8}));
    for (auto& unit : units)
        EXPECT_EQ(unit.frames(), QList<QByteArray>{ProbeFrame});
    EXPECT_EQ(link.GetComPort(), 8);
    ASSERT_EQ(status.size(), 2);
    EXPECT_EQ(status[0].text, QStringLiteral("Searching for CW Unit..."));
    EXPECT_EQ(status[1].text, QStringLiteral("CW Unit found on Com 8"));
    EXPECT_EQ(status[1].colour, RgbColor::fromRgb(0, 128, 0));

    // Every probed port was closed again: each can be opened now.
    for (auto& unit : units) {
        QSerialPort port(unit.devicePath());
        EXPECT_TRUE(port.open(QIODevice::ReadWrite)) << qPrintable(unit.devicePath());
    }
}

TEST_F(UnitSearchOnPorts, ThreeAnsweredBytesAreAUnitForTheMainWindowOnly)
{
    answer(units[0], QByteArray("\x01\x02\x03", 3));
    const QList<ComPort> first{ports[0]};

    EXPECT_EQ(search(UnitSearch::Caller::MainWindow).SearchUnit(first, link), 3);
    EXPECT_EQ(search(UnitSearch::Caller::OptionsPage).SearchUnit(first, link), 0);
    EXPECT_EQ(status.last().text, QStringLiteral("No CW Unit found."));
    EXPECT_EQ(status.last().colour, RgbColor::fromRgb(255, 0, 0));
}

TEST_F(UnitSearchOnPorts, APortHeldByAnotherProgramIsSkipped)
{
    answer(units[0], QByteArray("\x01\x02\x03\x04\xF5", 5));
    answer(units[1], QByteArray("\x01\x02\x03\x04\xF5", 5));
    QSerialPort holder(units[0].devicePath());
    ASSERT_TRUE(holder.open(QIODevice::ReadWrite));

    EXPECT_EQ(search(UnitSearch::Caller::OptionsPage).SearchUnit(ports, link), 5);
    EXPECT_TRUE(units[0].frames().isEmpty());
    EXPECT_TRUE(prompts.shown().isEmpty());
}

TEST_F(UnitSearchOnPorts, NoPortsListedFindsNothing)
{
    link.SetComPort(4);
    EXPECT_EQ(search(UnitSearch::Caller::MainWindow).SearchUnit({}, link), 0);
    EXPECT_EQ(link.GetComPort(), 4);
    EXPECT_EQ(status.last().text, QStringLiteral("No CW Unit found."));
}
