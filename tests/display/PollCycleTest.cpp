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

#include <QLocale>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Restated here rather than imported, so that a change to them shows: address and length of
// each READ, the state bits and the question a refused item read asks.
using Read = std::pair<int, int>;
const Read Ad1{0x01, 2};
const Read Ad28{0x19, 1};
const QList<Read> Startup{{0xF7, 1}, {0xE1, 3}, {0xF2, 4}, {0xF6, 3}, {0xF2, 2}, {0xF1, 2}};
const QList<Read> Pairs{{0xCE, 4}, {0x25, 2}, {0xF9, 2}, {0x24, 1}, {0xDA, 12}, {0xD7, 12}};
constexpr std::uint16_t Running = 0x001;
constexpr std::uint16_t Busy = 0x200;
const QString PortProblem = QStringLiteral("Warning: There is a problem with the communications "
                                           "port. Try fixing it.\r\r Do you want to continue "
                                           "reading data?");

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
    void SetUp() override
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        use(Transport::Serial);
    }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }

    void use(Transport transport)
    {
        unit.attach(link, transport);
        settings.portType = transport == Transport::Tcp ? PORT_TCP : PORT_SERIAL;
        settings.useNetBios = 0;
        settings.ipAddress = 0x7F000001;
        settings.listenPort = unit.tcpPort();
        cycle = std::make_unique<CPollCycle>(link, items, settings, prompts);
        cycle->setSteadyClock([this] { return steadyMs; });
        cycle->setClock([] { return QDateTime(QDate(2024, 3, 1), QTime(14, 5)); });
    }
    void show(std::array<int, 6> slots)
    {
        settings.dispData = slots;
        cycle->refreshPollFlags();
    }
    QTimer* timer(const char* name) const { return cycle->findChild<QTimer*>(name); }
    // The interval of the named timer while armed, else -1.
    int armed(const char* name) const
    {
        return timer(name)->isActive() ? timer(name)->interval() : -1;
    }
    void fire(const char* name) const
    {
        timer(name)->stop();
        QMetaObject::invokeMethod(timer(name), "timeout");
    }
    bool anyPollTimerArmed() const
    {
        for (const char* name :
             {"TIMER_ITEM", "TIMER_STARTUP", "TIMER_STATUS", "TIMER_CLOCK", "TIMER_EFFICIENCY"})
            if (timer(name)->isActive())
                return true;
        return false;
    }
    bool runUntil(int requests)
    {
        return EventPump::waitUntil([&] {
            for (QTimer* armedTimer : cycle->findChildren<QTimer*>())
                if (armedTimer->isActive() && armedTimer->objectName() != "TIMER_KEEPALIVE")
                    fire(armedTimer->objectName().toLatin1().constData());
            return unit.requests().size() >= requests;
        });
    }
    // Fires the live item timer once the last reply is in: the spacing the tick chose.
    int spacingOfATick()
    {
        EXPECT_TRUE(EventPump::waitUntil(
            [&] { return !cycle->testState(Busy) && armed("TIMER_ITEM") != -1; }));
        fire("TIMER_ITEM");
        return std::max(armed("TIMER_ITEM"), armed("TIMER_STATUS"));
    }
    bool startAndRun(int requests) { return cycle->startDisplay() && runUntil(requests); }
    QList<Read> reads() const
    {
        QList<Read> reads;
        for (const UnitRequest& request : unit.requests())
            if (request.kind == UnitRequest::Kind::Read)
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
    const struct {
        const char* name;
        std::array<int, 6> slots;
        QList<Read> after;
    } cases[] = {
        {"none: the pairs follow each other", {0, 0, 0, 0, 0, 0}, Pairs + Pairs},
        // The start-up arms the first item read before the schedule moves on.
        {"one: seven reads, then six",
         {0, 1, 0, 0, 0, 0},
         times(7, {Ad1}) + Pairs + times(6, {Ad1}) + Pairs},
        {"two: they alternate, lowest first",
         {28, 0, 1, 0, 0, 0},
         times(3, {Ad1, Ad28}) + QList<Read>{Ad1} + Pairs + times(3, {Ad28, Ad1}) + Pairs},
    };
    for (const auto& [name, slots, after] : cases) {
        SCOPED_TRACE(name);
        unit.clearRequests();
        use(Transport::Serial);
        show(slots);
        ASSERT_TRUE(startAndRun(6 + after.size()));
        EXPECT_EQ(reads().mid(0, 6 + after.size()), Startup + after);
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
    EXPECT_EQ(reads().mid(programmed), Startup);
    ASSERT_TRUE(EventPump::waitUntil([&] { return !anyPollTimerArmed(); }));
    EXPECT_EQ(reads().size(), programmed + 6) << "a stopped display reads no item after it";
}

TEST_F(PollCycle, EveryReplyGoesWhereItIsShown)
{
    unit.setRecord(0x01, bytesOf({252, 0}));
    unit.setRecord(0x25, bytesOf({0x87, 0x11}));
    unit.setRecord(0xCE, bytesOf({0x09, 0x00, 0x03, 0x01}));
    unit.setRecord(0xDA, bytesOf({0x05, 0x80, 95, 3, 0x05, 0x00, 90, 7, 0x10, 0x00, 100, 21}));
    show({0, 1, 7, 0, 0, 0});
    int panels = 0;
    QObject::connect(cycle.get(), &CPollCycle::efficiencyChanged, [&] { ++panels; });
    ASSERT_TRUE(startAndRun(6 + 7 + 6));
    ASSERT_TRUE(EventPump::waitUntil([&] { return panels == 1; }));

    // What the program's own decoders make of the unit's records.
    CLiveItemTable expected(StringTable::builtIn());
    expected.build(LiveItemSettings{});
    expected.applyChannelNames(unit.read(0xE1, 3));
    expected.applyBatteryWords(unit.read(0xF2, 4));
    expected.applyShunts(unit.read(0xF6, 3));
    expected.acceptReply(1, unit.read(0x01, 2));
    expected.acceptReply(7, unit.read(0x05, 3));
    BatteryStatus status;
    status.applyAlarmStates(unit.read(0xCE, 4));
    status.applyFlags(unit.read(0x25, 2));
    status.refreshRows();
    EfficiencyTable efficiency;
    efficiency.applyBattery1Block(unit.read(0xDA, 12));
    efficiency.setBattery1Capacity(200);

    const UnitSnapshot said = cycle->snapshot();
    for (int slot : {1, 2}) {
        const int n = settings.dispData[slot];
        EXPECT_EQ(said.slots[slot].label, expected.item(n).labelText) << n;
        EXPECT_EQ(said.slots[slot].text, expected.slotText(n)) << n;
    }
    EXPECT_EQ(said.slots[0].text, QStringLiteral("NONE"));
    for (int row = 0; row < BatteryStatus::ROW_COUNT; ++row)
        EXPECT_EQ(said.status.row(row), status.row(row)) << row;
    for (int cell = 0; cell < EfficiencyTable::CELL_COUNT; ++cell)
        EXPECT_EQ(said.efficiency.cell(cell).valueText, efficiency.cell(cell).valueText) << cell;
    EXPECT_EQ(said.unitTime, UnitClock::formatMinutesAfterMidnight(15 * 60 + 30));
    EXPECT_EQ(said.pcTime, UnitClock::formatTimeOfDay(QTime(14, 5)));
    EXPECT_EQ(said.firmwareText(), QStringLiteral("2.5"));
    EXPECT_EQ(said.battery1Capacity, 200);
    EXPECT_EQ(said.battery2Capacity, 100);
}

TEST_F(PollCycle, AResetWritesTheCodeStopsTheDisplayAndABadAcknowledgementIsToldUnlessDownloading)
{
    show({13, 0, 0, 0, 0, 0});
    ASSERT_TRUE(startAndRun(6 + 1));
    const QString badChecksum = QStringLiteral("Error: Received bad checksum on Seriel Port.");
    int handedOver = 0;
    // Acknowledged right, acknowledged wrong, acknowledged wrong while a download runs.
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        const bool downloading = round == 2;
        if (round > 0)
            unit.addFault(FaultKind::BadChecksum, QStringLiteral("write:1"));
        if (downloading)
            cycle->setDownloadReceiver(
                [&](int, LinkRequest* request) { handedOver += request->kind == 16 ? 1 : 0; });
        prompts.clear();
        ASSERT_TRUE(cycle->sendResetCode(0x09));
        EXPECT_FALSE(cycle->testState(Running));
        ASSERT_TRUE(EventPump::waitUntil([&] { return !cycle->testState(Busy); }));
        EXPECT_EQ(unit.writes().last().frame, bytesOf({0x01, 0x27, 0x01, 0x09, 0xCD}));
        EXPECT_EQ(prompts.texts(), round == 1 ? QStringList{badChecksum} : QStringList());
    }
    EXPECT_EQ(handedOver, 1);
    EXPECT_FALSE(anyPollTimerArmed()) << "a reset does not start the display again";
}

