#include "config/Settings.h"
#include "display/CLiveItemTable.h"
#include "display/CPollCycle.h"
#include "link/CUnitLink.h"
#include "link/LinkRequest.h"
#include "resources/StringTable.h"
#include "tests/support/EventPump.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/StandInUnit.h"
#include "tests/support/TestBytes.h"

#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Restated here rather than imported, so that a change to them shows: address and length of
// each READ, the state bits and the timers by name.
using Read = std::pair<int, int>;
const Read Ad1{0x01, 2};
const Read Ad28{0x19, 1};
const QList<Read> Startup{{0xF7, 1}, {0xE1, 3}, {0xF2, 4}, {0xF6, 3}, {0xF2, 2}, {0xF1, 2}};
const QList<Read> Pairs{{0xCE, 4}, {0x25, 2}, {0xF9, 2}, {0x24, 1}, {0xDA, 12}, {0xD7, 12}};
constexpr std::uint16_t Running = 0x001;
constexpr std::uint16_t Busy = 0x200;
const char* const PollTimers[] = {"TIMER_ITEM", "TIMER_STARTUP", "TIMER_STATUS", "TIMER_CLOCK",
                                  "TIMER_EFFICIENCY"};

QList<Read> times(int count, const QList<Read>& reads)
{
    QList<Read> all;
    for (int i = 0; i < count; ++i)
        all += reads;
    return all;
}

// The poll cycle against the stand-in unit. Its timers fire by themselves, and the test also
// fires whichever is armed as soon as it likes: the order of the requests is the cycle's own
// either way, and nothing waits for an interval to pass.
class PollCycle : public ::testing::Test {
protected:
    PollCycle() { use(Transport::Serial); }

    void use(Transport transport)
    {
        unit.attach(link, transport);
        cycle = std::make_unique<CPollCycle>(link, items, settings, prompts);
        cycle->setSteadyClock([this] { return steadyMs; });
        cycle->setClock([] { return QDateTime(QDate(2024, 3, 1), QTime(14, 5)); });
    }
    void show(std::array<int, 6> slots)
    {
        settings.dispData = slots;
        cycle->refreshPollFlags();
    }
    QTimer* timer(const QString& name) const { return cycle->findChild<QTimer*>(name); }
    // The interval of the named timer while armed, else -1.
    int armed(const QString& name) const
    {
        return timer(name)->isActive() ? timer(name)->interval() : -1;
    }
    void fire(const QString& name) const
    {
        timer(name)->stop();
        QMetaObject::invokeMethod(timer(name), "timeout");
    }
    bool anyPollTimerArmed() const
    {
        return std::any_of(std::begin(PollTimers), std::end(PollTimers),
                           [&](const char* name) { return armed(name) != -1; });
    }
    bool runUntil(int requests)
    {
        return runUntil([&] { return unit.requests().size() >= requests; });
    }
    bool runUntil(const std::function<bool()>& done)
    {
        return EventPump::waitUntil([&] {
            for (QTimer* armedTimer : cycle->findChildren<QTimer*>())
                if (armedTimer->isActive() && armedTimer->objectName() != "TIMER_KEEPALIVE")
                    fire(armedTimer->objectName());
            return done();
        });
    }
    bool startAndRun(int requests) { return cycle->startDisplay() && runUntil(requests); }
    // Every request so far is a READ.
    QList<Read> reads() const
    {
        QList<Read> reads;
        for (const UnitRequest& request : unit.requests())
            reads.append({request.address, request.count});
        return reads;
    }

    StandInUnit unit{SessionSettings{}, 37, 15 * 60 + 30};
    ScriptedPrompt prompts;
    CUnitLink link{prompts, ComPortDirectory()};
    Settings settings;
    CLiveItemTable items{StringTable::builtIn()};
    // Frozen unless a test moves it: no reply is ever overdue by accident.
    qint64 steadyMs = 1'000'000;
    std::unique_ptr<CPollCycle> cycle;
};

} // namespace

TEST_F(PollCycle, TheStartUpIsReadThenTheScheduleWithNoneOneOrTwoItemsOnDisplay)
{
    // The start-up arms the first item read before the schedule moves on: one read more.
    const std::tuple<std::array<int, 6>, QList<Read>> cases[] = {
        {{0, 0, 0, 0, 0, 0}, Pairs + Pairs},
        {{0, 1, 0, 0, 0, 0}, times(7, {Ad1}) + Pairs + times(6, {Ad1}) + Pairs},
        {{28, 0, 1, 0, 0, 0},
         times(3, {Ad1, Ad28}) + QList<Read>{Ad1} + Pairs + times(3, {Ad28, Ad1}) + Pairs},
    };
    for (const auto& [slots, after] : cases) {
        unit.clearRequests();
        use(Transport::Serial);
        show(slots);
        ASSERT_TRUE(startAndRun(6 + after.size()));
        EXPECT_EQ(reads().mid(0, 6 + after.size()), Startup + after) << after.size();
    }
}

