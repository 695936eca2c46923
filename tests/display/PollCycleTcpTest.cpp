#include "config/Settings.h"
#include "display/CLiveItemTable.h"
#include "display/CPollCycle.h"
#include "link/CUnitLink.h"
#include "resources/StringTable.h"
#include "tests/display/PollReads.h"
#include "tests/display/ScriptedAdapter.h"
#include "tests/display/UnitRecords.h"
#include "tests/support/EventPump.h"
#include "tests/support/ScriptedPrompt.h"

#include <QLocale>
#include <gtest/gtest.h>

// Restated here rather than imported, so that a change to them shows.
const QByteArray ExpectedLoginCode("\x5A\x54\x56\x2D\x4C\x4E\x4B\x31", 8);
constexpr int TimerEfficiency = 5;
constexpr int TimerKeepAlive = 8;
constexpr std::uint16_t Running = 0x001;
constexpr std::uint16_t Startup = 0x010;
constexpr std::uint16_t Connected = 0x100;
constexpr std::uint16_t Busy = 0x200;
constexpr int LinkClosed = 0;
constexpr int LinkIdle = 2;

namespace {

class PollCycleTcp : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(adapter.listen());
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        settings.portType = PORT_TCP;
        settings.useNetBios = 0;
        settings.ipAddress = 0x7F000001; // 127.0.0.1
        settings.listenPort = adapter.port();
        link.SetPortType(PORT_TCP);
        cycle.setClock([this] { return now; });
        cycle.setSteadyClock([this] { return steadyMs; });
        QObject::connect(&cycle, &CPollCycle::slotLabelsChanged, [this] { ++startUpsFinished; });
    }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }

    void show(std::array<int, 6> slotItems)
    {
        settings.dispData = slotItems;
        cycle.refreshPollFlags();
    }
    bool waitForReads(qsizetype count)
    {
        return EventPump::waitUntil([&] { return adapter.frames().size() >= count; }, 30000);
    }
    QList<PollRead> reads() const { return PollReads::of(adapter.frames()); }
    qsizetype indexOf(const PollRead& read, qsizetype from = 0) const
    {
        return reads().indexOf(read, from);
    }
    void connectAndStart()
    {
        cycle.connectUnit();
        ASSERT_TRUE(EventPump::waitUntil([&] { return startUpsFinished == 1; }, 30000));
    }

    UnitRecords records;
    ScriptedAdapter adapter{records};
    ScriptedPrompt prompts;
    CUnitLink link{prompts, ComPortDirectory()};
    Settings settings;
    CLiveItemTable items{StringTable::builtIn()};
    QDateTime now{QDate(2024, 3, 1), QTime(9, 7)};
    // Frozen unless a test moves it: no reply is ever overdue by accident.
    qint64 steadyMs = 1'000'000;
    CPollCycle cycle{link, items, settings, prompts};
    int startUpsFinished = 0;
};

} // namespace

TEST_F(PollCycleTcp, ConnectLogsInRunsTheStartUpAndPollsTheSlots)
{
    show({1, 7, 0, 0, 0, 0});
    connectAndStart();
    EXPECT_EQ(adapter.loginCode(), ExpectedLoginCode);
    EXPECT_EQ(link.GetLoginStage(), 2);
    EXPECT_EQ(reads().mid(0, 6), PollReads::Startup);
    EXPECT_EQ(cycle.slotLabel(0), QStringLiteral("AD1: Battery Volts"));
    EXPECT_EQ(cycle.slotLabel(1), QStringLiteral("AD7: Solar Amps"));
    EXPECT_EQ(cycle.firmwareText(), QStringLiteral("2.5"));

    ASSERT_TRUE(waitForReads(6 + 13));
    const PollRead ad1{0x01, 2};
    const PollRead ad7{0x05, 3};
    EXPECT_EQ(reads().mid(6, 13),
              (QList<PollRead>{ad1, ad7, ad1, ad7, ad1, ad7, ad1} + PollReads::Pairs));
    ASSERT_TRUE(EventPump::waitUntil([&] { return !cycle.testState(Busy); }));
    EXPECT_EQ(cycle.slotText(0), QStringLiteral("12.6 Volts"));
    // Channel 1 has shunt type 2: unit +150 is shown negated with two decimals.
    EXPECT_EQ(cycle.slotText(1), QStringLiteral("-1.50 Amps"));
    EXPECT_EQ(cycle.unitTimeText(), QStringLiteral("3:30 PM"));
    EXPECT_EQ(cycle.pcTimeText(), QStringLiteral("9:07 AM"));
    EXPECT_TRUE(cycle.testState(Running | Connected));
    // Every TCP reply arms the keep-alive.
    EXPECT_TRUE(cycle.isTimerArmed(TimerKeepAlive));
    EXPECT_EQ(cycle.timerInterval(TimerKeepAlive), 30000);
    EXPECT_EQ(adapter.connections(), 1);
}