TEST_F(PollCycle, TheStatusLineIsRewrittenOnlyWhenItsTextChanges)
{
    QStringList lines;
    QObject::connect(cycle.get(), &CPollCycle::statusLineChanged,
                     [&](const StatusLine& line) { lines << line.text; });
    cycle->refreshStatusLine();
    cycle->refreshStatusLine();
    ASSERT_TRUE(startAndRun(3));
    cycle->disconnectUnit();
    cycle->refreshStatusLine();
    // Not connected, closed; receiving and open alternate while it runs; closed again.
    EXPECT_EQ(lines.first(), QStringLiteral("Port Closed."));
    for (int i = 1; i < lines.size(); ++i)
        EXPECT_NE(lines[i], lines[i - 1]) << i;
    EXPECT_EQ(lines.last(), QStringLiteral("Port Closed."));
}

TEST_F(PollCycle, TheAutomaticSearchRepeatsUntilItFindsTheUnitThenConnects)
{
    cycle->armAutoSearch();
    EXPECT_EQ(armed("TIMER_AUTOSEARCH"), -1) << "not without AUTOPOLL_SERPORT";
    settings.autoPollSerialPort = 1;
    bool unitAnswers = false;
    cycle->setUnitSearch([&] { return unitAnswers; });
    int found = 0;
    QObject::connect(cycle.get(), &CPollCycle::unitFound, [&] { ++found; });
    cycle->armAutoSearch();
    EXPECT_EQ(armed("TIMER_AUTOSEARCH"), 100);
    fire("TIMER_AUTOSEARCH");
    EXPECT_EQ(armed("TIMER_AUTOSEARCH"), 2000);
    unitAnswers = true;
    fire("TIMER_AUTOSEARCH");
    EXPECT_EQ(found, 1);
    EXPECT_EQ(armed("TIMER_AUTOSEARCH"), -1);
    EXPECT_EQ(armed("TIMER_AUTOSTART"), 100);
    EXPECT_EQ(reads(), QList<Read>{Startup[0]});
}