TEST_F(PollCycle, AStopKeepsTheOrderAndTheStartUpReadButProgrammingReadsItAgain)
{
    show({1, 28, 0, 0, 0, 0});
    // Stopped right after the status pair's first read.
    const auto stopper = QObject::connect(cycle.get(), &CPollCycle::statusRefreshed, [&] {
        if (cycle->testState(Running) && unit.requests().size() == 14)
            cycle->stopDisplay();
    });
    ASSERT_TRUE(startAndRun(14));
    ASSERT_TRUE(EventPump::waitUntil([&] { return !cycle->testState(Running); }));
    EXPECT_FALSE(anyPollTimerArmed());
    EXPECT_EQ(reads(), Startup + times(3, {Ad1, Ad28}) + QList<Read>({Ad1, Pairs[0]}));
    QObject::disconnect(stopper);

    // The item after the cursor and the pair's second read; no start-up read again.
    ASSERT_TRUE(startAndRun(14 + 8));
    EXPECT_EQ(reads().mid(14, 8), times(3, {Ad28, Ad1}) + QList<Read>({Ad28, Pairs[1]}));
    cycle->stopDisplay();
    EventPump::deliverPosted();
    const int programmed = static_cast<int>(unit.requests().size());
    cycle->restartStartup();
    ASSERT_TRUE(runUntil(programmed + 6));
    ASSERT_TRUE(EventPump::waitUntil([&] { return !anyPollTimerArmed(); }));
    EXPECT_EQ(reads().mid(programmed), Startup) << "and no item after it while stopped";
}

TEST_F(PollCycle, EveryReplyGoesWhereItIsShown)
{
    unit.setRecord(0x25, bytesOf({0x87, 0x11}));
    unit.setRecord(0xCE, bytesOf({0x09, 0x00, 0x03, 0x01}));
    unit.setRecord(0xDA, bytesOf({0x05, 0x80, 95, 3, 0x05, 0x00, 90, 7, 0x10, 0x00, 100, 21}));
    show({0, 7, 13, 0, 0, 0});
    int panels = 0;
    QObject::connect(cycle.get(), &CPollCycle::efficiencyChanged, [&] { ++panels; });
    ASSERT_TRUE(startAndRun(6 + 7 + 6));
    ASSERT_TRUE(EventPump::waitUntil([&] { return panels == 1; }));

    // What the program's own decoders make of the unit's records.
    CLiveItemTable expected(StringTable::builtIn());
    expected.applyChannelNames(unit.read(0xE1, 3));
    expected.applyBatteryWords(unit.read(0xF2, 4));
    expected.applyShunts(unit.read(0xF6, 3));
    expected.acceptReply(7, unit.read(0x05, 3));
    BatteryStatus status;
    status.applyAlarmStates(unit.read(0xCE, 4));
    status.applyFlags(unit.read(0x25, 2));
    status.refreshRows();
    EfficiencyTable efficiency;
    efficiency.applyBattery1Block(unit.read(0xDA, 12));
    efficiency.setBattery1Capacity(200);
    const UnitSnapshot said = cycle->snapshot();
    EXPECT_EQ(said.slots[1].text, expected.slotText(7));
    EXPECT_EQ(said.slots[2].label, expected.item(13).labelText);
    for (int row = 0; row < BatteryStatus::ROW_COUNT; ++row)
        EXPECT_EQ(said.status.row(row), status.row(row)) << row;
    for (int cell = 0; cell < EfficiencyTable::CELL_COUNT; ++cell)
        EXPECT_EQ(said.efficiency.cell(cell).valueText, efficiency.cell(cell).valueText) << cell;
    EXPECT_EQ(said.unitTime + said.pcTime, UnitClock::formatMinutesAfterMidnight(15 * 60 + 30) +
                                               UnitClock::formatTimeOfDay(QTime(14, 5)));
    EXPECT_EQ(said.firmwareText(), QStringLiteral("2.5"));
    EXPECT_EQ(said.battery1Capacity + 1000 * said.battery2Capacity, 200 + 1000 * 100);
}

TEST_F(PollCycle, AResetWritesTheCodeStopsTheDisplayAndAWrongAcknowledgementIsTold)
{
    show({13, 0, 0, 0, 0, 0});
    ASSERT_TRUE(startAndRun(6 + 1));
    for (const bool spoilt : {false, true}) {
        if (spoilt)
            unit.addFault(FaultKind::BadChecksum, QStringLiteral("write:1"));
        ASSERT_TRUE(cycle->sendResetCode(0x09));
        EXPECT_FALSE(cycle->testState(Running));
        ASSERT_TRUE(EventPump::waitUntil([&] { return !cycle->testState(Busy); }));
        EXPECT_EQ(unit.writes().last().frame, bytesOf({0x01, 0x27, 0x01, 0x09, 0xCD}));
        EXPECT_EQ(prompts.lastText(),
                  spoilt ? QStringLiteral("Error: Received bad checksum on Seriel Port.") : "");
    }
    EXPECT_FALSE(anyPollTimerArmed()) << "a reset does not start the display again";
}

