#include "link/UnitSearch.h"

#include "link/CUnitLink.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/StandInUnit.h"

#include <QSerialPort>
#include <array>

namespace {

// Three units on their own pseudo-terminals, listed as COM3, COM5 and COM8.
class UnitSearchOnPorts : public ::testing::Test {
protected:
    int search(UnitSearch::Caller caller, const QList<ComPort>& listed)
    {
        UnitSearch search(caller, [this](const QString& text, RgbColor colour) {
            status.append({text, colour});
        });
        search.setProbeObserver([this](int number) { probed.append(number); });
        return search.SearchUnit(listed, link);
    }

    std::array<StandInUnit, 3> units;
    const QList<ComPort> ports{
        {3, units[0].serialDevice()}, {5, units[1].serialDevice()}, {8, units[2].serialDevice()}};
    QList<std::pair<QString, RgbColor>> status;
    QList<int> probed;
    ScriptedPrompt prompts;
    CUnitLink link{prompts, ComPortDirectory()};
};

} // namespace

TEST_F(UnitSearchOnPorts, FindsTheUnitAfterASilentPortAndSkipsOneAnotherProgramHolds)
{
    units[0].addFault(FaultKind::NoReply, QStringLiteral("all"));
    auto holder = std::make_unique<QSerialPort>(units[1].serialDevice());
    ASSERT_TRUE(holder->open(QIODevice::ReadWrite));

    EXPECT_EQ(search(UnitSearch::Caller::MainWindow, ports), 8);
    EXPECT_EQ(probed, (QList<int>{3, 5, 8}));
    const QByteArray probe("\x81\x0F\x04\x6B", 4);
    EXPECT_EQ(units[0].frames(), QList<QByteArray>{probe});
    EXPECT_TRUE(units[1].requests().isEmpty());
    EXPECT_EQ(units[2].frames(), QList<QByteArray>{probe});
    EXPECT_TRUE(prompts.shown().isEmpty());
    EXPECT_EQ(link.GetComPort(), 8);
    EXPECT_EQ(status,
              (QList<std::pair<QString, RgbColor>>{
                  {QStringLiteral("Searching for CW Unit..."), RgbColor::fromRgb(0, 0, 0)},
                  {QStringLiteral("CW Unit found on Com 8"), RgbColor::fromRgb(0, 128, 0)}}));
    // Every probed port was closed again: each can be opened now.
    holder.reset();
    for (const StandInUnit& unit : units)
        EXPECT_TRUE(QSerialPort(unit.serialDevice()).open(QIODevice::ReadWrite));
}

TEST_F(UnitSearchOnPorts, APartAnswerIsAUnitForTheMainWindowOnly)
{
    // Two of the five bytes, then silence.
    units[0].addFault(FaultKind::DropConnection, QStringLiteral("all"));
    link.SetComPort(4);
    EXPECT_EQ(search(UnitSearch::Caller::OptionsPage, {ports[0]}), 0);
    EXPECT_EQ(link.GetComPort(), 4);
    EXPECT_EQ(status, (QList<std::pair<QString, RgbColor>>{
                          {QStringLiteral("No CW Unit found."), RgbColor::fromRgb(255, 0, 0)}}));
    EXPECT_EQ(search(UnitSearch::Caller::MainWindow, {ports[0]}), 3);
}