TEST_F(PollCycle, AStartThatCannotOpenThePortReleasesTheButton)
{
    link.SetComPort(42);
    bool running = true;
    QObject::connect(cycle.get(), &CPollCycle::displayRunningChanged, [&](bool r) { running = r; });
    EXPECT_FALSE(cycle->startDisplay());
    EXPECT_FALSE(running);
    EXPECT_FALSE(anyPollTimerArmed());
}

class PollCycleOverEach : public PollCycle, public ::testing::WithParamInterface<Transport> {
protected:
    void SetUp() override
    {
        PollCycle::SetUp();
        use(GetParam());
        show({1, 0, 0, 0, 0, 0});
    }
    bool isTcp() const { return GetParam() == Transport::Tcp; }
};

TEST_P(PollCycleOverEach, RequestsAreSpacedByPortTypeAndSlowSpacesThemASecondApart)
{
    ASSERT_TRUE(startAndRun(6 + 1));
    EXPECT_EQ(spacingOfATick(), isTcp() ? 300 : 50);
    settings.dispUpdate = 0; // Slow
    EXPECT_EQ(spacingOfATick(), 1000);
}

TEST_P(PollCycleOverEach, ALostOrSpoiltReplyIsGivenUpAndTheDisplayGoesOn)
{
    ASSERT_TRUE(startAndRun(6 + 1));
    prompts.answerNext(PromptAnswer::Yes);
    prompts.answerNext(PromptAnswer::Yes);
    for (const FaultKind fault : {FaultKind::NoReply, FaultKind::BadChecksum}) {
        SCOPED_TRACE(FaultPlan::nameOf(fault).toStdString());
        const int lost = static_cast<int>(unit.requests().size());
        unit.addFault(fault, QStringLiteral("read@0x01:1"));
        // Serial: the link gives the read up itself. TCP: the cycle waits for the reply, every
        // 100 ms, until the link reports an error or the reply is overdue.
        ASSERT_TRUE(runUntil(lost + 1));
        if (isTcp() && fault == FaultKind::NoReply) {
            ASSERT_TRUE(EventPump::waitUntil([&] { return armed("TIMER_ITEM") == 100; }));
            EXPECT_EQ(unit.requests().size(), lost + 1);
            steadyMs += 5000;
        }
        ASSERT_TRUE(runUntil(lost + 3));
        EXPECT_EQ(reads().mid(lost, 3), times(3, {Ad1}));
        EXPECT_TRUE(cycle->testState(Running));
    }
    // Over serial the refused read stops the display and asks; Yes starts it again.
    EXPECT_EQ(prompts.texts(), isTcp() ? QStringList() : QStringList({PortProblem, PortProblem}));
}

TEST_P(PollCycleOverEach, TheKeepAliveReadsTheFirmwareWhileStoppedOverTcpOnly)
{
    ASSERT_TRUE(startAndRun(6 + 1));
    cycle->stopDisplay();
    ASSERT_TRUE(EventPump::waitUntil([&] { return !cycle->testState(Busy); }));
    EXPECT_EQ(armed("TIMER_KEEPALIVE"), isTcp() ? 30000 : -1);
    const int before = static_cast<int>(unit.requests().size());
    fire("TIMER_KEEPALIVE");
    ASSERT_TRUE(EventPump::waitUntil([&] { return !cycle->testState(Busy); }));
    EXPECT_EQ(reads().mid(before), isTcp() ? QList<Read>{Startup[0]} : QList<Read>{});
    EXPECT_EQ(armed("TIMER_KEEPALIVE"), isTcp() ? 30000 : -1) << "its reply arms it again";
}

INSTANTIATE_TEST_SUITE_P(Both, PollCycleOverEach, BothTransports, TransportName);