TEST_F(PollCycle, AStartThatCannotOpenReleasesTheButtonAndTheStatusLineIsWrittenOnChangesOnly)
{
    bool running = true;
    QObject::connect(cycle.get(), &CPollCycle::displayRunningChanged, [&](bool r) { running = r; });
    QStringList lines;
    QObject::connect(cycle.get(), &CPollCycle::statusLineChanged,
                     [&](const StatusLine& line) { lines << line.text; });
    cycle->refreshStatusLine();
    link.SetComPort(42);
    EXPECT_FALSE(cycle->startDisplay());
    EXPECT_FALSE(running || anyPollTimerArmed());
    link.SetComPort(StandInUnit::ComNumber);
    ASSERT_TRUE(startAndRun(3));
    cycle->disconnectUnit();
    // Not connected, then each change once: closed, receiving and idle by turns, closed.
    EXPECT_EQ(lines.first(), QStringLiteral("Port Closed."));
    for (int i = 1; i < lines.size(); ++i)
        EXPECT_NE(lines[i], lines[i - 1]) << i;
    EXPECT_EQ(lines.last(), QStringLiteral("Port Closed."));
}

class PollCycleOverEach : public PollCycle, public ::testing::WithParamInterface<Transport> {
protected:
    void SetUp() override
    {
        use(GetParam());
        show({1, 0, 0, 0, 0, 0});
        ASSERT_TRUE(startAndRun(6 + 1));
    }
    bool isTcp() const { return GetParam() == Transport::Tcp; }
    // Fires the live item timer once the last reply is in: the spacing the tick chose.
    int spacingOfATick()
    {
        EXPECT_TRUE(EventPump::waitUntil(
            [&] { return !cycle->testState(Busy) && armed("TIMER_ITEM") != -1; }));
        fire("TIMER_ITEM");
        return std::max(armed("TIMER_ITEM"), armed("TIMER_STATUS"));
    }
};

TEST_P(PollCycleOverEach, TimersAreSpacedByPortTypeTheKeepAliveIsTcpsAndTheSearchSerials)
{
    EXPECT_EQ(spacingOfATick(), isTcp() ? 300 : 50);
    settings.dispUpdate = 0; // Slow
    EXPECT_EQ(spacingOfATick(), 1000);
    cycle->stopDisplay();
    ASSERT_TRUE(EventPump::waitUntil([&] { return !cycle->testState(Busy); }));
    EXPECT_EQ(armed("TIMER_KEEPALIVE"), isTcp() ? 30000 : -1);
    const int before = static_cast<int>(unit.requests().size());
    fire("TIMER_KEEPALIVE");
    ASSERT_TRUE(EventPump::waitUntil([&] { return !cycle->testState(Busy); }));
    EXPECT_EQ(reads().mid(before), isTcp() ? QList<Read>{Startup[0]} : QList<Read>{});
    EXPECT_EQ(armed("TIMER_KEEPALIVE"), isTcp() ? 30000 : -1) << "its reply arms it again";
    // The automatic search tries the ports every two seconds while the link is closed.
    cycle->disconnectUnit();
    settings.autoPollSerialPort = 1;
    cycle->setUnitSearch([] { return false; });
    cycle->armAutoSearch();
    EXPECT_EQ(armed("TIMER_AUTOSEARCH"), isTcp() ? -1 : 100);
    fire("TIMER_AUTOSEARCH");
    EXPECT_EQ(armed("TIMER_AUTOSEARCH"), isTcp() ? -1 : 2000);
}

TEST_P(PollCycleOverEach, ALostOrSpoiltReplyIsGivenUpAndTheDisplayGoesOn)
{
    prompts.answerNext(PromptAnswer::Yes);
    prompts.answerNext(PromptAnswer::Yes);
    for (const FaultKind fault : {FaultKind::NoReply, FaultKind::BadChecksum}) {
        // The timers keep firing while the test waits, so the schedule may be anywhere in its
        // round when the fault is set: the faulted read is the next read of the item.
        const int before = static_cast<int>(unit.requests().size());
        unit.addFault(fault, QStringLiteral("read@0x01:1"));
        ASSERT_TRUE(runUntil([&] { return reads().indexOf(Ad1, before) >= 0; }));
        const int lost = static_cast<int>(reads().indexOf(Ad1, before));
        // Serial: the link gives the read up itself. TCP: the cycle waits for the reply, every
        // 100 ms, until the link reports an error or the reply is overdue.
        if (isTcp() && fault == FaultKind::NoReply) {
            ASSERT_TRUE(EventPump::waitUntil([&] { return armed("TIMER_ITEM") == 100; }));
            EXPECT_EQ(unit.requests().size(), lost + 1);
            steadyMs += 5000;
        }
        EXPECT_TRUE(runUntil(lost + 3)) << FaultPlan::nameOf(fault).toStdString();
        EXPECT_TRUE(cycle->testState(Running));
    }
    // Over serial the refused read stops the display and asks; Yes starts it again.
    const QString portProblem = QStringLiteral(
        "Warning: There is a problem with the communications port. Try fixing it.\r\r Do you "
        "want to continue reading data?");
    EXPECT_EQ(prompts.texts(), isTcp() ? QStringList() : QStringList({portProblem, portProblem}));
}

INSTANTIATE_TEST_SUITE_P(Both, PollCycleOverEach, BothTransports, TransportName);