TEST_F(PollCycleTcp, ALostReplyIsWaitedForUntilOverdueThenTheCycleGoesOn)
{
    records.dropNext(0x24);
    connectAndStart();
    const PollRead clockMinute{0x24, 1};
    ASSERT_TRUE(EventPump::waitUntil([&] { return indexOf(clockMinute) >= 0; }, 30000));
    const qsizetype lost = indexOf(clockMinute);

    // The efficiency timer keeps looking again every 100 ms while the reply is not overdue.
    ASSERT_TRUE(EventPump::waitUntil([&] {
        return cycle.isTimerArmed(TimerEfficiency) && cycle.timerInterval(TimerEfficiency) == 100;
    }));
    EXPECT_EQ(reads().size(), lost + 1);
    EXPECT_TRUE(cycle.testState(Busy | Connected));
    EXPECT_TRUE(cycle.unitTimeText().isEmpty());

    // A one-byte read may take 10 ms x 3 bytes + 2000 ms under the default serial time-outs,
    // and a second more: five seconds later it is given up.
    steadyMs += 5000;
    ASSERT_TRUE(waitForReads(lost + 1 + 2 + 6));
    EXPECT_EQ(reads().mid(lost + 1, 2), PollReads::Pairs.mid(4, 2));
    EXPECT_EQ(reads().mid(lost + 3, 6), PollReads::Pairs);
    ASSERT_TRUE(EventPump::waitUntil([&] { return !cycle.unitTimeText().isEmpty(); }));
    EXPECT_EQ(cycle.unitTimeText(), QStringLiteral("3:30 PM"));
    EXPECT_TRUE(cycle.testState(Running));
}

TEST_F(PollCycleTcp, AReplyWithABadChecksumEndsTheWaitAtTheNextTick)
{
    QStringList lines;
    QObject::connect(&cycle, &CPollCycle::statusLineChanged,
                     [&](const StatusLine& line) { lines << line.text; });
    records.corruptNext(0x25);
    connectAndStart();
    const PollRead statusFlags{0x25, 2};
    const PollRead clockDay{0xF9, 2};
    ASSERT_TRUE(EventPump::waitUntil([&] { return indexOf(clockDay) >= 0; }, 30000));
    EXPECT_EQ(indexOf(clockDay), indexOf(statusFlags) + 1);
    EXPECT_TRUE(lines.contains(QStringLiteral("Error: Bad Checksum")));
    ASSERT_TRUE(waitForReads(indexOf(clockDay) + 4));
    EXPECT_EQ(reads().mid(indexOf(clockDay) + 1, 3), PollReads::Pairs.mid(3, 3));
    EXPECT_TRUE(cycle.testState(Running));
}

TEST_F(PollCycleTcp, WhileStoppedTheKeepAliveReadsTheFirmwareAndItsReplyRearmsIt)
{
    connectAndStart();
    cycle.stopDisplay();
    ASSERT_TRUE(EventPump::waitUntil([&] { return !cycle.testState(Busy); }));
    EXPECT_EQ(link.GetState(), LinkIdle);
    const qsizetype before = reads().size();

    cycle.OnTimer(TimerKeepAlive);
    EXPECT_EQ(cycle.firmwareVersion(), 0.0f);
    ASSERT_TRUE(waitForReads(before + 1));
    EXPECT_EQ(reads().value(before), PollReads::Version);
    ASSERT_TRUE(EventPump::waitUntil([&] { return !cycle.testState(Busy); }));
    EXPECT_EQ(cycle.firmwareText(), QStringLiteral("2.5"));
    EXPECT_TRUE(cycle.isTimerArmed(TimerKeepAlive));
    EXPECT_EQ(cycle.timerInterval(TimerKeepAlive), 30000);
    EXPECT_FALSE(cycle.testState(Startup));
}

TEST_F(PollCycleTcp, DisconnectStopsTheDisplayAndClosesTheLink)
{
    connectAndStart();
    bool running = true;
    QObject::connect(&cycle, &CPollCycle::displayRunningChanged, [&](bool r) { running = r; });
    cycle.disconnectUnit();
    EXPECT_FALSE(running);
    EXPECT_FALSE(cycle.testState(Running));
    EXPECT_FALSE(cycle.testState(Connected));
    EXPECT_EQ(link.GetState(), LinkClosed);
    EXPECT_FALSE(cycle.isTimerArmed(TimerKeepAlive));
    EXPECT_EQ(cycle.statusLine().text, QStringLiteral("Port Closed."));
}
